#!/usr/bin/env bash
# Times ds-host's check, merge, convert and dismantle on generated projects of
# growing size, for one build or for two side by side (before and after a
# change), and prints a table: seconds end to end, peak memory against the
# project file's size, and whether the two builds printed and wrote the same.
#
#   bench/ds_host_commands.sh AFTER_BIN_DIR [BEFORE_BIN_DIR]
#
# A BIN_DIR holds ds-host and libDS_ui.so (for example build/release/bin).
# SIZES (default "1000 10000") sets the numbers of drawings and of list rows;
# LIMIT (default 300) the seconds after which a command is stopped (shown as ">LIMIT");
# REPEAT (default 3) how many times each command runs (the median time is shown).
# Needs python3 (projects are generated with its json module) and GNU time
# (Debian package "time") for the peak memory.
set -euo pipefail

after_bin=$(realpath "${1:?usage: $0 AFTER_BIN_DIR [BEFORE_BIN_DIR]}")
before_bin=${2:+$(realpath "$2")}
sizes=${SIZES:-"1000 10000"}
limit=${LIMIT:-300}
repeat=${REPEAT:-3}
for tool in python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$0: needs $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A template project: the sample bridge, one single and one parametric drawing.
"$after_bin/ds-host" new "$work/template.json" >/dev/null
"$after_bin/ds-host" add "$work/template.json" --name P --parametric >/dev/null
"$after_bin/ds-host" add "$work/template.json" --name S >/dev/null

generate() { python3 "$(dirname "$0")/make_projects.py" "$work" "$1"; }

# Runs one command with one build REPEAT times, each on a fresh copy of a
# project, in a folder of its own under one file name, so that the two builds'
# output can be compared byte for byte; prints "seconds peak_kib" (the median
# time, a shared virtual machine's times vary a lot, and the largest peak), or
# ">LIMIT -" when stopped.
run() {  # bin label project args...
  local bin=$1 label=$2 project=$3
  shift 3
  mkdir -p "$work/$label"
  local times=()
  for ((i = 0; i < repeat; i++)); do
    cp "$work/$project" "$work/$label/project.json"
    rm -f "$work/$label/time.txt"
    (cd "$work/$label" &&
      timeout "$limit" /usr/bin/time -f "%e %M" -o time.txt "$bin/ds-host" "$@" project.json >out.txt 2>&1 || true)
    [ -s "$work/$label/time.txt" ] || { echo ">$limit -"; return; }
    times+=("$(tail -1 "$work/$label/time.txt")")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ s[NR] = $1; if ($2 > m) m = $2 } END { print s[int((NR + 1) / 2)], m }'
}

names() { seq -s, -f 'd%g' 1 "$1"; }

printf '| command | size | file MB | before s | after s | before peak/file | after peak/file | same output |\n'
printf '|---|---|---|---|---|---|---|---|\n'
for n in $sizes; do
  generate "$n"
  declare -A commands=(
    [check]="singles_$n.json|check --drawings $(names "$n")"
    [merge]="singles_$n.json|merge --drawings $(names "$n")"
    [convert]="singles_$n.json|convert --target P --drawings $(names "$n")"
    [dismantle]="rows_$n.json|dismantle -d P"
  )
  for command in check merge convert dismantle; do
    IFS='|' read -r project args <<<"${commands[$command]}"
    file_kib=$(( $(stat -c %s "$work/$project") / 1024 ))
    read -r after_s after_kib < <(run "$after_bin" after "$project" $args)
    before_s=- before_ratio=- same=-
    if [ -n "$before_bin" ]; then
      read -r before_s before_kib < <(run "$before_bin" before "$project" $args)
      before_ratio=$(awk -v p="$before_kib" -v f="$file_kib" 'BEGIN { if (p == "-") print "-"; else printf "%.1f", p / f }')
      if [ "$before_kib" != - ]; then
        same=no
        cmp -s "$work/before/out.txt" "$work/after/out.txt" &&
          cmp -s "$work/before/project.json" "$work/after/project.json" && same=yes
      fi
    fi
    after_ratio=$(awk -v p="$after_kib" -v f="$file_kib" 'BEGIN { printf "%.1f", p / f }')
    printf '| %s | %s | %.1f | %s | %s | %s | %s | %s |\n' "$command" "$n" "$(awk -v f="$file_kib" 'BEGIN { print f / 1024 }')" \
      "$before_s" "$after_s" "$before_ratio" "$after_ratio" "$same"
  done
done
