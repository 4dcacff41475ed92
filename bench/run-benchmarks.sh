#!/usr/bin/env bash
# Runs the editor's benchmarks offscreen. usage: bench/run-benchmarks.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
big=/tmp/torqlet-big.gci
[ -f "$big" ] || python3 bench/make-big-file.py 100000 "$big"

echo "== Opening a 100,000-car file"
"$build/bench/bench-open-big-file" "$big"

echo "== Start-up to the shown frame (whole process, best of 10)"
for mode in empty torqlet; do
  best=""
  for _ in $(seq 10); do
    t0=$(date +%s%N)
    "$build/bench/bench-startup-frame" "$mode" >/dev/null
    t=$(( ($(date +%s%N) - t0) / 1000000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$mode: $best ms"
done
