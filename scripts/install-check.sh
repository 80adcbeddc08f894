#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks that the install
# works as a user gets it: the layout, the data read from where the launcher
# starts the program, the launcher itself (also when the prefix is moved or
# reached through a symlink), and that it refuses to start without its data.
#
#   scripts/install-check.sh [BUILD-DIR [INSTALL-TEST-BINARY]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
probe=${2:-$build/tests/qm_install_test}
cmake=${CMAKE:-cmake}

tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "install-check: FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

prefix=$tmp/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }

for f in bin/quillmere libexec/quillmere/quillmere; do
  [ -x "$prefix/$f" ] || fail "$f is not an installed executable"
done
for f in share/quillmere/syu/州郡.txt share/quillmere/betsu/州郡.tsv share/applications/quillmere.desktop; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
ls "$prefix"/share/quillmere/ji/*.bmp >/dev/null 2>&1 || fail "no glyph bitmaps in share/quillmere/ji"
# The program lives out of PATH: only the launcher is in bin/.
[ "$(ls "$prefix/bin")" = quillmere ] || fail "bin/ holds more than the launcher: $(ls "$prefix/bin")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/quillmere.desktop" || fail "desktop entry"
fi

QM_INSTALLED_PREFIX=$prefix "$probe" --gtest_brief=1 || fail "installed data"

# Starts the launcher from elsewhere, waits, and checks that it is still
# running and said nothing.
run_launcher() {
  local launcher=$1 log=$tmp/run.log
  (cd / && exec "$launcher" >"$log" 2>&1) &
  local pid=$!
  pids+=("$pid")
  sleep 2
  kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "$launcher exited within 2 s"; }
  # The launcher has exec'd the program, in the data directory.
  [ "$(readlink -f "/proc/$pid/exe")" = "$(readlink -f "$prefix/libexec/quillmere/quillmere")" ] ||
    fail "running $(readlink -f "/proc/$pid/exe"), not the installed program"
  [ "$(readlink -f "/proc/$pid/cwd")" = "$(readlink -f "$prefix/share/quillmere")" ] ||
    fail "program runs in $(readlink -f "/proc/$pid/cwd"), not the data directory"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # Qt's own words about the offscreen platform and a session without a
  # runtime directory are not the program's.
  if grep -v -e 'propagateSizeHints' -e 'XDG_RUNTIME_DIR' "$log" | grep -q .; then
    cat "$log" >&2
    fail "$launcher complained"
  fi
}
run_launcher "$prefix/bin/quillmere"

# Moved prefix, and a symlink to the launcher as a user's ~/bin might hold.
mv "$prefix" "$tmp/moved"
prefix=$tmp/moved
mkdir "$tmp/links"
ln -s "$prefix/bin/quillmere" "$tmp/links/quillmere"
run_launcher "$tmp/links/quillmere"

# Without its gazetteer the launcher says so and fails, instead of opening an
# empty window.
rm -r "$prefix/share/quillmere/syu"
if (cd / && "$prefix/bin/quillmere") >"$tmp/nodata.log" 2>&1; then
  fail "launcher started without syu/"
fi
grep -q "gazetteer is missing" "$tmp/nodata.log" || { cat "$tmp/nodata.log" >&2; fail "no message for missing data"; }

echo "install-check: passed"
