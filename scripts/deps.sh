#!/usr/bin/env bash
# Installs the Debian 12 packages Quillmere needs to build, test and run.
# Only what is missing is installed; sudo is used when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  fonts-ipafont-gothic fonts-hanazono
)
if [ "${1:-}" = "--run" ]; then
  # Typing Japanese into the search box needs an input method with a Qt 6
  # front end: fcitx5 + fcitx5-mozc + fcitx5-frontend-qt6, or ibus-mozc with
  # Qt's built-in IBus support (qt6-base already has it). Not installed here;
  # see the README.
  :
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
