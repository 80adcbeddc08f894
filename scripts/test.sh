#!/usr/bin/env bash
# Builds Quillmere and runs the whole test suite: once warning-free as
# errors, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every cache option is given, so a cached value never decides. CTest fails
# when it finds no test at all.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON -DQM_SANITIZE=OFF \
  -DQM_TESTS=ON -DQM_BENCH=ON -DQM_FUZZ=OFF
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQM_WERROR=ON -DQM_SANITIZE=ON \
  -DQM_TESTS=ON -DQM_BENCH=OFF -DQM_FUZZ=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh --short
fi
