#!/usr/bin/env bash
# Builds the module and the headless host, then runs ds-host on its built-in
# sample bridge. Extra arguments go to ds-host (default: "road", the whole
# single-drawing road, printed step by step). The roads end by naming the
# drawing sheets they wrote (SVG, DXF and an index.html).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target ds-host DS_ui
if [ $# -eq 0 ]; then set -- road; fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
build/dev/bin/ds-host "$@" | tee "$log"
if [ "$1" = road ] || [ "$1" = param-road ]; then
  folder=$(sed -n 's/^The sheets are in \(.*\); open index.html there in a browser$/\1/p' "$log")
  if [ -n "$folder" ]; then
    echo
    echo "Drawing sheets:"
    find "$folder" -maxdepth 1 -type f \( -name '*.svg' -o -name '*.dxf' -o -name '*.html' \) | sort | sed 's/^/  /'
  fi
fi
