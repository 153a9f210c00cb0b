#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is already there.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev googletest xauth xvfb)
[ "${RV_WITH_MINGW:-0}" = 1 ] && packages+=(g++-mingw-w64-x86-64-posix)
# The Windows suites run under Wine (scripts/run-wine-tests.sh).
[ "${RV_WITH_WINE:-0}" = 1 ] && packages+=(wine64)
# The Windows installer and its ZIP (scripts/windows-installer.sh); the checks of the installed tool under Wine
# take their pictures with ImageMagick.
[ "${RV_WITH_WINDOWS_PACKAGING:-0}" = 1 ] && packages+=(nsis zip xz-utils)
[ "${RV_WITH_WINE:-0}" = 1 ] && packages+=(imagemagick)
# The Debian package and its check (cpack -G DEB, lintian).
[ "${RV_WITH_PACKAGING:-0}" = 1 ] && packages+=(dpkg-dev file lintian desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
