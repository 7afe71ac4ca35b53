#!/usr/bin/env bash
# The options and stage password windows, worked with the keyboard alone as a player would:
# F3, Space, Tab, Tab, Space switches the sound effects off and presses OK. A wrong password
# leaves the title screen, and the next opening of the window starts empty, so the right one
# typed in small letters then starts a game at its stage. Keys a window or the title screen took
# stay there: Space on the title does not skip the stage preview, P and Esc in the options window
# during a game leave it running, and Esc in the password window starts no game.
source "$(dirname "$0")/common.inc"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title
xdotool key F3; sleep 1
import -window root options.png
for k in space Tab Tab space; do xdotool key $k; sleep 0.3; done
sleep 0.5
import -window root after_options.png
xdotool key Escape
await_exit
cp status status_options

start_at_title
xdotool key space; sleep 0.3
xdotool key F1; sleep 1.5
import -window root preview1.png
sleep 1
import -window root preview1_later.png
xdotool key space; sleep 4.5       # the "Next Level" screen lasts three seconds
xdotool key F3; sleep 1
xdotool key p; sleep 0.3
xdotool key Escape; sleep 0.3
import -window root after_f3_1.png
sleep 1
import -window root after_f3_2.png
xdotool key Escape; sleep 1        # the game ends

xdotool key F2; sleep 1
xdotool type --delay 80 xyz; sleep 0.3
xdotool key Return; sleep 1.5
import -window root after_wrong.png
xdotool key F2; sleep 1
xdotool type --delay 80 gunpav; sleep 0.3
import -window root password.png
xdotool key Return; sleep 1.5
import -window root preview.png
xdotool key space; sleep 4.5
import -window root level13.png
xdotool key Escape; sleep 1

xdotool key F2; sleep 1
xdotool key BackSpace; sleep 0.2
xdotool key Escape; sleep 1.5
import -window root after_esc.png
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

is_title() {
  d=$(middle_difference "$work/Title_ZT.bmp" "$1")
  awk -v d="$d" 'BEGIN { exit !(d < 0.03) }'
}
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" -gt "$3" ]; }

[ "$(cat "$work/status_options")" = 0 ] || fail "the game did not end cleanly after the options"
# The window's caption bar, blue, in the middle of the screen; gone once OK was pressed.
[ "$(pixel "$work/options.png" 450 231)" = "0,0,200" ] || fail "no options window on the screen"
is_title "$work/after_options.png" || fail "the options window did not close on OK"
[ "$(hex "$work/Options_zt.dat")" = "00 00 00 00 00 01" ] || fail "Options_zt.dat is $(hex "$work/Options_zt.dat")"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly after the password"; }
# The first stage's preview, still up a second later: the title's Space did not answer it.
convert "$work/StagePreviews.bmp" -crop 320x240+0+0 +repage "$work/stage1.png"
convert "$work/preview1_later.png" -crop 320x240+240+180 +repage "$work/shown1.png"
d=$(compare -metric RMSE "$work/stage1.png" "$work/shown1.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
awk -v d="$d" 'BEGIN { exit !(d < 0.2) }' || fail "the stage preview did not wait for Space (RMSE $d)"
differ "$work/after_f3_1.png" "$work/after_f3_2.png" 500 ||
  fail "the game stood still after P and Esc in the options window"
is_title "$work/after_wrong.png" || fail "a wrong password left the title screen"
[ "$(pixel "$work/password.png" 450 215)" = "0,0,200" ] || fail "no password window on the screen"
# The stage preview shows the third stage's picture (the previews are stacked 240 pixels apart).
convert "$work/StagePreviews.bmp" -crop 320x240+0+480 +repage "$work/stage3.png"
convert "$work/preview.png" -crop 320x240+240+180 +repage "$work/shown.png"
d=$(compare -metric RMSE "$work/stage3.png" "$work/shown.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
awk -v d="$d" 'BEGIN { exit !(d < 0.2) }' || fail "the preview is not the third stage's (RMSE $d)"
colours=$(convert "$work/level13.png" -format '%k' info:)
[ "$colours" -gt 20 ] || fail "level 13 looks blank ($colours colours)"
differ "$work/preview.png" "$work/level13.png" 2000 || fail "the preview never gave way to the level"
is_title "$work/after_esc.png" || fail "Esc in the password window started a game"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "windows: passed"
