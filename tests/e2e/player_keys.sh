#!/usr/bin/env bash
# The player's own keys in the real game: with a settings file that binds jump to W, W jumps and
# Up does nothing; the game recorded meanwhile, replayed by pibo-sim (which knows no settings),
# shows the hero rising only where W was held.
source "$(dirname "$0")/common.inc"

mkdir -p "$XDG_CONFIG_HOME/pibo2"
printf '[Controls]\nJump=W\n' > "$XDG_CONFIG_HOME/pibo2/settings.ini"
export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title --record "$work/keys.rec"
xdotool key F1; sleep 1
xdotool key space; sleep 5          # the stage preview, then the level screen
xdotool keydown Up; sleep 0.3; xdotool keyup Up
sleep 1
xdotool keydown w; sleep 0.3; xdotool keyup w
sleep 1.8
xdotool keydown w; sleep 0.3; xdotool keyup w
sleep 1.8
xdotool key Escape; sleep 1         # the game ends: the recording is written
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly"; }
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
"$work/pibo-sim" --folder "$work" --replay "$work/keys.rec" --trace > "$work/sim.out" ||
  fail "pibo-sim could not replay the game"
# The frames in which the hero leaves the floor upwards: two jumps for the two W presses, none for
# Up (without the settings it would be one, for Up).
jumps=$(awk '/"CharInAir":0/ { floor = 1; next } floor && /"CharVY":-/ { n++; floor = 0 } END { print n + 0 }' "$work/sim.out")
[ "$jumps" = 2 ] || fail "the hero jumped $jumps times (W twice, Up never)"
echo "player keys: passed"
