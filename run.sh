#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
tropolink_install_missing

cmake --preset default >/dev/null
cmake --build --preset default

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "tropolink: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); cannot open the window." >&2
  exit 1
fi
exec build/app/tropolink "$@"
