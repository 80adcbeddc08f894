#!/usr/bin/env bash
# Installs the Debian 12 packages Quillmere needs: with --run what building
# and running it takes, otherwise that and what the tests, the benchmark and
# the fuzz targets take. Only what is missing is installed; sudo is used when
# not root, and without sudo the script says what to run as root and fails.
set -euo pipefail

# To build and run: the compiler, Qt, the glyph fonts, fontconfig and OpenCC.
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxkbcommon-dev
  fonts-ipafont-gothic fonts-hanazono fonts-noto-cjk libfontconfig-dev libopencc-dev
)
# To test: GoogleTest, Google Benchmark, clang for the fuzz targets, and the
# tests' independent references (python3's cp932 codec, the opencc command,
# desktop-file-validate).
if [ "${1:-}" != "--run" ]; then
  packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev opencc desktop-file-utils python3)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
any_installed() { for p in "$@"; do installed "$p" && return 0; done; return 1; }

# Typing kana and kanji into the search box needs an input method that Qt 6
# can talk to: fcitx5 with its Qt 6 front end, or IBus, whose Qt 6 plugin
# comes with Qt itself (libqt6gui6). Only hinted at: which one a desktop
# uses is the user's choice.
input_method_hint() {
  if installed fcitx5 && installed fcitx5-frontend-qt6 && any_installed fcitx5-mozc fcitx5-anthy; then
    return
  fi
  if installed ibus && any_installed ibus-mozc ibus-anthy ibus-kkc; then
    return
  fi
  cat >&2 <<'HINT'
Note: no Japanese input method for Qt 6 programs is installed, so kana and
kanji cannot be typed into the search box (pasting works). Either of these:
  sudo apt-get install fcitx5 fcitx5-mozc fcitx5-frontend-qt6 im-config
  sudo apt-get install ibus ibus-mozc im-config
then choose it with im-config and log in again.
HINT
  if installed fcitx5 && ! installed fcitx5-frontend-qt6; then
    echo "(fcitx5 is installed but fcitx5-frontend-qt6, its Qt 6 module, is not.)" >&2
  fi
}
[ "${1:-}" = "--run" ] && input_method_hint

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# apt-get needs root. Without root, sudo; without sudo, say what to run.
# DEBIAN_FRONTEND goes through env: sudo drops the caller's environment.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    cat >&2 <<EOF2
deps.sh: these Debian packages are missing: ${missing[*]}
Installing them needs root, and sudo is not installed. As root, run:
  apt-get update && apt-get install --no-install-recommends ${missing[*]}
or run this script as root.
EOF2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
