#include "engines/media_checks.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace {
constexpr size_t kFileHeader = 14;        // "BM", file size, reserved, offset of the pixels
constexpr size_t kBitmapInfoHeader = 40;  // the smallest header with 32-bit sizes
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint16_t kWavePcm = 1;
constexpr uint32_t kRateMin = 4000;
constexpr uint32_t kRateMax = 96000;

// Little-endian fields at a byte offset the caller has checked.
uint16_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
int32_t I32(std::span<const uint8_t> b, size_t at) {
  return static_cast<int32_t>(U32(b, at));
}
bool Tag(std::span<const uint8_t> b, size_t at, std::string_view tag) {
  return std::string_view(reinterpret_cast<const char*>(b.data() + at), 4) == tag;
}

std::string Size(int64_t nWidth, int64_t nHeight) {
  return std::to_string(nWidth) + " x " + std::to_string(nHeight);
}

bool KnownInfoHeader(uint32_t nSize) {
  // BITMAPINFOHEADER, its two Adobe extensions, and the version 4 and 5 headers.
  return nSize == 40 || nSize == 52 || nSize == 56 || nSize == 108 || nSize == 124;
}

bool KnownDepth(uint16_t nBits) {
  return nBits == 1 || nBits == 4 || nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
}

// The bytes between the headers and the pixels: colour masks and the palette.
std::optional<std::string> TablesFault(std::span<const uint8_t> file, uint32_t nInfoSize,
                                       uint16_t nBits, uint32_t nCompression, uint64_t nOffset) {
  uint64_t tables = kFileHeader + nInfoSize;
  // A bare 40-byte header is followed by the three colour masks it cannot hold itself.
  if (nCompression == kBiBitfields && nInfoSize == kBitmapInfoHeader) tables += 12;
  if (nBits <= 8) {
    const uint32_t used = U32(file, kFileHeader + 32);
    const uint32_t most = 1u << nBits;
    if (used > most) {
      return "Palette of " + std::to_string(used) + " colours for a " + std::to_string(nBits) +
             "-bit picture";
    }
    tables += 4ull * (used != 0 ? used : most);
  }
  if (tables > nOffset) return std::string("Palette overlaps the picture data");
  return std::nullopt;
}
}  // namespace

uintmax_t PictureFileLimit(int nWidth, int nHeight) {
  const uint64_t w = nWidth > 0 ? nWidth : PICTURE_SIDE_MAX;
  const uint64_t h = nHeight > 0 ? nHeight : PICTURE_SIDE_MAX;
  // 32 bits a pixel, a 256-colour palette and the largest headers, with room to spare.
  return w * h * 4 + 4096;
}

uintmax_t WaveFileLimit() {
  return static_cast<uintmax_t>(kRateMax) * 4 * SOUND_SECONDS_MAX + 65536;
}

std::string PictureFault(std::span<const uint8_t> file, int nWidth, int nHeight) {
  if (file.size() < kFileHeader + kBitmapInfoHeader || file[0] != 'B' || file[1] != 'M')
    return "Not a BMP picture";
  const uint64_t offset = U32(file, 10);
  const uint32_t infoSize = U32(file, kFileHeader);
  if (!KnownInfoHeader(infoSize))
    return "Unknown BMP header of " + std::to_string(infoSize) + " bytes";
  if (kFileHeader + infoSize > file.size()) return "BMP header runs past the end of the file";

  const int64_t width = I32(file, kFileHeader + 4);
  const int64_t declaredHeight = I32(file, kFileHeader + 8);
  const int64_t height = std::llabs(declaredHeight);  // negative: stored top row first
  if (width <= 0 || height == 0) return "Picture of " + Size(width, declaredHeight) + " pixels";
  if (width > PICTURE_SIDE_MAX || height > PICTURE_SIDE_MAX) {
    return "Picture is " + Size(width, height) + ", larger than " +
           Size(PICTURE_SIDE_MAX, PICTURE_SIDE_MAX);
  }
  if (nWidth > 0 && (width != nWidth || height != nHeight))
    return "Picture is " + Size(width, height) + ", the game needs " + Size(nWidth, nHeight);

  if (U16(file, kFileHeader + 12) != 1) return "BMP header is damaged (planes)";
  const uint16_t bits = U16(file, kFileHeader + 14);
  if (!KnownDepth(bits)) return "Unsupported bit depth " + std::to_string(bits);
  const uint32_t compression = U32(file, kFileHeader + 16);
  const bool masked = compression == kBiBitfields && (bits == 16 || bits == 32);
  if (compression != kBiRgb && !masked)
    return "Unsupported compression " + std::to_string(compression) + " (only uncompressed BMP)";
  if (std::optional<std::string> fault = TablesFault(file, infoSize, bits, compression, offset))
    return *fault;

  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t dataBytes = rowBytes * static_cast<uint64_t>(height);
  const uint64_t declaredData = U32(file, kFileHeader + 20);
  if (offset + dataBytes > file.size() || offset + declaredData > file.size()) {
    return "Picture data is cut short: " +
           std::to_string(offset + std::max(dataBytes, declaredData)) +
           " bytes needed, the file has " + std::to_string(file.size());
  }
  return "";
}

