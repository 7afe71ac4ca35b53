// Starting games and levels, the music following the stages, and the two ways a game ends.
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class LevelFlow : public StartedGame {
 protected:
  void Boot(bool bMusic = true) {
    folder.LinkGameFiles();
    game.IE.SetSource(&keys);
    keys.Hold({dik::SPACE});
    ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
    game.Options.bSoundEffects = 0;
    game.Options.bMusic = bMusic ? -1 : 0;
  }
};

}  // namespace

TEST_F(LevelFlow, ANewGameStartsAtTheFirstLevelOfItsStage) {
  Boot();
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  EXPECT_EQ(game.GameMode, GAMEMODE_PLAYING);
  EXPECT_EQ(game.Play.Level, 1);
  EXPECT_EQ(game.Play.Stage, 1);
  EXPECT_EQ(host.music_starts, 1);
  EXPECT_EQ(host.music_nexts, 0);
  EXPECT_GE(clock.slept, 3000u) << "the level screen stays three seconds";

  game.GameMode = GAMEMODE_TITLE;
  ASSERT_TRUE(game.StartGame(3));
  Settle();
  EXPECT_EQ(game.Play.Level, 13);
  EXPECT_EQ(game.Play.Stage, 3);
  EXPECT_EQ(host.music_starts, 2) << "a game begun at a later stage starts the music too";
  EXPECT_EQ(host.music_start_stage, 3) << "at its stage's track";
  EXPECT_EQ(host.music_nexts, 0);
  EXPECT_EQ(game.Play.CharHealth, 5);
  EXPECT_EQ(game.Play.Ammo, 200);
}

TEST_F(LevelFlow, TheMusicMovesOnAtEachNewStageOnly) {
  Boot();
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  struct Step {
    int level, stage, nexts;
  } steps[] = {{2, 1, 0}, {6, 1, 0}, {7, 2, 1}, {8, 2, 1}, {30, 5, 2}, {31, 4, 2}};
  for (const Step& step : steps) {
    game.Play.Level = static_cast<int16_t>(step.level - 1);
    ASSERT_TRUE(game.StartNextLevel());
    Settle();
    EXPECT_EQ(game.Play.Level, step.level);
    EXPECT_EQ(game.Play.Stage, step.stage) << step.level;
    EXPECT_EQ(host.music_nexts, step.nexts) << step.level;
  }
  EXPECT_EQ(game.Play.MachineHealth, 700);
  EXPECT_EQ(game.Play.BombCount, 16);
}

// Seven levels make stages of one level each; the two left over at the end join the last stage
// (there is no sixth: it has no name, backdrop or track) and play like any other level.
TEST_F(LevelFlow, LevelsLeftOverAtTheEndOfAShortSetJoinTheLastStage) {
  Boot(false);
  game.Levels.LevelCount = 7;
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  for (const auto& [level, stage] : {std::pair{5, 5}, std::pair{6, 5}, std::pair{7, 5}}) {
    game.Play.Level = static_cast<int16_t>(level - 1);
    ASSERT_TRUE(game.StartNextLevel()) << level;
    EXPECT_EQ(game.Play.Stage, stage) << level;
    ASSERT_TRUE(game.DrawFrame()) << level;
  }
}

TEST_F(LevelFlow, BombsGrowWithTheLevelAndHalveInAnEasyGame) {
  Boot(false);
  struct Case {
    int level, normal, easy;
  } cases[] = {{1, 4, 2}, {5, 4, 2}, {6, 6, 3}, {11, 8, 4}, {26, 14, 7}};
  // A damaged options file's 7 or 255 plays as the unticked box shows it, not without bombs.
  for (const Case& c : cases) {
    for (uint8_t easy : {0, 1, 7, 255}) {
      game.Options.nEasyGame = easy;
      game.Play.Level = static_cast<int16_t>(c.level - 1);
      ASSERT_TRUE(game.StartNextLevel());
      Settle();
      EXPECT_EQ(game.Play.BombCount, easy == 1 ? c.easy : c.normal) << c.level << " " << +easy;
      EXPECT_EQ(game.Play.Bombs[game.Play.BombCount - 1].Delay, 90 * game.Play.BombCount);
      EXPECT_FLOAT_EQ(game.Play.Bombs[0].Y, -300);
    }
  }
}

TEST_F(LevelFlow, GotoLevelClampsToTheLevelSet) {
  Boot(false);
  int16_t level = 100;
  game.GotoLevel(level);
  Settle();
  EXPECT_EQ(level, 31);
  EXPECT_EQ(game.Play.Level, 31);
  EXPECT_EQ(game.GameMode, GAMEMODE_TITLE) << "the title screen stays";
  level = 0;
  game.GotoLevel(level);
  Settle();
  EXPECT_EQ(game.Play.Level, 1);
  // Skipping on from the finale plays it again rather than running off the level set.
  game.Play.Level = 31;
  ASSERT_TRUE(game.StartNextLevel());
  Settle();
  EXPECT_EQ(game.Play.Level, 31);
  EXPECT_EQ(folder.ErrorLog(), "");
}

TEST_F(LevelFlow, EscGoesBackToTheTitleScreenWithoutAskingForAName) {
  Boot();
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  game.Play.CharScore = 50000;
  ASSERT_TRUE(game.StopGame());
  EXPECT_EQ(game.GameMode, GAMEMODE_TITLE);
  EXPECT_EQ(host.music_stops, 1);
  EXPECT_EQ(game.HighScores[0].Score, 15000);
}

TEST_F(LevelFlow, ALostGameEntersItsScoreAndReturnsToTheTitleScreen) {
  Boot(false);
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  keys.Hold({});
  game.Play.CharHealth = 0;
  game.Play.CharScore = 14500;
  game.Play.ExitCountdown = 1;
  const uint64_t before = clock.slept;
  ASSERT_TRUE(game.DoFrame());
  Settle();
  EXPECT_EQ(game.GameMode, GAMEMODE_TITLE);
  EXPECT_EQ(game.HighScores[1].Score, 14500);
  EXPECT_EQ(game.HighScores[9].Score, 7000);
  EXPECT_EQ(clock.slept - before, 3000u) << "the game-over picture stays three seconds";
}
