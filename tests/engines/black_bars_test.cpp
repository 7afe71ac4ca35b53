// The black bars beside a scaled picture: everything outside the picture's place black, the place
// itself untouched, and in shared memory (where the X server shows the window from) the rows
// above and below handed back as zero pages rather than written.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engines/display.h"

namespace {

constexpr uint8_t kOld = 0xA7;  // what the window's memory held before

// A 32-bit surface over `memory`, every byte kOld.
SDL_Surface* SurfaceOver(uint8_t* memory, int width, int height, int pitch) {
  std::memset(memory, kOld, static_cast<size_t>(pitch) * height);
  return SDL_CreateRGBSurfaceWithFormatFrom(memory, width, height, 32, pitch,
                                            SDL_PIXELFORMAT_RGB888);
}

void ExpectBarsBlackAndPlaceKept(const SDL_Surface& window, const SDL_Rect& place) {
  int wrong = 0;
  for (int y = 0; y < window.h; ++y) {
    const auto* row =
        static_cast<const uint8_t*>(window.pixels) + static_cast<size_t>(y) * window.pitch;
    for (int x = 0; x < window.w; ++x) {
      const bool inside =
          x >= place.x && x < place.x + place.w && y >= place.y && y < place.y + place.h;
      for (int b = 0; b < 4; ++b)
        if (row[x * 4 + b] != (inside ? kOld : 0)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

struct Layout {
  int Width, Height, Pitch;
  SDL_Rect Place;
};

// A 4K-like screen cut down, an odd pitch, a place against an edge, and a place filling it all.
const Layout kLayouts[] = {
    {960, 540, 960 * 4, {180, 45, 600, 450}},
    {333, 700, 333 * 4 + 12, {10, 123, 300, 211}},
    {640, 480, 640 * 4, {0, 0, 640, 400}},
    {200, 150, 200 * 4, {0, 0, 200, 150}},
};

}  // namespace

TEST(BlackBars, SharedMemoryBarsBecomeZeroPagesAndTheRestIsFilled) {
  const long page = sysconf(_SC_PAGESIZE);
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(testing::Message() << layout.Width << " x " << layout.Height);
    const size_t bytes = static_cast<size_t>(layout.Pitch) * layout.Height;
    auto* memory = static_cast<uint8_t*>(
        mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(memory, MAP_FAILED);
    SDL_Surface* window = SurfaceOver(memory, layout.Width, layout.Height, layout.Pitch);
    ASSERT_NE(window, nullptr);
    ClearAround(*window, layout.Place);
    // Only the pages that hold picture pixels are kept; the bars read as zeros without pages of
    // their own.
    std::vector<unsigned char> resident((bytes + page - 1) / page);
    ASSERT_EQ(mincore(memory, bytes, resident.data()), 0);
    std::vector<bool> holdsPicture(resident.size());
    for (int y = layout.Place.y; y < layout.Place.y + layout.Place.h; ++y) {
      const size_t from = static_cast<size_t>(y) * layout.Pitch + layout.Place.x * 4;
      const size_t to = from + static_cast<size_t>(layout.Place.w) * 4;
      for (size_t p = from / page; p <= (to - 1) / page; ++p) holdsPicture[p] = true;
    }
    int keptForNothing = 0;
    // (A last page that runs past the window's end is written, not handed back.)
    for (size_t p = 0; p < bytes / page; ++p)
      if ((resident[p] & 1) != 0 && !holdsPicture[p]) ++keptForNothing;
    EXPECT_EQ(keptForNothing, 0);
    ExpectBarsBlackAndPlaceKept(*window, layout.Place);
    SDL_FreeSurface(window);
    munmap(memory, bytes);
  }
}

TEST(BlackBars, PrivateMemoryIsFilled) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(testing::Message() << layout.Width << " x " << layout.Height);
    std::vector<uint8_t> memory(static_cast<size_t>(layout.Pitch) * layout.Height);
    SDL_Surface* window = SurfaceOver(memory.data(), layout.Width, layout.Height, layout.Pitch);
    ASSERT_NE(window, nullptr);
    ClearAround(*window, layout.Place);
    ExpectBarsBlackAndPlaceKept(*window, layout.Place);
    SDL_FreeSurface(window);
  }
}
