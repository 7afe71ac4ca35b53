#!/usr/bin/env bash
# The start of the real game up to its first title frame, on an 800 x 600 virtual display in a
# window: processor time (all threads) and time on the clock, the median of RUNS starts.
# Usage: bench/startup/first_frame.sh BUILD [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
probe=$build/bench/libpibo-first-frame-probe.so
[ -f "$probe" ] || { echo "no $probe: build the target pibo-first-frame-probe" >&2; exit 1; }
work=$(mktemp -d /tmp/pibo-first-frame.XXXXXX)
trap 'rm -rf "$work"' EXIT
cat > "$work/run.sh" <<'RUN'
cd "$work/game"
LD_PRELOAD=$probe ./pibo2 --window 2> "$work/probe.txt" > /dev/null &
pid=$!
sleep 2.5
kill "$pid"; wait "$pid" 2> /dev/null || true
RUN
export work probe SDL_AUDIODRIVER=dummy
cpu=() wall=()
for _ in $(seq 1 "$runs"); do
  rm -rf "$work/game" && cp -a "$build/game" "$work/game"
  export XDG_CONFIG_HOME=$work/game/config XDG_DATA_HOME=$work/game/data
  xvfb-run -a -s "-screen 0 800x600x24" bash "$work/run.sh"
  # The first picture that shows what the window shows at the end: the title.
  screen=$(grep '^first-frame-probe:' "$work/probe.txt" | tail -1 | awk '{print $11}')
  [ -n "$screen" ] || { echo "the game showed no picture" >&2; exit 1; }
  title=$(grep '^first-frame-probe:' "$work/probe.txt" | awk -v s="$screen" '$11 == s' | head -1)
  cpu+=("$(echo "$title" | awk '{print $5}')")
  wall+=("$(echo "$title" | awk '{print $8}')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "first title frame: processor $(median "${cpu[@]}") ms, clock $(median "${wall[@]}") ms" \
  "(median of $runs starts; each: ${cpu[*]} ms)"
