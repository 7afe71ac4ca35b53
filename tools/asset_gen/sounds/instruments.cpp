#include "tools/asset_gen/sounds/instruments.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <string>

namespace snd {

namespace {

double ParseNumber(std::string_view text, std::string_view token) {
  try {
    std::size_t used = 0;
    const double v = std::stod(std::string(text), &used);
    if (used == text.size()) return v;
  } catch (const std::exception&) {
  }
  throw std::invalid_argument("bad number in score token '" + std::string(token) + "'");
}

double ParsePitch(std::string_view name, std::string_view token) {
  static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
    throw std::invalid_argument("bad pitch in score token '" + std::string(token) + "'");
  }
  int semitone = kSemitone[name[0] - 'A'];
  std::size_t i = 1;
  if (name[i] == '#') {
    ++semitone;
    ++i;
  } else if (name[i] == 'b') {
    --semitone;
    ++i;
  }
  const double octave = ParseNumber(name.substr(i), token);
  return 12.0 * (octave + 1.0) + semitone;
}

}  // namespace

std::vector<Note> ParseScore(std::string_view score) {
  std::vector<Note> notes;
  double beat = 0.0;
  std::size_t pos = 0;
  while (pos < score.size()) {
    if (score[pos] == ' ' || score[pos] == '\n') {
      ++pos;
      continue;
    }
    const std::size_t end = std::min(score.find_first_of(" \n", pos), score.size());
    const std::string_view token = score.substr(pos, end - pos);
    pos = end;

    std::string_view head = token;
    double velocity = 1.0, beats = 1.0;
    if (auto at = head.find('@'); at != std::string_view::npos) {
      velocity = ParseNumber(head.substr(at + 1), token);
      head = head.substr(0, at);
    }
    if (auto colon = head.find(':'); colon != std::string_view::npos) {
      beats = ParseNumber(head.substr(colon + 1), token);
      head = head.substr(0, colon);
    }
    if (head == "x") {
      notes.push_back({beat, beats, 60.0, velocity});
    } else if (head != "r") {
      while (!head.empty()) {
        const std::size_t plus = std::min(head.find('+'), head.size());
        notes.push_back({beat, beats, ParsePitch(head.substr(0, plus), token), velocity});
        head = plus < head.size() ? head.substr(plus + 1) : std::string_view();
      }
    }
    beat += beats;
  }
  return notes;
}

void Play(Wave& song, double bpm, std::string_view score, const Instrument& inst, double gain,
          double at, double transpose) {
  const double secondsPerBeat = 60.0 / bpm;
  for (const Note& n : ParseScore(score)) {
    song.Mix(inst(NoteHz(n.pitch + transpose), n.beats * secondsPerBeat),
             at + n.beat * secondsPerBeat, gain * n.velocity);
  }
}

namespace {

// Held-note envelope: attack, decay to a sustain level, then release after `held` seconds.
double Adsr(double t, double held, double attack, double decay, double sustain, double release) {
  double level;
  if (t < attack) {
    level = t / attack;
  } else {
    level = sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
  }
  if (t > held) level *= std::max(0.0, 1.0 - (t - held) / release);
  return level;
}

// A slow vibrato that sets in after the note has started, as a player would do it.
double Vibrato(double t, double depth) {
  return 1.0 + depth * Ramp(t, 0.12, 0.35, 0.0, 1.0) * std::sin(2.0 * kPi * 5.5 * t);
}

}  // namespace

Wave Pluck(int rate, double freq, double seconds, double brightness) {
  // Each partial of a plucked string dies away faster the higher it is.
  const double release = 0.08;
  Wave w(rate, seconds + release);
  const double limit = BandLimit(rate);
  for (int k = 1; k * freq < limit && k <= 40; ++k) {
    const double amp = std::fabs(std::sin(k * kPi * 0.23)) / std::pow(k, 1.6 - 0.6 * brightness);
    const double tau = 0.9 / (1.0 + 0.35 * (k - 1) * (1.2 - brightness)) * (220.0 / (freq + 110.0));
    const double f = freq * k * (1.0 + 0.0004 * k * k);  // a hint of string stiffness
    const double fade = std::min(1.0, (limit - k * freq) / (0.2 * limit));
    for (std::size_t i = 0; i < w.s.size(); ++i) {
      const double t = w.Time(i);
      w.s[i] += fade * amp * std::exp(-t / tau) * std::sin(2.0 * kPi * f * t);
    }
  }
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    w.s[i] *= std::min(1.0, t / 0.002) * (t > seconds ? 1.0 - (t - seconds) / release : 1.0);
  }
  w.Scale(0.7);
  return w;
}

Wave Mallet(int rate, double freq, double seconds, double ring) {
  // Partials of a tuned bar: the fundamental rings, the bright overtones only strike.
  static constexpr double kRatio[] = {1.0, 2.0, 3.0, 4.2, 5.4};
  static constexpr double kAmp[] = {1.0, 0.45, 0.25, 0.18, 0.10};
  static constexpr double kTau[] = {1.0, 0.55, 0.30, 0.15, 0.08};
  const double length = std::max(seconds, 0.15) + ring * 1.2;
  Wave w(rate, length);
  const double limit = BandLimit(rate);
  for (int p = 0; p < 5; ++p) {
    const double f = freq * kRatio[p];
    if (f >= limit) break;
    const double fade = std::min(1.0, (limit - f) / (0.2 * limit));
    const double tau = kTau[p] * (0.08 + 0.5 * ring);
    for (std::size_t i = 0; i < w.s.size(); ++i) {
      const double t = w.Time(i);
      w.s[i] += fade * kAmp[p] * Perc(t, 0.002, tau) * std::sin(2.0 * kPi * f * t);
    }
  }
  for (std::size_t i = 0; i < w.s.size(); ++i)
    w.s[i] *= Ramp(w.Time(i), length - 0.05, length, 1, 0);
  w.Scale(0.6);
  return w;
}

Wave Brass(int rate, double freq, double seconds) {
  const double release = 0.12;
  Wave w(rate, seconds + release);
  Osc osc(rate, Shape::kSaw);
  Osc osc2(rate, Shape::kSaw, 0.37);
  Biquad lp(Biquad::Type::kLowPass, freq * 2, 0.9, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    // The horn "blares": the tone opens up fast on the attack and settles back a little.
    const double bright = 1.5 + 5.0 * Perc(t, 0.04, 0.25) + 2.0;
    lp.Set(std::min(freq * bright, 7000.0), 0.9);
    const double f = freq * Vibrato(t, 0.006);
    const double x = 0.5 * (osc.Next(f) + osc2.Next(f * 1.003));
    w.s[i] = lp.Process(x) * Adsr(t, seconds, 0.025, 0.15, 0.75, release);
  }
  return w;
}

Wave Lead(int rate, double freq, double seconds, Shape shape, double vibrato) {
  const double release = 0.06;
  Wave w(rate, seconds + release);
  Osc osc(rate, shape);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    w.s[i] =
        0.5 * osc.Next(freq * Vibrato(t, vibrato)) * Adsr(t, seconds, 0.008, 0.1, 0.7, release);
  }
  return w;
}

Wave Pad(int rate, double freq, double seconds, double attack, double cutoff) {
  const double release = 0.6;
  Wave w(rate, seconds + release);
  // Three slightly detuned voices beat slowly against each other: a wide, soft chorus.
  Osc a(rate, Shape::kSaw, 0.0), b(rate, Shape::kSaw, 0.31), c(rate, Shape::kSaw, 0.67);
  Biquad lp(Biquad::Type::kLowPass, cutoff, 0.6, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    const double x = a.Next(freq) + b.Next(freq * 1.0045) + c.Next(freq * 0.9955);
    w.s[i] = 0.25 * lp.Process(x) * Adsr(t, seconds, attack, 1.0, 1.0, release);
  }
  return w;
}

Wave Bass(int rate, double freq, double seconds, double cutoff) {
  const double release = 0.05;
  Wave w(rate, seconds + release);
  Osc osc(rate, Shape::kSaw);
  Osc sub(rate, Shape::kSine);
  Biquad lp(Biquad::Type::kLowPass, cutoff, 1.2, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    lp.Set(cutoff * (0.5 + 1.5 * std::exp(-t / 0.08)), 1.2);
    const double x = 0.6 * lp.Process(osc.Next(freq)) + 0.4 * sub.Next(freq);
    w.s[i] = x * Adsr(t, seconds, 0.004, 0.15, 0.6, release);
  }
  return w;
}

Wave Kick(int rate, double depth) {
  Wave w(rate, 0.35);
  double phase = 0;
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    const double f = 42.0 + depth * 120.0 * std::exp(-t / 0.028);
    phase += f / rate;
    w.s[i] = std::sin(2.0 * kPi * phase) * Perc(t, 0.002, 0.13) * Ramp(t, 0.3, 0.35, 1, 0);
  }
  return w;
}

