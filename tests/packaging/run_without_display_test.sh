#!/usr/bin/env bash
# ./run.sh without a display: one line, exit status 1, and nothing installed,
# configured or built. Every tool it could reach first is a stub that leaves a trace.
set -u
source_dir=$1
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
for tool in cmake ninja apt-get sudo dpkg-query; do
  printf '#!/bin/sh\necho "%s $*" >> "%s/called"\n' "$tool" "$stubs" > "$stubs/$tool"
  chmod +x "$stubs/$tool"
done
status=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$stubs:/usr/bin:/bin" \
      bash "$source_dir/run.sh" 2>&1 >/dev/null) || status=$?
fail() { echo "FAIL: $*"; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "expected one line, got: $err"
[[ $err == *"no display"* ]] || fail "the line does not say there is no display: $err"
[ ! -e "$stubs/called" ] || fail "ran before the display check: $(cat "$stubs/called")"
echo "ok: $err"
