#pragma once
// Mastering and writing of the game's waves.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "tools/asset_gen/sounds/synth.h"

namespace snd {

// The two qualities the game loads its waves at: 8 000 samples/s in 8 bits, or 22 050 in 16.
struct Format {
  int rate;
  int bits;
};
inline constexpr Format kLowQuality{8000, 8};
inline constexpr Format kHighQuality{22050, 16};

// Makes a raw wave ready to play: no DC, nothing above the band of a low-rate wave, silence at
// the end trimmed, soft edges so it never clicks, and its loudest sample at `peak` (below 1).
void Finish(Wave& w, double peak);

// Mono PCM in a RIFF/WAVE container (16-byte "fmt " chunk, then "data"): 8-bit samples are
// unsigned around 128, 16-bit ones signed little-endian.
std::vector<std::uint8_t> EncodeWave(const Wave& w, int bits);
// Writes the encoded wave; throws std::runtime_error when the file cannot be written.
void WriteWave(const std::filesystem::path& file, const Wave& w, int bits);

}  // namespace snd
