#!/usr/bin/env bash
# Builds the Windows back ends' test suites with MinGW-w64 and runs them under Wine, in a Wine prefix of the
# build's own (build/mingw-tests/wineprefix): the registry store against Wine's registry, folder search, loading
# of cross-built libraries, and the serial back end against the simulated camera, whose terminal Wine reaches as
# COM1 (dosdevices/com1). Then builds the installer and checks the installed tool under Wine (below);
# RV_WINE_SUITES_ONLY=1 stops after the suites.
set -euo pipefail
cd "$(dirname "$0")/.."
RV_WITH_MINGW=1 RV_WITH_WINE=1 RV_WITH_WINDOWS_PACKAGING=1 scripts/install-deps.sh

build=build/mingw-tests
cmake --preset mingw-tests >/dev/null
cmake --build --preset mingw-tests
# The simulated camera is a Linux program: it comes from the native build.
cmake --preset debug >/dev/null
cmake --build --preset debug --target rv8200xc-camsim

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
fi
# Wine's own port table decides where COMn leads; at start it rewrites dosdevices/comn from it.
port="$PWD/$build/camsim-com1"
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$port" /f >/dev/null 2>&1
"$wineserver" -w

camsim_out="$PWD/$build/camsim.out"
build/debug/tools/camsim/rv8200xc-camsim --link "$port" --log "$PWD/$build/camsim-traffic.log" >"$camsim_out" 2>&1 &
camsim=$!
cleanup() {
  kill "$camsim" 2>/dev/null || true
  "$wineserver" -k >/dev/null 2>&1 || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done
[ -e "$port" ] || { echo "The simulated camera did not start:" >&2; cat "$camsim_out" >&2; exit 1; }

# One wine server for all suites, instead of one started and stopped per suite.
"$wineserver" -p >/dev/null 2>&1
"$wine" cmd /c exit >/dev/null 2>&1 || true
if [ "$(readlink "$WINEPREFIX/dosdevices/com1")" != "$port" ]; then
  echo "Wine did not map COM1 to the simulated camera: $(readlink "$WINEPREFIX/dosdevices/com1")" >&2
  exit 1
fi
RV_WINE_SERIAL_PORT=COM1 ctest --test-dir "$build" --output-on-failure --timeout 300

# ---------------------------------------------------------------------------------------------------------------
# The installed tool. The installer from scripts/windows-installer.sh runs silently in a fresh prefix of its own
# (build/mingw/wineprefix) on a virtual display; the tool it installed is then operated from the keyboard
# (rv-window-keys) against the simulated camera, and judged by what the camera logged, set beside what the Linux
# build of the same sources sends to the same camera, and by the registry.
[ "${RV_WINE_SUITES_ONLY:-0}" = 1 ] && exit 0
cleanup
trap - EXIT
scripts/windows-installer.sh >/dev/null
cmake --build --preset debug --target rv8200xc-tool-driver rv8200xc-ctl rv_cl_sims
keys_exe="$PWD/$build/tests/wine/rv-window-keys.exe"
out=build/mingw/wine-checks
rm -rf "$out"
mkdir -p "$out"
out="$PWD/$out"
installer=$(ls "$PWD"/build/mingw/rv8200xc-control-tool-*-win64.exe)
export WINEPREFIX="$PWD/build/mingw/wineprefix"
rm -rf "$WINEPREFIX"
title="RV-8200-XC Control Tool  Ver"
folder="$WINEPREFIX/drive_c/Program Files/RV-8200-XC Control Tool"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/RV-8200-XC Control Tool"
regkey='HKLM\Software\Orvane\RV-8200-XC Control Tool'
fail() { echo "Wine check failed: $*" >&2; exit 1; }
step() { echo "$(date +%T) $*"; }

xvfb_pid=
camsim=
tool_checks_cleanup() {
  [ -n "$camsim" ] && kill "$camsim" 2>/dev/null
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  true
}
trap tool_checks_cleanup EXIT
exec 5> "$out/display"
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")"

step "Fresh Wine prefix $WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1
port="$out/com1"
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$port" /f >/dev/null 2>&1
"$wineserver" -w

# One server for the prefix, kept out of the log (a server started by a later command would write there).
"$wineserver" -p >/dev/null 2>&1
step "Silent install of $(basename "$installer")"
"$wine" "$installer" /S >/dev/null 2>&1
for f in rv8200xc-control-tool.exe rv8200xc-ctl.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
         styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll Uninstall.exe; do
  [ -f "$folder/$f" ] || fail "the installer left out $f"
done
[ -f "$menu/RV-8200-XC Control Tool.lnk" ] || fail "no Start-menu shortcut in $menu"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RV-8200-XC Control Tool' \
  /v UninstallString >"$out/uninstall-key.txt" 2>/dev/null || fail "no uninstaller in the list of programs"

# The simulated camera on a terminal: $1 the link's path, $2 the log, then its options.
start_camera() {
  local link=$1 log=$2
  shift 2
  rm -f "$link"
  build/debug/tools/camsim/rv8200xc-camsim --link "$link" --log "$log" "$@" >>"$out/camsim.out" 2>&1 &
  camsim=$!
  for _ in $(seq 50); do [ -e "$link" ] && return 0; sleep 0.1; done
  fail "the simulated camera did not start"
}
stop_camera() { kill "$camsim" 2>/dev/null; wait "$camsim" 2>/dev/null || true; camsim=; }
# A log without its time stamps: what went over the line, in order.
wire() { cut -d' ' -f3- "$1"; }
# Waits until file $1 has not grown for two seconds (at most 90 s): the tool's start-up is over.
wait_quiet() {
  local size=-1 still=0
  for _ in $(seq 180); do
    local now
    now=$(stat -c %s "$1" 2>/dev/null || echo 0)
    if [ "$now" = "$size" ]; then still=$((still + 1)); else still=0; size=$now; fi
    [ "$still" -ge 4 ] && return 0
    sleep 0.5
  done
  fail "$1 kept growing"
}
# Pictures of the shown windows whose titles start with the arguments, from the virtual display.
snapshot() {
  local name=$1
  shift
  for window in "$@"; do
    local geometry
    "$wine" "$keys_exe" front "$window" || fail "no window \"$window\" to take"
    geometry=$("$wine" "$keys_exe" find "$window" 5 | tr -d '\r')
    import -display "$DISPLAY" -window root "$out/screen.png"
    read -r x y w h <<<"$geometry"
    convert "$out/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name-$(echo "$window" | tr -cd 'A-Za-z').png"
  done
}
# One run of the installed tool against the camera logging to $1: started in its folder as the shortcut starts
# it, left to finish its start-up, ended with File > Exit and Yes. $2 names pictures to take ("" none).
# $3 further options of the tool.
run_installed_tool() {
  local log=$1 pictures=$2
  shift 2
  (cd "$folder" && "$wine" rv8200xc-control-tool.exe "$@" >"$out/tool.out" 2>&1) &
  local tool=$!
  "$wine" "$keys_exe" find "$title" 60 >/dev/null || fail "the main window did not show"
  wait_quiet "$log"
  if [ -n "$pictures" ]; then
    # The communication dialog opens over the main window, which it belongs to: moved beside it for the pictures.
    local x y w h
    "$wine" "$keys_exe" move "$title" 0 0 || fail "the main window cannot be moved"
    read -r x y w h <<<"$("$wine" "$keys_exe" find "$title" 5 | tr -d '\r')"
    "$wine" "$keys_exe" move "Communication" $((x + w + 8)) "$y" || fail "no communication dialog"
    snapshot "$pictures" "$title" "Communication"
  fi
  "$wine" "$keys_exe" type "$title" alt+f x || fail "File > Exit could not be typed"
  "$wine" "$keys_exe" type "Confirm" enter || fail "no exit question"
  for _ in $(seq 300); do kill -0 "$tool" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$tool" 2>/dev/null && fail "the tool did not end after File > Exit"
  wait "$tool" || true
}
# The Linux build's tool (the same application object, its boxes answered with their first button) against the
# camera on COM1 of the configuration folder $1.
run_linux_tool() {
  XDG_CONFIG_HOME="$1" QT_QPA_PLATFORM=offscreen build/debug/tests/e2e/rv8200xc-tool-driver close \
    >"$out/linux-tool.out" 2>&1 || fail "the Linux build's tool failed: $(cat "$out/linux-tool.out")"
}

linux="$out/linux-config"
mkdir -p "$linux/orvane/dosdevices"
for speed in 9600 38400 115200; do
  step "Start-up against the simulated camera at $speed bit/s"
  start_camera "$linux/orvane/dosdevices/com1" "$out/linux-$speed.log" --speed "$speed"
  run_linux_tool "$linux"
  stop_camera
  start_camera "$port" "$out/wine-$speed.log" --speed "$speed"
  if [ "$speed" = 115200 ]; then
    # Wine's GDI leaves the texts of line edits blank (with every Qt style; a bare Qt program's too): the pictures
    # of this run are drawn with Qt's own FreeType engine, those of the Camera Link run below as a PC draws them.
    run_installed_tool "$out/wine-$speed.log" window -platform windows:fontengine=freetype
  else
    run_installed_tool "$out/wine-$speed.log" ""
  fi
  stop_camera
  if ! diff <(wire "$out/linux-$speed.log") <(wire "$out/wine-$speed.log") >"$out/diff-$speed.txt"; then
    cat "$out/diff-$speed.txt" >&2
    fail "at $speed bit/s the Windows build's wire sequence differs from the Linux build's"
  fi
  echo "  $(wc -l <"$out/wine-$speed.log") lines as on Linux, $(grep -c ' LOST ' "$out/wine-$speed.log" || true) of them at the wrong speed"
done

step "Settings in the registry, as the Linux build stores them"
"$wine" reg query "$regkey" | tr -d '\r' >"$out/registry.txt" || fail "no $regkey"
for name in "Previous Application Shutdown Status" "Communication Mode" "Baudrate" "Com Port No" \
            "Cameralink 2000 Dll Index" "Cameralink 2001 Dll Index" "Cameralink Ver11 Dll Index" "Control Mode"; do
  expected=$((16#$(grep "^\"$name\"=dword:" "$linux/orvane/hklm.reg" | tr -d '\r' | cut -d: -f2)))
  found=$(grep -E "^ +$name +REG_DWORD +0x" "$out/registry.txt" | awk '{print $NF}')
  [ -n "$found" ] && [ $((found)) = "$expected" ] || fail "\"$name\" is ${found:-missing} in the registry, $expected on Linux"
done
echo "  8 values under $regkey as on Linux"

step "Start-up through the version 1.1 Camera Link library of the folder CLSERIALPATH names"
# Every call in order, the reads byte by byte among them; the DLL writes its log in text mode (CR LF).
calls() { tr -d '\r' <"$1"; }
cl_wine="$WINEPREFIX/drive_c/cameralink/v11"
cl_linux="$out/linux-cameralink/v11"
mkdir -p "$cl_wine" "$cl_linux"
cp build/mingw/cameralink/v11/clallserial.dll "$cl_wine/"
cp build/debug/cameralink/v11/clallserial.so "$cl_linux/"
echo "log calls.log" | tee "$cl_wine/clallserial.cfg" >"$cl_linux/clallserial.cfg"
"$wine" reg add 'HKLM\SOFTWARE\CameraLink' /v CLSERIALPATH /d 'C:\cameralink\v11' /f >/dev/null 2>&1
"$wine" reg add "$regkey" /v "Communication Mode" /t REG_DWORD /d 3 /f >/dev/null 2>&1
sed -i 's/^"Communication Mode"=dword:.*/"Communication Mode"=dword:00000003\r/' "$linux/orvane/hklm.reg"
CLSERIALPATH="$cl_linux" run_linux_tool "$linux"
touch "$cl_wine/calls.log"
run_installed_tool "$cl_wine/calls.log" cameralink
if ! diff <(calls "$cl_linux/calls.log") <(calls "$cl_wine/calls.log") >"$out/diff-cameralink.txt"; then
  cat "$out/diff-cameralink.txt" >&2
  fail "through clallserial.dll the calls differ from the Linux build's"
fi
grep -q "^clSerialInit 0 -> CL_ERR_NO_ERR" "$cl_wine/calls.log" || fail "clallserial.dll was not opened"
echo "  $(grep -c '^clSerialWrite' "$cl_wine/calls.log") writes through clallserial.dll, calls as on Linux"
"$wine" reg add "$regkey" /v "Communication Mode" /t REG_DWORD /d 0 /f >/dev/null 2>&1

step "rv8200xc-ctl.exe info and save, with the Linux build's exit statuses"
# $1 the name of the case, $2 the camera's options ("-" no camera), then the verb and its words; a word "@file"
# stands for a file of the case's own.
ctl_case() {
  local name=$1 camera=$2
  shift 2
  local linux_args=() wine_args=() word linux_status=0 wine_status=0
  for word in "$@"; do
    linux_args+=("${word/#@file/$out/linux-$name.cam}")
    wine_args+=("${word/#@file/Z:$out/wine-$name.cam}")
  done
  [ "$camera" != - ] && start_camera "$linux/orvane/dosdevices/com1" "$out/ctl-linux-$name.log" $camera
  XDG_CONFIG_HOME="$linux" build/debug/tools/ctl/rv8200xc-ctl --quiet "${linux_args[@]}" \
    >"$out/ctl-linux-$name.out" 2>&1 || linux_status=$?
  [ "$camera" != - ] && stop_camera
  rm -f "$linux/orvane/dosdevices/com1"
  [ "$camera" != - ] && start_camera "$port" "$out/ctl-wine-$name.log" $camera
  (cd "$folder" && "$wine" rv8200xc-ctl.exe --quiet "${wine_args[@]}" >"$out/ctl-wine-$name.out" 2>&1) ||
    wine_status=$?
  [ "$camera" != - ] && stop_camera
  rm -f "$port"
  [ "$wine_status" = "$linux_status" ] || fail "rv8200xc-ctl $* ($name): status $wine_status, $linux_status on Linux"
  echo "  $name: status $wine_status as on Linux"
}
ctl_case info "--speed 38400" info
ctl_case save "--speed 115200" save @file
cmp "$out/linux-save.cam" "$out/wine-save.cam" || fail "the saved setting files differ"
diff <(wire "$out/ctl-linux-save.log") <(wire "$out/ctl-wine-save.log") >/dev/null ||
  fail "rv8200xc-ctl save: the wire sequence differs from the Linux build's"
ctl_case no-camera - info
ctl_case usage "--speed 9600" frobnicate

step "Benchmark: rv8200xc-ctl's shading write by the Windows build, against the camera's wire time"
# A measurement, not a gate: the machine is shared, and Wine's serial layer polls. The row says whether the median
# reached its target.
start_camera "$port" "$out/bench-camsim.log" --wire-time
bench_status=0
"$wine" "$PWD/$build/bench/bench.exe" --only "ctl shading write" --repeat "${RV_WINE_BENCH_REPEAT:-5}" \
  >"$out/bench.txt" || bench_status=$?
stop_camera
tr -d '\r' <"$out/bench.txt"
[ "$bench_status" = 0 ] || echo "  the median is below its target (status $bench_status)"

step "Uninstall"
# The uninstaller copies itself away and runs from there: it has ended when its files are gone.
"$wine" "$folder/Uninstall.exe" /S >/dev/null 2>&1
for _ in $(seq 100); do [ -e "$folder/Uninstall.exe" ] || [ -e "$menu/Uninstall.lnk" ] || break; sleep 0.2; done
sleep 1
[ ! -e "$folder/rv8200xc-control-tool.exe" ] || fail "the uninstaller left the programs in $folder"
[ ! -e "$menu/RV-8200-XC Control Tool.lnk" ] || fail "the uninstaller left the Start-menu shortcut"
! "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RV-8200-XC Control Tool' \
  >/dev/null 2>&1 || fail "the uninstaller is still in the list of programs"
cp "$out"/window-*.png "$out"/cameralink-*.png build/ 2>/dev/null || true
step "Installed tool checked under Wine; pictures in build/ and $out"
