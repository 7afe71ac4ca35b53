#!/usr/bin/env bash
# A start that fails on a real screen says why in a message box, which waits for OK; the error
# log and standard error say it too, and the exit status is 1. (SDL draws the box with the X
# server's own fonts, from xfonts-base.)
source "$(dirname "$0")/common.inc"

rm "$work/Skull.bmp"
export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
./pibo2 --window > run.log 2> err.log &
pid=$!
# The box is a plain X window named "Pibo II" (the game's own window, also so named, is hidden).
shown_box() {
  for id in $(xwininfo -root -tree | awk '/"Pibo II"/ { print $1 }'); do
    xwininfo -id "$id" | grep -q IsViewable && { echo "$id"; return; }
  done
}
box=""
for _ in $(seq 1 60); do
  sleep 0.5
  box=$(shown_box) && [ -n "$box" ] && break
done
sleep 0.5
import -window root box.png
echo "${box:-none}" > box
kill -0 "$pid" 2>/dev/null && echo waiting > waited
# A click on OK, which sits in the middle of the box's foot; again while the box is still up, as
# a slow (sanitized) build may not yet listen when the first click comes.
if [ -n "$box" ]; then
  w=$(xwininfo -id "$box" | awk '/Width:/ { print $2 }')
  h=$(xwininfo -id "$box" | awk '/Height:/ { print $2 }')
  for _ in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || break
    xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break
    xdotool mousemove --window "$box" $((w / 2)) $((h - 25)) sleep 0.2 click 1 2>/dev/null
    sleep 0.5
  done
fi
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/box")" != none ] || fail "no message box showed"
[ -e "$work/waited" ] || fail "the game did not wait for the message box"
[ "$(cat "$work/status")" = 1 ] || fail "exit status $(cat "$work/status"), expected 1"
grep -q "Skull.bmp" "$work/Errors.txt" || fail "the error log does not name Skull.bmp"
grep -q "Skull.bmp" "$work/err.log" || fail "nothing said on standard error"
colours=$(convert "$work/box.png" -format '%k' info:)
[ "$colours" -gt 2 ] || fail "the screen shows no message box ($colours colours)"
echo "start failure: passed"
