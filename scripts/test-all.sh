#!/usr/bin/env bash
# Builds and runs every test twice: a plain debug build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset dev
cmake --build --preset dev -j "$jobs"
ctest --preset dev

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan
