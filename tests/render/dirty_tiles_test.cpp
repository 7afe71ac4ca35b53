#include "render/dirty_tiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// Pieces scattered at random over a window that stands anywhere in the back buffer, some half
// off it, thinly or thickly: the places cover, each pixel once, exactly the boxes around the
// piece pixels on the window in each tile (worked out here pixel by pixel).
TEST(DirtyTiles, GiveEachTileTheBoxAroundThePiecesInIt) {
  std::mt19937 random(5);
  constexpr int32_t kTile = DirtyTiles::kTile;
  for (int round = 0; round < 40; ++round) {
    const int32_t left = static_cast<int32_t>(random() % 401);
    const Rect window{left, 0, left + 800, 600};
    DirtyTiles tiles;
    tiles.Start(window);
    std::vector<Rect> boxes(DirtyTiles::kColumns * DirtyTiles::kRows);
    const int count = round % 5 == 0 ? 0 : static_cast<int>(random() % (round % 2 ? 300 : 6000));
    for (int i = 0; i < count; ++i) {
      const int32_t x = left - 20 + static_cast<int32_t>(random() % 840);
      const int32_t y = -20 + static_cast<int32_t>(random() % 640);
      const int32_t size = 1 + static_cast<int32_t>(random() % 12);
      tiles.Mark(Rect{x, y, x + size, y + size});
      for (int32_t py = std::max(y, 0); py < std::min(y + size, 600); ++py)
        for (int32_t px = std::max(x, left); px < std::min(x + size, left + 800); ++px) {
          Rect& box = boxes[(py / kTile) * DirtyTiles::kColumns + (px - left) / kTile];
          box = box.Right > box.Left
                    ? Rect{std::min(box.Left, px), std::min(box.Top, py),
                           std::max(box.Right, px + 1), std::max(box.Bottom, py + 1)}
                    : Rect{px, py, px + 1, py + 1};
        }
    }
    // Every pixel of the expected boxes covered once, and nothing else.
    std::vector<int> expected(800 * 600), covered(800 * 600);
    const auto cover = [left](std::vector<int>& pixels, const Rect& r) {
      for (int32_t y = r.Top; y < r.Bottom; ++y)
        for (int32_t x = r.Left; x < r.Right; ++x) ++pixels[y * 800 + x - left];
    };
    for (const Rect& box : boxes)
      if (box.Right > box.Left) cover(expected, box);
    for (const Rect& place : tiles.Places()) {
      ASSERT_TRUE(place.Left >= window.Left && place.Right <= window.Right && place.Top >= 0 &&
                  place.Bottom <= 600 && place.Left < place.Right && place.Top < place.Bottom);
      cover(covered, place);
    }
    ASSERT_TRUE(covered == expected) << "round " << round;
  }
}

// A piece across a tile's edge gives each tile the part in it; a second window position starts
// afresh.
TEST(DirtyTiles, APieceAcrossTilesIsCutAtTheirEdges) {
  DirtyTiles tiles;
  tiles.Start(Rect{100, 0, 900, 600});
  tiles.Mark(Rect{100 + 60, 10, 100 + 70, 20});
  tiles.Mark(Rect{100 + 30, 40, 100 + 34, 44});
  tiles.Mark(Rect{890, 590, 950, 650});
  EXPECT_EQ(tiles.Places(),
            (std::vector<Rect>{{130, 10, 164, 44}, {164, 10, 170, 20}, {890, 590, 900, 600}}));
  tiles.Start(Rect{0, 0, 800, 600});
  EXPECT_EQ(tiles.Places(), std::vector<Rect>{});
}

// A block of tiles marked all over comes back as one rectangle, not a row of them.
TEST(DirtyTiles, TilesMarkedAllOverAreJoined) {
  DirtyTiles tiles;
  tiles.Start(Rect{100, 0, 900, 600});
  tiles.Mark(Rect{100 + 64, 0, 100 + 256, 320});
  tiles.Mark(Rect{100 + 20, 5, 100 + 30, 15});
  tiles.Mark(Rect{868, 576, 950, 650});  // the corner tile, cut short by the window
  EXPECT_EQ(tiles.Places(),
            (std::vector<Rect>{{164, 0, 356, 320}, {868, 576, 900, 600}, {120, 5, 130, 15}}));
}

}  // namespace
