#!/usr/bin/env bash
# Starts the calculator: checks for a display, installs what the windows and
# the tool need, builds those three programs into build/ and opens the window.
set -euo pipefail
cd "$(dirname "$0")"

# First, so that a machine without a display learns it before any install or build.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "tropolink: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); cannot open the window." >&2
  exit 1
fi

source scripts/setup.sh
tropolink_install_missing "${TROPOLINK_RUN_PACKAGES[@]}"

# A fresh build tree leaves out the tests, the benchmarks and the Python module;
# one configured before (by test.sh) keeps its configuration.
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset default -DTROPOLINK_BUILD_TESTS=OFF -DTROPOLINK_BUILD_BENCH=OFF -DTROPOLINK_BUILD_PYTHON=OFF >/dev/null
fi
cmake --build --preset default --target tropolink tropolink-planner tropolink-cli
exec build/app/tropolink "$@"
