#!/usr/bin/env bash
# Runs every libFuzzer target in turn, for hours if asked, so that runs add up
# from day to day:
#
#   scripts/fuzz-all.sh SECONDS [TARGET...]
#
# Each target (all of them when none is named) runs for SECONDS at low
# priority, one process at a time, growing its work corpus in
# build/fuzz/corpus/TARGET from the kept corpus fuzz/corpus/TARGET. Then the
# kept corpus, the work corpus merged into it, is minimised by libFuzzer (a
# merge into a fresh folder that replaces it): the hand-written seeds (files
# not named by a content hash) stay, and of the others only as few as cover
# every edge reached, so the replay by ctest stays short. The work corpus keeps
# everything and the next run starts from both. One line per target goes to
# fuzz/runs.tsv.
#
# A crash, a leak, a timeout or running out of memory is a finding: libFuzzer
# writes its input to build/fuzz/crashes/TARGET, the log names it, and the
# target runs on for the rest of its time (up to three findings each).
# libFuzzer's own output is in build/fuzz/logs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh

per_target=${1:-}
if [[ ! "$per_target" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz-all.sh SECONDS [$(IFS='|'; echo "${fuzz_targets[*]}")...]" >&2
  exit 2
fi
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${fuzz_targets[@]}")
for target in "${targets[@]}"; do
  fuzz_known "$target" || { echo "unknown target $target" >&2; exit 2; }
done

max_findings=3
runs=fuzz/runs.tsv
stamp=$(date -u +%Y%m%dT%H%M%SZ)
logs=build/fuzz/logs
mkdir -p "$logs"

fuzz_build "${targets[@]}"

if [[ ! -f "$runs" ]]; then
  printf 'date\ttarget\tseconds\texecs\tcov_start\tcov_end\tft_start\tft_end\tkept\tnew_kept\tseconds_total\texecs_total\tfindings\n' > "$runs"
fi

# The value after KEY (as "cov:") on a line of libFuzzer's output.
value_after() { awk -v key="$1" '{ for (i = 1; i < NF; i++) if ($i == key) v = $(i + 1) } END { print v }'; }

# A content hash names what libFuzzer found; any other name is a seed someone wrote.
is_found() { [[ "$(basename "$1")" =~ ^[0-9a-f]{40}$ ]]; }

# Minimises the kept corpus with the work corpus merged in. Prints the number of
# inputs new to the kept corpus; leaves the kept corpus alone when the merge fails.
merge_corpus() {
  local target=$1 bin=build/fuzz/bin/${1}_fuzz kept=fuzz/corpus/$1 fresh=build/fuzz/merge/$1
  rm -rf "$fresh"
  mkdir -p "$fresh"
  local file
  for file in "$kept"/*; do
    if [[ -f "$file" ]] && ! is_found "$file"; then cp "$file" "$fresh/"; fi
  done
  # The test project files count as covered but are not copied: ctest replays them from where they are.
  local folder
  for folder in $(fuzz_fixtures "$target"); do
    for file in "$folder"/*; do
      if [[ -f "$file" ]]; then cp "$file" "$fresh/fixture~$(basename "$folder")~$(basename "$file")"; fi
    done
  done
  # The smallest set of inputs the merge finds that covers every edge: hit counts
  # are left out (-use_counters=0), or every loop taken once more would keep an input.
  if ! nice -n 19 "$bin" -set_cover_merge=1 -use_counters=0 -timeout=10 -rss_limit_mb=2048 "$fresh" "$kept" "build/fuzz/corpus/$target" \
      >"$logs/$target-$stamp-merge.log" 2>&1; then
    echo "merge of $target failed, its corpus is left as it was: $logs/$target-$stamp-merge.log" >&2
    echo 0
    return
  fi
  rm -f "$fresh"/fixture~*
  local added=0
  for file in "$fresh"/*; do
    if [[ ! -e "$kept/$(basename "$file")" ]]; then added=$((added + 1)); fi
  done
  rm -rf "$kept"
  mv "$fresh" "$kept"
  echo "$added"
}

summary=()
for target in "${targets[@]}"; do
  bin=build/fuzz/bin/${target}_fuzz
  work=build/fuzz/corpus/$target
  crashes=build/fuzz/crashes/$target
  mkdir -p "$work" "$crashes"
  read -r -a fixtures <<<"$(fuzz_fixtures "$target")"
  dict=$(fuzz_dict "$target")

  started=$SECONDS
  execs=0 cov_start='' ft_start='' cov_end='' ft_end='' findings=()
  # A finding ends a libFuzzer run; the target runs again for the time left.
  for ((part = 1; ; part++)); do
    left=$((per_target - (SECONDS - started)))
    ((left >= 5)) || break
    log=$logs/$target-$stamp-$part.log
    echo "== $target: ${left}s (log $log)"
    status=0
    nice -n 19 "$bin" "$work" "fuzz/corpus/$target" "${fixtures[@]}" -max_total_time="$left" \
      "${fuzz_run_options[@]}" -artifact_prefix="$crashes/" -dict="$dict" >"$log" 2>&1 || status=$?
    inited=$(grep -m1 'INITED' "$log" || true)
    [[ -n "$cov_start" ]] || cov_start=$(value_after cov: <<<"$inited")
    [[ -n "$ft_start" ]] || ft_start=$(value_after ft: <<<"$inited")
    last=$(grep ' cov: ' "$log" | tail -n 1 || true)
    cov_end=$(value_after cov: <<<"$last")
    ft_end=$(value_after ft: <<<"$last")
    ran=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{ print $2 }' | tail -n 1)
    [[ -n "$ran" ]] || ran=$(grep -o '^#[0-9]*' "$log" | tr -d '#' | tail -n 1)
    execs=$((execs + ${ran:-0}))
    # Slow units are reported, not failures; a timeout writes its own artifact.
    found=$(grep -o 'Test unit written to [^ ]*' "$log" | awk '{ print $NF }' | grep -v '/slow-unit-' || true)
    if [[ -n "$found" ]]; then
      while read -r artifact; do findings+=("$artifact"); done <<<"$found"
    elif ((status != 0)); then
      findings+=("exit-$status:$log")
      break
    else
      break
    fi
    ((${#findings[@]} < max_findings)) || break
  done
  ran_for=$((SECONDS - started))

  new_kept=$(merge_corpus "$target")
  kept=$(find "fuzz/corpus/$target" -maxdepth 1 -type f | wc -l)
  previous=$(awk -F'\t' -v t="$target" '$2 == t { s += $3; e += $4 } END { print s + 0, e + 0 }' "$runs")
  seconds_total=$((${previous% *} + ran_for))
  execs_total=$((${previous#* } + execs))
  found_list=$(IFS=,; echo "${findings[*]:--}")
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$target" "$ran_for" "$execs" \
    "${cov_start:-?}" "${cov_end:-?}" "${ft_start:-?}" "${ft_end:-?}" "$kept" "$new_kept" "$seconds_total" "$execs_total" \
    "$found_list" >> "$runs"
  summary+=("$target: ${ran_for}s, $execs execs, cov ${cov_start:-?}->${cov_end:-?}, ft ${ft_start:-?}->${ft_end:-?}, kept $kept (+$new_kept), findings $found_list")
done

# The test command replays the kept corpora: it must stay a matter of seconds.
replay_started=$SECONDS
tests=$(IFS='|'; echo "${targets[*]}")
replay=ok
nice -n 19 ctest --preset fuzz -j1 -R "^($tests)_corpus\$" >"$logs/replay-$stamp.log" 2>&1 || replay="FAILED (see $logs/replay-$stamp.log)"
replay_seconds=$((SECONDS - replay_started))

echo
printf '%s\n' "${summary[@]}"
echo "corpus replay: ${replay_seconds}s, $replay"
if ((replay_seconds > 60)); then
  echo "the corpus replay takes more than a minute: look for slow inputs kept in fuzz/corpus" >&2
fi
