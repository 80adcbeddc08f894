#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#   scripts/fuzz.sh --short             every target for about 20 s
#   scripts/fuzz.sh <target> <seconds>  one target, longer
# Targets: records, halves, glyph, index, map. Each starts from the committed seeds in
# fuzz/corpus/<target> (never written to) and keeps what it finds in
# build-fuzz/corpus/<target>. A crash leaves its input in
# build-fuzz/artifacts/<target>/ and makes this script exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
targets=(records halves glyph index map)

usage() {
  echo "usage: $0 --short | $0 <${targets[*]// /|}> <seconds>" >&2
  exit 2
}

runs=()
case "${1:-}" in
  --short) for t in "${targets[@]}"; do runs+=("$t:20"); done ;;
  records|halves|glyph|index|map)
    [[ "${2:-}" =~ ^[0-9]+$ ]] && [ "$2" -gt 0 ] || usage
    runs+=("$1:$2") ;;
  *) usage ;;
esac

jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQM_FUZZ=ON -DQM_TESTS=OFF -DQM_BENCH=OFF -DQM_WERROR=ON >/dev/null
cmake --build "$build" -j"$jobs" --target $(printf 'fuzz_%s ' "${targets[@]}")

failed=0
for run in "${runs[@]}"; do
  t=${run%%:*}
  secs=${run##*:}
  scratch=$build/corpus/$t
  artifacts=$build/artifacts/$t
  mkdir -p "$scratch" "$artifacts"
  echo "== fuzz_$t for ${secs}s"
  # Paths are absolute: the glyph target works inside its own directory.
  if ASAN_OPTIONS=abort_on_error=0:detect_leaks=1 \
     LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$build/fuzz/fuzz_$t" "$scratch" "$root/fuzz/corpus/$t" \
       -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
       -artifact_prefix="$artifacts/" -print_final_stats=1 >"$build/fuzz_$t.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$build/fuzz_$t.log" || true
  else
    failed=1
    tail -n 40 "$build/fuzz_$t.log"
    echo "fuzz_$t FAILED; the input is in $artifacts/ (full log: $build/fuzz_$t.log)" >&2
  fi
done
exit "$failed"
