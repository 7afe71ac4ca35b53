#!/usr/bin/env bash
# A game played under the virtual display with --record is written to its file when it ends;
# pibo-sim --replay plays it again headless to the same score and level, and pibo2 --replay
# shows it again in the window and goes back to the title screen.
source "$(dirname "$0")/common.inc"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title --window --record "$work/run.rec"
xdotool key F1; sleep 1
xdotool key space; sleep 4          # the stage preview, then the level screen
xdotool keydown Right; sleep 1.5
xdotool keydown Up; sleep 0.2; xdotool keyup Up
xdotool keydown ctrl; sleep 1.5; xdotool keyup ctrl
xdotool keyup Right
xdotool keydown Left; sleep 1; xdotool keyup Left
xdotool key Escape; sleep 1         # the game ends: the recording is written
xdotool key Escape                  # and the program
await_exit
cp status status-record

# Played back in the window: the recorded game, then the title screen again.
./pibo2 --window --replay "$work/run.rec" > replay.log 2>&1 &
pid=$!
sleep 14
import -window root replayed.png
xdotool search --name "Pibo II" windowfocus --sync 2>/dev/null || true
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status-record")" = 0 ] || fail "the recording run did not end cleanly"
[ -s "$work/run.rec" ] || fail "no recording was written"
head -1 "$work/run.rec" | grep -q "^pibo2 recording 1$" || fail "the recording has no header"
frames=$(awk '/^end / { print $2 }' "$work/run.rec")
[ "${frames:-0}" -gt 100 ] || fail "the recording holds only ${frames:-0} frames"
"$work/pibo-sim" --folder "$work" --replay "$work/run.rec" > "$work/sim.out" 2> "$work/sim.err" ||
  fail "pibo-sim --replay: $(cat "$work/sim.err")"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/replay.log" >&2; fail "the replay run did not end cleanly"; }
difference=$(middle_difference "$work/Title_ZT.bmp" "$work/replayed.png")
awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }' || fail "after the replay the title screen is not back (RMSE $difference)"
# A damaged recording is refused with its reason, before a window opens.
sed 's/^end /end 1/' "$work/run.rec" > "$work/bad.rec"
status=0
(cd "$work" && ./pibo2 --replay bad.rec > /dev/null 2> bad.err) || status=$?
[ "$status" = 1 ] || fail "a damaged recording gave status $status"
grep -q "damaged" "$work/bad.err" || fail "a damaged recording was not named so: $(cat "$work/bad.err")"
echo "record and replay: passed"
