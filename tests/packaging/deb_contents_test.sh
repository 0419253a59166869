#!/usr/bin/env bash
# The package holds exactly the files and directories listed in EXPECTED, owned
# by root, files 0644 and programs and directories 0755. A Python extension's
# suffix after ".cpython-" (version and platform) is written there as ABI.
# Usage: deb_contents_test.sh DEB EXPECTED
set -euo pipefail
export LC_ALL=C
deb=$1
expected=$2
listing=$(dpkg-deb --contents "$deb")
status=0
if ! diff -u <(grep -v '^#' "$expected") <(awk '{print $6}' <<<"$listing" | sed -E 's/\.cpython-[^/]*\.so$/.cpython-ABI.so/' | sort); then
    echo "dpkg-deb --contents $deb differs from $expected (- expected, + packaged)"
    status=1
fi
while read -r mode owner _ _ _ path; do
    if [[ $path == */ ]]; then
        want=drwxr-xr-x
    elif [[ $path == ./usr/bin/* ]]; then
        want=-rwxr-xr-x
    else
        want=-rw-r--r--
    fi
    if [[ $mode != "$want" || $owner != root/root ]]; then
        echo "$path: $mode $owner, expected $want root/root"
        status=1
    fi
done <<<"$listing"
exit $status
