#!/usr/bin/env bash
# Types a reading into Quillmere's search box through a real Japanese input
# method (fcitx5 with Mozc, through its Qt 6 front end) on a virtual display,
# searches, and keeps two screenshots in docs/: ime-preedit.png (the reading
# being composed) and ime-search.png (the result).
#
# A maintainer's check, not part of scripts/test.sh: it installs Debian
# packages and needs a few seconds of real time per stage. Each stage prints
# what it did; the first one that fails stops the script with a reason.
#
# Usage: scripts/ime-check.sh [reading-in-romaji]   (default: rakuyou)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
romaji=${1:-rakuyou}

stage() { printf '\n== %s\n' "$*"; }
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  for log in "${scratch:-/nonexistent}"/*.log; do
    [ -s "$log" ] && { printf -- '-- %s (last lines)\n' "${log##*/}" >&2; tail -n 15 "$log" >&2; }
  done
  exit 1
}

if [ "${1:-}" != --session ]; then
stage "packages"
packages=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11 xvfb xdotool xclip imagemagick x11-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
echo "installed: ${packages[*]}"
plugin=$(find /usr/lib -path '*qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so' | head -n1)
[ -n "$plugin" ] || fail "the Qt 6 input context plugin of fcitx5 is missing"
echo "Qt 6 front end: $plugin"

