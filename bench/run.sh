#!/usr/bin/env bash
# Builds the Release benchmarks into build-release/ and prints one figure a line,
# each with its target. Medians are of real time; on a machine shared with other
# work the CPU-time median beside it is the steadier, and the ratios measured in
# one run (against NumPy, against the Python model, threads against one) are the
# figures to compare.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tropolink_install_missing

cmake --preset release >/dev/null
cmake --build --preset release --target engine_bench fading_bench window_pass_bench window_startup climate_bench p2001_maps_bench terrain_bench coverage_bench planner_bench tropolink-cli tropolink_python >/dev/null
bin=build-release

python=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$bin/CMakeCache.txt")

median() {  # median real time of a benchmark, in its own unit
  "$bin/bench/$1" --benchmark_filter="$2" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="\"$2_median\"" '$1 == name { printf "%.0f %s (CPU time %.0f %s)", $3, $5, $4, $5 }'
}

echo "pass at the start positions (headless, 52 texts): $(median engine_bench passAtStartPositions) median (target <= 1500 ns)"
echo "pass over a mix of 1000 settings (headless, 52 texts): $(median engine_bench passOverSettingsMix) median (target <= 1500 ns)"
echo "one number through a mask: $(median engine_bench maskOneNumber) median"
# Short-term outage margins per second on one core (target >= 20 M/s for the
# closed forms, every form but correlated selection), the yearly integral of
# one link and the margin an availability needs.
"$bin/bench/fading_bench" --benchmark_filter='shortTermOutages|oneBranchScalarLoop|yearlyOutagePerLink|todayStationAvailability|marginForAvailability|methodFadingFigures|batchAnswer' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '$1 ~ /_median"$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1);
    rate = ($7 != "") ? sprintf(", %.1f M margins/s", $7 / 1e6) : "";
    gsub(/"/, "", $8); printf "fading %s %s: %.0f ns CPU%s\n", $1, $8, $4, rate }'
echo "window pass on START (offscreen, 52 box writes): $(QT_QPA_PLATFORM=offscreen median window_pass_bench windowPassOnStart) median (target <= 150 us)"
QT_QPA_PLATFORM=offscreen "$bin/bench/window_startup" 2>/dev/null | sed 's/ ms$/ ms (target <= 150 ms)/; s/ MB$/ MB (target <= 60 MB)/'
echo "online processors: $(getconf _NPROCESSORS_ONLN)"
"$python" bench/cli_batch.py "$bin/cli/tropolink-cli" 1000000 1
"$python" bench/cli_batch.py "$bin/cli/tropolink-cli" 1000000
"$python" bench/batch_vs_model.py "$bin/cli/tropolink-cli"
PYTHONPATH="$bin/python" "$python" bench/python_calculate_many.py
PYTHONPATH="$bin/python" TROPOLINK_SYNTHETIC_MAPS="$bin/climate/tropolink-synthetic-maps" "$python" \
  bench/python_itu_maps.py 1000000 "$bin/bench/climate_bench"
"$bin/bench/p2001_maps_bench"
"$bin/bench/terrain_bench"
QT_QPA_PLATFORM=offscreen "$bin/bench/coverage_bench" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$bin/bench/planner_bench" docs/examples/st-anthony-gander.tropolink.toml 2>/dev/null
PYTHONPATH="$bin/python" "$python" bench/python_itu.py
bench/availability_batch.sh "$bin/cli/tropolink-cli"
bench/plan_bench.sh "$bin/cli/tropolink-cli"
