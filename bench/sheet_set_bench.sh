#!/usr/bin/env bash
# Sheets per second of `ds-host sheets` on a bridge of N structures (default
# 500: two drawings each, so 1 000 drawings), with and without the PDF, on one
# core and on two, beside the floor: the PDF library writing as many pages on
# its own (ds_bench's BM_pdf_pages_floor, when BENCH_BIN is given).
#
#   bench/sheet_set_bench.sh BIN_DIR [BENCH_BIN]
#
# BIN_DIR holds ds-host and libDS_ui.so. One core is `taskset -c 0` with
# --threads 1; two cores `taskset -c 0,1` with --threads 2. Each case runs
# once on a fresh folder; the table shows wall seconds, sheets per second of
# wall time, and the CPU seconds (user + system) the run took, which a busy
# machine disturbs less than the wall time. The bridge's drawings are copies of
# one drawing referring to a pier, each serving its own structure number.
set -euo pipefail

bin=$(realpath "${1:?usage: $0 BIN_DIR [BENCH_BIN]}")
bench=${2:-}
structures=${STRUCTURES:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(dirname "$(realpath "$0")")

"$bin/ds-host" new "$work/template.json" >/dev/null
"$bin/ds-host" add "$work/template.json" --name P --parametric >/dev/null
"$bin/ds-host" add "$work/template.json" --name S >/dev/null
"$bin/ds-host" reference "$work/template.json" -d S --structure 主线1号墩 --rows 1,2 --numbers 1,2 >/dev/null
/usr/bin/python3 "$here/make_projects.py" "$work" $((structures * 2)) >/dev/null
project="$work/singles_$((structures * 2)).json"

printf '%-18s %6s %7s %8s %9s %8s\n' formats cores sheets wall_s sheets/s cpu_s
for formats in svg,dxf,html svg,dxf,pdf,html; do
  for cores in 1 2; do
    cpus=0; [ "$cores" = 2 ] && cpus=0,1
    out="$work/out-$formats-$cores"
    # The template's parametric drawing has no rebar: its failed design check makes the exit status 1.
    /usr/bin/time -o "$work/time.txt" -f "%e %U %S" taskset -c $cpus "$bin/ds-host" sheets "$project" --out "$out" \
      --format "$formats" --threads "$cores" --quiet > "$work/log.txt" 2>&1 || true
    sheets=$(grep -o 'drawing(s), [0-9]* sheet' "$work/log.txt" | grep -o '[0-9]* sheet' | grep -o '[0-9]*') ||
      { cat "$work/log.txt"; exit 1; }
    read -r wall user sys < <(tail -1 "$work/time.txt")
    printf '%-18s %6s %7s %8.1f %9.1f %8.1f\n' "$formats" "$cores" "$sheets" "$wall" "$(echo "$sheets / $wall" | bc -l)" \
      "$(echo "$user + $sys" | bc -l)"
    rm -rf "$out"
  done
done
if [ -n "$bench" ]; then
  taskset -c 0 "$bench" --benchmark_filter=BM_pdf_pages_floor 2>/dev/null | grep BM_
fi
