#!/usr/bin/env bash
# `make test-windows`: the Windows build, unpacked from its zip as a player would, run under wine
# on a virtual X display (sound through SDL's disk driver, since the machine has no sound card).
#
#   tests/windows/windows_test.sh WINDOWS_BUILD DESKTOP_BUILD
#
# The game must show the desktop game's title frame, play level 1, write its files on Esc (beside
# itself, or in %APPDATA%\pibo2 when installed), and record a game the Linux simulator replays;
# pibo-sim.exe must print the Linux simulator's bytes for every pinned replay.
set -euo pipefail
windows_build=$(realpath "$1")
zip=$(ls -t "$windows_build"/pibo2-*-windows-x64.zip | head -1)
desktop=$(realpath "$2")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/pibo-windows.XXXXXX)
E2E_DIR=$source_dir/tests/e2e
source "$E2E_DIR/functions.inc"
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
passed=0
pass() { echo "ok: $*"; passed=$((passed + 1)); }

# A wine of its own, made afresh on a screen the size the game will have (wine keeps the screen
# it was made on), that never offers to install .NET or a browser engine.
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
screen="-screen 0 800x600x24"
xvfb-run -a -s "$screen" sh -c 'wineboot --init; wineserver --wait' >/dev/null 2>&1
unzip -q "$zip" -d "$work"
game=$work/pibo2
[ -f "$game/pibo2.exe" ] && [ -f "$game/pibo-sim.exe" ] && [ -f "$game/LICENSE.txt" ] ||
  fail "the zip lacks pibo2.exe, pibo-sim.exe or LICENSE.txt"
linux_sim=$desktop/game/pibo-sim

# --- The files module's Windows side ----------------------------------------------------------------
(cd "$work" && wine "$windows_build/tests/pibo-windows-tests.exe" --gtest_brief=1) ||
  fail "the Windows side of the files module fails its tests"
pass "saves, leftovers, refusals, the lock and wide names work on Windows"
windows_path() { winepath -w "$1" 2>/dev/null; }

# --- The simulator: the same bytes on both systems ------------------------------------------------
# A soak's memory figures are each system's own; everything else is the game's.
without_memory() { sed -E 's/,"(residentKB|peakKB|peakGrowthKB)":[0-9]+//g'; }
same_simulation() {  # same_simulation ARGS...: both simulators, on the same program's files
  local linux windows
  linux=$("$linux_sim" "$@" --folder "$desktop/game" | without_memory; echo "status ${PIPESTATUS[0]}")
  windows=$(wine "$game/pibo-sim.exe" "$@" --folder "$(windows_path "$game")" 2>/dev/null |
    without_memory; echo "status ${PIPESTATUS[0]}")
  [ "${#linux}" -gt 1000 ] || fail "pibo-sim $* printed too little on Linux"
  [ "$linux" == "$windows" ] || {
    diff <(echo "$linux") <(echo "$windows") | head -5 >&2
    fail "pibo-sim.exe $* differs from Linux"
  }
}
same_simulation --level 1 --seed 1 --frames 400 --trace --keys "$source_dir/tests/sim/level01_all_gems.keys"
same_simulation --level 7 --seed 145 --frames 640 --trace --keys "$source_dir/tests/sim/level07_all_gems.keys"
same_simulation --soak 1 --seed 7
for recording in level01_all_gems extra_easy_detail_switched machine_level; do
  same_simulation --replay "$source_dir/tests/fuzz/seeds/recording/$recording.rec" --trace
done
pass "pibo-sim.exe prints the Linux bytes for the pinned key scripts, a soak and three recordings"

# The pinned states of level 1 are among those bytes.
wine "$game/pibo-sim.exe" --level 1 --seed 1 --frames 400 --trace \
  --keys "$source_dir/tests/sim/level01_all_gems.keys" --folder "$(windows_path "$game")" \
  2>/dev/null | awk 'NR % 50 == 1' > "$work/sampled.states"
grep -qxFf "$work/sampled.states" "$source_dir/tests/sim/level01_all_gems.states" ||
  fail "pibo-sim.exe strays from the pinned level 1 states"
