#!/usr/bin/env bash
# Every sound effect of the program's folder, then the first 20 s of each music track, one after
# the other in a single WAV for review, with a cue list beside it (what starts when).
# Usage: listening.sh PROGRAM_FOLDER OUT.wav
set -euo pipefail
game=$1
out=$2
parts=$(mktemp -d)
trap 'rm -rf "$parts"' EXIT
cues=${out%.wav}.txt
: > "$cues"
at=0
n=0
add() {  # a part and its name
  local part
  part=$(printf '%s/%03d.wav' "$parts" "$n")
  n=$((n + 1))
  cp "$1" "$part"
  printf '%8.2f s  %s\n' "$at" "$2" >> "$cues"
  at=$(awk -v a="$at" -v d="$(soxi -D "$part")" 'BEGIN { printf "%.3f", a + d }')
}
for wave in "$game"/*.wav; do
  sox "$wave" -r 44100 -c 2 -b 16 "$parts/effect.wav" pad 0 0.5
  add "$parts/effect.wav" "$(basename "$wave")"
done
for track in "$game"/Music/Track*.ogg; do
  sox "$track" -r 44100 -c 2 -b 16 "$parts/track.wav" trim 0 20 fade 0 20 1.5 pad 0 1
  add "$parts/track.wav" "Music/$(basename "$track")"
done
rm -f "$parts/effect.wav" "$parts/track.wav"
sox "$parts"/[0-9]*.wav "$out"
echo "$out: $(soxi -d "$out"), cues in $cues"
