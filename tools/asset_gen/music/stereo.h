#pragma once
// The music's building blocks: a stereo buffer, parts placed in it at a pan position, and
// instruments whose notes are rendered once and reused, so a track of a minute and a half costs
// only as many notes as it has different ones.
#include <functional>
#include <map>
#include <string_view>
#include <tuple>
#include <vector>

#include "tools/asset_gen/sounds/instruments.h"
#include "tools/asset_gen/sounds/synth.h"

namespace music {

struct Stereo {
  Stereo(int nRate, double seconds) : l(nRate, seconds), r(nRate, seconds) {}
  snd::Wave l, r;

  int Rate() const { return l.rate; }
  double Seconds() const { return l.Seconds(); }
  // A mono part at `at` seconds; pan -1 is hard left, 0 the middle, 1 hard right (equal power).
  void Mix(const snd::Wave& part, double at, double gain, double pan = 0.0);
  void Mix(const Stereo& other, double at, double gain = 1.0);
};

// An instrument whose notes are kept by pitch and length: the same note is rendered once.
snd::Instrument Remembered(snd::Instrument inst);

// The score played on the instrument as a part of its own, ready to be treated and placed.
snd::Wave Part(int nRate, double bpm, std::string_view score, const snd::Instrument& inst,
               double gain = 1.0, double transpose = 0.0);

// The score repeated `times` times.
std::string Times(std::string_view score, int times);

}  // namespace music
