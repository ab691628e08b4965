#!/usr/bin/env bash
# Runs one fuzz target for a given time:
#
#   scripts/fuzz.sh TARGET SECONDS
#
# TARGET is project_file, json_text, csv, grid_edit, xlsx or serve_request (libFuzzer, built with the "fuzz"
# preset) or gbk (the GBK replay driver, built with the "asan" preset). The
# corpus grows in build/fuzz/corpus/TARGET, seeded from fuzz/corpus/TARGET (and
# the test project files); inputs that crash land in build/fuzz/crashes/TARGET.
# Keep each one: as a named test file (tests/fixtures/projects/bad or good for
# project files) and in fuzz/corpus/TARGET, which the test command replays.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-}
if [[ -z "$target" || -z "$seconds" ]]; then
  echo "usage: scripts/fuzz.sh project_file|json_text|csv|grid_edit|xlsx|serve_request|gbk SECONDS" >&2
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

case "$target" in
  project_file | json_text) seeds=("fuzz/corpus/$target" tests/fixtures/projects/good tests/fixtures/projects/bad) ;;
  csv | grid_edit | xlsx | serve_request) seeds=("fuzz/corpus/$target") ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${target}_fuzz"
mkdir -p "$work"
# libFuzzer takes one dictionary: the shared hostile texts, and the target's own markup when it has some.
dict=build/fuzz/$target.dict
cat fuzz/texts.dict > "$dict"
[[ -f "fuzz/$target.dict" ]] && cat "fuzz/$target.dict" >> "$dict"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec "build/fuzz/bin/${target}_fuzz" "$work" "${seeds[@]}" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$crashes/" -dict="$dict"
