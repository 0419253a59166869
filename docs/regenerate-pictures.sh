#!/bin/sh
# Redraws the pictures in docs/ with the commands the README shows.
# Run from the source tree after building; CLI names another tropolink-cli.
set -eu
cd "$(dirname "$0")/.."
CLI=${CLI:-build/cli/tropolink-cli}

"$CLI" sweep distance-km=1:2000 --svg docs/loss-vs-distance.svg
"$CLI" sweep distance-km=1:2000 --percent 99.9 --svg docs/loss-vs-distance-99.9.svg
"$CLI" profile docs/examples/hill-path.csv --s1-mast-m 30 --s2-mast-m 20 --svg docs/terrain-profile.svg >/dev/null
"$CLI" profile --from 44.2706,-71.3033 --to 44.9,-71.9 --dem docs/examples/white-mountains.tif \
  --svg docs/white-mountains-profile.svg >/dev/null 2>&1
