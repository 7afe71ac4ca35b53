#!/usr/bin/env bash
# Starts the real game on a virtual X display, waits for the title picture on the screen,
# presses Esc and checks the files the end of the run leaves behind.
source "$(dirname "$0")/common.inc"

levels_before=$(sha256sum < "$work/Levels.dat")
export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

difference=$(middle_difference "$work/Title_ZT.bmp" "$work/title.png")
awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }' || fail "the screen never showed the title picture (RMSE $difference)"
colours=$(convert "$work/title.png" -format '%k' info:)
[ "$colours" -gt 50 ] || fail "the screen looks blank ($colours colours)"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly on Esc (status $(cat "$work/status"))"; }

[ "$(hex "$work/Options_zt.dat")" = "00 ff ff 00 00 01" ] || fail "Options_zt.dat is $(hex "$work/Options_zt.dat")"
[ "$(stat -c %s "$work/HighScores_zt.dat")" = 240 ] || fail "HighScores_zt.dat is not 240 bytes"
for i in 0 1 2 3 4 5 6 7 8 9; do
  name=$(dd if="$work/HighScores_zt.dat" bs=1 skip=$((24 * i)) count=20 2>/dev/null)
  score=$(od -An -t d4 -j $((24 * i + 20)) -N 4 "$work/HighScores_zt.dat" | tr -d ' ')
  [ "$name" = "Pibo                " ] || fail "entry $i is named '$name'"
  [ "$score" = $((15000 - 1000 * i)) ] || fail "entry $i scores $score"
done
[ "$(sha256sum < "$work/Levels.dat")" = "$levels_before" ] || fail "Levels.dat changed"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
grep -q "^AppPath=$work\$" "$work/config/VORA/settings.ini" || fail "the settings value was not written"
echo "title screen: passed"
