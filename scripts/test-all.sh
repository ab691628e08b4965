#!/usr/bin/env bash
# Builds and runs every test twice: a plain debug build (the "check" preset,
# which also compiles the benchmarks so that they keep building), then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer ("asan"). Between the
# two, the fuzz targets are built with clang and replay their corpora once
# (seconds; long fuzzing runs are scripts/fuzz.sh and fuzz-all.sh). The three trees build
# unity, with line tables for debug information (cmake/build_speed.cmake).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build test fuzz
jobs=$(nproc 2>/dev/null || echo 2)

for preset in check fuzz asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  # A test that fails is run once more on its own before the run fails: the
  # browser-driven tests can lose a race with a loaded machine. Its first
  # failure stays in the log; a test that fails twice fails the run.
  ctest --preset "$preset" || ctest --preset "$preset" --rerun-failed
done
