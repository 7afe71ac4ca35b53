#include "engines/rgb565.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

namespace {

// Every 16-bit colour comes out as SDL's own conversion gives it, to the window formats the
// software renderer uses, whatever the start and the length of the run (the vector steps take
// eight pixels, the last few of a longer run the last eight again, a short run one by one).
TEST(Rgb565, EveryColourAsSdlConvertsIt) {
  std::vector<uint16_t> every(65536 + 16);
  std::iota(every.begin(), every.begin() + 65536, 0);
  for (const uint32_t format : {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_ARGB8888}) {
    std::vector<uint32_t> sdl(65536);
    ASSERT_EQ(SDL_ConvertPixels(65536, 1, SDL_PIXELFORMAT_RGB565, every.data(), 65536 * 2, format,
                                sdl.data(), 65536 * 4),
              0);
    const uint8_t alpha = static_cast<uint8_t>(sdl[0] >> 24);
    std::vector<uint32_t> ours(65536 + 16);
    ConvertRgb565(every.data(), reinterpret_cast<uint8_t*>(ours.data()), 65536, alpha);
    for (int v = 0; v < 65536; ++v)
      ASSERT_EQ(ours[v], sdl[v]) << SDL_GetPixelFormatName(format) << " " << v;

    for (const int start : {0, 1, 3, 7, 8, 41}) {
      for (const int count : {0, 1, 7, 8, 9, 15, 17, 100}) {
        std::vector<uint8_t> out(4 * static_cast<size_t>(count) + 3, 0xAB);
        ConvertRgb565(every.data() + 1000 + start, out.data() + 1, count, alpha);
        for (int i = 0; i < count; ++i) {
          uint32_t pixel = 0;
          std::memcpy(&pixel, out.data() + 1 + 4 * i, 4);
          ASSERT_EQ(pixel, sdl[1000 + start + i]) << start << " " << count << " " << i;
        }
        EXPECT_EQ(out[0], 0xAB);
        EXPECT_EQ(out[1 + 4 * count], 0xAB) << "wrote past the end";
      }
    }
  }
}

}  // namespace
