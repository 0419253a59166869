#!/usr/bin/env bash
# Builds the Release benchmarks into build-release/ and prints one figure a line.
# Targets: pass <= 3 us, window pass <= 150 us, window start <= 150 ms and
# <= 60 MB, batch >= 100 000 settings/s with <= 16 MB at --jobs 1 and at the
# default (one worker per online processor), calculate_many >= 1 000 000 rows/s,
# itu_maps_at >= 5 000 000 points/s, the maps loaded <= 100 ms, one lookup <= 1 us,
# the planner's edit to results <= 200 ms without terrain and <= 1 s on a 300 km DEM path. Medians are of real time; on a
# machine shared with other work the CPU-time median beside it is the steadier.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tropolink_install_missing

cmake --preset release >/dev/null
cmake --build --preset release --target engine_bench window_pass_bench window_startup climate_bench terrain_bench planner_bench tropolink-cli tropolink_python >/dev/null
bin=build-release

median() {  # median real time of a benchmark, in its own unit
  "$bin/bench/$1" --benchmark_filter="$2" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="\"$2_median\"" '$1 == name { printf "%.0f %s (CPU time %.0f %s)", $3, $5, $4, $5 }'
}

echo "pass at the start positions (headless, 52 texts): $(median engine_bench passAtStartPositions) median"
echo "pass over a mix of 1000 settings (headless, 52 texts): $(median engine_bench passOverSettingsMix) median"
echo "one number through a mask: $(median engine_bench maskOneNumber) median"
echo "window pass on START (offscreen, 52 box writes): $(QT_QPA_PLATFORM=offscreen median window_pass_bench windowPassOnStart) median"
QT_QPA_PLATFORM=offscreen "$bin/bench/window_startup" 2>/dev/null
echo "online processors: $(getconf _NPROCESSORS_ONLN)"
python3 bench/cli_batch.py "$bin/cli/tropolink-cli" 1000000 1
python3 bench/cli_batch.py "$bin/cli/tropolink-cli" 1000000
PYTHONPATH="$bin/python" "$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$bin/CMakeCache.txt")" bench/python_calculate_many.py
PYTHONPATH="$bin/python" "$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$bin/CMakeCache.txt")" bench/python_itu_maps.py 1000000 \
  "$bin/bench/climate_bench"
"$bin/bench/terrain_bench"
QT_QPA_PLATFORM=offscreen "$bin/bench/planner_bench" docs/examples/st-anthony-gander.tropolink.toml 2>/dev/null
PYTHONPATH="$bin/python" "$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$bin/CMakeCache.txt")" bench/python_itu.py
bench/availability_batch.sh "$bin/cli/tropolink-cli"
bench/plan_bench.sh "$bin/cli/tropolink-cli"
