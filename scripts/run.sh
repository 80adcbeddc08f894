#!/usr/bin/env bash
# Builds Quillmere and starts it on the bundled gazetteer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --run
# Every cache option is given, so whatever configured build/ before (this
# script or scripts/test.sh) the result is the same program.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=OFF -DQM_SANITIZE=OFF \
  -DQM_TESTS=OFF -DQM_BENCH=OFF -DQM_FUZZ=OFF
cmake --build build -j"$(nproc)"
# The program finds syu/ and ji/ in its working directory.
cd build/gazetteer
exec ../quillmere