stage "build"
if [ ! -x build/quillmere ] || [ ! -d build/gazetteer/syu ]; then
  [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TESTS=OFF
  cmake --build build -j"$(nproc)" --target quillmere gazetteer
fi
[ -x build/quillmere ] || fail "build/quillmere was not built"
echo "program: build/quillmere, gazetteer: build/gazetteer"
fi

# The session itself (display, bus, input method, program) runs as an
# ordinary user: Mozc's server exits at once when started as root, and then
# fcitx5 waits on it and stops answering. Run as root, the script hands the
# session to "nobody" and copies the screenshot out afterwards.
if [ "${1:-}" != --session ]; then
  out=$(mktemp -d)
  chmod 777 "$out"
  run=(bash "$root/scripts/ime-check.sh" --session "$romaji" "$out")
  if [ "$(id -u)" -eq 0 ]; then
    echo "running the session as nobody (Mozc refuses to run as root)"
    runuser -u nobody -- test -x "$root/build/quillmere" ||
      fail "user nobody cannot reach $root/build/quillmere; run from a clone others can read"
    runuser -u nobody -- env -i PATH="$PATH" "${run[@]}" || { rm -rf "$out"; exit 1; }
  else
    "${run[@]}" || { rm -rf "$out"; exit 1; }
  fi
  for name in ime-preedit.png ime-search.png; do
    cp "$out/$name" "docs/$name"
    echo "saved docs/$name ($(identify -format '%wx%h' "docs/$name"))"
  done
  rm -rf "$out"
  exit 0
fi
romaji=$2
out=$3

# Everything below lives in a scratch home and dies with the script.
scratch=$(mktemp -d)
pids=()
cleanup() {
  local status=$?
  # Last started, first stopped: the program, then fcitx5 (which writes its
  # configuration on the way out), then the display.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
  # Mozc's server detaches from fcitx5; this session's is the one whose home
  # is the scratch directory.
  for pid in $(pgrep -u "$(id -u)" -x mozc_server || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$scratch" && kill "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch" || true
  exit "$status"
}
trap cleanup EXIT
# Mozc keeps its profile in ~/.config/mozc and only creates the last part.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/.config XDG_DATA_HOME=$scratch/.local/share
export XDG_RUNTIME_DIR=$scratch/run LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

stage "virtual display"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $display"
echo "Xvfb on $DISPLAY"

stage "D-Bus session"
eval "$(dbus-launch --sh-syntax)"
echo "bus: $DBUS_SESSION_BUS_ADDRESS"

stage "fcitx5 with Mozc"
# One input method group: the US layout when inactive, Mozc when active.
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
fcitx5 >"$scratch/fcitx5.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do fcitx5-remote >/dev/null 2>&1 && break; sleep 0.1; done
fcitx5-remote >/dev/null 2>&1 || { cat "$scratch/fcitx5.log"; fail "fcitx5 did not answer on the session bus"; }
echo "fcitx5 answers; its input methods: keyboard-us, mozc"

stage "Quillmere"
export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx QT_QPA_PLATFORM=xcb
(cd build/gazetteer && exec ../quillmere) >"$scratch/quillmere.log" 2>&1 &
program=$!
pids+=("$program")
window=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n1)
[ -n "$window" ] || fail "the window did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 649x399 at scale 1 under a menu bar; no window manager
# runs, so the window's origin is its top-left on the screen.
scale=$(awk -v w="$WIDTH" 'BEGIN { printf "%.3f", w / 649 }')
menu=$((HEIGHT - $(awk -v s="$scale" 'BEGIN { printf "%d", 399 * s + 0.5 }')))
at() { awk -v x="$1" -v y="$2" -v s="$scale" -v ox="$X" -v oy="$Y" -v m="$menu" \
         'BEGIN { printf "%d %d", ox + x * s, oy + m + y * s }'; }
echo "window $window at $X,$Y, ${WIDTH}x$HEIGHT, scale $scale, menu bar ${menu}px"

stage "choose 県読み from 検索オプション"
xdotool mousemove "$X" "$Y" mousemove_relative -- $((menu * 2)) $((menu / 2)) click 1
sleep 0.5
# 郡漢字, 郡読み, 県漢字, 県読み: the fourth item.
xdotool key Down Down Down Down Return
sleep 0.5
echo "opened the menu, pressed Down four times and Return (the screenshot's prompt shows the mode)"

stage "focus the search box"
read -r sx sy <<<"$(at 128 375)"
xdotool mousemove "$sx" "$sy" click 1
xdotool windowfocus --sync "$window" || true
sleep 0.5
# Mozc's engine loads on first use; on a busy machine that takes a while.
state=""
for _ in $(seq 20); do
  fcitx5-remote -o >/dev/null 2>&1 || true
  sleep 0.5
  state=$(fcitx5-remote 2>&1 || true)
  [ "$state" = 2 ] && break
done
current=$(fcitx5-remote -n 2>/dev/null || true)
echo "fcitx5 state $state (2 = active), input method '$current'"
[ "$state" = 2 ] || fail "the input method did not become active for the search box (state $state): the Qt front end did not reach fcitx5"

stage "type '$romaji' through Mozc and commit it"
xdotool type --delay 120 "$romaji"
sleep 1
import -window root -crop "${WIDTH}x$((HEIGHT + 120))+${X}+${Y}" +repage "$out/ime-preedit.png"
echo "composing: screenshot of the preedit taken"
xdotool key Return
sleep 0.5
# Read the box back through the clipboard: what was committed, not what was typed.
fcitx5-remote -c
xdotool key ctrl+a ctrl+c
sleep 0.3
typed=$(xclip -selection clipboard -o 2>/dev/null || true)
xdotool key End
echo "the search box holds: '$typed'"
if [ -z "$typed" ] || [ "$typed" = "$romaji" ]; then
  fail "nothing was converted by the input method (box holds '$typed')"
fi

stage "click 検索"
read -r bx by <<<"$(at 232 376)"
xdotool mousemove "$bx" "$by" click 1
sleep 1
# The search ends with a message box ("検索を終了しました。"); answer it.
box=""
for w in $(xdotool search --onlyvisible --pid "$program" 2>/dev/null); do
  [ "$w" != "$window" ] && box=$w
done
[ -n "$box" ] || fail "no message box after the search"
echo "message box: $(xdotool getwindowname "$box" 2>/dev/null || true) (window $box), answered with Return"
xdotool windowfocus --sync "$box" key Return
sleep 0.5
# The first result, to show its details beside the list.
read -r lx ly <<<"$(at 540 218)"
xdotool mousemove "$lx" "$ly" click 1
sleep 1
echo "clicked the first result in the county list"
xdotool mousemove 1000 700

stage "screenshot"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/ime-search.png"
echo "ime-check: typed '$romaji' through fcitx5/Mozc, the box held '$typed', searched"
