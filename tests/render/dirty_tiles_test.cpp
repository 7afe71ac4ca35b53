#include "render/dirty_tiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

namespace {

// Pieces scattered at random over a window that stands anywhere in the back buffer, some half
// off it: the places are, tile by tile, exactly the box around the piece pixels on the window in
// that tile (worked out here pixel by pixel), so every such pixel is covered, nothing outside the
// window is, and no place overlaps another.
TEST(DirtyTiles, GiveEachTileTheBoxAroundThePiecesInIt) {
  std::mt19937 random(5);
  constexpr int32_t kTile = DirtyTiles::kTile;
  for (int round = 0; round < 40; ++round) {
    const int32_t left = static_cast<int32_t>(random() % 401);
    const Rect window{left, 0, left + 800, 600};
    DirtyTiles tiles;
    tiles.Start(window);
    std::vector<Rect> boxes(DirtyTiles::kColumns * DirtyTiles::kRows);
    const int count = round % 5 == 0 ? 0 : static_cast<int>(random() % 300);
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
    std::vector<Rect> expected;
    for (const Rect& box : boxes)
      if (box.Right > box.Left) expected.push_back(box);
    std::vector<Rect> places = tiles.Places();
    const auto order = [](const Rect& a, const Rect& b) {
      return std::tie(a.Top, a.Left) < std::tie(b.Top, b.Left);
    };
    std::sort(places.begin(), places.end(), order);
    std::sort(expected.begin(), expected.end(), order);
    EXPECT_EQ(places, expected) << "round " << round;
    for (size_t i = 0; i < places.size(); ++i)
      for (size_t j = i + 1; j < places.size(); ++j)
        EXPECT_FALSE(IntersectRect(places[i], places[j]));
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

}  // namespace
