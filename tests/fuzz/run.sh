#!/usr/bin/env bash
# Runs every fuzz program for the given number of seconds, each from its seeds and everything
# found before. A crashing, hanging or memory-hungry input is written to tests/fuzz/found/TARGET/,
# which the test suite replays, and the run fails. Usage: run.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
status=0
# AddressSanitizer keeps freed memory aside (256 MB by default) to catch late uses; a smaller pile
# keeps the 256 MB limit about what a reader itself holds.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"
for program in "$build"/tests/fuzz/fuzz-*; do
  target=${program##*/fuzz-}
  corpus=$build/fuzz-corpus/$target
  found=$here/found/$target
  mkdir -p "$corpus" "$found"
  log=$build/fuzz-corpus/$target.log
  if "$program" -max_total_time="$seconds" -rss_limit_mb=256 -malloc_limit_mb=256 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$found/" "$corpus" "$here/seeds/$target" "$found" \
      > "$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz $target: ${runs} runs in ${seconds} s, no finding"
  else
    echo "fuzz $target: FOUND a failing input (in $found/); see $log" >&2
    tail -n 30 "$log" >&2
    status=1
  fi
done
exit $status