pass "pibo-sim.exe keeps the pinned level 1 states"

# --- The game on a virtual display ----------------------------------------------------------------
# Compared with the desktop game's pinned title frame in the game's own colours.
game_colours "$source_dir/tests/render/golden/title.png" "$work/title-linux.miff"

cat > "$work/session.sh" <<'SESSION'
set -u
cd "$game"
source "$E2E_DIR/functions.inc"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/sound.raw wine pibo2.exe "$@" > "$work/run.log" 2>&1 &
pid=$!
# Up to 60 s for the title (wine starts slowly on a busy machine).
await_exact_title "$work/title-linux.miff" 60
window=$(xdotool search --name "Pibo II" | head -1)
key() { xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key "$@"; }
hold() { xdotool windowfocus --sync "$window" 2>/dev/null; xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
if [ -n "${PLAY:-}" ]; then
  key F1; sleep 1.5
  import -window root "$work/preview.png"
  hold space 0.2; sleep 4.5          # the "Next Level" screen lasts three seconds
  import -window root "$work/play1.png"
  hold Right 1.5
  import -window root "$work/play2.png"
  key Escape; sleep 1.5
fi
key Escape
for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo 99 > "$work/status"; else wait "$pid"; echo $? > "$work/status"; fi
wineserver --kill 2>/dev/null || true
SESSION
export work game E2E_DIR
# Each session starts a wine of its own on its display: one still running (the simulator's, with
# no display) would give the game the screen wine keeps when it has none, 1024 x 768.
play_session() {
  wineserver --wait
  xvfb-run -a -s "$screen" bash "$work/session.sh" "$@"
}

check_files_written() {  # check_files_written FOLDER: the files the end of a first run leaves
  [ "$(hex "$1/Options_zt.dat")" = "00 ff ff 00 00 01" ] || fail "Options_zt.dat in $1 is wrong or missing"
  [ "$(stat -c %s "$1/HighScores_zt.dat")" = 240 ] || fail "no 240-byte HighScores_zt.dat in $1"
  [ ! -e "$1/Errors.txt" ] || { cat "$1/Errors.txt" >&2; fail "errors were logged"; }
}

PLAY=1 play_session --record "$(windows_path "$work/wine.rec")"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly on Esc"; }
game_colours "$work/title.png" "$work/title.miff"
differing=$(compare -metric AE "$work/title.miff" "$work/title-linux.miff" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "$differing pixels of the title frame differ from the Linux one"
pass "the title frame is the Linux title frame, pixel for pixel"
changed() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" -gt 2000 ]; }
changed preview play1 || fail "the stage preview never gave way to play"
changed play1 play2 || fail "running right changed nothing on the screen"
pass "F1, Space and Right play level 1"
check_files_written "$game"
appdata=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming
# The settings file escapes a backslash as two.
grep -qxF "AppPath=$(windows_path "$game" | sed 's/\\/\\\\/g')" "$appdata/VORA/settings.ini" ||
  fail "the settings value is not in %APPDATA%\\VORA\\settings.ini"
pass "Esc writes the options and high scores beside the game, and the settings value"
[ "$(stat -c %s "$work/sound.raw")" -gt 100000 ] || fail "the game sent no sound to SDL's disk driver"
pass "the game plays sound"

# A game recorded on Windows replays the same on Linux.
same_simulation --replay "$work/wine.rec" --trace
pass "the recording made on Windows replays with the same bytes on Linux"

# Installed where the player may not write (marked as installed), the game keeps its files in
# %APPDATA%\pibo2 and leaves its own folder as it was.
rm -f "$game"/Options_zt.dat "$game"/HighScores_zt.dat* "$work/sound.raw"
touch "$game/pibo2.installed"
before=$(ls "$game" | sort)
play_session
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the installed game did not end cleanly"; }
check_files_written "$appdata/pibo2"
[ "$(ls "$game" | sort)" = "$before" ] || fail "the installed game wrote into its own folder"
pass "installed, the game keeps its files in %APPDATA%\\pibo2"
echo "test-windows: $passed checks passed"
