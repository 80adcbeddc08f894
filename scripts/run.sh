#!/usr/bin/env bash
# Builds Quillmere and starts it on the bundled gazetteer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --run
# Its own build directory: build/ is the test command's, configured with
# the tests, and sharing it would rebuild everything each time.
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=OFF -DQM_SANITIZE=OFF \
  -DQM_TESTS=OFF -DQM_BENCH=OFF -DQM_FUZZ=OFF
cmake --build build-run -j"$(nproc)"
# The program finds syu/, ji/ and betsu/ in its working directory.
cd build-run/gazetteer
exec ../quillmere
