// The game object's start-up, its failure reports and the end of the run.
#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "base/files.h"
#include "data/high_scores.h"
#include "game/game.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

class GameLifecycle : public ::testing::Test {
 protected:
  // The end of the run as the frame loop brings it: the game's termination, whose exit sound the
  // loop waits for.
  void EndRun() {
    game.QuitRequested = true;
    ASSERT_TRUE(FrameLoop(game).Run());
  }
  ScratchFolder folder;
  ManualClock clock;
  TestHost host;
  Game game;
};

size_t CountOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

}  // namespace

TEST_F(GameLifecycle, OperationsBeforeInitializeReportNotInitialized) {
  EXPECT_FALSE(game.IsRunning());
  EXPECT_FALSE(game.DrawFrame());
  EXPECT_FALSE(game.StartGame(1));
  EXPECT_FALSE(game.DoFrame());
  EXPECT_EQ(folder.ErrorLog(),
            "Game - DrawFrame - Not initialized.\r\n\r\n"
            "Game - StartGame - Not initialized.\r\n\r\n"
            "Game - DoFrame - Not initialized.\r\n\r\n");
}

TEST_F(GameLifecycle, StartsOnTheTitleScreenAndSavesEverythingAtTheEnd) {
  folder.LinkGameFiles({"Levels.dat"});
  std::vector<uint8_t> levels = ReadBytes(GameFolder() / "Levels.dat");
  levels.insert(levels.end(), {9, 8, 7});  // bytes beyond the level record are kept
  WriteBytes("Levels.dat", levels);

  ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
  EXPECT_EQ(game.GameMode, GAMEMODE_TITLE);
  EXPECT_EQ(game.StagePasswords[3], "GUNPAV");
  EXPECT_EQ(game.Levels.LevelCount, 31);
  EXPECT_EQ(game.LevelNames.size(), 31u);
  EXPECT_EQ(game.Sound(SoundId::Shoot)->GetVolume(), -500);
  EXPECT_EQ(game.Sound(SoundId::Smoking)->GetVolume(), -500);
  EXPECT_EQ(game.Sound(SoundId::StageMachine)->GetVolume(), 0);
  EXPECT_NE(game.Picture(PictureId::Fireworks), nullptr);
  EXPECT_TRUE(game.DrawFrame());
  EXPECT_EQ(folder.ErrorLog(), "");

  const uint64_t sleptBefore = clock.slept;
  EndRun();
  EXPECT_EQ(clock.slept - sleptBefore, 3000u) << "the exit sound plays out";
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{0, 0xFF, 0xFF, 0, 0, 1}));
  EXPECT_EQ(ReadBytes("HighScores_zt.dat").size(), 240u);
  EXPECT_EQ(ReadBytes("Levels.dat"), levels);
  EXPECT_FALSE(std::filesystem::exists("Options_zt_e.dat"));
}

