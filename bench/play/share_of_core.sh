#!/usr/bin/env bash
# The real game's share of one processor core under Xvfb, in an 800 x 600 window: on the still
# title, standing on level 1, running to and fro across it, and paused. The two scenes of play are
# recorded games (standing.rec, running.rec beside this script) played back with --replay, so every
# run shows the same frames; the hero is still alive at the end of the measured stretch. Each
# figure is the processor time of all the game's threads (the kernel's count in nanoseconds, not
# ticks) from 3 s to 15 s after the start, as a share of those 12 s, with the peak memory (VmHWM)
# at the end: the median of RUNS runs. SCREEN=3840x2160 measures full screen at that size instead.
# Usage: bench/play/share_of_core.sh BUILD [RUNS] [SCENE...]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-3}
shift $(($# < 2 ? $# : 2))
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || scenes=(title standing running paused)
here=$(cd "$(dirname "$0")" && pwd)
screen=${SCREEN:-800x600}
window=--window
[ "$screen" = 800x600 ] || window=
work=$(mktemp -d /tmp/pibo-share.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Nanoseconds of processor time of every thread of process $1 so far.
cat > "$work/measure.sh" <<'MEASURE'
used() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
case $scene in
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
before=$(used "$pid")
sleep 12
after=$(used "$pid")
peak=$(awk '/^VmHWM/ {print $2}' /proc/"$pid"/status)
kill "$pid"
wait "$pid" 2> /dev/null || true
echo "$before $after $peak"
MEASURE

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
export here window
for scene in "${scenes[@]}"; do
  shares=() peaks=()
  for _ in $(seq 1 "$runs"); do
    rm -rf "${work:?}/game" "${work:?}/home" && cp -a "$build/game" "$work/game" && mkdir "$work/home"
    read -r before after peak < <(cd "$work/game" && scene=$scene XDG_CONFIG_HOME=$work/home \
      XDG_DATA_HOME=$work/home SDL_AUDIODRIVER=dummy \
      xvfb-run -a -s "-screen 0 ${screen}x24" bash "$work/measure.sh")
    shares+=("$(awk -v b="$before" -v a="$after" 'BEGIN {printf "%.2f", (a - b) / 12e9 * 100}')")
    peaks+=("$(awk -v p="$peak" 'BEGIN {printf "%.1f", p / 1024}')")
  done
  echo "$scene at $screen: $(median "${shares[@]}") % of a core, peak $(median "${peaks[@]}") MiB" \
    "(median of $runs runs; each: ${shares[*]} %)"
done
