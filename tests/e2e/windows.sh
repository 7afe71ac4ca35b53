#!/usr/bin/env bash
# The options and stage password windows, worked with the keyboard alone as a player would:
# F3, Space, Tab, Tab, Space switches the sound effects off and presses OK; F2 and a stage
# password typed in small letters start a game at that stage.
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
xdotool key F2; sleep 1
xdotool type --delay 80 gunpav; sleep 0.3
import -window root password.png
xdotool key Return; sleep 1.5
import -window root preview.png
xdotool key space; sleep 4.5       # the "Next Level" screen lasts three seconds
import -window root level13.png
xdotool key Escape; sleep 1; xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status_options")" = 0 ] || fail "the game did not end cleanly after the options"
# The window's caption bar, blue, in the middle of the screen; gone once OK was pressed.
[ "$(pixel "$work/options.png" 450 231)" = "0,0,200" ] || fail "no options window on the screen"
d=$(middle_difference "$work/Title_ZT.bmp" "$work/after_options.png")
awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' || fail "the options window did not close on OK (RMSE $d)"
[ "$(hex "$work/Options_zt.dat")" = "00 00 00 00 00 01" ] || fail "Options_zt.dat is $(hex "$work/Options_zt.dat")"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly after the password"; }
[ "$(pixel "$work/password.png" 450 215)" = "0,0,200" ] || fail "no password window on the screen"
# The stage preview shows the third stage's picture (the previews are stacked 240 pixels apart).
convert "$work/StagePreviews.bmp" -crop 320x240+0+480 +repage "$work/stage3.png"
convert "$work/preview.png" -crop 320x240+240+180 +repage "$work/shown.png"
d=$(compare -metric RMSE "$work/stage3.png" "$work/shown.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
awk -v d="$d" 'BEGIN { exit !(d < 0.2) }' || fail "the preview is not the third stage's (RMSE $d)"
colours=$(convert "$work/level13.png" -format '%k' info:)
[ "$colours" -gt 20 ] || fail "level 13 looks blank ($colours colours)"
[ "$(compare -metric AE "$work/preview.png" "$work/level13.png" null: 2>&1 || true)" -gt 2000 ] ||
  fail "the preview never gave way to the level"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "windows: passed"
