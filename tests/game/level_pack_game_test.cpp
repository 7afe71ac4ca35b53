// A level pack played by the game: its levels and names, the normal set's title and passwords,
// and its own options, scores and level file, never mixed with the shipped sets' files.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/version.h"
#include "data/high_scores.h"
#include "data/level_set.h"
#include "data/recording.h"
#include "tests/started_game.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

class PackGame : public StartedGame {
 protected:
  // A pack made from the shipped set with level 1 renamed and a gem moved onto a cell of its own;
  // the program's folder holds the shipped sets' options (an easy game) and scores.
  void SetUp() override {
    folder.LinkGameFiles();
    WriteBytes("Options_zt.dat", {1, 0, 0, 0, 0, 1});
    shippedLevels = ReadBytes("Levels.dat");
    LevelSet levels = ParseLevelFile(shippedLevels);
    levels.Cell(1, 15, 10) = 50;
    fs::create_directories(pack);
    packLevels = LevelFileBytes(levels);
    WriteBytes(pack / "Levels.dat", packLevels);
    const std::vector<uint8_t> names = ReadBytes("LevelNames_zt.txt");
    std::vector<std::string> named = ParseLevelNames(
        std::string_view(reinterpret_cast<const char*>(names.data()), names.size()), 31);
    named[0] = "Pack Start";
    const std::string text = LevelNamesText(named);
    WriteBytes(pack / "LevelNames_zt.txt", std::vector<uint8_t>(text.begin(), text.end()));
  }
  void Boot(Game& g, const fs::path& data) {
    g.PackFolder = pack.string();
    g.PackName = "Caves";
    ASSERT_TRUE(g.Initialize(host, false, false, data.string())) << folder.ErrorLog();
    g.Options.bSoundEffects = 0;
  }
  void EndRun(Game& g) {
    g.QuitRequested = true;
    ASSERT_TRUE(FrameLoop(g).Run());
  }
  const fs::path pack = fs::current_path() / "Caves";
  std::vector<uint8_t> shippedLevels, packLevels;
};

}  // namespace

TEST_F(PackGame, PlaysThePacksLevelsWithTheNormalSetsPasswordsAndItsOwnFiles) {
  game.IE.SetSource(&keys);
  keys.Hold({dik::SPACE});
  Boot(game, pack);
  EXPECT_EQ(game.LevelNames[0], "Pack Start");
  EXPECT_EQ(game.StagePasswords[2], "TIRMEX");
  EXPECT_EQ(game.Options.nEasyGame, 0) << "the shipped set's options are not the pack's";
  EXPECT_EQ(game.HighScores, DefaultHighScores());
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  EXPECT_EQ(game.Play.Level, 1);
  EXPECT_EQ(game.Play.Levels->Cell(1, 15, 10), 50);
  // A password's stage starts on the pack's own levels.
  game.GameMode = GAMEMODE_TITLE;
  ASSERT_TRUE(game.StartGame(2));
  Settle();
  EXPECT_EQ(game.Play.Level, 7);
  EndRun(game);

  // The pack's folder could be written: its options and scores are beside its levels, which
  // were not changed and so not written; the program's folder is as it was.
  EXPECT_EQ(ReadBytes(pack / "Options_zt.dat").size(), 6u);
  EXPECT_EQ(ReadBytes(pack / "HighScores_zt.dat").size(), 240u);
  EXPECT_EQ(ReadBytes(pack / "Levels.dat"), packLevels);
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{1, 0, 0, 0, 0, 1}));
  EXPECT_FALSE(fs::exists("HighScores_zt.dat"));
  EXPECT_EQ(ReadBytes("Levels.dat"), shippedLevels);
  EXPECT_EQ(folder.ErrorLog(), "");
}

// A pack kept apart (a read-only pack's folder in the player's data folder) gets a level file
// there only once the editor has changed a level; the next run plays the changed one, while the
// pack itself stays as it came.
TEST_F(PackGame, AnEditedPackIsKeptWithItsOwnFilesAndPlayedFromThere) {
  const fs::path data = folder.Path() / "data" / "packs" / "Caves-0123abcd";
  fs::create_directories(data);
  Boot(game, data);
  EndRun(game);
  EXPECT_FALSE(fs::exists(data / "Levels.dat")) << "levels not changed, not copied";
  EXPECT_TRUE(fs::exists(data / "Options_zt.dat"));
  EXPECT_FALSE(fs::exists(pack / "Options_zt.dat"));

  Game edited;
  Boot(edited, data);
  edited.Levels.Cell(1, 20, 12) = 25;  // the editor's change
  EndRun(edited);
  EXPECT_EQ(ParseLevelFile(ReadBytes(data / "Levels.dat")).Cell(1, 20, 12), 25);
  EXPECT_EQ(ReadBytes(pack / "Levels.dat"), packLevels);

  Game again;
  Boot(again, data);
  EXPECT_EQ(again.Levels.Cell(1, 20, 12), 25);
  EXPECT_EQ(again.LevelNames[0], "Pack Start");
}

// A game on a pack records the pack's name; its recording is played back on a pack only, and one
// of the shipped sets never on a pack.
TEST_F(PackGame, RecordingsNameThePackAndPlayBackOnAPackOnly) {
  game.RecordFile = (folder.Path() / "run.rec").string();
  game.IE.SetSource(&keys);
  keys.Hold({dik::SPACE});
  Boot(game, pack);
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  Play(5);
  ASSERT_TRUE(game.StopGame());
  const std::vector<uint8_t> bytes = ReadBytes(folder.Path() / "run.rec");
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\nset pack Caves\n"), std::string::npos) << text;
  const Recording recorded = ParseRecording(text, GAME_VERSION);
  EXPECT_EQ(recorded.sPack, "Caves");
  EXPECT_EQ(recorded.LevelsCheck, LevelSetCheck(ParseLevelFile(packLevels)));

  EXPECT_EQ(RecordingSetMismatch(recorded, false, true), "");
  EXPECT_NE(RecordingSetMismatch(recorded, false, false).find("level pack \"Caves\""),
            std::string::npos);
  Recording shipped = recorded;
  shipped.sPack.clear();
  EXPECT_NE(RecordingSetMismatch(shipped, false, true).find("not on a level pack"),
            std::string::npos);
  shipped.bExtra = true;
  EXPECT_EQ(RecordingSetMismatch(shipped, false, false),
            "The recording was played on the EXTRA levels.");

  Game normal;
  ASSERT_TRUE(normal.Initialize(host, false)) << folder.ErrorLog();
  EXPECT_FALSE(normal.StartReplay(recorded));
  EXPECT_NE(folder.ErrorLog().find("Game - StartReplay - The recording was played on the level "
                                   "pack \"Caves\""),
            std::string::npos)
      << folder.ErrorLog();
}
