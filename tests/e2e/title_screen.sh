#!/usr/bin/env bash
# Starts the real game on a virtual X display, checks that the title picture is on the screen,
# presses Esc and checks the files the end of the run leaves behind.
source "$(dirname "$0")/common.inc"

levels_before=$(sha256sum < "$work/Levels.dat")
cat > "$work/session.sh" <<'SESSION'
set -u
cd "$1"
./pibo2 > run.log 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  xdotool search --name "Pibo II" > window.id 2>/dev/null && break
  sleep 0.1
done
sleep 2
import -window root title.png
xdotool windowfocus --sync "$(head -n 1 window.id)" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 1 150); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; echo 99 > status; exit 0; fi
wait $pid
echo $? > status
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh" "$work"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly on Esc (status $(cat "$work/status"))"; }

# The middle of the screen, between the two panels, is the title picture.
convert "$work/Title_ZT.bmp" -background black -gravity center -extent 800x600 \
  -crop 380x600+210+0 +repage "$work/expected.png"
convert "$work/title.png" -crop 380x600+210+0 +repage "$work/actual.png"
difference=$(compare -metric RMSE "$work/expected.png" "$work/actual.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }' || fail "screen differs from the title picture (RMSE $difference)"
colours=$(convert "$work/title.png" -format '%k' info:)
[ "$colours" -gt 50 ] || fail "the screen looks blank ($colours colours)"

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
