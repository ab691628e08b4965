#!/usr/bin/env bash
# Runs one fuzz target for a given time:
#
#   scripts/fuzz.sh TARGET SECONDS
#
# TARGET is project_file, json_text, csv, grid_edit, xlsx, xlsx_package or
# serve_request (libFuzzer, built with the "fuzz" preset) or gbk (the GBK
# replay driver, built with the "asan" preset). The corpus grows in
# build/fuzz/corpus/TARGET, seeded from fuzz/corpus/TARGET (and the test
# project files); inputs that crash land in build/fuzz/crashes/TARGET. Keep
# each one: as a named test file (tests/fixtures/projects/bad or good for
# project files) and in fuzz/corpus/TARGET, which the test command replays.
# Every target in turn, for hours, with the kept corpora merged and a log of
# the runs: scripts/fuzz-all.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh

target=${1:-}
seconds=${2:-}
if [[ -z "$target" || -z "$seconds" ]]; then
  echo "usage: scripts/fuzz.sh $(IFS='|'; echo "${fuzz_targets[*]}")|gbk SECONDS" >&2
  exit 2
fi

work=build/fuzz/corpus/$target
crashes=build/fuzz/crashes/$target
mkdir -p "$crashes"

if [[ "$target" == gbk ]]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan --target gbk_replay
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  exec build/asan/bin/gbk_replay --seconds "$seconds" --mutations 1000 --seed "$RANDOM" \
    fuzz/corpus/project_file fuzz/corpus/csv fuzz/corpus/grid_edit fuzz/corpus/gbk tests/fixtures/projects
fi

if ! fuzz_known "$target"; then
  echo "unknown target $target" >&2
  exit 2
fi
read -r -a fixtures <<<"$(fuzz_fixtures "$target")"

fuzz_build "$target"
mkdir -p "$work"
dict=$(fuzz_dict "$target")
exec nice -n 19 "build/fuzz/bin/${target}_fuzz" "$work" "fuzz/corpus/$target" "${fixtures[@]}" \
  -max_total_time="$seconds" "${fuzz_run_options[@]}" -artifact_prefix="$crashes/" -dict="$dict"
