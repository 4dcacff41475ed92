#!/usr/bin/env bash
# Fuzzes the car file library for the given number of seconds:
#   scripts/fuzz.sh SECONDS
# Builds the libFuzzer target with clang in build-fuzz/ (TORQLET_FUZZ=ON) and
# runs it on the committed corpus. New interesting inputs go to
# build-fuzz/corpus/, never into the committed one; an input that breaks a check
# or crashes is saved under build-fuzz/artifacts/ and the script fails. Add such
# an input to tests/hostile/corpus/ (as NAME.gci) together with the fix.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS" >&2
  exit 2
fi
seconds=$1
build=${FUZZ_BUILD:-build-fuzz}

TORQLET_WITH_FUZZ=1 scripts/setup-debian.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTORQLET_FUZZ=ON
cmake --build "$build" --target car_file_fuzz --parallel
mkdir -p "$build/corpus" "$build/artifacts"

# The checks write their files to a temporary folder: keep it in memory when possible.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
exec "$build/tests/hostile/car_file_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus" tests/hostile/corpus
