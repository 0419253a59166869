#!/usr/bin/env bash
# The control fields the package must declare: its dependencies on the shared
# Qt 6 libraries it links (read by dpkg-shlibdeps, with versions), a
# maintainer, a section, a homepage and a description.
# Usage: deb_control_test.sh DEB
set -uo pipefail
deb=$1
field() { dpkg-deb --field "$deb" "$1"; }
status=0
expect() { # FIELD PATTERN (extended regular expression over the whole value)
    local value
    value=$(field "$1")
    if ! printf '%s' "$value" | grep -Eqz -- "$2"; then
        printf '%s: "%s" does not match %s\n' "$1" "$value" "$2"
        status=1
    fi
}
expect Package '^tropolink$'
expect Version '^[0-9]+\.[0-9]+\.[0-9]+$'
expect Architecture "^$(dpkg --print-architecture)\$"
expect Section '^hamradio$'
expect Priority '^optional$'
expect Maintainer '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$'
expect Homepage '^https://'
for library in libqt6core6 libqt6gui6 libqt6widgets6 libstdc\\+\\+6 libc6; do
    expect Depends "(^|, )${library} \(>= [0-9][^)]*\)(,|$)"
done
description=$(field Description)
if [[ $(head -n 1 <<<"$description") != "troposcatter radio link loss calculator" ]] ||
    (($(wc -l <<<"$description") < 3)) || tail -n +2 <<<"$description" | grep -qv '^ '; then
    printf 'Description: no summary line followed by an extended description:\n%s\n' "$description"
    status=1
fi
expect Installed-Size '^[0-9]+$'
exit $status
