// The level editor of develop mode: painting with the mouse, the palette, scrolling, and the
// copy, restore and clear keys, all on the level set the game plays and saves.
#include <gtest/gtest.h>

#include "data/cell_codes.h"
#include "editor/edit_options_window.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

constexpr int16_t kLeft = 1, kRight = 2;

class Editor : public StartedGame {
 protected:
  void SetUp() override {
    Start(true, 1);
    keys.Hold({dik::DIVIDE});
    Play(1);
    keys.Hold({});
    ASSERT_TRUE(game.EditActive);
  }
  uint8_t& Cell(int c, int r) { return game.Levels.Cell(game.Play.Level, c, r); }
  // A left click at the middle of cell (c, r) of the view.
  void Paint(int c, int r) {
    const float x = 50.0f * c + 25 - game.View.ViewX, y = 20.0f * r + 10;
    game.ReceiveMouseInput(kLeft, 0, x, y);
    game.ReceiveMouseInput(kLeft, 0, x, y);  // the mouse-up: the same cell again
  }
  // The palette, a scripted choice in it.
  void ChooseCode(std::function<void(frmEditOptions&)> choose) {
    host.player = [choose](Form&) { choose(EditOptionsForm()); };
    game.ReceiveMouseInput(kRight, 0, 400, 300);
  }
  int GemsInGrid() {
    int n = 0;
    for (int c = 0; c < LEVEL_COLUMNS; ++c)
      for (int r = 0; r < LEVEL_ROWS; ++r) n += Cell(c, r) == GEM_NORMAL;
    return n;
  }
};

}  // namespace

TEST_F(Editor, PaintingWritesOnlyNewCellsAndRebuildsTheLists) {
  const uint8_t underPalette = Cell(8, 15);
  ChooseCode([](frmEditOptions& frm) {
    EXPECT_EQ(frm.lstEditByte.Items.size(), 33u);
    EXPECT_EQ(frm.lstEditByte.ListIndex, -1) << "nothing is selected when it opens";
    EXPECT_EQ(frm.nEditByte, 255) << "the drawing code goes in";
    frm.ChooseListEntry(frm.lstEditByte, 30);  // GEM_NORMAL
  });
  ASSERT_EQ(game.EditByte, GEM_NORMAL);
  const int gems = game.Play.GemCount;
  game.Play.GemsCollected = 1;
  Paint(10, 10);
  EXPECT_EQ(Cell(10, 10), GEM_NORMAL);
  EXPECT_EQ(game.Play.GemCount, gems + 1) << "the gem list is rebuilt at once";
  EXPECT_EQ(game.Play.GemsCollected, 0) << "and its tally starts again";
  EXPECT_EQ(game.EditLastCol, 10);
  EXPECT_EQ(game.EditLastRow, 10);

  // A new code on the last painted cell changes nothing until the pointer has been elsewhere.
  ChooseCode([](frmEditOptions& frm) { frm.PressKey(FormKey::End); });  // "NOTHING!!"
  ASSERT_EQ(game.EditByte, NOTHING);
  Paint(10, 10);
  EXPECT_EQ(Cell(10, 10), GEM_NORMAL);
  Paint(11, 10);
  Paint(10, 10);
  EXPECT_EQ(Cell(10, 10), NOTHING) << "erased on the way back";

  // The inert second gem is stored as it is; play does not take it.
  ChooseCode([](frmEditOptions& frm) { frm.ChooseListEntry(frm.lstEditByte, 31); });
  ASSERT_EQ(game.EditByte, GEM_VALUABLE);
  const int before = game.Play.GemCount;
  Paint(12, 10);
  EXPECT_EQ(Cell(12, 10), GEM_VALUABLE);
  EXPECT_EQ(game.Play.GemCount, before);

  // Closing the palette keeps the code.
  ChooseCode([](frmEditOptions& frm) { frm.CloseBox(); });
  EXPECT_EQ(game.EditByte, GEM_VALUABLE);
  EXPECT_EQ(host.windows_shown, 4);
  EXPECT_EQ(Cell(8, 15), underPalette) << "a right click does not paint";
}

