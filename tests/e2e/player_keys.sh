#!/usr/bin/env bash
# The player's own keys in the real game. First jump is bound to W in the settings window (F4):
# Left is refused there, W taken alone, OK writes settings.ini. Then, started again with that
# file, W jumps and Up does nothing; the game recorded meanwhile, replayed by pibo-sim (which
# knows no settings), shows the hero rising only where W was held.
source "$(dirname "$0")/common.inc"

export work E2E_DIR
cat > "$work/bind.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title
xdotool key F4; sleep 1
for _ in 1 2 3 4 5 6 7 8; do xdotool key Tab; sleep 0.1; done   # to the list of keys
xdotool key Down; sleep 0.1; xdotool key Down; sleep 0.1        # Jump
xdotool key Tab; sleep 0.1; xdotool key space; sleep 0.3        # Change Keys
xdotool key Left; sleep 0.3                                     # Left's key: refused
xdotool key w; sleep 0.3; xdotool key Escape; sleep 0.3         # W alone
xdotool key Tab; sleep 0.1; xdotool key Tab; sleep 0.1; xdotool key space; sleep 1  # OK
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/bind.sh"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly"; }
settings=$XDG_CONFIG_HOME/pibo2/settings.ini
grep -qx 'Jump=W' "$settings" || { cat "$settings" >&2; fail "the window did not bind jump to W"; }
grep -qx 'Left=Left' "$settings" || fail "the refused key was taken from Left"

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
