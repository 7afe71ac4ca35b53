#pragma once
// A real game on the headless display with every picture and sound, started at a level with the
// stage preview passed at once: for tests of what the level flow and the drawing do.
#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "game/game.h"
#include "tests/render/golden.h"
#include "tests/test_support.h"

namespace testing_support {

class StartedGame : public ::testing::Test {
 protected:
  // Starts a game at nLevel, with the level before it in another stage so its preview shows.
  void Start(bool bDevelop, int nLevel) {
    folder.LinkGameFiles();
    game.IE.SetSource(&keys);
    keys.Hold({dik::SPACE});  // the stage preview goes on at once
    ASSERT_TRUE(game.Initialize(host, bDevelop)) << folder.ErrorLog();
    game.Options.bSoundEffects = 0;
    game.Play.Randomize(7);
    const int stage = nLevel > 30 ? 4 : (nLevel - 1) / 6 + 1;
    ASSERT_TRUE(game.BeginGame(static_cast<int16_t>(nLevel - 1), static_cast<int16_t>(stage - 1)));
    Settle();
    keys.Hold({});
  }
  // Passes of the frame loop until nothing waits (a stage preview, the level screen, a window,
  // the game-over picture): on the manual clock they cost no time.
  void Settle() { ASSERT_TRUE(loop.RunWhileWaiting()) << "the game still waits"; }
  // Frames of play as the frame loop runs them: draw, then advance; a wait that a frame starts
  // (a level's end, a lost game) is passed before the next.
  void Play(int nFrames) {
    for (int i = 0; i < nFrames; ++i) {
      ASSERT_TRUE(game.DrawFrame());
      ASSERT_TRUE(game.DoFrame());
      Settle();
    }
  }
  void ExpectScreen(const std::string& name) {
    ASSERT_TRUE(game.DrawFrame());
    EXPECT_EQ(CompareWithGolden(*game.GE.PrimarySurface(), name), "");
  }
  ~StartedGame() override { game.IE.SetSource(nullptr); }

  ScratchFolder folder;
  ManualClock clock;
  TestHost host;
  ScriptedKeys keys;
  Game game;
  FrameLoop loop{game};
};

}  // namespace testing_support
