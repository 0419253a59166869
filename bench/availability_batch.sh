#!/usr/bin/env bash
# Settings per second of `tropolink-cli availability --batch`, without and with
# --required-snr, over COUNT lines (default 1 000 000) of trans-horizon and
# line-of-sight links. With a requirement each method also finds two
# availabilities; the two rates should stay within 20 % of each other.
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
echo "availability --batch: $without settings/s"
echo "availability --batch --required-snr 10: $with settings/s"
awk -v a="$without" -v b="$with" 'BEGIN { printf "availability --batch, with a requirement / without: %.2f (target >= 0.80)\n", b / a }'
