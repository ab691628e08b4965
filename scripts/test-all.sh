#!/usr/bin/env bash
# Builds and runs every test twice: a plain debug build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer. Between the two, the fuzz
# targets are built with clang and replay their corpora once (seconds; long
# fuzzing runs are scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset dev
cmake --build --preset dev -j "$jobs"
ctest --preset dev

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan
