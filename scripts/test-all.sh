#!/usr/bin/env bash
# Builds and runs every test twice: a plain debug build (the "check" preset,
# which also compiles the benchmarks so that they keep building), then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer ("asan"). Between the
# two, the fuzz targets are built with clang and replay their corpora once
# (seconds; long fuzzing runs are scripts/fuzz.sh). The three trees build
# unity, with line tables for debug information (cmake/build_speed.cmake).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build test fuzz
jobs=$(nproc 2>/dev/null || echo 2)

for preset in check fuzz asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset"
done
