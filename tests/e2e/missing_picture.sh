#!/usr/bin/env bash
# A missing picture ends the game at once: one line in the error log, a failing exit status, a
# word on standard error, and no data file written or changed.
source "$(dirname "$0")/common.inc"

rm "$work/Skull.bmp"
levels_before=$(sha256sum < "$work/Levels.dat")
status=0
(cd "$work" && SDL_VIDEODRIVER=dummy timeout 30 ./pibo2 > out.log 2> err.log) || status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
expected=$'VBGE - LoadBitmap - File not found - Skull.bmp\r\n\r'
[ "$(cat "$work/Errors.txt")" = "$expected" ] || fail "Errors.txt holds: $(cat -A "$work/Errors.txt")"
grep -q "Skull.bmp" "$work/err.log" || fail "nothing said on standard error"
[ ! -e "$work/Options_zt.dat" ] || fail "Options_zt.dat was written"
[ ! -e "$work/HighScores_zt.dat" ] || fail "HighScores_zt.dat was written"
[ "$(sha256sum < "$work/Levels.dat")" = "$levels_before" ] || fail "Levels.dat changed"
echo "missing picture: passed"
