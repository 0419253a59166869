#!/usr/bin/env bash
# Builds the Debian package(s) from scratch: a fresh release build of the
# source tree with Debian's hardening flags, then cpack, into dist/.
# Usage: packaging/build-deb.sh   (prints the paths of the packages it wrote)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tropolink_install_missing

build=$(mktemp -d "${TMPDIR:-/tmp}/tropolink-deb.XXXXXX")
trap 'rm -rf "$build"' EXIT

# The flags dpkg-buildpackage would give a Debian build; CMake reads CXXFLAGS
# and LDFLAGS, so the preprocessor's join the compiler's.
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTROPOLINK_BUILD_GUI=ON -DTROPOLINK_BUILD_TESTS=OFF -DTROPOLINK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/packages" >/dev/null

rm -rf dist
mkdir dist
mv "$build"/packages/*.deb dist/
ls -1 dist/*.deb
