#!/usr/bin/env bash
# Builds Quillmere and starts it on the bundled gazetteer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TESTS=OFF
cmake --build build -j"$(nproc)"
# The program finds syu/ and ji/ in its working directory.
cd build/gazetteer
exec ../quillmere
