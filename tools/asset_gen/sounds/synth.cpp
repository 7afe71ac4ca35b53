#include "tools/asset_gen/sounds/synth.h"

#include <algorithm>
#include <cmath>

namespace snd {

Wave::Wave(int nRate, double seconds)
    : rate(nRate), s(std::size_t(std::max(0.0, std::ceil(seconds * nRate))), 0.0) {}

void Wave::Mix(const Wave& other, double at, double gain) {
  const auto start = std::size_t(std::max(0.0, std::round(at * rate)));
  if (s.size() < start + other.s.size()) s.resize(start + other.s.size(), 0.0);
  for (std::size_t i = 0; i < other.s.size(); ++i) s[start + i] += gain * other.s[i];
}

void Wave::Scale(double gain) {
  for (double& x : s) x *= gain;
}

double Wave::Peak() const {
  double p = 0;
  for (double x : s) p = std::max(p, std::fabs(x));
  return p;
}

Noise::Noise(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
  if (state_ == 0) state_ = 1;
}

double Noise::Uniform() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return double((state_ * 0x2545F4914F6CDD1Dull) >> 11) / double(1ull << 53);
}

double Noise::White() {
  return 2.0 * Uniform() - 1.0;
}

double BandLimit(int rate) {
  return std::min(0.425 * rate, 9500.0);
}

namespace {

std::vector<double> HarmonicsOf(Shape shape) {
  constexpr int kMax = 400;
  std::vector<double> a(kMax, 0.0);
  for (int k = 1; k <= kMax; ++k) {
    switch (shape) {
      case Shape::kSine:
        a[k - 1] = k == 1 ? 1.0 : 0.0;
        break;
      case Shape::kTriangle:
        a[k - 1] = k % 2 ? ((k / 2) % 2 ? -1.0 : 1.0) * 8.0 / (kPi * kPi * k * k) : 0.0;
        break;
      case Shape::kSquare:
        a[k - 1] = k % 2 ? 4.0 / (kPi * k) : 0.0;
        break;
      case Shape::kSaw:
        a[k - 1] = (k % 2 ? 2.0 : -2.0) / (kPi * k);
        break;
    }
  }
  while (a.size() > 1 && a.back() == 0.0) a.pop_back();
  return a;
}

}  // namespace

Osc::Osc(int rate, Shape shape, double phase) : Osc(rate, HarmonicsOf(shape), phase) {}

Osc::Osc(int rate, std::vector<double> harmonics, double phase)
    : rate_(rate), limit_(BandLimit(rate)), phase_(phase), amps_(std::move(harmonics)) {}

double Osc::Next(double freq) {
  const double theta = 2.0 * kPi * phase_;
  freq = std::fabs(freq);
  phase_ += freq / rate_;
  phase_ -= std::floor(phase_);
  if (freq <= 0.0) return 0.0;
  // sin(k theta) by the Chebyshev recurrence: one cosine per sample, whatever the harmonic count.
  const int n = std::min<int>(int(amps_.size()), int(limit_ / freq));
  const double c2 = 2.0 * std::cos(theta);
  const double fadeBand = 0.2 * limit_;
  double prev = 0.0, cur = std::sin(theta), sum = 0.0;
  for (int k = 1; k <= n; ++k) {
    const double taper = std::min(1.0, (limit_ - k * freq) / fadeBand);
    sum += amps_[k - 1] * taper * cur;
    const double next = c2 * cur - prev;
    prev = cur;
    cur = next;
  }
  return sum;
}

Biquad::Biquad(Type type, double freq, double q, int rate) : type_(type), rate_(rate) {
  Set(freq, q);
}

