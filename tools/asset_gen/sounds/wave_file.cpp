#include "tools/asset_gen/sounds/wave_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace snd {

void Finish(Wave& w, double peak) {
  if (w.s.empty()) throw std::runtime_error("empty wave");
  HighPass(w, 25.0);
  if (w.rate <= kLowQuality.rate) {
    // Fourth-order lowpass: the little 8 000 samples/s waves keep clear of the folding edge.
    LowPass(w, 3300.0, 0.541);
    LowPass(w, 3300.0, 1.307);
  }

  const double raw = w.Peak();
  if (!(raw > 0.0) || !std::isfinite(raw)) throw std::runtime_error("silent or broken wave");
  std::size_t last = w.s.size();
  while (last > 0 && std::fabs(w.s[last - 1]) < raw * 1e-3) --last;
  w.s.resize(std::min(w.s.size(), last + std::size_t(0.01 * w.rate)));

  // Raised-cosine edges: 1 ms in, 8 ms out.
  const std::size_t in = std::min(w.s.size() / 4, std::size_t(0.001 * w.rate));
  const std::size_t out = std::min(w.s.size() / 4, std::size_t(0.008 * w.rate));
  for (std::size_t i = 0; i < in; ++i) w.s[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
  for (std::size_t i = 0; i < out; ++i) {
    w.s[w.s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / out);
  }
  w.Scale(peak / w.Peak());
}

namespace {

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(const Wave& w, int bits) {
  if (bits != 8 && bits != 16) throw std::invalid_argument("waves are 8 or 16 bits");
  const std::uint32_t block = bits / 8;
  const auto dataSize = std::uint32_t(w.s.size() * block);
  const std::uint32_t pad = dataSize % 2;  // RIFF chunks keep an even length
  std::vector<std::uint8_t> b;
  b.reserve(44 + dataSize + pad);
  PutTag(b, "RIFF");
  Put32(b, 4 + (8 + 16) + (8 + dataSize + pad));
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, std::uint32_t(w.rate));
  Put32(b, std::uint32_t(w.rate) * block);
  Put16(b, std::uint16_t(block));
  Put16(b, std::uint16_t(bits));
  PutTag(b, "data");
  Put32(b, dataSize);
  for (double x : w.s) {
    x = std::clamp(x, -1.0, 1.0);
    if (bits == 8) {
      b.push_back(std::uint8_t(std::clamp<long>(128 + std::lround(x * 127.0), 1, 255)));
    } else {
      Put16(b, std::uint16_t(std::int16_t(std::lround(x * 32767.0))));
    }
  }
  if (pad) b.push_back(128);
  return b;
}

void WriteWave(const std::filesystem::path& file, const Wave& w, int bits) {
  const std::vector<std::uint8_t> bytes = EncodeWave(w, bits);
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  f.close();
  if (!f) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace snd
