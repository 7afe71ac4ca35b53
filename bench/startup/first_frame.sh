#!/usr/bin/env bash
# The start of the real game up to its first title frame, on an 800 x 600 virtual display in a
# window: processor time (all threads), time on the clock and the page faults (fresh pages touched). The game starts as a player starts
# it: as a user of their own (run as root, this script starts it as `nobody`: libX11 keeps no
# compose table for root), with a home of its own that is kept from start to start. The first
# start fills the caches a player's first start fills; the figure is the median of the RUNS
# starts after it.
# Usage: bench/startup/first_frame.sh BUILD [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
probe=$build/bench/libpibo-first-frame-probe.so
[ -f "$probe" ] || { echo "no $probe: build the target pibo-first-frame-probe" >&2; exit 1; }
work=$(mktemp -d /tmp/pibo-first-frame.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir "$work/home"
player=
[ "$(id -u)" != 0 ] || player=nobody
cat > "$work/run.sh" <<'RUN'
cd "$work/game"
# The display's key, where the player's user can read it.
cp "$XAUTHORITY" "$work/xauthority" && chmod 644 "$work/xauthority"
as_player=()
[ -z "$player" ] || as_player=(setpriv --reuid="$player" --regid=nogroup --clear-groups)
"${as_player[@]}" env HOME="$work/home" XAUTHORITY="$work/xauthority" LD_PRELOAD="$probe" \
  ./pibo2 --window 2> "$work/probe.txt" > /dev/null &
pid=$!
sleep 2.5
kill "$pid"; wait "$pid" 2> /dev/null || true
RUN
export work probe player SDL_AUDIODRIVER=dummy
export -n XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
# One start: its processor and clock times to the title, in milliseconds, and its page faults.
start() {
  rm -rf "$work/game" && cp -a "$build/game" "$work/game"
  [ -z "$player" ] || chown -R "$player" "$work/game" "$work/home"
  xvfb-run -a -s "-screen 0 800x600x24" bash "$work/run.sh"
  # The first picture that shows what the window shows at the end: the title.
  screen=$(grep '^first-frame-probe:' "$work/probe.txt" | tail -1 | awk '{print $11}')
  [ -n "$screen" ] || { echo "the game showed no picture" >&2; exit 1; }
  grep '^first-frame-probe:' "$work/probe.txt" | awk -v s="$screen" '$11 == s' | head -1 |
    awk '{print $5, $8, $13}'
}
read -r first_cpu first_wall first_faults < <(start)
cpu=() wall=() faults=()
for _ in $(seq 1 "$runs"); do
  read -r c w f < <(start)
  cpu+=("$c") wall+=("$w") faults+=("$f")
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "first title frame: processor $(median "${cpu[@]}") ms, clock $(median "${wall[@]}") ms," \
  "$(median "${faults[@]}") page faults (median of $runs starts; each: ${cpu[*]} ms;" \
  "the first start: $first_cpu ms, $first_wall ms, $first_faults page faults)"
