#!/usr/bin/env bash
# Seconds of `tropolink-cli plan` with the report on a DEM path of about 300 km,
# against the 1 s target. The path runs west to east along 44.5 N across four
# SRTM tiles of rolling synthetic ground.
# Prints the median of RUNS runs (default 5).
# Usage: bench/plan_bench.sh CLI [RUNS]
set -euo pipefail
shopt -s inherit_errexit
cli=${1:?usage: plan_bench.sh CLI [RUNS]}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tiles"

for lon in 072 073 074 075; do
  python3 - "$work/tiles/N44W$lon.hgt" <<'PY'
import math, struct, sys
rows = [struct.pack(">1201h", *(int(600 + 400 * math.sin(r / 37.0) * math.cos(c / 53.0)) for c in range(1201)))
        for r in range(1201)]
open(sys.argv[1], "wb").write(b"".join(rows))
PY
done

cat > "$work/bench.tropolink.toml" <<'TOML'
title = "Benchmark: 300 km across four tiles"
[station1]
site = [44.5, -74.95]
mast-m = 30
[station2]
site = [44.5, -71.2]
mast-m = 30
[path]
frequency-mhz = 900
dem = ["tiles/"]
[requirement]
snr-db = 10
TOML

"$cli" plan "$work/bench.tropolink.toml" --report "$work/report.html" 2>/dev/null | grep -m1 "points every" || true
times=()
for ((i = 0; i < runs; ++i)); do
  started=$(date +%s.%N)
  "$cli" plan "$work/bench.tropolink.toml" --report "$work/report.html" > /dev/null 2>&1
  ended=$(date +%s.%N)
  times+=("$(awk -v s="$started" -v e="$ended" 'BEGIN { printf "%.3f", e - s }')")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
echo "plan --report, 300 km DEM path over four synthetic tiles: median $median s of $runs runs (target 1 s)"
awk -v m="$median" 'BEGIN { exit !(m <= 1) }' && echo "within the target" || echo "OVER the target"
