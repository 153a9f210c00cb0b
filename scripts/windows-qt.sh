#!/usr/bin/env bash
# Prints the folder of Qt for 64-bit Windows (MinGW-w64) that the Windows presets build against, making it first
# when it is not there: unpacked from the prebuilt archive, or built from Debian's Qt sources when the archive is
# missing (about an hour on two cores).
#   scripts/windows-qt.sh            # -> <checkout>/build/qt6-mingw
# RV_QT_MINGW_ARCHIVE and RV_QT_MINGW_BUILDER name the archive and the build script (default: ../shared/toolchains).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchains=$(realpath -m "$root/../shared/toolchains")
archive=${RV_QT_MINGW_ARCHIVE:-$toolchains/qt6-mingw-6.4.2-x86_64.tar.xz}
builder=${RV_QT_MINGW_BUILDER:-$toolchains/build-qt6-mingw.sh}
qt=$root/build/qt6-mingw
marker=$qt/lib/cmake/Qt6/Qt6Config.cmake

if [ ! -f "$marker" ]; then
  mkdir -p "$root/build"
  rm -rf "$qt" "$qt.partial"
  if [ -f "$archive" ]; then
    echo "Unpacking $archive" >&2
    mkdir -p "$qt.partial"
    tar -xJf "$archive" -C "$qt.partial"
    mv "$qt.partial/qt6-mingw" "$qt"
    rmdir "$qt.partial"
  elif [ -x "$builder" ]; then
    echo "No archive at $archive: building Qt for MinGW with $builder (about an hour)" >&2
    "$builder" "$qt" "$root/build/qt6-mingw-src" >&2
  else
    echo "Neither the archive $archive nor the build script $builder is there." >&2
    exit 1
  fi
  [ -f "$marker" ] || { echo "No Qt6Config.cmake in $qt after unpacking." >&2; exit 1; }
fi
echo "$qt"
