// Plain 24-bit pictures are read straight into 16-bit surfaces: every pixel must come out as
// SDL's own reading and conversion of the same file gives it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engines/surface.h"

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 24-bit BMP of random pixels, with random bytes in the rows' padding too.
std::vector<uint8_t> RandomPicture(int width, int height, uint32_t infoSize, bool topRowFirst,
                                   std::mt19937& random) {
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const size_t offset = 14 + infoSize;
  std::vector<uint8_t> file(offset + rowBytes * height);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<uint32_t>(file.size()));
  Put32(file, 10, static_cast<uint32_t>(offset));
  Put32(file, 14, infoSize);
  Put32(file, 18, static_cast<uint32_t>(width));
  Put32(file, 22, static_cast<uint32_t>(topRowFirst ? -height : height));
  Put16(file, 26, 1);
  Put16(file, 28, 24);
  Put32(file, 34, static_cast<uint32_t>(rowBytes * height));
  for (size_t at = offset; at < file.size(); ++at) file[at] = static_cast<uint8_t>(random());
  return file;
}

std::vector<uint16_t> Pixels(const SDL_Surface& surface) {
  std::vector<uint16_t> pixels;
  for (int y = 0; y < surface.h; ++y) {
    const auto* row = reinterpret_cast<const uint16_t*>(
        static_cast<const uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch);
    pixels.insert(pixels.end(), row, row + surface.w);
  }
  return pixels;
}

std::vector<uint16_t> AsSdlReadsIt(const std::vector<uint8_t>& file) {
  SDL_Surface* loaded =
      SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
  EXPECT_NE(loaded, nullptr) << SDL_GetError();
  if (loaded == nullptr) return {};
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB565, 0);
  SDL_FreeSurface(loaded);
  std::vector<uint16_t> pixels = Pixels(*converted);
  SDL_FreeSurface(converted);
  return pixels;
}

}  // namespace

TEST(PictureDecoding, TrueColourPicturesComeOutAsSdlReadsThem) {
  std::mt19937 random(27);
  struct Case {
    int Width, Height;
    uint32_t InfoSize;  // 40: the usual header; 108 and 124: the later, longer ones
    bool TopRowFirst;
  };
  // Odd widths leave 1 to 3 bytes of padding after each row.
  for (const Case& c :
       {Case{1, 1, 40, false}, Case{3, 7, 40, false}, Case{5, 4, 40, true},
        Case{202, 3, 108, false}, Case{257, 5, 124, true}, Case{800, 600, 40, false}}) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << ", header " << c.InfoSize
                                    << (c.TopRowFirst ? ", top row first" : ""));
    const std::vector<uint8_t> file =
        RandomPicture(c.Width, c.Height, c.InfoSize, c.TopRowFirst, random);
    const auto surface = Surface::FromBytes(file);
    ASSERT_EQ(surface->Raw()->format->format, SDL_PIXELFORMAT_RGB565);
    ASSERT_EQ(surface->GetSurfaceDesc().Width, c.Width);
    ASSERT_EQ(surface->GetSurfaceDesc().Height, c.Height);
    EXPECT_EQ(Pixels(*surface->Raw()), AsSdlReadsIt(file));
  }
}
