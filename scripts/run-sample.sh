#!/usr/bin/env bash
# Builds the module and the headless host, then runs ds-host on its built-in
# sample bridge. Extra arguments go to ds-host (default: "road", the whole
# single-drawing road, printed step by step).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target ds-host DS_ui
if [ $# -eq 0 ]; then set -- road; fi
exec build/dev/bin/ds-host "$@"
