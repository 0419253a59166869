#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: the
# normal build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer; between the two, a bounded run of the
# fuzz targets.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
tropolink_install_missing

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

cmake --preset default -DTROPOLINK_WERROR=$werror >/dev/null
cmake --build --preset default
ctest --preset default

fuzz/run.sh "${TROPOLINK_FUZZ_SECONDS:-30}"

cmake --preset asan -DTROPOLINK_WERROR=$werror >/dev/null
cmake --build --preset asan
ctest --preset asan
