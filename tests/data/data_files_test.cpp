// The options and high-score files, byte for byte, and how the game reads and writes them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <limits>
#include <memory>

#include "data/file_io.h"
#include "data/high_scores.h"
#include "data/options.h"
#include "game/game.h"
#include "tests/test_support.h"

using namespace testing_support;

TEST(OptionsFile, EncodesTheFourFieldsInSixBytes) {
  const auto defaults = OptionsBytes(GameOptions{});
  EXPECT_EQ(std::vector<uint8_t>(defaults.begin(), defaults.end()),
            (std::vector<uint8_t>{0x00, 0xFF, 0xFF, 0x00, 0x00, 0x01}));
  GameOptions odd{7, 0, 1, 0};  // values other than 0 and -1 survive unchanged
  const auto bytes = OptionsBytes(odd);
  const GameOptions back = ParseOptions(bytes);
  EXPECT_EQ(back.nEasyGame, 7);
  EXPECT_EQ(back.bSoundEffects, 0);
  EXPECT_EQ(back.bMusic, 1);
  EXPECT_EQ(back.nHighDetailGraphics, 0);
}

TEST(OptionsFile, TheExtraSetHasItsOwnFileAndNeverPlaysEasy) {
  ScratchFolder folder;
  WriteBytes("Options_zt.dat", {1, 0, 0, 0, 0, 0});
  WriteBytes("Options_zt_e.dat", {1, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0xAA});
  Game game;
  game.ExtraMode = true;
  ASSERT_TRUE(game.LoadGameOptions());
  EXPECT_EQ(game.Options.nEasyGame, 0);
  EXPECT_EQ(game.Options.bMusic, -1);
  ASSERT_TRUE(game.SaveGameOptions());
  EXPECT_EQ(ReadBytes("Options_zt_e.dat"),
            (std::vector<uint8_t>{0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0xAA}));
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
}

TEST(HighScoreFile, DefaultTableIsTenPibosFrom15000Down) {
  const std::vector<uint8_t> bytes = HighScoreBytes(DefaultHighScores());
  ASSERT_EQ(bytes.size(), HIGHSCORE_FILE_SIZE);
  for (int i = 0; i < 10; ++i) {
    const uint8_t* entry = &bytes[24 * i];
    EXPECT_EQ(std::string(entry, entry + 20), "Pibo                ");
    const int score = entry[20] | entry[21] << 8 | entry[22] << 16 | entry[23] << 24;
    EXPECT_EQ(score, 15000 - 1000 * i);
  }
}

TEST(HighScoreFile, NamesAreFixedToTwentyCharacters) {
  EXPECT_EQ(FixedName("Ann"), "Ann                 ");
  EXPECT_EQ(FixedName("ABCDEFGHIJKLMNOPQRSTUVWXY"), "ABCDEFGHIJKLMNOPQRST");
}

