#!/usr/bin/env bash
# Renders the user guide's pictures offscreen against the simulated camera and checks that every picture the
# guide links to was made.
#   scripts/render-screenshots.sh                          build (debug preset), write docs/images/
#   scripts/render-screenshots.sh --build-dir D --out O    use the programs already built in D, write O/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=""
out="$root/docs/images"
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    -h|--help) sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "render-screenshots.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ -z "$build" ]; then
  cd "$root"
  scripts/install-deps.sh
  cmake --preset debug >/dev/null
  cmake --build --preset debug --target rv8200xc-guide-screenshots
  build="$root/build/debug"
fi
program="$build/tests/e2e/rv8200xc-guide-screenshots"
[ -x "$program" ] || { echo "render-screenshots.sh: $program is not built" >&2; exit 1; }

mkdir -p "$out"
# The camera's settings folder and the tool's own stay apart from the operator's.
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" RV_GUIDE_IMAGES="$out" RV_BINARY_DIR="$build" \
  "$program" --gtest_brief=1 2> >(grep -v "This plugin does not support" >&2)

missing=0
for image in $(grep -o 'images/[A-Za-z0-9_.-]*\.png' "$root/docs/user-guide.md" | sort -u); do
  if [ ! -s "$out/${image#images/}" ]; then
    echo "render-screenshots.sh: the guide shows $image, which was not rendered" >&2
    missing=1
  fi
done
[ "$missing" = 0 ] || exit 1
echo "Rendered $(ls "$out"/*.png | wc -l) pictures into $out"
