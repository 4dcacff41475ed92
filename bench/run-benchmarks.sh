#!/usr/bin/env bash
# Runs every benchmark offscreen, one after another, and prints each figure
# next to its target. usage: bench/run-benchmarks.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
big=/tmp/torqlet-big.gci
[ -f "$big" ] || python3 bench/make-big-file.py 100000 "$big"

echo "== Opening a 100,000-car file"
"$build/bench/bench-open-big-file" "$big"

echo "== Manipulating every value cell of the 100,000-car file"
"$build/bench/bench-manipulate-big-file" "$big"

echo "== Undoing and redoing that manipulation"
"$build/bench/bench-undo-big-file" "$big"

echo "== Sorting and filtering the 100,000-car file's sheet"
"$build/bench/bench-sort-filter-big-file" "$big"

echo "== The recovery journal and the status bar on the 100,000-car file"
"$build/bench/bench-journal-status-big-file" "$big"

echo "== Comparing the 100,000-car file with a copy that differs in every tenth car"
"$build/bench/bench-compare-big-file" "$big"

echo "== A chart of a float column of the 100,000-car file, and its redraw after x*1.1"
"$build/bench/bench-chart-big-file" "$big"

echo "== Saving the 100,000-car file after one edit"
"$build/bench/bench-save-big-file" "$big"

echo "== Start-up to the shown frame (whole process, best of 20, taken in turns)"
declare -A best=([empty]="" [torqlet]="")
for _ in $(seq 20); do
  for mode in empty torqlet; do
    t0=$(date +%s%N)
    "$build/bench/bench-startup-frame" "$mode" >/dev/null
    t=$(( ($(date +%s%N) - t0) / 1000 ))
    if [ -z "${best[$mode]}" ] || [ "$t" -lt "${best[$mode]}" ]; then best[$mode]=$t; fi
  done
done
awk -v e="${best[empty]}" -v t="${best[torqlet]}" 'BEGIN {
  printf "empty QMainWindow: %.1f ms\ntorqlet frame: %.1f ms (%.2fx the empty window; target <= 1.5x)\n",
         e / 1000, t / 1000, t / e }'

echo "== Peak memory of torqlet-cli on files made to cost memory"
python3 bench/hostile-memory.py --cli "$build/tools/torqlet-cli"

echo "== torqlet-cli rewrite against cp"
python3 bench/rewrite-bench.py --cli "$build/tools/torqlet-cli"

echo "== torqlet-cli's mod commands (export, diff, diff --patch, patch, merge) against cp"
python3 bench/mods-bench.py --cli "$build/tools/torqlet-cli"