TEST_F(GameLifecycle, AFullDiskAtTheEndStillSavesEveryFileThatFits) {
  folder.LinkGameFiles({"Levels.dat"});
  WriteBytes("Levels.dat", ReadBytes(GameFolder() / "Levels.dat"));
  WriteBytes("Options_zt.dat", {1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
  // A score entered whose save failed then: it reaches the file at the end.
  game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Late"), 99999});
  game.Levels.Cell(1, 0, 5) = 7;
  // Neither the options nor the error log fit on the disk any more.
  SimulateFullDisk([](const std::filesystem::path& file) {
    return file == "Options_zt.dat" || file == "Errors.txt";
  });
  testing::internal::CaptureStderr();
  EndRun();
  const std::string said = testing::internal::GetCapturedStderr();
  SimulateFullDisk(nullptr);
  EXPECT_NE(said.find("Game - SaveGameOptions - Disk full"), std::string::npos) << said;
  EXPECT_NE(said.find("Errors.txt could not be written: Disk full"), std::string::npos) << said;
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ParseHighScores(ReadBytes("HighScores_zt.dat"), HighScoreTable{})[0].Score, 99999);
  EXPECT_EQ(ParseLevelFile(ReadBytes("Levels.dat")).Cell(1, 0, 5), 7);
  EXPECT_FALSE(std::filesystem::exists("Errors.txt")) << "no empty log is left";
}

TEST_F(GameLifecycle, TheExtraSetUsesItsOwnFilesAndPasswords) {
  folder.LinkGameFiles();
  ASSERT_TRUE(game.Initialize(host, true, true)) << folder.ErrorLog();
  EXPECT_EQ(game.StagePasswords[1], "MORVEK");
  EXPECT_EQ(game.StagePasswords[5], "NUFOGE");
  EndRun();
  EXPECT_EQ(clock.slept, 0u) << "no pause in develop mode";
  EXPECT_TRUE(std::filesystem::exists("Options_zt_e.dat"));
  EXPECT_TRUE(std::filesystem::exists("HighScores_zt_e.dat"));
  EXPECT_FALSE(std::filesystem::exists("Options_zt.dat"));
  EXPECT_EQ(ReadBytes("Levels_e.dat"), ReadBytes(GameFolder() / "Levels_e.dat"));
}

// An installed game keeps its own files in a data folder: the options it finds beside the program
// are read while the data folder has none, the level file starts as a copy of the shipped one,
// and at the end every file it writes goes to the data folder, none beside the program.
TEST_F(GameLifecycle, ADataFolderKeepsTheGamesOwnFilesStartingFromTheShippedOnes) {
  folder.LinkGameFiles();
  const std::filesystem::path data = folder.Path() / "home" / "pibo2";
  std::filesystem::create_directories(data);
  WriteBytes("Options_zt.dat", {1, 0, 0, 0, 0, 0});  // an easy game, shipped beside the program
  const std::vector<uint8_t> shippedLevels = ReadBytes("Levels.dat");
  ASSERT_TRUE(game.Initialize(host, false, false, data.string())) << folder.ErrorLog();
  EXPECT_EQ(game.Options.nEasyGame, 1);
  EXPECT_EQ(ReadBytes(data / "Levels.dat"), shippedLevels);
  game.Levels.Cell(1, 5, 10) = 50;  // the editor's change
  game.Options.nHighDetailGraphics = 0;
  EndRun();
  EXPECT_TRUE(std::filesystem::exists(data / "Options_zt.dat"));
  EXPECT_TRUE(std::filesystem::exists(data / "HighScores_zt.dat"));
  EXPECT_FALSE(std::filesystem::exists("HighScores_zt.dat"));
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(ReadBytes("Levels.dat"), shippedLevels) << "the shipped level file is not written";

  // The next run reads the data folder's files first.
  Game again;
  ASSERT_TRUE(again.Initialize(host, false, false, data.string())) << folder.ErrorLog();
  EXPECT_EQ(again.Options.nHighDetailGraphics, 0);
  EXPECT_EQ(again.Levels.Cell(1, 5, 10), 50);
}

TEST_F(GameLifecycle, AMissingPictureStopsTheLoadingWithOneReport) {
  folder.LinkGameFiles({"Skull.bmp"});
  EXPECT_FALSE(game.Initialize(host, false));
  EXPECT_EQ(folder.ErrorLog(), "VBGE - LoadBitmap - File not found - Skull.bmp\r\n\r\n");
  EXPECT_NE(game.Picture(PictureId::Magnet), nullptr);
  EXPECT_EQ(game.Picture(PictureId::NormalBomb), nullptr)
      << "pictures after the missing one are not loaded";
  EXPECT_FALSE(game.Initialized);
  EXPECT_EQ(game.GameMode, 0);
}

TEST_F(GameLifecycle, AMissingLoadingPictureFailsBeforeAnyDataIsRead) {
  folder.LinkGameFiles({"Loading_ZT.bmp"});
  WriteBytes("Options_zt.dat", {1, 0, 0, 0, 0, 0});
  EXPECT_FALSE(game.Initialize(host, false));
  EXPECT_EQ(game.Options.nEasyGame, 0);
  EXPECT_EQ(CountOf(folder.ErrorLog(), "Loading_ZT.bmp"), 1u);
}

TEST_F(GameLifecycle, RefusesABadLevelSetWithAClearReport) {
  folder.LinkGameFiles({"Levels.dat", "LevelNames_zt.txt"});
  std::vector<uint8_t> levels = ReadBytes(GameFolder() / "Levels.dat");
  WriteBytes("LevelNames_zt.txt", ReadBytes(GameFolder() / "LevelNames_zt.txt"));

  levels[0] = 40;  // more levels than the file has slots
  WriteBytes("Levels.dat", levels);
  EXPECT_FALSE(game.LoadLevels());
  levels[0] = 31;
  WriteBytes("Levels.dat", std::vector<uint8_t>(levels.begin(), levels.begin() + 1000));
  EXPECT_FALSE(game.LoadLevels());
  WriteBytes("Levels.dat", levels);
  WriteBytes("LevelNames_zt.txt", {'O', 'n', 'e', '\r', '\n'});
  EXPECT_FALSE(game.LoadLevels());

  const std::string log = folder.ErrorLog();
  EXPECT_EQ(CountOf(log, "Game - LoadLevels - "), 3u) << log;
  EXPECT_NE(log.find("Game - LoadLevels - Input past end of file\r\n"), std::string::npos) << log;
}

TEST_F(GameLifecycle, ScoreAccessorsWorkOnSixteenBits) {
  game.SetCharScore(-5);
  EXPECT_EQ(game.Play.CharScore, -5);
  game.Play.CharScore = 70000;  // 0x11170
  EXPECT_EQ(game.GetCharScore(), 0x1170);
  game.Play.CharScore = 40000;
  EXPECT_EQ(game.GetCharScore(), 40000 - 65536);
  game.SetCharHealth(10);
  EXPECT_EQ(game.Play.CharHealth, 10);
}

// A score another copy's save kept from the file reaches it a few passes after that copy is done;
// at the end of the run the game waits for the table three seconds at most, then says so.
TEST_F(GameLifecycle, ScoresKeptFromTheFileByAnotherCopyFollowAMomentLater) {
  folder.LinkGameFiles();
  ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
  game.Options.bSoundEffects = 0;
  auto other = std::make_unique<FileLock>("HighScores_zt.dat.lock");
  game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Later"), 30000});
  EXPECT_FALSE(game.SaveHighScores());
  FrameLoop loop(game);
  for (int pass = 0; pass < 20; ++pass) ASSERT_TRUE(loop.RunOnePass());
  EXPECT_FALSE(FileExists("HighScores_zt.dat"));
  other.reset();
  for (int pass = 0; pass < 20; ++pass) ASSERT_TRUE(loop.RunOnePass());
  EXPECT_EQ(ParseHighScores(ReadBytes("HighScores_zt.dat"), HighScoreTable{})[0].Name,
            FixedName("Later"));

  other = std::make_unique<FileLock>("HighScores_zt.dat.lock");
  game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Never"), 40000});
  const uint64_t sleptBefore = clock.slept;
  EndRun();
  EXPECT_EQ(clock.slept - sleptBefore, 3000u);
  EXPECT_NE(folder.ErrorLog().find("Another copy of the game kept the high-score table"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::is_symlink("Levels.dat")) << "the level file was saved after";
}
