#!/usr/bin/env bash
# Builds the Windows back ends' test suites with MinGW-w64 and runs them under Wine, in a Wine prefix of the
# build's own (build/mingw-tests/wineprefix): the registry store against Wine's registry, folder search, loading
# of cross-built libraries, and the serial back end against the simulated camera, whose terminal Wine reaches as
# COM1 (dosdevices/com1).
set -euo pipefail
cd "$(dirname "$0")/.."
RV_WITH_MINGW=1 RV_WITH_WINE=1 scripts/install-deps.sh

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
