#!/usr/bin/env bash
# SIGTERM (a desktop session ending, `kill`) ends the game within half a second whatever it waits
# for: the stage preview, the level screen, the pause, the options window. The end of the run
# still saves the options and the high scores. Sound effects are off, so there is no exit sound
# to wait for.
source "$(dirname "$0")/common.inc"
# Under the sanitizers the program's own exit (the leak check, the checked frees) takes a few
# hundred milliseconds more: the bound there is the game's end plus that.
limit=500
grep -q '^PIBO_SANITIZE:BOOL=ON' "${2:-}/CMakeCache.txt" 2>/dev/null && limit=1500

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
# Starts the game, brings it into a wait with the given keys, sends SIGTERM and writes how many
# milliseconds the game took to end (99999: it did not end within 5 s) to ended-CASE.
case_run() {
  local name=$1; shift
  rm -f HighScores_zt.dat
  printf '\x00\x00\x00\x00\x00\x01' > Options_zt.dat
  touch -d '2000-01-01' Options_zt.dat
  start_at_title
  for step in "$@"; do
    case $step in
      wait:*) sleep "${step#wait:}" ;;
      *) xdotool key "$step" ;;
    esac
  done
  import -window root "before-$name.png"
  local t0 t1
  t0=$(date +%s%N)
  kill -TERM "$pid"
  for _ in $(seq 1 500); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
  t1=$(date +%s%N)
  if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; echo 99999 > "ended-$name"; return; fi
  wait "$pid"; echo $? > "status-$name"
  echo $(( (t1 - t0) / 1000000 )) > "ended-$name"
  [ -s HighScores_zt.dat ] && echo yes > "scores-$name"
  [ Options_zt.dat -nt status-"$name" ] || [ "$(stat -c %Y Options_zt.dat)" -gt 946684800 ] && echo yes > "options-$name"
}
case_run preview F1 wait:1
case_run level_screen F1 wait:1 space wait:1
case_run pause F1 wait:1 space wait:4 p wait:1
case_run options F3 wait:1
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

for name in preview level_screen pause options; do
  ms=$(cat "$work/ended-$name" 2>/dev/null || echo 99999)
  [ "$ms" -le "$limit" ] || fail "SIGTERM during the $name: the game took $ms ms to end"
  [ "$(cat "$work/status-$name")" = 0 ] || fail "SIGTERM during the $name: exit status $(cat "$work/status-$name")"
  [ -e "$work/scores-$name" ] || fail "SIGTERM during the $name: no HighScores_zt.dat written"
  [ -e "$work/options-$name" ] || fail "SIGTERM during the $name: Options_zt.dat not written"
  echo "sigterm during the $name: ended in $ms ms"
done
# The pictures show each wait was under way when the signal came.
[ "$(pixel "$work/before-options.png" 450 231)" = "0,0,200" ] || fail "no options window when SIGTERM came"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "sigterm: passed"