TEST(HighScoreFile, RoundTripsExtremeScoresAndKeepsDefaultsBeyondAShortFile) {
  HighScoreTable table = DefaultHighScores();
  table[0].Score = std::numeric_limits<int32_t>::max();
  table[9].Score = std::numeric_limits<int32_t>::min();
  table[3].Name = FixedName("\xC9milie");  // an 8-bit name stays byte for byte
  const std::vector<uint8_t> bytes = HighScoreBytes(table);
  const HighScoreTable back = ParseHighScores(bytes, DefaultHighScores());
  EXPECT_EQ(back[0].Score, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(back[9].Score, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(back[3].Name, table[3].Name);

  // 50 bytes: two whole entries; the third is cut, so it and the rest keep the defaults.
  const std::vector<uint8_t> shortFile(bytes.begin(), bytes.begin() + 50);
  const HighScoreTable partial = ParseHighScores(shortFile, DefaultHighScores());
  EXPECT_EQ(partial[0].Score, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(partial[2].Score, 13000);
  EXPECT_EQ(partial[9].Score, 6000);
}

TEST(HighScoreFile, SavingKeepsBytesBeyondTheTableAndTheOtherSetsFile) {
  ScratchFolder folder;
  std::vector<uint8_t> longer(300, 0x5A);
  WriteBytes("HighScores_zt.dat", longer);
  Game game;
  game.ExtraMode = true;
  ASSERT_TRUE(game.LoadHighScores());  // no extra file: the default table
  EXPECT_EQ(game.HighScores[9].Score, 6000);
  ASSERT_TRUE(game.SaveHighScores());
  EXPECT_EQ(ReadBytes("HighScores_zt_e.dat").size(), 240u);
  EXPECT_EQ(ReadBytes("HighScores_zt.dat"), longer);

  game.ExtraMode = false;
  ASSERT_TRUE(game.LoadHighScores());
  EXPECT_EQ(game.HighScores[0].Name, std::string(20, 0x5A));
  game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Top"), 0x5A5A5A5B});
  ASSERT_TRUE(game.SaveHighScores());
  const std::vector<uint8_t> saved = ReadBytes("HighScores_zt.dat");
  ASSERT_EQ(saved.size(), 300u);
  EXPECT_EQ(saved[20], 0x5B);
  EXPECT_EQ(saved[24], 0x5A) << "the old first entry moved down";
  EXPECT_EQ(saved[299], 0x5A);
}

TEST(DataFiles, AFailedWriteLeavesTheOldFileAndNoLeftovers) {
  ScratchFolder folder;
  WriteBytes("Options_zt.dat", {1, 2, 3, 4, 5, 6});
  SimulateFullDisk([](const std::filesystem::path& file) { return file == "Options_zt.dat"; });
  Game game;
  EXPECT_FALSE(game.SaveGameOptions());
  SimulateFullDisk(nullptr);
  EXPECT_EQ(ReadBytes("Options_zt.dat"), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(folder.ErrorLog(), "Game - SaveGameOptions - Disk full\r\n\r\n");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(".")) files += entry.exists();
  EXPECT_EQ(files, 2) << "only the options and the log";
}

// Each save merges: the table as the file holds it now, with this copy's new scores entered by
// the table's rules. Two copies of the game in one folder both keep their players' scores, and
// each shows the other's after its next save.
TEST(HighScoreFile, TwoCopiesInOneFolderBothKeepTheirScores) {
  ScratchFolder folder;
  Game first, second;
  ASSERT_TRUE(first.LoadHighScores());
  ASSERT_TRUE(second.LoadHighScores());
  first.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Zo\xEB"), 20000});
  ASSERT_TRUE(first.SaveHighScores());
  EXPECT_TRUE(first.UnsavedHighScores.empty());
  second.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Ann"), 14500});
  ASSERT_TRUE(second.SaveHighScores());
  ASSERT_TRUE(first.SaveHighScores());  // the end of the first run: nothing new
  const HighScoreTable saved = ParseHighScores(ReadBytes("HighScores_zt.dat"), HighScoreTable{});
  EXPECT_EQ(saved[0], (HighScoreEntry{FixedName("Zo\xEB"), 20000}));
  EXPECT_EQ(saved[1].Score, 15000);
  EXPECT_EQ(saved[2], (HighScoreEntry{FixedName("Ann"), 14500}));
  EXPECT_EQ(saved[9].Score, 8000) << "two defaults dropped out";
  EXPECT_TRUE(first.HighScores == saved) << "the table shown is the merged one";
}

// A save while another copy holds the table waits for nothing: it keeps its scores, logs
// nothing, and saves them once the table is free (the frame loop tries again every few passes).
// A table that cannot be read is not written over, and what could not be saved is kept.
TEST(HighScoreFile, ASaveWhileTheOtherCopyHoldsTheTableKeepsItsScores) {
  ScratchFolder folder;
  Game game;
  ASSERT_TRUE(game.LoadHighScores());
  game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Waits"), 30000});
  auto other = std::make_unique<FileLock>("HighScores_zt.dat.lock");
  EXPECT_FALSE(game.SaveHighScores());
  EXPECT_TRUE(game.HighScoresBusy);
  EXPECT_FALSE(FileExists("HighScores_zt.dat"));
  EXPECT_EQ(folder.ErrorLog(), "");
  other.reset();
  EXPECT_TRUE(game.SaveHighScores());
  EXPECT_FALSE(game.HighScoresBusy);
  EXPECT_EQ(ParseHighScores(ReadBytes("HighScores_zt.dat"), HighScoreTable{})[0].Score, 30000);

  WriteBytes("HighScores_zt.dat", {});
  std::filesystem::permissions("HighScores_zt.dat", std::filesystem::perms::none);
  if (geteuid() != 0) {  // root reads anything
    game.UnsavedHighScores.push_back(HighScoreEntry{FixedName("Kept"), 40000});
    EXPECT_FALSE(game.SaveHighScores()) << "a table that cannot be read is not written over";
    EXPECT_EQ(game.UnsavedHighScores.size(), 1u);
  }
}

// A file of the player's that is no file (a pipe) or far too large to be one (a 512 MB table) is
// logged and taken as missing: the game starts with the defaults, reads nothing of it, and a save
// leaves the pipe alone but replaces the huge file with a table of its own size.
TEST(HighScoreFile, APipeOrAHugeFileIsLoggedAndTakenAsMissing) {
  ScratchFolder folder;
  ASSERT_EQ(mkfifo("Options_zt.dat", 0644), 0);
  { std::ofstream huge("HighScores_zt.dat"); }
  std::filesystem::resize_file("HighScores_zt.dat", 512u << 20);  // sparse: no disk is used
  Game game;
  ASSERT_TRUE(game.LoadGameOptions());
  ASSERT_TRUE(game.LoadHighScores());
  EXPECT_EQ(OptionsBytes(game.Options), OptionsBytes(GameOptions{}));
  EXPECT_TRUE(game.HighScores == DefaultHighScores());
  const std::string log = folder.ErrorLog();
  EXPECT_NE(log.find("Game - LoadGameOptions - Options_zt.dat: Not a regular file"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Game - LoadHighScores - HighScores_zt.dat: File too large (536870912 bytes"),
            std::string::npos)
      << log;
  EXPECT_FALSE(game.SaveGameOptions());
  EXPECT_TRUE(std::filesystem::is_fifo("Options_zt.dat"));
  ASSERT_TRUE(game.SaveHighScores());
  EXPECT_EQ(ReadBytes("HighScores_zt.dat"), HighScoreBytes(DefaultHighScores()));
}
