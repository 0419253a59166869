#!/usr/bin/env bash
# Streams a million settings lines (by default) through tropolink-cli --batch
# to /dev/null and reports, for each kind of stream, the lines answered per
# second and the peak resident memory (VmHWM, read from /proc while the
# program still runs, just before its input ends).
#   tests/cli/batch_soak.sh [path/to/tropolink-cli] [lines]
set -euo pipefail
cli="${1:-build/cli/tropolink-cli}"
lines="${2:-1000000}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkfifo "$scratch/input"

# soak LABEL GENERATOR [tropolink-cli options...]
soak() {
  local label="$1" generator="$2"
  shift 2
  "$cli" --batch "$@" <"$scratch/input" >/dev/null &
  local pid=$!
  exec 3>"$scratch/input"
  local start end peak status=0
  start="$(date +%s.%N)"
  "$generator" | head -n "$lines" >&3 || true  # the generator ends by SIGPIPE
  peak="$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")"
  exec 3>&-
  wait "$pid" || status=$?
  end="$(date +%s.%N)"
  awk -v label="$label" -v n="$lines" -v s="$start" -v e="$end" -v kb="$peak" -v st="$status" \
    'BEGIN { printf "%-34s %9.0f lines/s   peak RSS %6d kB   exit %d\n", label, n / (e - s), kb, st }'
  [ "$status" -le 2 ]  # 2 is a refused line; anything else is a failure
}

same_line() { yes "distance-km=300"; }
varied_lines() {
  awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++)
    printf "distance-km=%d frequency-mhz=%d s1.tx-power=%d.%d\n", 1 + i % 2000, 50 + i % 24951, 1 + i % 1499, i % 10 }'
}
mixed_lines() { yes $'distance-km=160\nfoo=1\n# comment\n\ns1.tx-line-loss-db=0.35\r\nHScroll1=10000 HScroll11=10000 power-div-1000'; }

soak "same line" same_line
soak "varied lines" varied_lines
soak "varied lines, --values" varied_lines --values
soak "good, refused, blank and comments" mixed_lines
