#!/usr/bin/env bash
# Takes the README's screenshots, docs/window-1x.png and docs/window-2x.png:
# the built program on its gazetteer under a private Xvfb, with 司隸校尉 →
# 河南尹 → 雒陽 chosen from the keyboard, at scale 1 and QT_SCALE_FACTOR=2.
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

shoot() {
  local scale=$1 out=$2
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
  xdotool key --window "$wid" Down 2>/dev/null  # 司隸校尉
  sleep 0.3
  xdotool key --window "$wid" shift+Tab shift+Tab Down 2>/dev/null  # List1: 河南尹
  sleep 0.3
  xdotool key --window "$wid" Tab Down 2>/dev/null  # List2: 雒陽
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
  kill "$pid"
}
shoot 1 "$root/docs/window-1x.png"
shoot 2 "$root/docs/window-2x.png"
identify "$root"/docs/window-*.png
