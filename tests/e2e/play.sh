#!/usr/bin/env bash
# Plays the real game on a virtual X display: title screen, F1, SPACE on the stage preview, a few
# seconds of running and jumping, Esc back to the title screen, Esc to quit. The screenshots
# must not be blank and must change as play moves.
source "$(dirname "$0")/common.inc"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
xdotool key F1; sleep 1.5
import -window root preview.png
hold space 0.2; sleep 4.5          # the "Next Level" screen lasts three seconds
import -window root play1.png
hold Right 1.5
import -window root play2.png
xdotool keydown Right Up; sleep 0.4; import -window root play3.png; xdotool keyup Right Up
sleep 1
xdotool key Escape; sleep 1
import -window root back.png
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly (status $(cat "$work/status"))"; }
for shot in preview play1 play2 play3 back; do
  colours=$(convert "$work/$shot.png" -format '%k' info:)
  [ "$colours" -gt 20 ] || fail "$shot.png looks blank ($colours colours)"
done
changed() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" -gt 2000 ]; }
changed preview play1 || fail "the stage preview never gave way to play"
changed play1 play2 || fail "running right changed nothing on the screen"
changed play2 play3 || fail "jumping changed nothing on the screen"
d=$(middle_difference "$work/Title_ZT.bmp" "$work/back.png")
awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' || fail "Esc did not bring the title screen back (RMSE $d)"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "play: passed"
