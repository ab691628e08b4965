#!/usr/bin/env bash
# Times `ds-host add` on a project of N single drawings (16 MB at 10 000)
# against the floor: a separate small program that reads the same file, parses
# it with nlohmann's ordered_json, dumps it and writes it. Each runs REPEAT
# times (default 5) on a fresh copy; the table shows the median seconds and the
# largest peak memory.
#
#   bench/add_vs_floor.sh BIN_DIR [BEFORE_BIN_DIR]
#
# BIN_DIR holds ds-host, libDS_ui.so and ds_json_round_trip (a release build:
# build/release/bin). With BEFORE_BIN_DIR, its ds-host is timed too, and the
# two files written are compared byte for byte. SIZES (default "10000") sets
# the numbers of drawings. Needs python3 and GNU time (Debian package "time").
set -euo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR [BEFORE_BIN_DIR]}")
before_bin=${2:+$(realpath "$2")}
sizes=${SIZES:-10000}
repeat=${REPEAT:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/ds-host" new "$work/template.json" >/dev/null
"$bin/ds-host" add "$work/template.json" --name P --parametric >/dev/null
"$bin/ds-host" add "$work/template.json" --name S >/dev/null

# Runs "$@" REPEAT times on a fresh copy of $project as project.json in $work/$label;
# prints "median_seconds peak_MiB".
timed() {
  local label=$1 project=$2
  shift 2
  mkdir -p "$work/$label"
  for ((i = 0; i < repeat; i++)); do
    cp "$project" "$work/$label/project.json"
    (cd "$work/$label" && LD_LIBRARY_PATH=$(dirname "$1") /usr/bin/time -f "%e %M" -o time.txt "$@" >/dev/null 2>&1)
    tail -1 "$work/$label/time.txt"
  done | sort -n | awk '{ s[NR] = $1; if ($2 > m) m = $2 } END { printf "%s %.0f\n", s[int((NR + 1) / 2)], m / 1024 }'
}

printf '| drawings | file MB | program | seconds | peak MiB | ÷ floor (time) | ÷ floor (memory) |\n|---|---|---|---|---|---|---|\n'
for n in $sizes; do
  python3 "$(dirname "$0")/make_projects.py" "$work" "$n"
  project=$work/singles_$n.json
  mb=$(awk -v s="$(stat -c %s "$project")" 'BEGIN { printf "%.1f", s / 1048576 }')
  read -r floor_s floor_mib < <(timed floor "$project" "$bin/ds_json_round_trip" project.json out.json)
  row() {  # label seconds MiB
    printf '| %s | %s | %s | %s | %s | %.2f | %.2f |\n' "$n" "$mb" "$1" "$2" "$3" \
      "$(awk -v a="$2" -v b="$floor_s" 'BEGIN { print a / b }')" "$(awk -v a="$3" -v b="$floor_mib" 'BEGIN { print a / b }')"
  }
  row "floor (nlohmann read, parse, dump, write)" "$floor_s" "$floor_mib"
  if [ -n "$before_bin" ]; then
    read -r s mib < <(timed before "$project" "$before_bin/ds-host" add project.json --name added)
    row "ds-host add, before" "$s" "$mib"
  fi
  read -r s mib < <(timed after "$project" "$bin/ds-host" add project.json --name added)
  row "ds-host add" "$s" "$mib"
  if [ -n "$before_bin" ]; then
    cmp -s "$work/before/project.json" "$work/after/project.json" && echo "files written: identical" ||
      echo "files written: DIFFERENT"
  fi
done
