#!/usr/bin/env bash
# Builds the tool and the simulated camera, puts the camera on a pseudo-terminal mapped to COM1 in a
# settings folder of its own (the operator's own settings stay untouched) and starts the tool.
# Arguments go to the simulated camera, e.g. `scripts/run-tool.sh --model B1` or `--speed 115200`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset debug
cmake --build --preset debug --target rv8200xc-control-tool rv8200xc-camsim

export XDG_CONFIG_HOME="$PWD/build/demo-config"
link="$XDG_CONFIG_HOME/orvane/dosdevices/com1"
mkdir -p "$(dirname "$link")"
build/debug/tools/camsim/rv8200xc-camsim --link "$link" --log "$XDG_CONFIG_HOME/camsim-traffic.log" "$@" \
  >"$XDG_CONFIG_HOME/camsim.out" 2>&1 &
camsim=$!
trap 'kill "$camsim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
if [ ! -e "$link" ]; then
  echo "The simulated camera did not start:" >&2
  cat "$XDG_CONFIG_HOME/camsim.out" >&2
  exit 1
fi
echo "Simulated camera on COM1 ($(readlink "$link")); its traffic goes to $XDG_CONFIG_HOME/camsim-traffic.log"

tool=build/debug/src/app/rv8200xc-control-tool
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: running under xvfb-run (set QT_QPA_PLATFORM=offscreen to run without one)."
  xvfb-run -a "$tool"
else
  "$tool"
fi
