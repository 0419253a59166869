#!/usr/bin/env bash
# Seconds of `tropolink-cli plan` with the report on a DEM path of about 300 km,
# against the 1 s target. The path runs west to east along 44.5 N across four
# SRTM tiles of rolling synthetic ground. With the 14 maps of the complete
# P.2001 (synthetic constants, the real ones may not be copied) it runs in both
# directions at 10 percentages with its availability search; beside it, the
# same plan with the troposcatter methods' three maps alone.
# Prints the median of RUNS runs (default 5) of each.
# Usage: bench/plan_bench.sh CLI [RUNS]
set -euo pipefail
shopt -s inherit_errexit
cli=${1:?usage: plan_bench.sh CLI [RUNS]}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tiles" "$work/maps" "$work/three"

# Each map at a constant from the middle of its range: N0 310, delta-N 40, zone 6.
python3 - "$work/maps" <<'PY'
import os, sys
maps = {"N050.TXT": (121, 241, 310), "DN50.TXT": (121, 241, 40), "TropoClim.txt": (360, 720, 6),
        "DN_Median.txt": (121, 241, 40), "DN_SupSlope.txt": (121, 241, 20), "DN_SubSlope.txt": (121, 241, 15),
        "dndz_01.txt": (121, 241, -400), "surfwv_50_fixed.txt": (121, 241, 10), "h0.txt": (121, 241, 3),
        "Esarain_Pr6_v5.txt": (161, 321, 30), "Esarain_Mt_v5.txt": (161, 321, 800),
        "Esarain_Beta_v5.txt": (161, 321, 0.3), "FoEs0.1.txt": (121, 241, 10), "FoEs01.txt": (121, 241, 7),
        "FoEs10.txt": (121, 241, 4.5), "FoEs50.txt": (121, 241, 3)}
for name, (rows, columns, value) in maps.items():
    with open(os.path.join(sys.argv[1], name), "w") as f:
        f.write((" ".join([str(value)] * columns) + "\n") * rows)
PY
cp "$work/maps/N050.TXT" "$work/maps/DN50.TXT" "$work/maps/TropoClim.txt" "$work/three/"

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
percent = [1, 10, 20, 50, 80, 90, 95, 99, 99.9, 99.99]
TOML

# The median seconds of `plan --report` with the maps in $1.
median_of() {
  local times=() started ended
  for ((i = 0; i < runs; ++i)); do
    started=$(date +%s.%N)
    "$cli" plan "$work/bench.tropolink.toml" --maps "$1" --report "$work/report.html" > /dev/null 2>&1
    ended=$(date +%s.%N)
    times+=("$(awk -v s="$started" -v e="$ended" 'BEGIN { printf "%.3f", e - s }')")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

"$cli" plan "$work/bench.tropolink.toml" --maps "$work/maps" 2>/dev/null | grep -m1 "points every" || true
"$cli" plan "$work/bench.tropolink.toml" --maps "$work/maps" 2>/dev/null | grep -q "received at Station 1, Station 2 transmitting" ||
  { echo "the complete P.2001 did not run in both directions" >&2; exit 1; }
median=$(median_of "$work/maps")
three=$(median_of "$work/three")
echo "plan --report, 300 km DEM path over four synthetic tiles, the complete P.2001 both ways at 10 percentages" \
  "with its availability: median $median s of $runs runs (target 1 s)"
echo "the same with the troposcatter methods alone (three maps): median $three s"
awk -v m="$median" 'BEGIN { exit !(m <= 1) }' && echo "within the target" || echo "OVER the target"
