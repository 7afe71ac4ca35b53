// The power-up table: one row for each power-up code, read alike by the pickups, the drawing,
// the palette, the level text and the level checker.
#include "data/power_ups.h"

#include <gtest/gtest.h>

#include <set>

#include "data/cell_codes.h"
#include "tools/level_packer/level_text.h"

TEST(PowerUpTable, EveryPowerUpCodeHasOneRowWithItsOwnPictureAndLetter) {
  std::set<int> codes;
  std::set<char> letters;
  std::set<PictureId> pictures;
  for (const PowerUpInfo& row : PowerUpTable()) {
    EXPECT_TRUE(IsPowerUpCode(row.Code)) << row.Name;
    codes.insert(row.Code);
    letters.insert(row.Letter);
    pictures.insert(row.Picture);
    // The level text reads the letter back as the code, and nothing else claims it.
    EXPECT_EQ(CellChar(row.Code), row.Letter) << row.Name;
    EXPECT_EQ(CellCodeForChar(row.Letter), row.Code) << row.Name;
  }
  EXPECT_EQ(codes.size(), POWERUP_SHOOTEXPLODE - POWERUP_HIGHJUMP + 1u);
  EXPECT_EQ(letters.size(), codes.size());
  EXPECT_EQ(pictures.size(), codes.size());
}

TEST(PowerUpTable, EachBallTypeHasTheShootingPowerUpItIsNamedAfter) {
  const uint8_t expected[] = {POWERUP_SHOOT, POWERUP_SHOOTSPREAD, POWERUP_SHOOTBOUNCY,
                              POWERUP_SHOOTBIDI, POWERUP_SHOOTEXPLODE};
  for (int type = 1; type <= 5; ++type) {
    const PowerUpInfo* row = FindBallPowerUp(type);
    ASSERT_NE(row, nullptr) << type;
    EXPECT_EQ(row->Code, expected[type - 1]);
    EXPECT_EQ(row->Effect, PowerUpEffect::None) << "every ball type is always there";
  }
  EXPECT_EQ(FindBallPowerUp(0), nullptr);
  EXPECT_EQ(FindBallPowerUp(6), nullptr);
}

TEST(PowerUpTable, ThePaletteListsEveryNamedCodeOnceInAscendingOrder) {
  const auto table = CellCodeTable();
  ASSERT_EQ(table.size(), 33u);
  for (size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1].Code, table[i].Code);
  EXPECT_STREQ(FindCellCode(POWERUP_SKULL)->Name, "POWERUP_SKULL");
  EXPECT_STREQ(FindCellCode(POWERUP_FREEZEBOMBS)->Label, "clock");
  EXPECT_STREQ(table.back().Name, "NOTHING!!");
}
