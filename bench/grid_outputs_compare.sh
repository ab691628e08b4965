#!/usr/bin/env bash
# Runs the same grid, csh-grid, import and road commands with two builds of
# ds-host and reports any difference in what they print or write: the check
# that a change meant only to make them faster changed nothing a user sees.
#
#   bench/grid_outputs_compare.sh AFTER_BIN_DIR BEFORE_BIN_DIR
#
# A BIN_DIR holds ds-host and libDS_ui.so (for example build/release/bin).
# Exits 1 and prints a diff when the builds disagree.
set -uo pipefail

after_bin=$(realpath "${1:?usage: $0 AFTER_BIN_DIR BEFORE_BIN_DIR}")
before_bin=$(realpath "${2:?usage: $0 AFTER_BIN_DIR BEFORE_BIN_DIR}")
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT

# The same steps in DIR with BIN; each command's output (paths made relative)
# and exit status go to DIR/log, the files it writes stay in DIR.
steps() {
  local bin=$1 dir=$2
  mkdir -p "$dir" && cd "$dir" || exit 2
  run() { echo "\$ $*"; "$bin/ds-host" "$@" 2>&1 | sed "s|$dir/||g"; echo "exit ${PIPESTATUS[0]}"; }
  mkdir -p road param
  {
    run road --project road/p.json
    run param-road --project param/p.json
    run new p.json
    run add p.json --name S
    run add p.json --name P --parametric
    run grid p.json -d S --mode advanced --set 垫石-构造属性.m_dWidth=600 --set 垫石-构造属性.m_dHeight=200,210
    run grid p.json -d S --set 垫石-构造属性.m_dWidth=abc
    run grid p.json -d S --mode common
    # A list of 1 000 rows, appended one by one through the grid.
    for ((i = 2; i <= 1000; ++i)); do
      echo "垫石-参数化列表[$i].m_Type=桥墩"
      echo "垫石-参数化列表[$i].m_strQF=主线"
      echo "垫石-参数化列表[$i].m_iN=$i"
      echo "垫石-参数化列表[$i].m_strH=$((100 + i % 7)),120"
      echo "垫石-参数化列表[$i].m_dWid=$((1100 + i % 5))"
    done >rows.txt
    run csh-grid p.json -d P --edits rows.txt
    run csh-grid p.json -d P --set 垫石-参数化列表[500].m_dWid=1210
    run csh-grid p.json -d P --set 垫石-参数化列表[7].m_iN=3 --set 垫石-参数化列表[1001].m_iN=77
    run csh-grid p.json -d P --as-table --set 垫石-参数化列表[9].m_dWid=1300
    run csh-grid p.json -d P --set 垫石-参数化列表[9].m_dWid=1300
    run export p.json -d P --csv p.csv
    sed -i '5s/1103/1150/' p.csv
    run import p.json -d P --csv p.csv --dry-run
    run import p.json -d P --csv p.csv
    run export p.json -d S --xlsx s.xlsx
    run import p.json -d S --xlsx s.xlsx
  } >log 2>&1
}

(steps "$before_bin" "$work/before")
(steps "$after_bin" "$work/after")
# PDF and XLSX files carry the time they were written, which differs by run, not by build.
find "$work" \( -name "*.xlsx" -o -name "*.pdf" \) -delete
if diff -r "$work/before" "$work/after" >"$work/diff"; then
  echo "same output and files ($(grep -c '^\$ ' "$work/after/log") commands)"
else
  head -50 "$work/diff"
  exit 1
fi
