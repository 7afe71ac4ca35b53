#!/usr/bin/env bash
# No player's score is lost: a score reaches "HighScores_zt.dat" as soon as its name is given, so
# a copy of the game killed right after keeps it; and another copy in the same folder, which read
# the table before that score and ends last, does not erase it. In develop mode F8 makes the
# points and skulls right of the start take the lives, as in name_entry.sh.
source "$(dirname "$0")/common.inc"

skulls_right_of_start "$work/Levels.dat"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
# Starts a copy in develop mode and waits for its window; sets $pid.
start_copy() {
  ./pibo2 develop --window > "run-$1.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 60); do
    xdotool search --pid "$pid" --name "Pibo II" > /dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 2
  focus_copy "$pid"
}
focus_copy() {
  window=$(xdotool search --pid "$1" --name "Pibo II" | head -1)
  xdotool windowraise "$window" windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
}
# From the title: a game of N thousand points that ends in the name window, and a name.
score_and_name() {
  begin_first_level
  for _ in $(seq 1 "$1"); do xdotool key F8; sleep 0.1; done
  xdotool keydown Right; sleep 3; xdotool keyup Right
  sleep 4
  xdotool type --delay 80 "$2"; sleep 0.3
  xdotool key Return; sleep 1.5
}

start_copy a; a=$pid
score_and_name 20 "First Copy"
start_copy b; b=$pid
score_and_name 19 "Killed Copy"
kill -9 "$b"                       # killed right after its name was given
cp HighScores_zt.dat after-kill.dat
focus_copy "$a"
xdotool key Escape                 # the first copy ends last
for _ in $(seq 1 150); do kill -0 "$a" 2>/dev/null || break; sleep 0.1; done
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

names() { for i in $(seq 0 9); do dd if="$1" bs=1 skip=$((24 * i)) count=20 2>/dev/null; echo; done; }
killed=$(names "$work/after-kill.dat")
last=$(names "$work/HighScores_zt.dat")
grep -q "^Killed Copy" <<< "$killed" || fail "the killed copy's score did not reach the file: $killed"
grep -q "^First Copy" <<< "$last" || fail "the first copy's score is gone: $last"
grep -q "^Killed Copy" <<< "$last" || fail "the first copy's end erased the other's score: $last"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "scores kept: passed"
