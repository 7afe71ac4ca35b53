#pragma once
// Pictures and waves made byte by byte, well-formed or broken on purpose, for the tests and the
// fuzzers' seed files.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace hostile_files {

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A BMP with a 40-byte header: a full palette below 16 bits, colour masks for compression 3, and
// the rows of pixels (grey ramps). nFileSize, when given, cuts or pads the file to that size, so
// headers that declare gigabytes cost nothing to make.
inline std::vector<uint8_t> Bitmap(int64_t nWidth, int64_t nHeight, int nBits,
                                   uint32_t nCompression = 0, size_t nFileSize = 0) {
  const size_t palette = nBits <= 8 ? 4u << nBits : 0;
  const size_t masks = nCompression == 3 ? 12 : 0;
  const size_t offset = 14 + 40 + masks + palette;
  const uint64_t row = (static_cast<uint64_t>(std::llabs(nWidth)) * nBits + 31) / 32 * 4;
  const uint64_t data = row * static_cast<uint64_t>(std::llabs(nHeight));
  std::vector<uint8_t> b(nFileSize != 0 ? nFileSize : offset + data, 0);
  if (b.size() < offset) b.resize(offset);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(nWidth));
  Put32(b, 22, static_cast<uint32_t>(nHeight));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<uint32_t>(nBits));
  Put32(b, 30, nCompression);
  if (masks != 0) {
    const bool wide = nBits == 32;
    Put32(b, 54, wide ? 0xFF0000 : 0xF800);
    Put32(b, 58, wide ? 0x00FF00 : 0x07E0);
    Put32(b, 62, wide ? 0x0000FF : 0x001F);
  }
  for (size_t i = 0; i < palette / 4; ++i) {
    const auto grey = static_cast<uint8_t>(i * 255 / std::max<size_t>(1, palette / 4 - 1));
    b[14 + 40 + i * 4] = b[14 + 40 + i * 4 + 1] = b[14 + 40 + i * 4 + 2] = grey;
  }
  for (size_t i = offset; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 7);
  return b;
}

// A RIFF/WAVE of PCM samples with nDataBytes of a quiet ramp.
inline std::vector<uint8_t> Wave(int nChannels, uint32_t nRate, int nBits, uint32_t nDataBytes) {
  std::vector<uint8_t> b(44 + nDataBytes, 0);
  const uint32_t align = static_cast<uint32_t>(nChannels * nBits / 8);
  std::copy_n("RIFF", 4, b.begin());
  Put32(b, 4, 36 + nDataBytes);
  std::copy_n("WAVEfmt ", 8, b.begin() + 8);
  Put32(b, 16, 16);
  Put16(b, 20, 1);
  Put16(b, 22, static_cast<uint32_t>(nChannels));
  Put32(b, 24, nRate);
  Put32(b, 28, nRate * align);
  Put16(b, 32, align);
  Put16(b, 34, static_cast<uint32_t>(nBits));
  std::copy_n("data", 4, b.begin() + 36);
  Put32(b, 40, nDataBytes);
  for (size_t i = 44; i < b.size(); ++i) b[i] = static_cast<uint8_t>(128 + (i % 16));
  return b;
}

// A file of the program's folder as it was built.
inline std::vector<uint8_t> GameFileBytes(const std::string& sName) {
  std::ifstream in(std::filesystem::path(PIBO_GAME_DIR) / sName, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace hostile_files
