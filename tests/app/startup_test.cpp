// Reading the command line and pacing the frame loop.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "base/error_log.h"
#include "game/game.h"
#include "tests/test_support.h"

TEST(CommandLine, FindsTheWordsAnywhereInAnyCase) {
  struct Case {
    const char* text;
    bool develop, extra;
  } cases[] = {
      {"", false, false},
      {"develop", true, false},
      {"-Develop", true, false},
      {"undevelopable", true, false},
      {"EXTRA DEVELOP", true, true},
      {"/extraordinary", false, true},
      {"DEVELO P", false, false},
  };
  for (const Case& c : cases) {
    const CommandLineWords words = ReadCommandLine(c.text);
    EXPECT_EQ(words.bDevelop, c.develop) << c.text;
    EXPECT_EQ(words.bExtra, c.extra) << c.text;
  }
}

TEST(CommandLine, JoinsTheArgumentsAfterTheProgramName) {
  const char* argv[] = {"pibo2", "a", "Develop"};
  EXPECT_EQ(JoinArguments(3, const_cast<char**>(argv)), "a Develop");
}

TEST(FrameLoop, PadsEachPassToThirtyMilliseconds) {
  EXPECT_EQ(FramePadding(1000, 1012), 18u);
  EXPECT_EQ(FramePadding(1000, 1000), 30u);
  EXPECT_EQ(FramePadding(1000, 1030), 0u);
  EXPECT_EQ(FramePadding(1000, 1100), 0u);
  // The clock wrapped between the two readings: still a 12 ms pass.
  EXPECT_EQ(FramePadding(0xFFFFFFFAu, 6u), 18u);
}

TEST(ErrorLog, AppendsEachMessageWithAnEmptyLine) {
  testing_support::ScratchFolder folder;
  testing_support::WriteBytes("Errors.txt", {'o', 'l', 'd', '\r', '\n'});
  LogError("first");
  LogError("second");
  EXPECT_EQ(folder.ErrorLog(), "old\r\nfirst\r\n\r\nsecond\r\n\r\n");
}

TEST(FrameLoop, AQuitAskedForWhileLoadingEndsTheRunBeforeTheFirstPass) {
  // A desktop session that ends while the game is still loading sends its SIGTERM then.
  Game game;
  game.QuitRequested = true;
  EXPECT_TRUE(RunFrameLoop(game)) << "no pass is run, so nothing can fail";
}