Wave Snare(int rate, Noise& noise) {
  Wave w(rate, 0.25);
  Biquad hp(Biquad::Type::kHighPass, 1500, 0.7, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    const double body = std::sin(2.0 * kPi * 185.0 * t) * Perc(t, 0.001, 0.04);
    const double rattle = hp.Process(noise.White()) * Perc(t, 0.001, 0.065);
    w.s[i] = (0.5 * body + 0.7 * rattle) * Ramp(t, 0.2, 0.25, 1, 0);
  }
  return w;
}

Wave HiHat(int rate, Noise& noise, double length) {
  Wave w(rate, length * 4 + 0.01);
  Biquad hp(Biquad::Type::kHighPass, std::min(7000.0, 0.35 * rate), 0.8, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    w.s[i] = 0.5 * hp.Process(noise.White()) * Perc(t, 0.001, length) *
             Ramp(t, w.Seconds() - 0.005, w.Seconds(), 1, 0);
  }
  return w;
}

Wave Cymbal(int rate, Noise& noise, double length) {
  // Six square waves at unrelated pitches make a dense metallic shimmer; only its top is kept,
  // with some noise for the wash.
  static constexpr double kFreq[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  std::vector<Osc> metal;
  for (std::size_t k = 0; k < std::size(kFreq); ++k) {
    metal.emplace_back(rate, Shape::kSquare, noise.Uniform());
  }
  const double cut = std::min(5500.0, 0.3 * rate);
  Biquad hp1(Biquad::Type::kHighPass, cut, 0.54, rate),
      hp2(Biquad::Type::kHighPass, cut, 1.31, rate);
  Wave w(rate, length * 4 + 0.01);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    double x = 0;
    for (std::size_t k = 0; k < metal.size(); ++k) x += metal[k].Next(kFreq[k]) / 6.0;
    x = hp2.Process(hp1.Process(0.8 * x + 0.4 * noise.White()));
    w.s[i] = x * Perc(t, 0.001, length) * Ramp(t, w.Seconds() - 0.01, w.Seconds(), 1, 0);
  }
  return w;
}

Wave Clang(int rate, double freq, Noise& noise) {
  // A struck metal block: inharmonic modes, the low ones ringing longest, over a short scrape.
  static constexpr double kRatio[] = {1.0, 2.76, 5.40, 8.93, 1.47};
  static constexpr double kAmp[] = {0.7, 0.5, 0.35, 0.2, 0.3};
  static constexpr double kTau[] = {0.35, 0.22, 0.12, 0.07, 0.25};
  Wave w(rate, 0.9);
  const double limit = BandLimit(rate);
  for (int p = 0; p < 5; ++p) {
    const double f = freq * kRatio[p];
    if (f >= limit) continue;
    for (std::size_t i = 0; i < w.s.size(); ++i) {
      const double t = w.Time(i);
      w.s[i] += kAmp[p] * Perc(t, 0.001, kTau[p]) * std::sin(2.0 * kPi * f * t);
    }
  }
  Biquad bp(Biquad::Type::kBandPass, std::min(freq * 4.0, 0.4 * rate), 1.5, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    w.s[i] += 0.8 * bp.Process(noise.White()) * Perc(t, 0.0005, 0.012);
    w.s[i] *= 0.5 * Ramp(t, 0.85, 0.9, 1, 0);
  }
  return w;
}

Wave Tom(int rate, double freq) {
  Wave w(rate, 0.4);
  double phase = 0;
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    phase += freq * (1.0 + 0.6 * std::exp(-t / 0.04)) / rate;
    w.s[i] = std::sin(2.0 * kPi * phase) * Perc(t, 0.002, 0.12) * Ramp(t, 0.35, 0.4, 1, 0);
  }
  return w;
}

Wave Tek(int rate, Noise& noise) {
  Wave w(rate, 0.08);
  Biquad bp(Biquad::Type::kBandPass, std::min(3200.0, 0.4 * rate), 2.0, rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double t = w.Time(i);
    const double ring = std::sin(2.0 * kPi * 820.0 * t) * Perc(t, 0.0005, 0.012);
    w.s[i] = (0.9 * bp.Process(noise.White()) * Perc(t, 0.0005, 0.01) + 0.4 * ring) *
             Ramp(t, 0.07, 0.08, 1, 0);
  }
  return w;
}

}  // namespace snd
