#include "tools/asset_gen/music/stereo.h"

#include <cmath>
#include <memory>
#include <string>

namespace music {

void Stereo::Mix(const snd::Wave& part, double at, double gain, double pan) {
  const double angle = (pan + 1.0) * snd::kPi / 4.0;
  l.Mix(part, at, gain * std::cos(angle) * std::sqrt(2.0));
  r.Mix(part, at, gain * std::sin(angle) * std::sqrt(2.0));
}

void Stereo::Mix(const Stereo& other, double at, double gain) {
  l.Mix(other.l, at, gain);
  r.Mix(other.r, at, gain);
}

snd::Instrument Remembered(snd::Instrument inst) {
  auto notes = std::make_shared<std::map<std::pair<double, double>, snd::Wave>>();
  return [inst = std::move(inst), notes](double freq, double seconds) {
    const auto key = std::make_pair(freq, seconds);
    auto found = notes->find(key);
    if (found == notes->end()) found = notes->emplace(key, inst(freq, seconds)).first;
    return found->second;
  };
}

snd::Wave Part(int nRate, double bpm, std::string_view score, const snd::Instrument& inst,
               double gain, double transpose) {
  snd::Wave part(nRate, 0.0);
  snd::Play(part, bpm, score, inst, gain, 0.0, transpose);
  return part;
}

std::string Times(std::string_view score, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) {
    if (!out.empty()) out += ' ';
    out += score;
  }
  return out;
}

}  // namespace music
