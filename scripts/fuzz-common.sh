# What scripts/fuzz.sh and scripts/fuzz-all.sh share: the libFuzzer targets,
# their seeds and dictionaries, the build and the options of a run. Sourced
# from the top of the tree.

# Every libFuzzer target (built by the "fuzz" preset), in the order fuzz-all.sh runs them.
fuzz_targets=(project_file json_text csv grid_edit xlsx xlsx_package serve_request)

# The folders a target reads its seeds from: its kept corpus first, then the
# test project files for the two readers of project files (ctest replays them
# too, so they are not copied into the kept corpus).
fuzz_fixtures() {
  case "$1" in
    project_file | json_text) echo tests/fixtures/projects/good tests/fixtures/projects/bad ;;
    csv | grid_edit | xlsx | xlsx_package | serve_request) ;;
    *) return 1 ;;
  esac
}

fuzz_known() { fuzz_fixtures "$1" >/dev/null; }

# libFuzzer takes one dictionary: the shared hostile texts, and the target's
# own markup when it has some (the package target plays with the same
# workbook markup as the byte-level one). Prints the file's path.
fuzz_dict() {
  local target=$1 own=$1
  [[ "$target" == xlsx_package ]] && own=xlsx
  local dict=build/fuzz/$target.dict
  mkdir -p build/fuzz
  cat fuzz/texts.dict > "$dict"
  if [[ -f "fuzz/$own.dict" ]]; then cat "fuzz/$own.dict" >> "$dict"; fi
  echo "$dict"
}

# Configures the "fuzz" preset (a first configure uses ccache when it is
# there) and builds the given targets, one compile at a time, at low priority.
fuzz_build() {
  local launcher=()
  if [[ ! -f build/fuzz/CMakeCache.txt ]] && command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  nice -n 19 cmake --preset fuzz "${launcher[@]}" >/dev/null
  local names=()
  for target in "$@"; do names+=("${target}_fuzz"); done
  nice -n 19 cmake --build --preset fuzz -j1 --target "${names[@]}"
}

# The options of a long run: an input that takes ten seconds is a hang, one
# that takes 2 GB is a leak or a bomb; inputs stay below 64 KB.
fuzz_run_options=(-timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
