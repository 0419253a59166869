#!/usr/bin/env bash
# Settings per second of `tropolink-cli availability --batch`, without and with
# --required-snr, over COUNT lines (default 1 000 000) of trans-horizon and
# line-of-sight links. With a requirement each method also finds two
# availabilities; the two rates should stay within 20 % of each other. With
# dual maximal-ratio diversity and a requirement each method adds fading
# within the hour: the availabilities of both stations (target: within 5x the
# time of the plain batch). Without a requirement the lines give the margins
# at 99.9 and 99.99 % instead, each a root of the yearly integral: what they
# cost is shown apart.
# Usage: bench/availability_batch.sh CLI [COUNT]
set -euo pipefail
shopt -s inherit_errexit
cli=${1:?usage: availability_batch.sh CLI [COUNT]}
count=${2:-1000000}
lines=$(mktemp)
trap 'rm -f "$lines"' EXIT
awk -v n="$count" 'BEGIN {
  for (i = 0; i < n; ++i) {
    if (i % 10 == 9) print "s1.antenna-height-m=10000 s2.antenna-height-m=10000"
    else printf "distance-km=%d frequency-mhz=%d\n", 100 + (i * 37) % 1900, 100 + (i * 53) % 9000
  }
}' > "$lines"

rate() {  # settings per second of one run; the remaining arguments are the options
  local started ended
  started=$(date +%s.%N)
  "$cli" availability --batch "$@" < "$lines" > /dev/null
  ended=$(date +%s.%N)
  awk -v n="$count" -v s="$started" -v e="$ended" 'BEGIN { printf "%.0f", n / (e - s) }'
}

without=$(rate)
with=$(rate --required-snr 10)
fading=$(rate --required-snr 10 --diversity-order 2 --combiner maximal-ratio)
margins=$(rate --diversity-order 2 --combiner maximal-ratio)
echo "availability --batch: $without settings/s"
echo "availability --batch --required-snr 10: $with settings/s"
awk -v a="$without" -v b="$with" 'BEGIN { printf "availability --batch, with a requirement / without: %.2f (target >= 0.80)\n", b / a }'
echo "availability --batch --required-snr 10 --diversity-order 2 --combiner maximal-ratio: $fading settings/s"
awk -v a="$without" -v b="$fading" 'BEGIN { printf "availability --batch, time with dual maximal-ratio fading / without: %.2f (target <= 5)\n", a / b }'
echo "availability --batch --diversity-order 2 --combiner maximal-ratio (the margins): $margins settings/s"
awk -v a="$without" -v b="$margins" 'BEGIN { printf "availability --batch, time with the dual maximal-ratio margins / without: %.2f\n", a / b }'
