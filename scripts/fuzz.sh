#!/usr/bin/env bash
# Fuzzes one reader for the given number of seconds, or for a number of runs:
#   scripts/fuzz.sh [TARGET] SECONDS | [TARGET] --runs N
# TARGET is car_file (the loader, the default), table (import's table reader),
# patch (the patch reader) or term (terms in x). Builds the libFuzzer target
# with clang in build-fuzz/ (TORQLET_FUZZ=ON) and runs it on the target's
# committed corpus. New interesting inputs go to build-fuzz/corpus-TARGET/,
# never into the committed one; an input that breaks a check or crashes is
# saved under build-fuzz/artifacts/ and the script fails. Add such an input to
# the target's corpus in tests/hostile/ together with the fix.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: scripts/fuzz.sh [car_file|table|patch|term] SECONDS | --runs N" >&2
  exit 2
}
target=car_file
case ${1:-} in car_file | table | patch | term) target=$1; shift ;; esac
case ${1:-} in
  --runs) [ $# -eq 2 ] && [[ $2 =~ ^[0-9]+$ ]] || usage; limit=(-runs="$2") ;;
  *) [ $# -eq 1 ] && [[ $1 =~ ^[0-9]+$ ]] || usage; limit=(-max_total_time="$1") ;;
esac
case $target in
  car_file) corpus=tests/hostile/corpus ;;
  *) corpus=tests/hostile/$target-corpus ;;
esac
build=${FUZZ_BUILD:-build-fuzz}

TORQLET_WITH_FUZZ=1 scripts/setup-debian.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTORQLET_FUZZ=ON
cmake --build "$build" --target "${target}_fuzz" --parallel
mkdir -p "$build/corpus-$target" "$build/artifacts"

# The checks write their files to a temporary folder: keep it in memory when possible.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
exec "$build/tests/hostile/${target}_fuzz" \
  "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus-$target" "$corpus"
