// The one frame loop with the real main window on the dummy display: every wait of the game is a
// state of the loop, so the program's close (the close box, SIGTERM) ends the run within one pass
// whatever the game is waiting for, and the end of the run saves.
#include "app/frame_loop.h"

#include <SDL.h>
#include <cstdio>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "base/files.h"
#include "base/key_codes.h"
#include "base/numbers.h"
#include "dialogs/options_window.h"
#include "game/game.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

class ClosingRun : public ::testing::Test {
 protected:
  // The game on the real main window; in develop mode the level screen does not wait, so play
  // begins without three seconds of real time.
  void Start(bool bDevelop = false) {
    folder.LinkGameFiles();
    window.Load(false);
    window.SetGame(&game);
    game.IE.SetSource(&keys);
    ASSERT_TRUE(game.Initialize(window, bDevelop)) << folder.ErrorLog();
    game.Options.bSoundEffects = 0;  // no exit sound to wait for
  }
  void TearDown() override {
    game.IE.SetSource(nullptr);
    window.Unload();
    window.SetGame(nullptr);
  }
  // Passes until the game waits for `state` (at most a few seconds of passes).
  void RunUntilWaitingFor(const std::string& state) {
    for (int pass = 0; pass < 400; ++pass) {
      if (game.Screens.Top() != nullptr && game.Screens.Top()->Name() == state) return;
      ASSERT_TRUE(loop.RunOnePass());
    }
    FAIL() << "the game never waited for the " << state;
  }
  // The program is asked to end, as SDL reports SIGTERM or the close box; one pass later the run
  // is over, and its end saves the options and the high scores.
  void CloseAndExpectTheEndWithinAPass() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    ASSERT_TRUE(loop.RunOnePass());
    EXPECT_FALSE(game.IsWaiting()) << "still waiting after the close";
    EXPECT_TRUE(loop.Finished());
    loop.BeginEnd();
    EXPECT_FALSE(game.IsWaiting());
    EXPECT_TRUE(FileExists("Options_zt.dat"));
    EXPECT_TRUE(FileExists("HighScores_zt.dat"));
  }

  ScratchFolder folder;
  MainWindow window;
  ScriptedKeys keys;
  Game game;
  FrameLoop loop{game, &window};
};

}  // namespace

TEST_F(ClosingRun, DuringTheStagePreview) {
  Start();
  window.OnKeyDown(vk::F1, false);
  RunUntilWaitingFor("stage preview");
  CloseAndExpectTheEndWithinAPass();
}

TEST_F(ClosingRun, DuringTheLevelScreen) {
  Start();
  keys.Hold({dik::SPACE});
  window.OnKeyDown(vk::F1, false);
  RunUntilWaitingFor("level screen");
  CloseAndExpectTheEndWithinAPass();
  EXPECT_TRUE(game.IsRunning()) << "the level had started as the screen ended";
}

TEST_F(ClosingRun, DuringThePause) {
  Start(true);
  keys.Hold({dik::SPACE});
  window.OnKeyDown(vk::F1, false);
  for (int pass = 0; pass < 400 && !game.IsRunning(); ++pass) ASSERT_TRUE(loop.RunOnePass());
  keys.Hold({dik::P});
  RunUntilWaitingFor("pause");
  CloseAndExpectTheEndWithinAPass();
}

// The window closes as with its close box: the options stay as they were.
TEST_F(ClosingRun, WithTheOptionsWindowOpen) {
  Start();
  game.Options.bMusic = VB_TRUE;
  window.OnKeyDown(vk::F3, false);
  ASSERT_TRUE(OptionsForm().IsLoaded());
  OptionsForm().ClickControl(OptionsForm().chkMusic);
  RunUntilWaitingFor("window");
  CloseAndExpectTheEndWithinAPass();
  EXPECT_FALSE(OptionsForm().IsLoaded());
  EXPECT_EQ(game.Options.bMusic, VB_TRUE);
}

// The pads are looked for in the first pass, after the title is on the screen, not before it.
TEST_F(ClosingRun, ThePadsStartAtTheFirstPass) {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) GTEST_SKIP() << "started by an earlier test";
  Start();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "started before the title";
  ASSERT_TRUE(loop.RunOnePass());
  EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "not started at the first pass";
}

// A run closed while the sound device rests (the options window open over a still title, long
// enough in silence) ends without opening the device again first.
TEST_F(ClosingRun, WhileTheSoundDeviceRests) {
  Start();
  window.OnKeyDown(vk::F3, false);
  RunUntilWaitingFor("window");
  while (game.SE.HasWork()) ASSERT_TRUE(game.SE.Tend());
  game.SE.Rest(true, 0);
  game.SE.Rest(true, VBSE::kRestMilliseconds);
  ASSERT_TRUE(game.SE.IsResting());
  CloseAndExpectTheEndWithinAPass();
  EXPECT_TRUE(game.SE.IsResting()) << "the device was opened again to be closed";
}

// Options changed in the window are kept the moment it closes with OK, so a run cut short (a
// power cut, a closed browser tab) still has them; Cancel, or OK with nothing changed, writes
// nothing.
TEST_F(ClosingRun, ChangedOptionsAreSavedWhenTheWindowClosesWithOk) {
  Start();
  std::remove("Options_zt.dat");
  for (CommandButton* closing : {&OptionsForm().cmdCancel, &OptionsForm().cmdOK}) {
    window.OnKeyDown(vk::F3, false);
    OptionsForm().ClickControl(closing == &OptionsForm().cmdOK ? OptionsForm().chkEasyGame
                                                                : OptionsForm().chkMusic);
    RunUntilWaitingFor("window");
    OptionsForm().ClickControl(*closing);
    ASSERT_TRUE(loop.RunOnePass());
    ASSERT_FALSE(game.IsWaiting());
    EXPECT_EQ(FileExists("Options_zt.dat"), closing == &OptionsForm().cmdOK);
  }
  std::remove("Options_zt.dat");
  window.OnKeyDown(vk::F3, false);
  RunUntilWaitingFor("window");
  OptionsForm().ClickControl(OptionsForm().cmdOK);
  ASSERT_TRUE(loop.RunOnePass());
  EXPECT_FALSE(FileExists("Options_zt.dat")) << "nothing changed, nothing written";
  game.SaveForSuddenEnd();
  EXPECT_TRUE(FileExists("Options_zt.dat"));
}

// What the player pressed during a wait acts once it is over, in the pass that ends it: Esc during
// the stage preview ends the game that has just begun, not the program.
TEST_F(ClosingRun, AKeyPressedDuringAWaitActsWhenItIsOver) {
  Start(true);
  window.OnKeyDown(vk::F1, false);
  RunUntilWaitingFor("stage preview");
  window.OnKeyDown(vk::ESCAPE, false);
  ASSERT_TRUE(loop.RunOnePass());
  EXPECT_TRUE(game.IsWaiting()) << "the Esc waits with the preview";
  keys.Hold({dik::SPACE});
  for (int pass = 0; pass < 400 && game.IsWaiting(); ++pass) ASSERT_TRUE(loop.RunOnePass());
  EXPECT_FALSE(game.IsRunning()) << "the game began, then the Esc ended it";
  EXPECT_FALSE(game.QuitRequested) << "one Esc: the game ended, the program did not";
}
