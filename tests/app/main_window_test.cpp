// The main window's keys and mouse: held keys repeat for the develop keys only, every mouse
// event reaches the game, and what arrives while the game waits acts once the wait is over.
#include "app/main_window.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
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
  window.OnKeyDown(vk::F8, false);
  window.OnKeyDown(vk::F8, true);
  window.OnKeyDown(vk::F8, true);
  EXPECT_EQ(game.GetCharScore(), 3000);

  window.OnKeyDown(vk::F3, true);
  EXPECT_EQ(host.windows_shown, 0) << "a held F3 does not open the options again";
  window.OnKeyDown(vk::ESCAPE, false);
  ASSERT_FALSE(game.IsRunning());
  window.OnKeyDown(vk::ESCAPE, true);
  EXPECT_FALSE(game.QuitRequested) << "the Esc that ended the game, still held, does not quit";
  window.OnKeyDown(vk::ESCAPE, false);
  EXPECT_TRUE(game.QuitRequested);
}

// The music is asked for from a still, silent game (the options window over the pause): it
// sounds at once, on a device opened again for it.
TEST_F(MainWindowKeys, TheMusicWakesARestingSoundDevice) {
  std::filesystem::create_directory_symlink(GameFolder() / "Music", "Music");
  while (game.SE.HasWork()) ASSERT_TRUE(game.SE.Tend());
  game.SE.Rest(true, 0);
  game.SE.Rest(true, VBSE::kRestMilliseconds);
  ASSERT_TRUE(game.SE.IsResting());
  window.StartMusic(2);
  EXPECT_FALSE(game.SE.IsResting());
  EXPECT_NE(Mix_PlayingMusic(), 0);
  window.StopMusic();
  EXPECT_EQ(folder.ErrorLog(), "");
}

TEST_F(MainWindowKeys, EveryMouseEventReachesTheEditor) {
  window.OnMouse(1, 0, 0, 799, 10);
  EXPECT_EQ(game.MouseX, 799);
  game.EditActive = true;
  game.EditByte = PLATFORM_ICE;
  window.OnMouse(0, 1, 0, 60, 30);
  EXPECT_EQ(game.Levels.Cell(1, 1, 1), PLATFORM_ICE);
}

namespace {

// A clock whose event pump delivers keys to the main window while the game waits: at the first
// pass of the frame loop, `keys` are pressed one after the other.
class PumpedKeys : public platform::Backend {
 public:
  PumpedKeys(MainWindow& window, std::vector<int> keys) : window_(window), keys_(std::move(keys)) {
    platform::InstallBackend(this);
  }
  ~PumpedKeys() override { platform::InstallBackend(nullptr); }
  uint32_t Ticks() override { return now_; }
  void Sleep(uint32_t nMilliseconds) override { now_ += nMilliseconds; }
  void DoEvents() override {
    ++pumps;
    for (int key : std::exchange(keys_, {})) window_.OnKeyDown(key, false);
  }
  void ShowPointer(bool) override {}
  int pumps = 0;

 private:
  MainWindow& window_;
  std::vector<int> keys_;
  uint32_t now_ = 0;
};

class WaitingGame : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.LinkGameFiles();
    game.IE.SetSource(&keys);
    ASSERT_TRUE(game.Initialize(host, true)) << folder.ErrorLog();
    game.Options.bSoundEffects = 0;
    window.SetGame(&game);
    keys.Hold({dik::SPACE});  // every stage preview goes on at once
  }
  void TearDown() override { game.IE.SetSource(nullptr); }

  ScratchFolder folder;
  TestHost host;
  ScriptedKeys keys;
  Game game;
  MainWindow window;
};

}  // namespace

TEST_F(WaitingGame, EscDuringTheFirstStagePreviewEndsTheGameOnceItHasStarted) {
  PumpedKeys pump(window, {vk::ESCAPE});
  ASSERT_TRUE(game.StartGame(1));
  ASSERT_TRUE(FrameLoop(game, &window).RunWhileWaiting());
  EXPECT_GT(pump.pumps, 0);
  EXPECT_FALSE(game.IsRunning()) << "the Esc of the preview is not lost when the game starts";
  EXPECT_EQ(host.music_stops, 1);
}

TEST_F(WaitingGame, KeysDuringAWaitActAfterTheLevelHasStartedNeverInsideIt) {
  // F1 while the first level is being started must not start a second game inside it; F5 (the
  // develop key) skips on once level 1 is fully set up.
  game.Options.bMusic = VB_TRUE;
  PumpedKeys pump(window, {vk::F1, vk::F5, vk::F5});
  ASSERT_TRUE(game.StartGame(1));
  ASSERT_TRUE(FrameLoop(game, &window).RunWhileWaiting());
  EXPECT_TRUE(game.IsRunning());
  EXPECT_EQ(host.music_starts, 1) << "one game, started once";
  EXPECT_EQ(game.Play.Level, 3) << "each F5 moved on one whole level";
  EXPECT_EQ(game.Play.Stage, 1);
  EXPECT_EQ(game.Play.CharScore, 0);
}
