#!/usr/bin/env bash
# Builds the tool and the simulated camera, puts the camera on a pseudo-terminal mapped to COM1 in a
# settings folder of its own (the operator's own settings stay untouched) and starts the tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset debug
cmake --build --preset debug --target rv8200xc-control-tool rv8200xc-camsim
export XDG_CONFIG_HOME="$PWD/build/demo-config"
mkdir -p "$XDG_CONFIG_HOME/orvane/dosdevices"
build/debug/tools/camsim/rv8200xc-camsim --link "$XDG_CONFIG_HOME/orvane/dosdevices/com1" \
  --log "$XDG_CONFIG_HOME/camsim.log" &
camsim=$!
trap 'kill $camsim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$XDG_CONFIG_HOME/orvane/dosdevices/com1" ] && break; sleep 0.1; done
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: running under xvfb-run (set QT_QPA_PLATFORM=offscreen to run without one)."
  xvfb-run -a build/debug/src/app/rv8200xc-control-tool
else
  build/debug/src/app/rv8200xc-control-tool
fi
