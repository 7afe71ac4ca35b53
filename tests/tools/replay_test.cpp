// A game recorded as it is played (pibo2 --record) plays again the same, frame for frame: in the
// game itself (pibo2 --replay) and headless (pibo-sim --replay).
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "base/files.h"
#include "base/version.h"
#include "data/file_io.h"
#include "data/recording.h"
#include "tests/started_game.h"

using namespace testing_support;
namespace fs = std::filesystem;

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

  const std::vector<uint8_t> bytes = ReadFileBytes(file, RECORDING_FILE_LIMIT);
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
  Settle();
  EXPECT_EQ(game.Options.nHighDetailGraphics, 1) << "the recording's option";
  for (int frame = 0; frame < 400 && game.IsRunning(); ++frame) Play(1);
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

// A recording whose check matches but whose numbers the game never writes (made by hand, or by
// another program) is refused with the reason and status 2; none of its numbers reaches the
// rules, where an easy game of -1 divides by zero.
TEST(ReplayProgram, RefusesASignedRecordingWithNumbersTheGameNeverWrites) {
  const fs::path levels = fs::path(PIBO_GAME_DIR) / "Levels.dat";
  Recording good;
  good.GameVersion = GAME_VERSION;
  good.LevelsCheck = LevelSetCheck(ParseLevelFile(ReadFileBytes(levels, LEVEL_FILE_LIMIT)));
  for (int frame = 0; frame < 30; ++frame) good.AddFrame(KeyboardSnapshot{}, 1);
  good.EndLevel = 1;
  const struct {
    std::function<void(Recording&)> spoil;
    const char* why;
  } cases[] = {
      {[](Recording& r) { r.nEasyGame = -1; }, "\"easy\" needs a number from 0 to 1"},
      {[](Recording& r) { r.nHighDetailGraphics = 2; }, "\"detail\" needs a number from 0 to 1"},
      {[](Recording& r) { r.RandomState = 0x1000000; }, "\"random\" needs a number"},
      {[](Recording& r) { r.LevelBefore = 31; }, "the start needs the level before"},
      {[](Recording& r) { r.StageBefore = -1; }, "the start needs the level before"},
      {[](Recording& r) { r.EndScore = -5; }, "the end needs a score of 0 or more"},
  };
  const fs::path file =
      fs::temp_directory_path() / ("pibo-replay-test-" + std::to_string(::getpid()) + ".rec");
  for (const auto& c : cases) {
    Recording bad = good;
    c.spoil(bad);
    const std::string text = RecordingText(bad);  // signed as the game signs
    WriteFileAtomically(file,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    const ProgramRun sim = RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-sim' --folder '" +
                                      PIBO_GAME_DIR + "' --replay '" + file.string() + "' 2>&1");
    EXPECT_EQ(sim.status, 2) << c.why << "\n" << sim.output;
    EXPECT_NE(sim.output.find("Not a recording this game can play"), std::string::npos);
    EXPECT_NE(sim.output.find(c.why), std::string::npos) << sim.output;
  }
  fs::remove(file);
}

// A game played with the safe time and at 80 % speed replays with them, in the game and headless,
// and the simulator says it was played with help.
TEST_F(RecordedGame, AssistsAreRecordedAndReplayed) {
  const std::filesystem::path file = folder.Path() / "assisted.rec";
  game.RecordFile = file.string();
  game.Settings.bSafeTimeAfterHit = true;
  game.Settings.nGameSpeed = 80;
  Start(false, 1);
  EXPECT_TRUE(game.Play.bSafeTimeAfterHit);
  EXPECT_EQ(game.PassMilliseconds(), 38u) << "a pass lasts 30 ms / 80 %";
  Play(600);  // standing at the start: the bombs come
  const End played = EndOf(game.Play);
  ASSERT_TRUE(game.StopGame());
  EXPECT_EQ(game.PassMilliseconds(), 30u) << "the title screen keeps its pace";

  const ProgramRun sim = RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-sim' --folder '" +
                                    PIBO_GAME_DIR + "' --replay '" + file.string() + "' 2>&1");
  EXPECT_EQ(sim.status, 0) << sim.output;
  EXPECT_NE(sim.output.find("recorded with assists: a safe time after each hit the game at 80 % speed"),
            std::string::npos) << sim.output;
  EXPECT_NE(sim.output.find("\"CharScore\":" + std::to_string(played.score)), std::string::npos);

  game.Settings = PlayerSettings{};  // the player's own settings no longer have them
  const std::vector<uint8_t> bytes = ReadFileBytes(file, RECORDING_FILE_LIMIT);
  ASSERT_TRUE(game.StartReplay(ParseRecording(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), GAME_VERSION)));
  Settle();
  EXPECT_TRUE(game.Play.bSafeTimeAfterHit);
  EXPECT_EQ(game.Play.nGameSpeed, 80);
  for (int frame = 0; frame < 700 && game.IsRunning(); ++frame) Play(1);
  EXPECT_EQ(EndOf(game.Play), played);
}
