#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: the
# normal build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer; between the two, a bounded run of each fuzzer.
# Ends with one summary line per stage.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
tropolink_install_missing

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
logs="$(mktemp -d)"
summary=()
started=$SECONDS
passed=0
failed=0

# Runs CTest on one preset, keeping its output, and notes its counts.
run_suite() {
  local preset=$1 begun=$SECONDS status=0
  ctest --preset "$preset" 2>&1 | tee "$logs/$preset.log" || status=$?
  local line
  line=$(grep -E '^[0-9]+% tests passed' "$logs/$preset.log" | tail -n 1 || true)
  summary+=("$preset build: ${line:-no CTest summary} ($((SECONDS - begun)) s)")
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
  return "$status"
}

report() {
  echo
  echo "== summary =="
  printf '%s\n' "${summary[@]}"
  echo "time: $((SECONDS - started)) s"
  echo "tests: $passed passed, $failed failed"
}
trap 'report; rm -rf "$logs"' EXIT

cmake --preset default -DTROPOLINK_WERROR=$werror >/dev/null
cmake --build --preset default
run_suite default

begun=$SECONDS
fuzz/run.sh "${TROPOLINK_FUZZ_SECONDS:-30}" | tee "$logs/fuzz.log"
runs=$(grep -E '^stat::number_of_executed_units' "$logs/fuzz.log" | awk '{s += $2} END {print s + 0}')
summary+=("fuzz: $runs runs, no crash ($((SECONDS - begun)) s)")

cmake --preset asan -DTROPOLINK_WERROR=$werror >/dev/null
cmake --build --preset asan
run_suite asan
