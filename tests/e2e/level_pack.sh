#!/usr/bin/env bash
# A level pack made with pibo-levels from the game's own level sources, its level 1 renamed and
# given a ledge of its own, played with pibo2 --levels under the virtual display: F1 starts on
# the pack's level 1 (the level screen shows the pack's name for it, and the recording of the
# game names the pack and replays headless on the pack's levels only); the pack's scores and
# options stay beside it and the program's own stay as they were; a pack that cannot be played
# is refused before a window opens, with nothing written but the reason.
source "$(dirname "$0")/common.inc"
build_dir=$2
export XDG_DATA_HOME=$work/data  # a pack kept apart would go there
levels_tool=$build_dir/tools/level_packer/pibo-levels
[ -x "$levels_tool" ] || fail "no pibo-levels in $build_dir"

# The pack: the shipped sources, level 1 renamed and with a ledge of machine platforms in row 14.
cp -r "$E2E_DIR/../../assets/levels/normal" "$work/pack-src"
sed -i 's/^name: .*/name: Pack Level One/' "$work/pack-src/level01.txt"
sed -i 's/^|\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.\.| 14$/|....mmmmmmmmmmmmmmmmmmmmmmmm....| 14/' \
  "$work/pack-src/level01.txt"
grep -q "mmmm....| 14$" "$work/pack-src/level01.txt" || fail "level 1's row 14 was not changed"
mkdir "$work/Pack"
"$levels_tool" pack "$work/pack-src" "$work/Pack/Levels.dat" "$work/Pack/LevelNames_zt.txt" ||
  fail "pibo-levels could not pack the pack"
cp "$work/Pack/Levels.dat" "$work/pack-levels.dat"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
# A game from the title screen: F1, SPACE on the stage preview, a shot of the level screen and one
# of play, then Esc to end the game and Esc to quit. $1 names the shots.
first_level() {
  xdotool key F1; sleep 1.5
  xdotool key space; sleep 1
  import -window root "$work/$1-level.png"
  sleep 4
  import -window root "$work/$1-play.png"
  xdotool key Escape; sleep 1
  xdotool key Escape
  await_exit
  cp status "status-$1"
}
start_at_title --window
first_level shipped
cp Options_zt.dat options-before.dat
cp HighScores_zt.dat scores-before.dat
start_at_title --window --levels Pack --record "$work/pack.rec"
xdotool search --name "Pibo II - Pack" > "$work/titled" 2>/dev/null || true
first_level pack
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

for run in shipped pack; do
  [ "$(cat "$work/status-$run")" = 0 ] || { cat "$work/run.log" >&2; fail "the $run game did not end cleanly"; }
done
[ -s "$work/titled" ] || fail "the window's title does not name the pack"
# The level screens differ where the level's name is; play differs by the pack's ledge.
differs() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" -gt "$3" ]; }
differs shipped-level pack-level 200 || fail "the level screen shows the shipped level's name"
differs shipped-play pack-play 2000 || fail "play on the pack's level 1 looks like the shipped one"

# The recording names the pack and its first level, and replays on the pack's levels only: the
# state it replays has the pack's ledge (24 platform cells more than the shipped level 1).
grep -qx "set pack Pack" "$work/pack.rec" || fail "the recording does not name the pack: $(sed -n 3p "$work/pack.rec")"
grep -qx "start 0 0" "$work/pack.rec" || fail "the recorded game did not start on level 1"
platforms() { sed -n '1s/.*"PlatformCount":\([0-9]*\).*/\1/p'; }
"$work/pibo-sim" --folder "$work/Pack" --replay "$work/pack.rec" --trace > "$work/replay.out" 2> "$work/replay.err" ||
  fail "pibo-sim did not replay the pack's game: $(cat "$work/replay.err")"
shipped=$("$work/pibo-sim" --folder "$work" --level 1 --frames 1 | platforms)
replayed=$(platforms < "$work/replay.out")
[ "$replayed" = $((shipped + 24)) ] || fail "the replay has $replayed platform cells, the shipped level 1 $shipped"
if "$work/pibo-sim" --folder "$work" --replay "$work/pack.rec" > /dev/null 2> "$work/wrong.err"; then
  fail "a pack's game replayed on the shipped levels"
fi
grep -q 'level pack "Pack"' "$work/wrong.err" || fail "the refusal does not name the pack: $(cat "$work/wrong.err")"

# The pack's own files are beside it; its levels and the program's own files are untouched.
[ "$(stat -c %s "$work/Pack/Options_zt.dat")" = 6 ] || fail "the pack's options are not beside it"
[ "$(stat -c %s "$work/Pack/HighScores_zt.dat")" = 240 ] || fail "the pack's scores are not beside it"
cmp -s "$work/Pack/Levels.dat" "$work/pack-levels.dat" || fail "the pack's level file was written"
cmp -s "$work/Options_zt.dat" "$work/options-before.dat" || fail "the shipped options changed"
cmp -s "$work/HighScores_zt.dat" "$work/scores-before.dat" || fail "the shipped scores changed"
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }

# Packs that cannot be played: refused with the reason, before any window (there is no display
# here), and nothing is written but the error log.
mkdir "$work/Broken"
head -c 1000 "$work/Pack/Levels.dat" > "$work/Broken/Levels.dat"
cp "$work/Pack/LevelNames_zt.txt" "$work/Broken/"
refused() {
  rm -f "$work/Errors.txt"
  local before status=0
  before=$(cd "$work" && find . -newer "$work/pack-levels.dat" | sort)
  (cd "$work" && env -u DISPLAY ./pibo2 --window --levels "$1" > /dev/null 2> refused.err) || status=$?
  [ "$status" = 1 ] || fail "--levels $1 gave status $status"
  grep -q "$2" "$work/refused.err" || fail "--levels $1 said: $(cat "$work/refused.err")"
  grep -q "Main - LevelPack - .*$2" "$work/Errors.txt" || fail "--levels $1: the log holds $(cat "$work/Errors.txt")"
  after=$(cd "$work" && find . -newer "$work/pack-levels.dat" ! -name Errors.txt ! -name refused.err | sort)
  [ "$after" = "$(grep -v -e Errors.txt -e refused.err <<< "$before")" ] || fail "--levels $1 wrote $after"
}
refused Nowhere "no such folder"
refused Broken "Levels.dat: Level file is 1000 bytes"
rm "$work/Broken/LevelNames_zt.txt"
cp "$work/Pack/Levels.dat" "$work/Broken/"
refused Broken "LevelNames_zt.txt: File not found"
echo "level pack: passed"
