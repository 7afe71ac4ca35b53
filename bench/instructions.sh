#!/usr/bin/env bash
# Instructions a pass takes, counted by callgrind: the repeatable reference beside the timed
# benchmarks (a count does not change with the machine's load or clock). Only the timed passes
# are counted. Usage: bench/instructions.sh BUILD [BENCHMARK...]
set -euo pipefail
bench=$1/bench/pibo-bench
shift
names=("$@")
[ ${#names[@]} -gt 0 ] ||
  names=(BM_TitlePass BM_StandingPass BM_TypicalPass BM_ScrollingPass BM_HeaviestPass)
out=$(mktemp -d /tmp/pibo-instructions.XXXXXX)
trap 'rm -rf "$out"' EXIT
for name in "${names[@]}"; do
  file=${name//\//_}  # the scaled passes are named with their sizes: BM_ScaledScrollingPass/1920/1080
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/$file" \
    "$bench" --benchmark_filter="^$name(/iterations:[0-9]+)?\$" --benchmark_min_time=1 > /dev/null 2> "$out/log"
  passes=$(sed -n 's/^timed passes: //p' "$out/log")
  total=$(sed -n 's/^summary: //p' "$out/$file")
  [ -n "$passes" ] && [ "$passes" -gt 0 ] || { cat "$out/log" >&2; exit 1; }
  printf '%-18s %12d instructions a pass (%d passes)\n' "$name" $((total / passes)) "$passes"
done
