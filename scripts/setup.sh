#!/usr/bin/env bash
# Installs, with apt-get, whatever the project needs that the machine lacks.
# Sourced by run.sh and test.sh; prints what it installs, nothing when all is present.
set -euo pipefail

# What run.sh builds (the calculator, the planner and the tool) needs these;
# test.sh needs all of TROPOLINK_PACKAGES.
TROPOLINK_RUN_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev fonts-dejavu-core fonts-liberation
  libcli11-dev nlohmann-json3-dev
  scdoc python3
  libgdal-dev libgeographiclib-dev libcurl4-openssl-dev libssl-dev libminizip-dev zlib1g-dev
  libtomlplusplus-dev
)
TROPOLINK_PACKAGES=(
  "${TROPOLINK_RUN_PACKAGES[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  man-db bash-completion dpkg-dev file lintian
  python3-dev python3-numpy python3-pytest pybind11-dev
  gdal-bin
  chromium poppler-utils
)

# Installs the packages named, or all of TROPOLINK_PACKAGES.
tropolink_install_missing() {
  local wanted=("$@") missing=()
  [ ${#wanted[@]} -eq 0 ] && wanted=("${TROPOLINK_PACKAGES[@]}")
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
