#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage in a copy of
# the tree, lints it, validates its AppStream metadata and desktop entry,
# installs it, starts the installed program on a virtual X display for two
# seconds, removes and purges it, and shows that nothing of it is left.
# A maintainer's check, not part of the test command. Needs root (or sudo);
# installs its own tools and the build dependencies from Debian when missing;
# refuses to touch an already installed quillmere.
#
#   scripts/deb-check.sh [BUILD-DIR]     (default: build-deb)
#
# Leaves BUILD-DIR/quillmere_<version>_<arch>.deb and BUILD-DIR/build.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-deb}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
fail() { echo "deb-check: FAIL: $*" >&2; exit 1; }
step() { echo; echo "== $*"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if installed quillmere; then
  fail "quillmere is already installed here; remove it first (apt-get purge quillmere)"
fi

step "tools and build dependencies"
tools=(dpkg-dev debhelper lintian appstream desktop-file-utils xvfb xauth x11-utils)
missing=()
for p in "${tools[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ] || ! (cd "$root" && dpkg-checkbuilddeps >/dev/null 2>&1); then
  $sudo apt-get update -qq
  [ ${#missing[@]} -eq 0 ] ||
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq "$root"
fi
(cd "$root" && dpkg-checkbuilddeps) || fail "build dependencies"
echo "all present: ${tools[*]} and the Build-Depends of debian/control"

# dpkg-buildpackage writes into the tree and leaves the .deb beside it, so it
# runs in a copy under BUILD-DIR; the clone stays as it was.
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
mkdir -p "$build"
build=$(cd "$build" && pwd)
case $root/ in "$build"/*) fail "the build directory $build holds the source tree" ;; esac
src=$build/quillmere-$version
# Only what an earlier run left: BUILD-DIR may be shared with other files.
rm -rf "$src" "$build/unpacked" "$build"/quillmere_"$version"_* "$build/contents" "$build"/*.log
mkdir "$src"
exclude=()
case $build/ in "$root"/*) exclude=(--exclude="./${build#"$root"/}") ;; esac
tar -C "$root" --exclude-vcs --exclude='./build*' --exclude='./obj-*' "${exclude[@]}" \
    --exclude=./debian/.debhelper --exclude=./debian/quillmere -cf - . | tar -C "$src" -xf -

step "dpkg-buildpackage -b -us -uc (log: $build/build.log)"
(cd "$src" && dpkg-buildpackage -b -us -uc) >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log" >&2; fail "dpkg-buildpackage"; }
grep -E "^dpkg-buildpackage: info: (source package|binary-only)|tests passed|Total Test time" "$build/build.log" || true
deb=$build/quillmere_${version}_$arch.deb
changes=$build/quillmere_${version}_$arch.changes
[ -f "$deb" ] || fail "no $deb"
echo "$deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Suggests Section
depends=$(dpkg-deb -f "$deb" Depends)
for need in fonts-ipafont-gothic libqt6widgets6 libc6; do
  grep -q "\b$need\b" <<<"$depends" || fail "Depends lacks $need: $depends"
done
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$build/contents"
for f in /usr/bin/quillmere /usr/libexec/quillmere/quillmere /usr/share/quillmere/syu/ \
         /usr/share/quillmere/ji/ /usr/share/man/man1/quillmere.1.gz \
         /usr/share/applications/quillmere.desktop \
         /usr/share/metainfo/example.quillmere.Quillmere.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/quillmere.png \
         /usr/share/doc/quillmere/copyright /usr/share/doc/quillmere/changelog.gz; do
  grep -qx "$f" "$build/contents" || fail "$f is not in the package"
done
echo "$(grep -c . "$build/contents") paths in the package"

step "lintian"
# Only info tags may be left; the README says why each stays. Overridden
# tags (debian/quillmere.lintian-overrides) are shown too.
lintian --display-info --show-overrides "$changes" >"$build/lintian.log" 2>&1 || true
grep -E "^[EWI]: " "$build/lintian.log" || true
grep "^O: " "$build/lintian.log" | sed 's/ \[.*//' | sort | uniq -c | sed 's/^ *\([0-9]*\) O: \(.*\)/O: \2 (overridden, \1 files)/' || true
if grep -qE "^[EW]: " "$build/lintian.log"; then
  fail "lintian reports errors or warnings"
fi
echo "lintian: no errors, no warnings ($(grep -c "^I: " "$build/lintian.log" || true) info, $(grep -c "^O: " "$build/lintian.log" || true) overridden)"

step "appstreamcli validate --no-net, desktop-file-validate (the packaged files)"
unpacked=$build/unpacked
mkdir "$unpacked"
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/example.quillmere.Quillmere.metainfo.xml ||
  fail "appstreamcli validate"
desktop-file-validate "$unpacked"/usr/share/applications/quillmere.desktop || fail "desktop-file-validate"
echo "desktop-file-validate: no complaints"

tmp=$(mktemp -d)
pid="" xvfb=""
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  if installed quillmere; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq quillmere >/dev/null 2>&1 || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

step "apt-get install $deb"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1 ||
  { cat "$tmp/apt.log" >&2; fail "apt-get install"; }
grep -E "^(Unpacking|Setting up|Processing triggers)" "$tmp/apt.log"
dpkg-query -W -f='${Package} ${Version} ${Status}\n' quillmere
man -w quillmere

step "start /usr/bin/quillmere on a virtual X display for 2 s"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=:$(head -1 "$tmp/display")
echo "Xvfb on $DISPLAY"
(cd / && exec env -u QT_QPA_PLATFORM /usr/bin/quillmere >"$tmp/run.log" 2>&1) &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$tmp/run.log" >&2; fail "the program exited within 2 s"; }
exe=$(readlink -f "/proc/$pid/exe")
cwd=$(readlink -f "/proc/$pid/cwd")
echo "running: $exe in $cwd"
[ "$exe" = /usr/libexec/quillmere/quillmere ] || fail "running $exe"
[ "$cwd" = /usr/share/quillmere ] || fail "working directory $cwd"
xwininfo -root -tree | grep -F '"Quillmere' | head -1 | sed 's/^ */window on the display: /' ||
  fail "no Quillmere window on $DISPLAY"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
kill "$xvfb"; wait "$xvfb" 2>/dev/null || true; xvfb=""
# Qt's words about running as root without a runtime directory are not the program's.
if grep -v -e 'XDG_RUNTIME_DIR' -e 'runtime directory' "$tmp/run.log" | grep -q .; then
  cat "$tmp/run.log" >&2
  fail "the program complained"
fi
echo "it said nothing"

step "apt-get remove, dpkg --purge"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y quillmere >"$tmp/apt.log" 2>&1 ||
  { cat "$tmp/apt.log" >&2; fail "apt-get remove"; }
grep -E "^Removing" "$tmp/apt.log"
echo "after remove: $(dpkg-query -W -f='${Status}' quillmere 2>/dev/null || echo "unknown to dpkg")"
# The package has no conffiles, so remove already forgets it; purge makes
# sure of that whatever is left.
$sudo dpkg --purge quillmere || fail "dpkg --purge"
status=$(dpkg-query -W -f='${Status}' quillmere 2>/dev/null || echo "unknown to dpkg")
echo "after purge: $status"
case $status in *"not-installed"*|"unknown to dpkg") ;; *) fail "still known to dpkg as: $status" ;; esac
left=()
checked=0
while read -r path; do
  { [ -z "$path" ] || [ "$path" = / ]; } && continue
  path=${path%/}
  checked=$((checked + 1))
  [ -e "$path" ] || [ -L "$path" ] || continue
  # A directory other packages share (/usr/bin, the icon theme) stays.
  [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  left+=("$path")
done <"$build/contents"
for own in /usr/share/quillmere /usr/libexec/quillmere /usr/share/doc/quillmere /var/lib/dpkg/info/quillmere.list; do
  [ -e "$own" ] && left+=("$own")
done
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "nothing of quillmere is left ($checked packaged paths checked, none present but shared directories)"
echo
echo "deb-check: passed"
