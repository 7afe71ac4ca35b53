#!/usr/bin/env bash
# The level editor in develop mode: keypad / switches painting on, a right click opens the
# palette, Down chooses its first entry ("PLATFORM_SAND", code 0), a left click paints a cell,
# keypad * switches painting off, and the edit is in Levels.dat after Esc, Esc and still there
# after another run.
source "$(dirname "$0")/common.inc"

# Pixel (425, 305) of the first screen is cell (8, 15) of level 1, empty in the shipped set.
[ "$(level_cell "$work/Levels.dat" 1 8 15)" = 255 ] || fail "cell (8, 15) of level 1 is not empty to begin with"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title develop
begin_first_level
xdotool key KP_Divide; sleep 0.3
xdotool mousemove 300 300; sleep 0.2
xdotool click 3; sleep 1
import -window root palette.png
xdotool key Down; sleep 0.5
xdotool mousemove 425 305 click 1; sleep 0.5
import -window root painted.png
xdotool key KP_Multiply; sleep 0.3
xdotool key Escape; sleep 1
xdotool key Escape
await_exit
cp status status_first

start_at_title develop
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status_first")" = 0 ] || { cat "$work/run.log" >&2; fail "the editing run did not end cleanly"; }
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the second run did not end cleanly"; }
[ "$(pixel "$work/palette.png" 460 86)" = "0,0,200" ] || fail "no palette window on the screen"
[ "$(pixel "$work/painted.png" 460 86)" != "0,0,200" ] || fail "the palette did not close on Down"
[ "$(level_cell "$work/Levels.dat" 1 8 15)" = 0 ] || fail "cell (8, 15) holds $(level_cell "$work/Levels.dat" 1 8 15), not sand"
[ "$(stat -c %s "$work/Levels.dat")" = 29762 ] || fail "Levels.dat is not 29 762 bytes"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "editor: passed"