void Biquad::Set(double freq, double q) {
  freq = std::clamp(freq, 10.0, 0.45 * rate_);
  const double w = 2.0 * kPi * freq / rate_;
  const double alpha = std::sin(w) / (2.0 * q);
  const double cw = std::cos(w);
  const double a0 = 1.0 + alpha;
  double b0 = 0, b1 = 0, b2 = 0;
  switch (type_) {
    case Type::kLowPass:
      b0 = b2 = (1.0 - cw) / 2.0;
      b1 = 1.0 - cw;
      break;
    case Type::kHighPass:
      b0 = b2 = (1.0 + cw) / 2.0;
      b1 = -(1.0 + cw);
      break;
    case Type::kBandPass:  // peak gain 1 at the centre
      b0 = alpha;
      b1 = 0.0;
      b2 = -alpha;
      break;
  }
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = -2.0 * cw / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

Env::Env(std::initializer_list<std::pair<double, double>> points) : pts_(points) {}

double Env::operator()(double t) const {
  if (pts_.empty()) return 0.0;
  if (t <= pts_.front().first) return pts_.front().second;
  for (std::size_t i = 1; i < pts_.size(); ++i) {
    if (t < pts_[i].first) {
      const auto& [t0, v0] = pts_[i - 1];
      const auto& [t1, v1] = pts_[i];
      return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
    }
  }
  return pts_.back().second;
}

double Perc(double t, double attack, double tau) {
  if (t < 0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

double Glide(double t, double dur, double f0, double f1) {
  const double u = std::clamp(t / dur, 0.0, 1.0);
  return f0 * std::pow(f1 / f0, u);
}

double Ramp(double t, double t0, double t1, double v0, double v1) {
  if (t <= t0) return v0;
  if (t >= t1) return v1;
  return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
}

double NoteHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

void Echo(Wave& w, double delay, double feedback, double wet, double tail) {
  const std::size_t d = std::max<std::size_t>(1, std::size_t(delay * w.rate));
  const std::size_t n = w.s.size();
  w.s.resize(n + std::size_t(tail * w.rate), 0.0);
  std::vector<double> line(w.s.size(), 0.0);
  // The echoes are darkened a little each time round, as in a real room.
  Biquad tone(Biquad::Type::kLowPass, 0.3 * w.rate, 0.707, w.rate);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double back = i >= d ? line[i - d] : 0.0;
    line[i] = tone.Process((i < n ? w.s[i] : 0.0) + feedback * back);
    w.s[i] += wet * back;
  }
}

namespace {

// One comb of the reverb: a delay line fed back through a gentle lowpass.
struct Comb {
  std::vector<double> buf;
  std::size_t pos = 0;
  double store = 0;
  double Process(double x, double feedback, double damping) {
    const double out = buf[pos];
    store = out * (1.0 - damping) + store * damping;
    buf[pos] = x + store * feedback;
    pos = (pos + 1) % buf.size();
    return out;
  }
};

struct AllPass {
  std::vector<double> buf;
  std::size_t pos = 0;
  double Process(double x) {
    const double b = buf[pos];
    buf[pos] = x + b * 0.5;
    pos = (pos + 1) % buf.size();
    return b - x;
  }
};

}  // namespace

void Reverb(Wave& w, double size, double damping, double wet) {
  // Four combs of unrelated lengths into two allpasses: a small, smooth room.
  static constexpr double kCombMs[] = {29.7, 37.1, 41.1, 43.7};
  static constexpr double kAllPassMs[] = {5.0, 1.7};
  const double scale = 0.6 + 1.2 * size;
  std::vector<Comb> combs;
  for (double ms : kCombMs) {
    combs.push_back({std::vector<double>(std::size_t(ms * scale * w.rate / 1000.0), 0.0)});
  }
  std::vector<AllPass> passes;
  for (double ms : kAllPassMs) {
    passes.push_back({std::vector<double>(std::size_t(ms * w.rate / 1000.0), 0.0)});
  }
  const double feedback = 0.68 + 0.2 * size;
  const std::size_t n = w.s.size();
  w.s.resize(n + std::size_t((0.3 + 2.0 * size) * w.rate), 0.0);
  for (std::size_t i = 0; i < w.s.size(); ++i) {
    const double x = (i < n ? w.s[i] : 0.0) * 0.25;
    double y = 0;
    for (Comb& c : combs) y += c.Process(x, feedback, damping);
    for (AllPass& a : passes) y = a.Process(y);
    w.s[i] += wet * y;
  }
}

void FadeOut(Wave& w, double from, double to) {
  w.s.resize(std::min(w.s.size(), std::size_t(to * w.rate)));
  for (std::size_t i = std::size_t(from * w.rate); i < w.s.size(); ++i) {
    w.s[i] *= 0.5 + 0.5 * std::cos(kPi * (w.Time(i) - from) / (to - from));
  }
}

void Saturate(Wave& w, double drive) {
  const double norm = std::tanh(drive);
  for (double& x : w.s) x = std::tanh(drive * x) / norm;
}

void LowPass(Wave& w, double freq, double q) {
  Biquad f(Biquad::Type::kLowPass, freq, q, w.rate);
  for (double& x : w.s) x = f.Process(x);
}

void HighPass(Wave& w, double freq, double q) {
  Biquad f(Biquad::Type::kHighPass, freq, q, w.rate);
  for (double& x : w.s) x = f.Process(x);
}

}  // namespace snd
