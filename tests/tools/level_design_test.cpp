// Both shipped level sets as a designer means them, checked on the packed files the game plays:
// every platform kind has its place somewhere in the set, the rows under the heads-up display
// stay clear, few layouts are mirror images of themselves, and every level has a name of its
// own. (That every gem and power-up can be reached is the level checker's test.)
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/files.h"
#include "data/cell_codes.h"
#include "data/file_io.h"
#include "data/level_set.h"

namespace fs = std::filesystem;

namespace {

struct ShippedSet {
  const char* levels;
  const char* names;
};
void PrintTo(const ShippedSet& set, std::ostream* os) {
  *os << set.levels;
}

class ShippedSetDesign : public ::testing::TestWithParam<ShippedSet> {
 protected:
  LevelSet Levels() const {
    return ParseLevelFile(
        ReadFileBytes(fs::path(PIBO_GAME_DIR) / GetParam().levels, LEVEL_FILE_LIMIT));
  }
};

bool InPlay(uint8_t code) {
  return IsPlatformCode(code) || IsPowerUpCode(code) || IsGemCode(code);
}

// The share of the level's occupied cells in rows 0 to 28 (the floor is always full) whose mirror
// cell, the same row counted from the other side, is occupied too.
double MirrorShare(const LevelSet& levels, int level) {
  int occupied = 0, mirrored = 0;
  for (int r = 0; r < LEVEL_ROWS - 1; ++r)
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      if (!InPlay(levels.Cell(level, c, r))) continue;
      ++occupied;
      mirrored += InPlay(levels.Cell(level, LEVEL_COLUMNS - 1 - c, r));
    }
  return occupied == 0 ? 1.0 : static_cast<double>(mirrored) / occupied;
}

}  // namespace

TEST_P(ShippedSetDesign, UsesEveryPlatformKindKeepsTheDisplayClearAndIsRarelySymmetric) {
  const LevelSet levels = Levels();
  ASSERT_EQ(levels.LevelCount, 31);
  std::set<int> kinds;
  int symmetric = 0;
  for (int level = 1; level <= levels.LevelCount; ++level) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c)
      for (int r = 0; r < LEVEL_ROWS; ++r) {
        const uint8_t code = levels.Cell(level, c, r);
        if (IsPlatformCode(code)) kinds.insert(code);
        // The display's text covers rows 0 to 2; items stay below row 4, clear of it.
        EXPECT_FALSE(IsPlatformCode(code) && r <= 2)
            << GetParam().levels << " level " << level << ": platform at " << c << "," << r;
        EXPECT_FALSE((IsPowerUpCode(code) || IsGemCode(code)) && r <= 4)
            << GetParam().levels << " level " << level << ": item at " << c << "," << r;
      }
    if (MirrorShare(levels, level) > 0.8) ++symmetric;
  }
  EXPECT_EQ(kinds.size(), 17u) << GetParam().levels;
  EXPECT_LE(symmetric, 6) << GetParam().levels;
}

TEST_P(ShippedSetDesign, EveryLevelHasANameOfItsOwn) {
  const LevelSet levels = Levels();
  const std::vector<uint8_t> text =
      ReadFileBytes(fs::path(PIBO_GAME_DIR) / GetParam().names, LEVEL_NAMES_LIMIT);
  const std::vector<std::string> names = ParseLevelNames(
      std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), levels.LevelCount);
  std::set<std::string> seen;
  for (int level = 1; level <= levels.LevelCount; ++level) {
    const std::string& name = names[static_cast<size_t>(level - 1)];
    EXPECT_FALSE(name.empty()) << GetParam().levels << " level " << level;
    EXPECT_TRUE(seen.insert(name).second) << GetParam().levels << " names two levels " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothSets, ShippedSetDesign,
                         ::testing::Values(ShippedSet{"Levels.dat", "LevelNames_zt.txt"},
                                           ShippedSet{"Levels_e.dat", "LevelNames_zt_e.txt"}),
                         [](const auto& info) { return info.index == 0 ? "Normal" : "Extra"; });