PictureLayout ReadPictureLayout(std::span<const uint8_t> file) {
  PictureLayout layout;
  const int32_t height = I32(file, kFileHeader + 8);
  layout.Width = I32(file, kFileHeader + 4);
  layout.Height = std::abs(height);
  layout.TopRowFirst = height < 0;
  layout.Bits = U16(file, kFileHeader + 14);
  layout.Uncompressed = U32(file, kFileHeader + 16) == kBiRgb;
  layout.PixelsAt = U32(file, 10);
  layout.RowBytes = (static_cast<size_t>(layout.Width) * layout.Bits + 31) / 32 * 4;
  return layout;
}

std::string WaveFault(std::span<const uint8_t> file) {
  if (file.size() < 12 || !Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE")) return "Not a WAVE file";
  const uint64_t riffEnd = 8ull + U32(file, 4);
  if (riffEnd > file.size()) return "RIFF size runs past the end of the file";

  bool haveFormat = false;
  bool haveData = false;
  uint32_t byteRate = 0;
  uint64_t dataBytes = 0;
  for (uint64_t at = 12; at + 8 <= riffEnd;) {
    const uint64_t size = U32(file, at + 4);
    const uint64_t body = at + 8;
    const std::string id(reinterpret_cast<const char*>(file.data() + at), 4);
    if (body + size > riffEnd) {
      return "Chunk \"" + id + "\" of " + std::to_string(size) +
             " bytes runs past the end of the file";
    }
    if (id == "fmt ") {
      if (size < 16) return "Wave format chunk is too short";
      const uint16_t format = U16(file, body);
      const uint16_t channels = U16(file, body + 2);
      const uint32_t rate = U32(file, body + 4);
      const uint16_t align = U16(file, body + 12);
      const uint16_t bits = U16(file, body + 14);
      if (format != kWavePcm) return "Not PCM samples (format " + std::to_string(format) + ")";
      if (channels < 1 || channels > 2) return std::to_string(channels) + " channels (1 or 2 only)";
      if (bits != 8 && bits != 16) return std::to_string(bits) + "-bit samples (8 or 16 only)";
      if (rate < kRateMin || rate > kRateMax)
        return "Sample rate " + std::to_string(rate) + " Hz (4000 to 96000 only)";
      if (align != channels * bits / 8) return "Wave format chunk is damaged (block align)";
      byteRate = rate * align;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return "Wave data before its format";
      if (haveData) return "Wave has two data chunks";
      haveData = true;
      dataBytes = size;
    }
    at = body + size + (size & 1);  // chunks start at even offsets
  }
  if (!haveFormat) return "Wave has no format";
  if (!haveData) return "Wave has no data";
  if (dataBytes / byteRate > static_cast<uint64_t>(SOUND_SECONDS_MAX))
    return "Sound is " + std::to_string(dataBytes / byteRate) + " s long (60 s at most)";
  return "";
}