TEST_F(Editor, PaintingNeedsDevelopModeAndPaintingOnButTheMouseIsAlwaysRecorded) {
  const uint8_t before = Cell(3, 3);
  game.EditByte = PLATFORM_ICE;
  game.EditActive = false;
  game.ReceiveMouseInput(kLeft | kRight, 0, 175.5f, 70);
  EXPECT_EQ(Cell(3, 3), before);
  EXPECT_EQ(host.windows_shown, 0);
  EXPECT_EQ(game.MouseX, 176) << "halves round to even";
  game.EditorEnabled = false;
  game.EditActive = true;
  game.ReceiveMouseInput(kLeft, 0, 172.5f, 70);
  EXPECT_EQ(Cell(3, 3), before);
  EXPECT_EQ(game.MouseX, 172);
}

TEST_F(Editor, TheViewScrollsBetweenTheLevelsEdgesAndTheLastCellCanBePainted) {
  game.ReceiveMouseInput(0, 0, 799, 300);
  Play(100);
  EXPECT_EQ(game.EditScrollX, 800) << "held at the right edge it stops at the level's end";
  EXPECT_EQ(game.View.ViewX, 800);
  game.EditByte = PLATFORM_ROCK;
  game.ReceiveMouseInput(kLeft, 0, 799, 599);
  EXPECT_EQ(Cell(31, 29), PLATFORM_ROCK);

  // The left edge and keypad 4 together: 20 a frame, and never past 0.
  game.ReceiveMouseInput(0, 0, 0, 300);
  keys.Hold({dik::NUMPAD4});
  Play(1);
  EXPECT_EQ(game.EditScrollX, 780);
  Play(100);
  EXPECT_EQ(game.EditScrollX, 0);
  game.ReceiveMouseInput(0, 0, 400, 300);
  Play(1);
  EXPECT_EQ(game.EditScrollX, 0);
}

TEST_F(Editor, KeypadZeroCopiesEnterRestoresAndBothTogetherClearTheLevel) {
  std::array<uint8_t, LEVEL_SLOT_SIZE> level{};
  std::copy_n(game.Levels.LevelGrid.begin(), LEVEL_SLOT_SIZE, level.begin());
  // Before the first copy of a run the spare slot is all sand.
  keys.Hold({dik::NUMPADENTER});
  Play(1);
  EXPECT_EQ(Cell(5, 5), PLATFORM_SAND);
  EXPECT_EQ(Cell(31, 0), PLATFORM_SAND);
  std::copy(level.begin(), level.end(), game.Levels.LevelGrid.begin());

  game.Play.CharX = 300;
  keys.Hold({dik::NUMPAD0, dik::NUMPADENTER});
  Play(1);
  keys.Hold({});
  EXPECT_TRUE(std::equal(level.begin(), level.end(), game.SpareLevel.begin()))
      << "the spare slot keeps the level as it was";
  for (int c = 0; c < LEVEL_COLUMNS; ++c) {
    for (int r = 0; r < LEVEL_ROWS - 1; ++r) {
      if (c == 2 && r == 28) continue;  // the level's one gem
      EXPECT_EQ(Cell(c, r), NOTHING);
    }
    EXPECT_EQ(Cell(c, 29), level[LevelCellIndex(1, c, 29)]) << "the bottom row stays";
  }
  EXPECT_LT(game.Play.CharX, 100) << "the level started again";
  EXPECT_EQ(Cell(2, 28), GEM_NORMAL) << "a level without gems gets its one gem, near the floor";
  EXPECT_EQ(GemsInGrid(), 1);
  EXPECT_EQ(game.Play.GemCount, 1);

  keys.Hold({dik::NUMPADENTER});
  Play(1);
  keys.Hold({});
  EXPECT_TRUE(std::equal(level.begin(), level.end(), game.Levels.LevelGrid.begin()))
      << "keypad Enter alone brings it back";
}

TEST_F(Editor, AnEditReachesTheLevelFileAtExitAndIsThereInTheNextRun) {
  // The scratch folder links the program's folder's level file: this run gets a copy of its own.
  std::filesystem::remove(folder.Path() / "Levels.dat");
  std::filesystem::copy_file(GameFolder() / "Levels.dat", folder.Path() / "Levels.dat");
  // Painting was switched on in this run; paint and leave.
  game.EditByte = POWERUP_SKULL;
  const uint8_t before = Cell(20, 12);
  ASSERT_NE(before, POWERUP_SKULL);
  Paint(20, 12);
  ASSERT_TRUE(game.StopGame());
  game.QuitRequested = true;
  ASSERT_TRUE(loop.Run());

  Game next;
  TestHost nextHost;
  ASSERT_TRUE(next.Initialize(nextHost, true)) << folder.ErrorLog();
  EXPECT_EQ(next.Levels.Cell(1, 20, 12), POWERUP_SKULL);
}
