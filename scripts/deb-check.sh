#!/usr/bin/env bash
# Builds the .deb, installs it with dpkg, starts the installed program for a
# moment under the offscreen platform, removes the package and checks that
# nothing of it is left under /usr. Needs root (or sudo); refuses to touch an
# already installed quillmere.
#
#   scripts/deb-check.sh [BUILD-DIR]     (default: build-deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-deb}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
fail() { echo "deb-check: FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

if dpkg-query -W -f='${Status}' quillmere 2>/dev/null | grep -q "install ok"; then
  fail "quillmere is already installed here; remove it first (dpkg -r quillmere)"
fi

step "build and package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
rm -rf "$build/deb"
(cd "$build" && cpack -G DEB -B "$build/deb" >/dev/null)
deb=$(ls "$build"/deb/quillmere_*.deb)
echo "$deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Suggests
depends=$(dpkg-deb -f "$deb" Depends)
for need in fonts-ipafont-gothic libqt6widgets6 libc6; do
  grep -q "\b$need\b" <<<"$depends" || fail "Depends lacks $need: $depends"
done
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$build/deb/contents"
grep -qx /usr/bin/quillmere "$build/deb/contents" || fail "no /usr/bin/quillmere in the package"

tmp=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  if dpkg-query -W -f='${Status}' quillmere 2>/dev/null | grep -q "install ok"; then
    $sudo dpkg -r quillmere >/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

step "dpkg -i"
$sudo dpkg -i "$deb" || fail "dpkg -i"
dpkg-query -W -f='${Package} ${Version} ${Status}\n' quillmere

step "start /usr/bin/quillmere for 2 s (QT_QPA_PLATFORM=offscreen)"
(cd / && QT_QPA_PLATFORM=offscreen exec /usr/bin/quillmere >"$tmp/run.log" 2>&1) &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$tmp/run.log" >&2; fail "the program exited within 2 s"; }
exe=$(readlink -f "/proc/$pid/exe")
cwd=$(readlink -f "/proc/$pid/cwd")
echo "running: $exe in $cwd"
[ "$exe" = /usr/libexec/quillmere/quillmere ] || fail "running $exe"
[ "$cwd" = /usr/share/quillmere ] || fail "working directory $cwd"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
if grep -v -e 'propagateSizeHints' -e 'XDG_RUNTIME_DIR' "$tmp/run.log" | grep -q .; then
  cat "$tmp/run.log" >&2
  fail "the program complained"
fi
ls /usr/share/quillmere /usr/share/applications/quillmere.desktop /usr/share/icons/hicolor/*/apps/quillmere.png

step "dpkg -r"
$sudo dpkg -r quillmere || fail "dpkg -r"
dpkg-query -W -f='${Status}' quillmere 2>/dev/null | grep -q "install ok" && fail "still installed"
left=()
checked=0
while read -r path; do
  [ -z "$path" ] || [ "$path" = / ] && continue
  path=${path%/}
  checked=$((checked + 1))
  [ -e "$path" ] || [ -L "$path" ] || continue
  # A directory other packages share (/usr/bin, the icon theme) stays.
  [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  left+=("$path")
done <"$build/deb/contents"
for own in /usr/share/quillmere /usr/libexec/quillmere /usr/bin/quillmere; do
  [ -e "$own" ] && left+=("$own")
done
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "nothing of quillmere is left under /usr ($checked packaged paths checked)"
echo "deb-check: passed"
