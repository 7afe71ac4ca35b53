#!/usr/bin/env bash
# A game with the music switched on (the sound effects off), played on a virtual X display with
# SDL's disk audio driver recording what the game sends to the speakers: the title screen is
# silent, once play begins the stage's music is heard, and a game begun with the stage 3 password
# plays music as well.
source "$(dirname "$0")/common.inc"

printf '\x00\x00\x00\xff\xff\x01' > "$work/Options_zt.dat"  # music on, sound effects off
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/speakers.raw"
export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
start_at_title
sleep 1
cp speakers.raw title.raw
xdotool key F1; sleep 1.5
xdotool keydown space; sleep 0.2; xdotool keyup space; sleep 4.5
cp speakers.raw before_play.raw
sleep 4
cp speakers.raw playing.raw
xdotool key Escape; sleep 1
xdotool key F2; sleep 1
xdotool type --delay 80 gunpav; sleep 0.3
xdotool key Return; sleep 1.5
xdotool keydown space; sleep 0.2; xdotool keyup space; sleep 4.5
cp speakers.raw before_stage3.raw
sleep 3
cp speakers.raw stage3.raw
xdotool key Escape; sleep 1
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly (status $(cat "$work/status"))"; }

# The disk driver writes 44 100 Hz stereo 16-bit samples, as the mixer is opened.
level() {  # RMS in dB of the samples from byte $2 to byte $3 of $1
  dd if="$1" bs=4 skip=$(($2 / 4)) count=$((($3 - $2) / 4)) status=none |
    sox -t raw -r 44100 -e signed -b 16 -c 2 - -n stats 2>&1 | awk '/^RMS lev dB/ { print $4 }'
}
title_bytes=$(stat -c %s "$work/title.raw")
start=$(stat -c %s "$work/before_play.raw")
end=$(stat -c %s "$work/playing.raw")
[ "$end" -gt $((start + 44100 * 4 * 2)) ] || fail "less than two seconds were recorded during play"
title_level=$(level "$work/playing.raw" 0 "$title_bytes")
play_level=$(level "$work/playing.raw" "$start" "$end")
awk -v l="$title_level" 'BEGIN { exit !(l == "-inf" || l < -60) }' || fail "the title screen is not silent ($title_level dB)"
awk -v l="$play_level" 'BEGIN { exit !(l != "-inf" && l > -35) }' || fail "no music during play ($play_level dB)"
stage3_level=$(level "$work/stage3.raw" "$(stat -c %s "$work/before_stage3.raw")" "$(stat -c %s "$work/stage3.raw")")
awk -v l="$stage3_level" 'BEGIN { exit !(l != "-inf" && l > -35) }' ||
  fail "no music in a game begun with a stage password ($stage3_level dB)"
echo "music: passed (title $title_level dB, play $play_level dB, stage 3 by password $stage3_level dB)"
