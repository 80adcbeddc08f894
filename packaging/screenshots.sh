#!/usr/bin/env bash
# Takes the README's screenshots: the built program on its gazetteer under a
# private Xvfb, places chosen from the keyboard. docs/window-1x.png and
# docs/window-2x.png show 司隸校尉 → 河南尹 → 雒陽 at scale 1 and at
# QT_SCALE_FACTOR=2; docs/koujou.png (幽州 → 遼東郡 → 候城) and
# docs/jouan.png (揚州 → 廬江郡 → 襄安) show places the treatise names twice
# or whose notes were once split wrongly; docs/map-whole.png, map-sili.png
# and map-census.png show the map window (qm-map-pictures).
# Needs xvfb, xdotool and imagemagick.
#
#   packaging/screenshots.sh [BUILD-DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
[ -d "$build/gazetteer/syu" ] || { echo "screenshots: build the gazetteer first" >&2; exit 1; }

tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1600x1200x24 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display")

# Presses Down n times: the first Down in a list with nothing chosen picks
# its first item.
down() { for _ in $(seq "$2"); do xdotool key --window "$1" Down 2>/dev/null; done; }

# shoot SCALE OUT PROVINCE COMMANDERY COUNTY (list positions from 0)
shoot() {
  local scale=$1 out=$2 province=$3 commandery=$4 county=$5
  (cd "$build/gazetteer" && QT_SCALE_FACTOR=$scale exec ../quillmere) >"$tmp/run.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  local wid=""
  for _ in $(seq 50); do
    wid=$(xdotool search --pid "$pid" --onlyvisible 2>/dev/null | head -1) && [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || { cat "$tmp/run.log" >&2; echo "screenshots: no window" >&2; exit 1; }
  sleep 1
  xdotool windowfocus --sync "$wid" 2>/dev/null
  # Focus starts on Text1; twelve Tabs reach the province list (List3).
  for _ in $(seq 12); do xdotool key --window "$wid" Tab 2>/dev/null; done
  down "$wid" $((province + 1))
  sleep 0.3
  xdotool key --window "$wid" shift+Tab shift+Tab 2>/dev/null  # List1
  down "$wid" $((commandery + 1))
  sleep 0.3
  xdotool key --window "$wid" Tab 2>/dev/null  # List2
  down "$wid" $((county + 1))
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
  kill "$pid"
}
shoot 1 "$root/docs/window-1x.png" 0 0 0
shoot 2 "$root/docs/window-2x.png" 0 0 0
shoot 1 "$root/docs/koujou.png" 11 7 4
shoot 1 "$root/docs/jouan.png" 7 2 6
# The map window: the whole map, 司隸 close up with 雒陽 chosen, the census.
[ -x "$build/qm-map-pictures" ] || { echo "screenshots: build qm-map-pictures first" >&2; exit 1; }
"$build/qm-map-pictures" "$build/gazetteer" "$root/docs"
identify "$root"/docs/window-*.png "$root"/docs/koujou.png "$root"/docs/jouan.png "$root"/docs/map-*.png
