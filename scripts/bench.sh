#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and runs them: every handler
# on the in-memory controls and on the real window (offscreen), over the
# compiled gazetteer and a synthetic one a hundred times larger, with the
# decoding floor beside each, ending with the table of medians and targets;
# then the map window's opening and repaint beside their floor.
# Extra arguments go to the benchmark, e.g. --benchmark_filter='search 3'.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-bench
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=ON -DQM_TESTS=OFF -DQM_WERROR=ON >/dev/null
# The real gazetteer, when the compiler builds; the bench makes a stand-in
# of the same size otherwise and says so in its table.
if cmake --build "$build" --target help | grep '\bgazetteer\b' >/dev/null; then
  cmake --build "$build" -j"$jobs" --target gazetteer >/dev/null ||
    echo "bench: the gazetteer did not compile; using a stand-in" >&2
fi
cmake --build "$build" -j"$jobs" --target qm_bench qm_map_bench

echo "== $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/qm_bench" "$@"
# The map window: opening it, and a full repaint beside a plain-QPainter floor.
"$build/bench/qm_map_bench"
