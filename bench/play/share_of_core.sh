#!/usr/bin/env bash
# The real game's share of one processor core under Xvfb, in an 800 x 600 window: on the still
# title, standing on level 1, running to and fro across it, and paused. The two scenes of play are
# recorded games (standing.rec, running.rec beside this script) played back with --replay, so every
# run shows the same frames; the hero is still alive at the end of the measured stretch. Each
# figure is the processor time of all the game's threads (the kernel's count in nanoseconds, not
# ticks) from 3 s to 15 s after the start, as a share of those 12 s, with the peak memory (VmHWM)
# at the end: the median of RUNS runs. SCREEN=3840x2160 measures full screen at that size instead.
# The scene "floor" measures bench/play/platform_floor.cpp the same way: an SDL program that only
# reads its events, sends a small square and sleeps, at the game's pass rate, beside a sound
# device mixing silence: what a pass costs on the machine before the game draws anything.
# Usage: bench/play/share_of_core.sh BUILD [RUNS] [SCENE...]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-3}
shift $(($# < 2 ? $# : 2))
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || scenes=(title standing running paused floor)
here=$(cd "$(dirname "$0")" && pwd)
screen=${SCREEN:-800x600}
window=--window
[ "$screen" = 800x600 ] || window=
work=$(mktemp -d /tmp/pibo-share.XXXXXX)
trap 'rm -rf "$work"' EXIT

cat > "$work/measure.sh" <<'MEASURE'
# Nanoseconds of processor time of every thread of process $1 over the next $2 seconds, and the
# nanoseconds that took. Threads come and go (the sound device's closes while the game rests), so
# each thread's count is sampled ten times a second: one that ends counts up to its last sample,
# one that begins counts from zero.
used_over() {
  local end=$(($(date +%s%N) + $2 * 1000000000)) now
  while now=$(date +%s%N) && [ "$now" -lt "$end" ]; do
    echo "at $now"
    grep -H . /proc/"$1"/task/*/schedstat 2> /dev/null
    sleep 0.1
  done | awk -F'[/: ]' '
    $1 == "at" { if (first == "") first = $2; last = $2; samples++; next }
    { tid = $5; if (!(tid in base)) base[tid] = samples == 1 ? $7 : 0; seen[tid] = $7 }
    END { for (t in seen) used += seen[t] - base[t]; printf "%.0f %.0f\n", used, last - first }'
}
case $scene in
  floor) ./platform_floor > /dev/null 2>&1 & ;;
  standing) ./pibo2 $window --replay "$here/standing.rec" > /dev/null 2>&1 & ;;
  running) ./pibo2 $window --replay "$here/running.rec" > /dev/null 2>&1 & ;;
  *) ./pibo2 $window > /dev/null 2>&1 & ;;
esac
pid=$!
if [ "$scene" = paused ]; then
  # A game started, past its stage preview and into play, then P held until a pass has seen it.
  sleep 3; xdotool key F1; sleep 1.5; xdotool key space; sleep 3
  xdotool keydown p; sleep 0.5; xdotool keyup p
  sleep 1
else
  sleep 3
fi
read -r used elapsed < <(used_over "$pid" 12)
peak=$(awk '/^VmHWM/ {print $2}' /proc/"$pid"/status)
kill "$pid"
wait "$pid" 2> /dev/null || true
echo "$used $elapsed $peak"
MEASURE

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
export here window
for scene in "${scenes[@]}"; do
  shares=() peaks=()
  for _ in $(seq 1 "$runs"); do
    rm -rf "${work:?}/game" "${work:?}/home" && cp -a "$build/game" "$work/game" && mkdir "$work/home"
    [ "$scene" != floor ] || cp "$build/bench/pibo-platform-floor" "$work/game/platform_floor"
    read -r used elapsed peak < <(cd "$work/game" && scene=$scene XDG_CONFIG_HOME=$work/home \
      XDG_DATA_HOME=$work/home SDL_AUDIODRIVER=dummy \
      xvfb-run -a -s "-screen 0 ${screen}x24" bash "$work/measure.sh")
    shares+=("$(awk -v u="$used" -v e="$elapsed" 'BEGIN {printf "%.2f", u / e * 100}')")
    peaks+=("$(awk -v p="$peak" 'BEGIN {printf "%.1f", p / 1024}')")
  done
  echo "$scene at $screen: $(median "${shares[@]}") % of a core, peak $(median "${peaks[@]}") MiB" \
    "(median of $runs runs; each: ${shares[*]} %)"
done
