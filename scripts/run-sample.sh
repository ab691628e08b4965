#!/usr/bin/env bash
# Builds the module and the headless host alone, as fast as they build (the
# "sample" preset: no tests, no debug information, unity), then runs ds-host on
# its built-in sample bridge. Extra arguments go to ds-host (default: "road",
# the whole single-drawing road, printed step by step). The roads end with a
# list of every file they wrote: the project, its sheets (SVG, DXF), the PDF of
# them all and an index.html.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset sample >/dev/null
cmake --build --preset sample --target ds-host
if [ $# -eq 0 ]; then set -- road; fi
log=$(mktemp)
started=$(mktemp)  # its time tells the files the run wrote from those already there
trap 'rm -f "$log" "$started"' EXIT
build/sample/bin/ds-host "$@" | tee "$log"
if [ "$1" = road ] || [ "$1" = param-road ]; then
  folder=$(sed -n 's/^The sheets are in \(.*\); open index.html there in a browser$/\1/p' "$log")
  if [ -n "$folder" ]; then
    # The road writes beside its project: the project, the spreadsheets it
    # exchanges, and the sheets' folder with the PDF of them all.
    echo
    echo "Files written:"
    find "$(dirname "$folder")" -maxdepth 2 -type f -newer "$started" | sort | sed 's/^/  /'
  fi
fi
