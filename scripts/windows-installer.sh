#!/usr/bin/env bash
# Builds the tool for 64-bit Windows on Debian and packs it: the installer and a ZIP of the same folder.
#   scripts/windows-installer.sh
#   -> build/mingw/rv8200xc-control-tool-<version>-win64.exe and .zip
# Installs the cross compiler and NSIS when missing, unpacks Qt for MinGW into build/ (scripts/windows-qt.sh),
# builds with the mingw preset (warnings as errors) and runs CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
RV_WITH_MINGW=1 RV_WITH_WINDOWS_PACKAGING=1 scripts/install-deps.sh
scripts/windows-qt.sh >/dev/null
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cd build/mingw
rm -f rv8200xc-control-tool-*-win64.exe rv8200xc-control-tool-*-win64.zip
cpack >/dev/null
ls -1 "$PWD"/rv8200xc-control-tool-*-win64.exe "$PWD"/rv8200xc-control-tool-*-win64.zip
