#pragma once
// Instruments and a tiny note sequencer for the game's jingles.
//
// A score is a line of tokens, played one after the other:
//   C5        a note of one beat (names C to B, then # or b, then the octave; A4 = 440 Hz)
//   F#4:0.5   half a beat
//   C4+E4+G4:2  a chord of two beats
//   r:1       a rest of one beat
//   x:0.5     a hit for a drum (pitch does not matter)
//   E5@0.6    any token may end in @ and a loudness from 0 to 1 (default 1)
#include <functional>
#include <string_view>
#include <vector>

#include "tools/asset_gen/sounds/synth.h"

namespace snd {

struct Note {
  double beat;   // start, in beats from the start of the score
  double beats;  // held length
  double pitch;  // MIDI note number
  double velocity;
};

// Parses a score; throws std::invalid_argument on a malformed token.
std::vector<Note> ParseScore(std::string_view score);

// Renders one note: frequency in Hz and the held length in seconds; the result may ring on
// past the held length (its release).
using Instrument = std::function<Wave(double freq, double seconds)>;

// Plays `score` on `inst` into `song` at `bpm`, starting `at` seconds in, shifted by `transpose`
// semitones.
void Play(Wave& song, double bpm, std::string_view score, const Instrument& inst, double gain,
          double at = 0.0, double transpose = 0.0);

// Tuned instruments.
Wave Pluck(int rate, double freq, double seconds, double brightness);  // plucked string
Wave Mallet(int rate, double freq, double seconds, double ring);       // soft bell / glass
Wave Brass(int rate, double freq, double seconds);                     // fanfare horn
Wave Lead(int rate, double freq, double seconds, Shape shape, double vibrato);
Wave Pad(int rate, double freq, double seconds, double attack, double cutoff);
Wave Bass(int rate, double freq, double seconds, double cutoff);

// Drums and noises. Those that need noise take the song's generator, so a whole jingle is
// repeatable from one seed.
Wave Kick(int rate, double depth);
Wave Snare(int rate, Noise& noise);
Wave HiHat(int rate, Noise& noise, double length);
Wave Cymbal(int rate, Noise& noise, double length);  // crash and splash
Wave Clang(int rate, double freq, Noise& noise);     // struck metal: anvils, pipes
Wave Tom(int rate, double freq);
Wave Tek(int rate, Noise& noise);  // the dry rim stroke of a hand drum

}  // namespace snd
