#!/usr/bin/env bash
# Builds the batch-line fuzz target with clang and runs it for a bounded time
# (default 30 s) over a scratch copy of the seed corpus in fuzz/corpus, which
# stays untouched. Exits non-zero when the fuzzer finds a crash; the input
# that caused it is kept in <build dir>/crashes.
#   fuzz/run.sh [seconds]
set -euo pipefail
seconds="${1:-30}"
here="$(cd "$(dirname "$0")" && pwd)"
build="${TROPOLINK_FUZZ_BUILD_DIR:-$here/../build-fuzz}"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/corpus"
cp "$here"/corpus/* "$scratch/corpus/"

status=0
"$build/batch_line_fuzzer" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$scratch/" \
  -print_final_stats=1 "$scratch/corpus" 2>"$scratch/fuzz.log" || status=$?
# The progress lines go to the log; the summary is what matters here.
grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$scratch/fuzz.log" || true
if [ "$status" -ne 0 ]; then
  tail -n 60 "$scratch/fuzz.log" >&2
  mkdir -p "$build/crashes"
  cp "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$scratch"/oom-* "$build/crashes/" 2>/dev/null || true
  echo "fuzz: the fuzzer failed (status $status); inputs kept in $build/crashes" >&2
  exit "$status"
fi
