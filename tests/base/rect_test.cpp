// Merging the places a frame repaints: nothing is lost and nothing much is added.
#include "base/rect.h"

#include <gtest/gtest.h>

#include <random>

namespace {

bool Covered(int x, int y, const std::vector<Rect>& rects) {
  for (const Rect& r : rects)
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
  return false;
}

}  // namespace

TEST(MergeOverlapping, CoversEveryPixelItWasGivenAndJoinsOnlyWhereThatSaves) {
  // A sprite that moved two pixels is one rectangle; two far apart stay two; touching edges
  // do not overlap.
  std::vector<Rect> moved{{100, 100, 140, 140}, {102, 101, 142, 141}};
  MergeOverlapping(moved);
  EXPECT_EQ(moved, (std::vector<Rect>{{100, 100, 142, 141}}));
  std::vector<Rect> apart{{0, 0, 40, 40}, {0, 0, 10, 10}, {300, 300, 340, 340}, {40, 0, 80, 40}};
  MergeOverlapping(apart);
  EXPECT_EQ(apart.size(), 3u);

  std::mt19937 random(5);
  std::uniform_int_distribution<int> at(0, 200), size(1, 60);
  for (int round = 0; round < 50; ++round) {
    std::vector<Rect> given;
    for (int i = 0; i < 30; ++i) {
      const int x = at(random), y = at(random);
      given.push_back(Rect{x, y, x + size(random), y + size(random)});
    }
    std::vector<Rect> merged = given;
    MergeOverlapping(merged);
    int64_t givenArea = 0, mergedArea = 0;
    for (const Rect& r : given) givenArea += Area(r);
    for (const Rect& r : merged) mergedArea += Area(r);
    EXPECT_LE(mergedArea, givenArea);
    for (int y = 0; y < 270; y += 3)
      for (int x = 0; x < 270; x += 3)
        if (Covered(x, y, given)) {
          ASSERT_TRUE(Covered(x, y, merged)) << x << "," << y;
        }
  }
}
