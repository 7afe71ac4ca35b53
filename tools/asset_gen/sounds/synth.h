#pragma once
// A small synthesis toolkit for the game's sound effects: a sample buffer, a seeded noise source,
// band-limited oscillators, filters, envelopes and a few room effects. Everything works on
// doubles in about -1 to 1; the wave writer turns the result into 8- or 16-bit PCM.
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace snd {

inline constexpr double kPi = 3.14159265358979323846;

// A mono buffer at a fixed sample rate.
struct Wave {
  Wave(int nRate, double seconds);

  int rate;
  std::vector<double> s;

  double Seconds() const { return double(s.size()) / rate; }
  double Time(std::size_t i) const { return double(i) / rate; }
  // Adds `other` (same rate) starting at `at` seconds, scaled by `gain`; grows the buffer as
  // needed so tails are never cut.
  void Mix(const Wave& other, double at, double gain = 1.0);
  void Scale(double gain);
  double Peak() const;
};

// A wave of `seconds` whose every sample is fn(t), t in seconds; fn may keep state (oscillators,
// filters), since it is called in time order.
template <class Fn>
Wave Render(int rate, double seconds, Fn&& fn) {
  Wave w(rate, seconds);
  for (std::size_t i = 0; i < w.s.size(); ++i) w.s[i] = fn(w.Time(i));
  return w;
}

// Deterministic noise: a 64-bit xorshift generator, so every run gives the same sounds.
// As with the pictures' generator, take at most one sample from it per statement, since the
// order of a call's arguments or an operator's operands is up to the compiler.
class Noise {
 public:
  explicit Noise(std::uint64_t seed);
  double Uniform();  // [0, 1)
  double White();    // [-1, 1)

 private:
  std::uint64_t state_;
};

// Highest frequency an oscillator may produce at a rate. At 8 000 samples/s the game's small
// waves stay under 3.4 kHz so nothing folds back into an audible whine.
double BandLimit(int rate);

enum class Shape { kSine, kTriangle, kSquare, kSaw };

// A band-limited oscillator built from harmonics: only the partials below the band limit sound,
// and those near it fade in and out smoothly as the pitch glides, so sweeps stay clean.
class Osc {
 public:
  Osc(int rate, Shape shape, double phase = 0.0);
  // Any timbre from its harmonic amplitudes (index 0 is the fundamental).
  Osc(int rate, std::vector<double> harmonics, double phase = 0.0);
  // The next sample at `freq` Hz.
  double Next(double freq);

 private:
  double rate_;
  double limit_;
  double phase_;
  std::vector<double> amps_;
};

// Second-order filter (the usual cookbook shapes). Set may be called every sample for sweeps.
class Biquad {
 public:
  enum class Type { kLowPass, kHighPass, kBandPass };
  Biquad(Type type, double freq, double q, int rate);
  void Set(double freq, double q);
  double Process(double x);

 private:
  Type type_;
  double rate_;
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Piecewise-linear envelope through (time, level) points; before the first point it holds the
// first level, after the last the last level.
class Env {
 public:
  Env(std::initializer_list<std::pair<double, double>> points);
  double operator()(double t) const;

 private:
  std::vector<std::pair<double, double>> pts_;
};

// Percussive envelope: a short linear rise over `attack` seconds, then exponential decay with
// time constant `tau` seconds.
double Perc(double t, double attack, double tau);
// Exponential glide from f0 to f1 over `dur` seconds, then holding f1.
double Glide(double t, double dur, double f0, double f1);
// Linear ramp from v0 at t0 to v1 at t1, clamped outside.
double Ramp(double t, double t0, double t1, double v0, double v1);
// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double NoteHz(double note);

// Room effects; both lengthen the wave by their tail.
void Echo(Wave& w, double delay, double feedback, double wet, double tail);
void Reverb(Wave& w, double size, double damping, double wet);
// Fades the wave out between `from` and `to` seconds and ends it there.
void FadeOut(Wave& w, double from, double to);
// Smooth saturation: makes a wave denser and louder without hard edges.
void Saturate(Wave& w, double drive);
void LowPass(Wave& w, double freq, double q = 0.707);
void HighPass(Wave& w, double freq, double q = 0.707);

}  // namespace snd
