#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time (default
# 30 s each) over a scratch copy of its seed corpus in fuzz/corpus/<target>,
# which stays untouched. Exits non-zero when a fuzzer finds a crash; the input
# that caused it is kept in <build dir>/crashes.
#   fuzz/run.sh [seconds]
set -euo pipefail
seconds="${1:-30}"
here="$(cd "$(dirname "$0")" && pwd)"
build="${TROPOLINK_FUZZ_BUILD_DIR:-$here/../build-fuzz}"
fuzzers=(batch_line_fuzzer options_fuzzer keyword_fuzzer map_fuzzer site_fuzzer plan_fuzzer zip_walk_fuzzer zip_fuzzer coverage_options_fuzzer profile_fuzzer output_identity_fuzzer)

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for fuzzer in "${fuzzers[@]}"; do
  work="$scratch/$fuzzer"
  mkdir -p "$work/corpus"
  cp "$here/corpus/$fuzzer"/* "$work/corpus/"
  status=0
  "$build/$fuzzer" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$work/" \
    -print_final_stats=1 "$work/corpus" 2>"$work/fuzz.log" || status=$?
  # The progress lines go to the log; the summary is what matters here.
  echo "$fuzzer:"
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$work/fuzz.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/fuzz.log" >&2
    mkdir -p "$build/crashes"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$build/crashes/" 2>/dev/null || true
    echo "fuzz: $fuzzer failed (status $status); inputs kept in $build/crashes" >&2
    exit "$status"
  fi
done
