#!/usr/bin/env bash
# Two copies of the game started at once in the same folder, forty times over (headless, quit by
# SIGTERM as a desktop session ends them): every start and every end succeeds, nothing is logged,
# and no temporary file is left behind.
source "$(dirname "$0")/common.inc"
cd "$work"
printf '\x00\x00\x00\x00\x00\x01' > Options_zt.dat  # no exit sound, so each end is quick
export SDL_VIDEODRIVER=dummy

# Waits (up to 20 s) until the process handles SIGTERM itself: then the game is up and quits
# cleanly on it.
await_running() {
  for _ in $(seq 1 200); do
    mask=$(awk '/^SigCgt:/ { print $2 }' /proc/$1/status 2>/dev/null || echo 0)
    (( (16#${mask:-0} >> 14) & 1 )) && return 0
    sleep 0.1
  done
}
for round in $(seq 1 40); do
  ./pibo2 > a.log 2>&1 & a=$!
  ./pibo2 > b.log 2>&1 & b=$!
  await_running $a
  await_running $b
  kill -TERM $a $b 2>/dev/null || true
  status_a=0; wait $a || status_a=$?
  status_b=0; wait $b || status_b=$?
  [ $status_a = 0 ] && [ $status_b = 0 ] ||
    { cat a.log b.log >&2; fail "round $round: the copies ended with $status_a and $status_b"; }
done
[ ! -e Errors.txt ] || { cat Errors.txt >&2; fail "errors were logged"; }
grep -qx "AppPath=$work" config/VORA/settings.ini || fail "settings.ini: $(cat config/VORA/settings.ini)"
leftovers=$(find . -name '*.tmp-*' -o -name '*.new')
[ -z "$leftovers" ] || fail "temporary files were left: $leftovers"
[ "$(stat -c %s HighScores_zt.dat)" = 240 ] || fail "HighScores_zt.dat is not 240 bytes"
echo "two copies: passed"
