#!/usr/bin/env bash
# Renders the user guide's pictures offscreen against the simulated camera and checks every picture the guide
# links to: made, a PNG of a window's size with content, no page or menu the same as another.
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

# Every picture the guide shows was made, is a PNG of a window's size with more than a handful of colours
# (an unpainted or blank window has one or two), and no page or menu repeats another (one that did not come
# to the front shows the one before it).
bad=0
fail() { echo "render-screenshots.sh: $*" >&2; bad=1; }
declare -A seen=()
for image in $(grep -o 'images/[A-Za-z0-9_.-]*\.png' "$root/docs/user-guide.md" | sort -u); do
  file="$out/${image#images/}"
  if [ ! -s "$file" ]; then fail "the guide shows $image, which was not rendered"; continue; fi
  # The PNG signature, then the header chunk's width and height (big-endian, bytes 16 to 23).
  if [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then fail "$image is not a PNG"; continue; fi
  read -r width height < <(od -An -tu1 -j16 -N8 "$file" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$width" -ge 64 ] && [ "$height" -ge 24 ] || fail "$image is only ${width} x ${height} pixels"
  if command -v identify >/dev/null; then
    colours="$(identify -format '%k' "$file")"
    [ "$colours" -gt 8 ] || fail "$image has $colours colours: the window shows nothing"
  fi
  sum="$(md5sum < "$file")"
  if [ -n "${seen[$sum]:-}" ]; then
    case "$image" in
      images/page-*|images/menu-*) fail "$image is the same picture as ${seen[$sum]}" ;;
      *) echo "note: $image is the same picture as ${seen[$sum]}" ;;
    esac
  fi
  seen[$sum]="$image"
  # Against the committed picture: a changed size is worth a look before committing.
  committed="$(git -C "$root" show "HEAD:docs/$image" 2>/dev/null | od -An -tu1 -j16 -N8 |
               awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')" || true
  [ -z "$committed" ] || [ "$committed" = "$width $height" ] || echo "note: $image is now ${width} x ${height} (was ${committed/ / x })"
done
[ "$bad" = 0 ] || exit 1
echo "Rendered $(ls "$out"/*.png | wc -l) pictures into $out"
