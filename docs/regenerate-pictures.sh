#!/bin/sh
# Redraws the pictures in docs/ with the commands the README shows.
# Run from the source tree after building; CLI names another tropolink-cli.
set -eu
cd "$(dirname "$0")/.."
CLI=${CLI:-build/cli/tropolink-cli}
SYNTHETIC_MAPS=${SYNTHETIC_MAPS:-build/climate/tropolink-synthetic-maps}

# The examples' maps are synthetic (the ITU's may not be redistributed): constant at the tool's defaults
# (N0 310, delta-N 40, zone 6) and plausible constants for the rest, so that the figures are those without maps.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
EXAMPLE_MAPS="$work/maps"
"$SYNTHETIC_MAPS" "$EXAMPLE_MAPS"

"$CLI" sweep distance-km=1:2000 --svg docs/loss-vs-distance.svg
"$CLI" sweep distance-km=1:2000 --percent 99.9 --svg docs/loss-vs-distance-99.9.svg
"$CLI" profile docs/examples/hill-path.csv --s1-mast-m 30 --s2-mast-m 20 --svg docs/terrain-profile.svg >/dev/null
"$CLI" profile --from 44.2706,-71.3033 --to 44.9,-71.9 --dem docs/examples/white-mountains.tif --maps "$EXAMPLE_MAPS" \
  --set frequency-mhz=2000 --svg docs/white-mountains-profile.svg >/dev/null
# The coverage map needs the whole SRTM tile N44W072 (SRTM_TILE names it), and no ITU-R maps:
# P.617 on its defaults.
SRTM_TILE=${SRTM_TILE:-N44W072.hgt}
if [ -f "$SRTM_TILE" ]; then
  maps=$(mktemp -d)
  TROPOLINK_MAPS="$maps" XDG_DATA_HOME="$maps" "$CLI" coverage --site 44.2706,-71.3033 --radius-km 40 --cell-m 250 --dem "$SRTM_TILE" --frequency-mhz 2000 \
    --percent 99.9 --s1-mast-m 30 --s2-mast-m 10 --method p617 --out "$maps/map.tif" \
    --png docs/coverage-mount-washington.png >/dev/null 2>&1
  rm -rf "$maps"
  # The S/N margin of the example plan's link on the same tile, with the complete P.2001 on the
  # synthetic maps, run where the picture's lines name the plan and the maps as the README does.
  tile=$(cd "$(dirname "$SRTM_TILE")" && pwd)/$(basename "$SRTM_TILE")
  margin="$work/margin"
  mkdir "$margin"
  ln -s "$PWD/docs" "$margin/docs"
  "$SYNTHETIC_MAPS" "$margin/synthetic-maps"
  cli=$(cd "$(dirname "$CLI")" && pwd)/$(basename "$CLI")
  (cd "$margin" && "$cli" coverage --plan docs/examples/mount-washington-coverage.tropolink.toml --dem "$tile" \
    --radius-km 40 --cell-m 250 --maps synthetic-maps --out map.tif --png docs/coverage-mount-washington-margin.png \
    >/dev/null 2>&1)
fi
