// The main window's keys and mouse: held keys repeat for the develop keys only, and every mouse
// event reaches the game.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include "data/cell_codes.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class MainWindowKeys : public StartedGame {
 protected:
  void SetUp() override {
    Start(true, 1);
    window.SetGame(&game);
  }
  MainWindow window;
};

}  // namespace

TEST_F(MainWindowKeys, AHeldDevelopKeyActsAtEveryRepeatTheOthersOnce) {
  window.OnKeyDown(VK_F8, false);
  window.OnKeyDown(VK_F8, true);
  window.OnKeyDown(VK_F8, true);
  EXPECT_EQ(game.GetCharScore(), 3000);

  window.OnKeyDown(VK_F3, true);
  EXPECT_EQ(host.windows_shown, 0) << "a held F3 does not open the options again";
  window.OnKeyDown(VK_ESCAPE, false);
  ASSERT_FALSE(game.IsRunning());
  window.OnKeyDown(VK_ESCAPE, true);
  EXPECT_FALSE(game.QuitRequested) << "the Esc that ended the game, still held, does not quit";
  window.OnKeyDown(VK_ESCAPE, false);
  EXPECT_TRUE(game.QuitRequested);
}

TEST_F(MainWindowKeys, EveryMouseEventReachesTheEditor) {
  window.OnMouse(1, 0, 0, 799, 10);
  EXPECT_EQ(game.MouseX, 799);
  game.EditActive = true;
  game.EditByte = PLATFORM_ICE;
  window.OnMouse(0, 1, 0, 60, 30);
  EXPECT_EQ(game.Levels.Cell(1, 1, 1), PLATFORM_ICE);
}
