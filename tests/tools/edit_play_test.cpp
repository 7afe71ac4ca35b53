// pibo-edit's play-test and its picture of a level: play starts with the hero in the cell clicked
// and never changes the document; the level is drawn as the game draws it, without the display.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/cell_codes.h"
#include "data/file_io.h"
#include "tests/test_support.h"
#include "tools/level_editor/level_art.h"
#include "tools/level_editor/level_document.h"
#include "tools/level_editor/play_test.h"

using namespace level_editor;

namespace {

LevelSet ShippedLevels() {
  return ParseLevelFile(
      testing_support::ReadBytes(testing_support::GameFolder() / "Levels.dat"));
}

KeyboardSnapshot Held(std::initializer_list<int> keys) {
  KeyboardSnapshot state{};
  for (int key : keys) state[key] = 0x80;
  return state;
}

}  // namespace

// The hero goes where the designer clicked: onto the platform clicked (goo's lower top too),
// onto the one right under an empty cell, or into an empty cell with nothing under it, from where
// it falls; and stands where it was put. Without a cell it starts where the level starts it.
TEST(EditPlayTest, TheHeroStartsInTheCellClicked) {
  LevelSet levels = ShippedLevels();
  std::fill_n(&levels.Cell(3, 0, 0), LEVEL_SLOT_SIZE, NOTHING);
  levels.Cell(3, 10, 15) = PLATFORM_ROCK;
  levels.Cell(3, 20, 12) = PLATFORM_GOO;
  levels.Cell(3, 30, 2) = GEM_NORMAL;
  struct Case {
    std::optional<CellPos> from;
    float x, y;
    bool stands;
  };
  for (const Case& c : {Case{std::nullopt, 5, 534, true}, Case{CellPos{10, 15}, 505, 266, true},
                        Case{CellPos{10, 14}, 505, 266, true}, Case{CellPos{20, 11}, 1005, 212, true},
                        Case{CellPos{20, 12}, 1005, 212, true}, Case{CellPos{5, 5}, 255, 84, false}}) {
    PlayTest test;
    ASSERT_TRUE(test.Start(levels, 3, c.from, 7));
    EXPECT_EQ(test.Play().CharX, c.x);
    EXPECT_EQ(test.Play().CharY, c.y);
    EXPECT_EQ(test.Play().Level, 3);
    EXPECT_EQ(test.Play().CharHealth, 5);
    if (!c.from) continue;  // the level's own start, where the hero drops to the floor
    for (int i = 0; i < 10; ++i) test.Pass({});
    if (c.stands) {
      EXPECT_EQ(test.Play().CharY, c.y) << c.x;
      EXPECT_EQ(test.Play().CharInAir, 0) << c.x;
    } else {
      EXPECT_GT(test.Play().CharY, c.y + 20);
    }
  }
}

// Played on a copy: running through gems takes them in play and the level a gem is given when it
// has none stays as it was in the document, cell for cell, revision for revision.
TEST(EditPlayTest, PlayNeverChangesTheDocument) {
  LevelDocument doc(ShippedLevels(), std::vector<std::string>(LEVEL_SLOTS, "x"));
  // Level 2 without any gem: the game gives such a level one at column 2, row 28.
  doc.Clear(2);
  const LevelSet before = doc.Levels();
  const uint64_t revision = doc.Revision();

  PlayTest empty;
  ASSERT_TRUE(empty.Start(doc.Levels(), 2, std::nullopt, 1));
  EXPECT_EQ(empty.Play().GemCount, 1);
  // A gem where the hero stands on the floor, a moment's run to the right: taken, the level won.
  for (int i = 0; i < 400 && empty.Outcome() == PlayOutcome::Playing; ++i)
    empty.Pass(Held({dik::RIGHT}));
  EXPECT_EQ(empty.Outcome(), PlayOutcome::Won);

  PlayTest played;
  ASSERT_TRUE(played.Start(doc.Levels(), 1, CellPos{4, 20}, 3));
  for (int i = 0; i < 300; ++i) played.Pass(Held({i % 40 < 20 ? dik::RIGHT : dik::LEFT, dik::UP}));
  EXPECT_GT(played.Frames(), 0);

  EXPECT_EQ(doc.Revision(), revision);
  EXPECT_TRUE(std::equal(before.LevelGrid.begin(), before.LevelGrid.end(),
                         doc.Levels().LevelGrid.begin()));
}

// Once won or lost, a play-test stands still: the end is shown until the designer leaves it.
TEST(EditPlayTest, TheEndStandsStill) {
  LevelSet levels = ShippedLevels();
  // Skulls on the floor right of the start: running right loses every health.
  for (int c = 1; c < 30; ++c) {
    levels.Cell(1, c, 27) = POWERUP_SKULL;
    levels.Cell(1, c, 28) = NOTHING;
  }
  PlayTest test;
  ASSERT_TRUE(test.Start(levels, 1, std::nullopt, 5));
  for (int i = 0; i < 3000 && test.Outcome() == PlayOutcome::Playing; ++i)
    test.Pass(Held({dik::RIGHT}));
  ASSERT_EQ(test.Outcome(), PlayOutcome::Lost);
  const long frames = test.Frames();
  const float x = test.Play().CharX;
  test.Pass(Held({dik::LEFT}));
  EXPECT_EQ(test.Frames(), frames);
  EXPECT_EQ(test.Play().CharX, x);
}

// The editor's picture of a level is the game's: a platform cell shows the platform sheet's
// piece, the rows under the display show the level (no display drawn), and a level without a
// gem shows none, though play gives it one.
TEST(EditLevelArt, DrawsTheLevelAsTheGameWithoutDisplayOrAddedGem) {
  testing_support::ScratchFolder folder;
  folder.LinkGameFiles();
  testing_support::TestHost host;
  LevelArt art;
  ASSERT_TRUE(art.Load(host));

  LevelSet levels = ShippedLevels();
  std::fill_n(&levels.Cell(4, 0, 0), LEVEL_SLOT_SIZE, NOTHING);
  // A run of three rock cells in row 1, under the display: left end, middle, right end.
  for (int c = 20; c < 23; ++c) levels.Cell(4, c, 1) = PLATFORM_ROCK;
  SurfacePtr picture;
  ASSERT_TRUE(art.DrawLevel(levels, 4, picture));
  ASSERT_EQ(picture->GetSurfaceDesc().Width, 1600);
  const Surface& sheet = *art.Picture(PictureId::Platform);
  const uint16_t key = sheet.ColorKey();
  int compared = 0;
  for (int piece = 0; piece < 3; ++piece)
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 50; ++x) {
        const uint16_t p = sheet.Pixel(50 * piece + x, 20 * PLATFORM_ROCK + y);
        if (p == key) continue;
        EXPECT_EQ(picture->Pixel(1000 + 50 * piece + x, 20 + y), p);
        ++compared;
      }
  EXPECT_GT(compared, 1000);

  // The gem play would add at column 2, row 28 is not drawn: the cell shows the bare backdrop,
  // as the same cell of a level with a gem elsewhere does.
  SurfacePtr withGem;
  LevelSet other = levels;
  other.Cell(4, 30, 5) = GEM_NORMAL;
  ASSERT_TRUE(art.DrawLevel(other, 4, withGem));
  for (int y = 20 * 28 - 17; y < 20 * 28 + 18; ++y)
    for (int x = 100; x < 150; ++x) ASSERT_EQ(picture->Pixel(x, y), withGem->Pixel(x, y));
  // And the document's copy is untouched.
  EXPECT_EQ(levels.Cell(4, 2, 28), NOTHING);
}
