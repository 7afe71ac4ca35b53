#include "render/dirty_tiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

bool Covered(const std::vector<Rect>& places, int32_t x, int32_t y) {
  for (const Rect& p : places)
    if (x >= p.Left && x < p.Right && y >= p.Top && y < p.Bottom) return true;
  return false;
}

// Pieces scattered at random over a window that stands anywhere in the back buffer, some half
// off it: every pixel of a piece on the window is covered, no place leaves the window or overlaps
// another, and no more is covered than the tiles the pieces touch.
TEST(DirtyTiles, CoverEveryPieceWithTheTilesItTouchesOnly) {
  std::mt19937 random(5);
  for (int round = 0; round < 40; ++round) {
    const int32_t left = static_cast<int32_t>(random() % 401);
    const Rect window{left, 0, left + 800, 600};
    DirtyTiles tiles;
    tiles.Start(window);
    std::vector<Rect> pieces;
    std::vector<bool> touched(DirtyTiles::kColumns * DirtyTiles::kRows);
    const int count = round % 5 == 0 ? 0 : static_cast<int>(random() % 300);
    for (int i = 0; i < count; ++i) {
      const int32_t x = left - 20 + static_cast<int32_t>(random() % 840);
      const int32_t y = -20 + static_cast<int32_t>(random() % 640);
      const int32_t size = 1 + static_cast<int32_t>(random() % 12);
      pieces.push_back(Rect{x, y, x + size, y + size});
      tiles.Mark(pieces.back());
      for (int32_t py = std::max(y, 0); py < std::min(y + size, 600); ++py)
        for (int32_t px = std::max(x, left); px < std::min(x + size, left + 800); ++px)
          touched[(py / 64) * DirtyTiles::kColumns + (px - left) / 64] = true;
    }
    const std::vector<Rect> places = tiles.Places();
    int64_t area = 0;
    for (size_t i = 0; i < places.size(); ++i) {
      const Rect& p = places[i];
      EXPECT_TRUE(p.Left >= window.Left && p.Right <= window.Right && p.Top >= 0 &&
                  p.Bottom <= 600 && p.Left < p.Right && p.Top < p.Bottom);
      for (size_t j = i + 1; j < places.size(); ++j) EXPECT_FALSE(IntersectRect(p, places[j]));
      area += Area(p);
    }
    int64_t tileArea = 0;
    for (int32_t r = 0; r < DirtyTiles::kRows; ++r)
      for (int32_t c = 0; c < DirtyTiles::kColumns; ++c)
        if (touched[r * DirtyTiles::kColumns + c])
          tileArea += static_cast<int64_t>(std::min(64, 800 - c * 64)) * std::min(64, 600 - r * 64);
    EXPECT_EQ(area, tileArea) << "round " << round;
    for (const Rect& piece : pieces)
      for (int32_t y = std::max(piece.Top, 0); y < std::min(piece.Bottom, 600); ++y)
        for (int32_t x = std::max(piece.Left, left); x < std::min(piece.Right, left + 800); ++x)
          ASSERT_TRUE(Covered(places, x, y)) << x << "," << y << " round " << round;
  }
}

// A block of tiles marked whole comes back as one rectangle, not a row of them.
TEST(DirtyTiles, ARunRepeatedBelowGrowsDown) {
  DirtyTiles tiles;
  tiles.Start(Rect{100, 0, 900, 600});
  tiles.Mark(Rect{100 + 70, 10, 100 + 250, 300});
  tiles.Mark(Rect{890, 590, 950, 650});
  EXPECT_EQ(tiles.Places(), (std::vector<Rect>{{164, 0, 356, 320}, {868, 576, 900, 600}}));
}

}  // namespace
