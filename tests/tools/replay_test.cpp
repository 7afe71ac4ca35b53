// A game recorded as it is played (pibo2 --record) plays again the same, frame for frame: in the
// game itself (pibo2 --replay) and headless (pibo-sim --replay).
#include <gtest/gtest.h>

#include <string>

#include "base/files.h"
#include "base/version.h"
#include "data/recording.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class RecordedGame : public StartedGame {};

struct End {
  int32_t score;
  int16_t level, health;
  float x, y;
  bool operator==(const End&) const = default;
};

End EndOf(const PlayState& play) {
  return End{play.CharScore, play.Level, play.CharHealth, play.CharX, play.CharY};
}

}  // namespace

TEST_F(RecordedGame, PlaysAgainTheSameInTheGameAndHeadless) {
  const std::filesystem::path file = folder.Path() / "run.rec";
  game.RecordFile = file.string();
  Start(false, 1);
  game.Options.nHighDetailGraphics = 1;
  // Run right, jump, fire on the way (the balls' sparks use the random numbers), turn back, and
  // switch the detail option in the middle as the options window would.
  keys.Hold({dik::RIGHT});
  Play(60);
  keys.Hold({dik::RIGHT, dik::UP});
  Play(6);
  keys.Hold({dik::RIGHT, dik::LCONTROL});
  Play(150);
  game.Options.nHighDetailGraphics = 0;
  keys.Hold({dik::LEFT, dik::SPACE, dik::LSHIFT});
  Play(120);
  const End played = EndOf(game.Play);
  ASSERT_TRUE(game.StopGame());

  const std::vector<uint8_t> bytes = ReadFileBytes(file);
  const Recording recording = ParseRecording(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), GAME_VERSION);
  EXPECT_EQ(recording.Frames(), 336);
  EXPECT_EQ(recording.EndScore, played.score);

  // Headless: the simulator ends where the game did (status 3 if not).
  const ProgramRun sim = RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-sim' --folder '" +
                                    PIBO_GAME_DIR + "' --replay '" + file.string() + "' 2>&1");
  EXPECT_EQ(sim.status, 0) << sim.output;
  EXPECT_NE(sim.output.find("\"CharScore\":" + std::to_string(played.score)), std::string::npos)
      << sim.output;

  // In the game: the same frames with the keys the player held, whatever the keyboard does now.
  keys.Hold({dik::LEFT});
  ASSERT_TRUE(game.StartReplay(recording)) << folder.ErrorLog();
  EXPECT_EQ(game.Options.nHighDetailGraphics, 1) << "the recording's option";
  for (int frame = 0; frame < 400 && game.IsRunning(); ++frame) {
    ASSERT_TRUE(game.DrawFrame());
    ASSERT_TRUE(game.DoFrame());
  }
  EXPECT_FALSE(game.IsRunning()) << "the replay ends on the title screen";
  EXPECT_FALSE(game.IsReplaying());
  EXPECT_EQ(EndOf(game.Play), played);
  EXPECT_EQ(game.Options.nHighDetailGraphics, 0) << "the player's own option again";
}

// A recording of another level set is refused, and the game stays on the title screen.
TEST_F(RecordedGame, ARecordingOfOtherLevelsIsRefused) {
  Start(false, 1);
  ASSERT_TRUE(game.StopGame());
  Recording other;
  other.GameVersion = GAME_VERSION;
  other.LevelsCheck = 42;
  EXPECT_FALSE(game.StartReplay(other));
  EXPECT_NE(folder.ErrorLog().find("other levels"), std::string::npos) << folder.ErrorLog();
  EXPECT_FALSE(game.IsRunning());
}
