#!/usr/bin/env bash
# A qualifying score asks for the player's name: in develop mode F8 eight times makes 8000
# points, five skulls right of the start take the five lives, and the "High Score!" window
# takes a typed name ended with Enter, its accent typed with a dead key as on an international
# keyboard (the input method composes it). A second qualifying game in the same run opens the
# window with an empty box again, so Enter alone enters no name. Both reach the high-score file at
# exit.
source "$(dirname "$0")/common.inc"

skulls_right_of_start "$work/Levels.dat"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
setxkbmap -layout us -variant intl
start_at_title develop
begin_first_level
for _ in 1 2 3 4 5 6 7 8; do xdotool key F8; sleep 0.1; done
xdotool keydown Right; sleep 3; xdotool keyup Right
sleep 4                            # the level's last 100 frames, then the name window
import -window root asked.png
xdotool type --delay 80 "Jos"; xdotool key --delay 80 dead_acute e
xdotool type --delay 80 " Example"; sleep 0.3
xdotool key Return; sleep 1.5
import -window root title_again.png
begin_first_level
for _ in 1 2 3 4 5 6 7 8 9; do xdotool key F8; sleep 0.1; done
xdotool keydown Right; sleep 3; xdotool keyup Right
sleep 4
xdotool key Return; sleep 1.5
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly (status $(cat "$work/status"))"; }
[ "$(pixel "$work/asked.png" 450 247)" = "0,0,200" ] || fail "no name window on the screen"
d=$(middle_difference "$work/Title_ZT.bmp" "$work/title_again.png")
awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' || fail "the title screen did not come back (RMSE $d)"
entry() {
  name=$(dd if="$work/HighScores_zt.dat" bs=1 skip=$((24 * $1)) count=20 2>/dev/null)
  score=$(od -An -t d4 -j $((24 * $1 + 20)) -N 4 "$work/HighScores_zt.dat" | tr -d ' ')
}
# 8000 enters below the default 8000 (an equal score stays above it), as the ninth entry; the
# second game's 9000 pushes it down to the tenth.
entry 9
[ "$name" = $'Jos\xe9 Example        ' ] || fail "the first game's entry is named '$name'"
[ "$score" = 8000 ] || fail "the first game's entry scores $score"
entry 7
[ "$name" = "                    " ] || fail "the second game's entry is named '$name', not blank"
[ "$score" = 9000 ] || fail "the second game's entry scores $score"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "name entry: passed"
