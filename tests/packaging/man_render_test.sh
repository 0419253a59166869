#!/usr/bin/env bash
# Renders each manual page with man -l as lintian does, and fails on any
# warning from man or groff, or on a page without its NAME section.
# Usage: man_render_test.sh PAGE...
set -uo pipefail
export LC_ALL=C.UTF-8 MANWIDTH=80
status=0
for page in "$@"; do
    name=$(basename "$page" .1)
    warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    if [[ -n $warnings ]]; then
        printf '%s:\n%s\n' "$page" "$warnings"
        status=1
    fi
    text=$(man -l "$page" 2>/dev/null)
    if ! grep -q "^ *$name - " <<<"$text"; then
        echo "$page: no \"$name - ...\" line in NAME"
        status=1
    fi
done
exit $status
