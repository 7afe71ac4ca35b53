// The level checker: what the hero's own physics can and cannot reach on small hand-made levels,
// every shipped level, the routes it finds, and the program's answers.
#include "tools/level_checker/level_checker.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "data/cell_codes.h"
#include "data/file_io.h"
#include "headless/key_script.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;
using namespace level_checker;

namespace {

// An empty set of 31 levels; every level has a floor of wood in row 29.
LevelSet FloorOnly() {
  LevelSet levels;
  levels.LevelCount = 31;
  levels.LevelGrid.fill(NOTHING);
  for (int level = 1; level <= 31; ++level)
    for (int c = 0; c < LEVEL_COLUMNS; ++c) levels.Cell(level, c, 29) = PLATFORM_WOOD;
  return levels;
}

void Fill(LevelSet& levels, int level, int row, int c0, int c1, uint8_t code = PLATFORM_WOOD) {
  for (int c = c0; c <= c1; ++c) levels.Cell(level, c, row) = code;
}

const Item& ItemAt(const LevelReport& report, int column, int row) {
  for (const Item& item : report.Items)
    if (item.Column == column && item.Row == row) return item;
  ADD_FAILURE() << "no item at " << column << "," << row;
  static const Item none;
  return none;
}

bool Reached(const LevelSet& levels, int level, int column, int row) {
  const LevelReport report = CheckLevel(levels, level);
  const Item& item = ItemAt(report, column, row);
  if (item.Reached) {
    // A route the checker found must really take the hero there, in its very last frame.
    long frames = 0;
    for (const KeyRun& run : item.RouteThere) frames += run.Frames;
    EXPECT_EQ(ReplayRoute(levels, level, item.RouteThere, column, row), frames - 1);
  }
  return item.Reached;
}

bool RouteHolds(const Item& item, uint8_t key) {
  for (const KeyRun& run : item.RouteThere)
    if (run.Keys & key) return true;
  return false;
}

TEST(LevelChecker, ClimbsWhatOneJumpReachesAndNoHigher) {
  LevelSet levels = FloorOnly();
  // A ledge four rows above the floor with a gem on it; a second ledge four rows higher again.
  Fill(levels, 1, 25, 8, 10);
  levels.Cell(1, 9, 24) = GEM_NORMAL;
  Fill(levels, 1, 21, 12, 14);
  levels.Cell(1, 13, 20) = GEM_NORMAL;
  // Nothing leads up to these: ten rows above the floor, one a gem, one a power-up.
  levels.Cell(1, 20, 19) = GEM_NORMAL;
  levels.Cell(1, 24, 19) = POWERUP_EXTRASPEED;
  levels.Cell(1, 27, 28) = POWERUP_HIGHJUMP;

  const LevelReport report = CheckLevel(levels, 1);
  EXPECT_TRUE(ItemAt(report, 9, 24).Reached);
  EXPECT_TRUE(ItemAt(report, 13, 20).Reached);  // from the first ledge, not from the floor
  EXPECT_FALSE(ItemAt(report, 20, 19).Reached);
  EXPECT_FALSE(ItemAt(report, 24, 19).Reached);
  EXPECT_TRUE(ItemAt(report, 27, 28).Reached);
  EXPECT_EQ(report.Count(true, true), 2);
  EXPECT_EQ(report.Count(false, false), 1);
  EXPECT_EQ(ItemName(ItemAt(report, 24, 19)), "extra speed");

  // Without the first ledge the second is out of reach.
  Fill(levels, 1, 25, 8, 10, NOTHING);
  EXPECT_FALSE(Reached(levels, 1, 13, 20));
}

TEST(LevelChecker, DropsThroughAPlatformToWhatLiesBelow) {
  LevelSet levels = FloorOnly();
  // Only the first four columns have a floor: from the bare floor the hero cannot jump. Steps
  // lead up to a platform across the whole level; far below it a ledge holds a gem that no jump
  // from the floor or the steps comes near.
  Fill(levels, 1, 29, 4, 31, NOTHING);
  Fill(levels, 1, 25, 2, 4);
  Fill(levels, 1, 21, 0, 31);
  Fill(levels, 1, 25, 16, 18);
  levels.Cell(1, 17, 24) = GEM_NORMAL;

  const LevelReport report = CheckLevel(levels, 1);
  const Item& gem = ItemAt(report, 17, 24);
  ASSERT_TRUE(gem.Reached);
  EXPECT_TRUE(RouteHolds(gem, KEY_DOWN));
  EXPECT_TRUE(Reached(levels, 1, 17, 24));

  // The same without the wide platform: nothing to drop from.
  Fill(levels, 1, 21, 0, 31, NOTHING);
  EXPECT_FALSE(Reached(levels, 1, 17, 24));
}

TEST(LevelChecker, JumpsOverAWallItCannotWalkThrough) {
  LevelSet levels = FloorOnly();
  for (int row = 25; row <= 28; ++row) levels.Cell(1, 10, row) = PLATFORM_ROCK;
  levels.Cell(1, 14, 28) = GEM_NORMAL;
  const LevelReport report = CheckLevel(levels, 1);
  const Item& gem = ItemAt(report, 14, 28);
  ASSERT_TRUE(gem.Reached);
  EXPECT_TRUE(RouteHolds(gem, KEY_UP));
  EXPECT_TRUE(Reached(levels, 1, 14, 28));
}

TEST(LevelChecker, JumpsHigherOnTheSpaceStageButNotInTheFinale) {
  LevelSet levels = FloorOnly();
  // Eight rows above the floor: out of reach but for the low gravity of stage 4 (levels 19 to
  // 24 of 31). The finale is on stage 4 too, with normal gravity.
  for (int level : {1, 19, 24, 25, 31}) {
    Fill(levels, level, 21, 12, 14);
    levels.Cell(level, 13, 20) = GEM_NORMAL;
  }
  EXPECT_EQ(StageOfLevel(31, 19), 4);
  EXPECT_EQ(StageOfLevel(31, 31), 4);
  EXPECT_FALSE(Reached(levels, 1, 13, 20));
  EXPECT_TRUE(Reached(levels, 19, 13, 20));
  EXPECT_TRUE(Reached(levels, 24, 13, 20));
  EXPECT_FALSE(Reached(levels, 25, 13, 20));
  EXPECT_FALSE(Reached(levels, 31, 13, 20));
}

class ShippedLevelSets : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLevelSets, EveryGemAndPowerUpCanBeReachedAlongARouteThatReplays) {
  const LevelSet levels =
      ParseLevelFile(ReadFileBytes(fs::path(PIBO_GAME_DIR) / GetParam(), LEVEL_FILE_LIMIT));
  for (int level = 1; level <= levels.LevelCount; ++level) {
    const LevelReport report = CheckLevel(levels, level);
    EXPECT_GT(report.Total(true), 0);
    for (const Item& item : report.Items) {
      EXPECT_TRUE(item.Reached) << GetParam() << " level " << level << ": " << ItemName(item)
                                << " at column " << item.Column << ", row " << item.Row;
      if (!item.Reached) continue;
      long frames = 0;
      for (const KeyRun& run : item.RouteThere) frames += run.Frames;
      EXPECT_EQ(ReplayRoute(levels, level, item.RouteThere, item.Column, item.Row), frames - 1)
          << GetParam() << " level " << level << " " << item.Column << "," << item.Row;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothSets, ShippedLevelSets,
                         ::testing::Values("Levels.dat", "Levels_e.dat"));

TEST(LevelChecker, RouteAsKeyScriptHoldsTheSameKeysFrameByFrame) {
  const Route route = {{KEY_RIGHT, 3}, {KEY_RIGHT | KEY_UP, 1}, {KEY_LEFT, 5},
                       {0, 2},         {KEY_DOWN, 1},           {KEY_LEFT | KEY_DOWN, 2}};
  std::istringstream text(RouteAsKeyScript(route));
  const KeyScript script = KeyScript::Parse(text, "route");
  long frame = 0;
  for (const KeyRun& run : route) {
    for (int i = 0; i < run.Frames; ++i, ++frame) {
      const KeyboardSnapshot keys = script.KeysAt(frame);
      EXPECT_EQ(keys[dik::LEFT] != 0, (run.Keys & KEY_LEFT) != 0) << frame;
      EXPECT_EQ(keys[dik::RIGHT] != 0, (run.Keys & KEY_RIGHT) != 0) << frame;
      EXPECT_EQ(keys[dik::UP] != 0, (run.Keys & KEY_UP) != 0) << frame;
      EXPECT_EQ(keys[dik::DOWN] != 0, (run.Keys & KEY_DOWN) != 0) << frame;
    }
  }
}

// The program: its exit status and what it prints.
testing_support::ProgramRun RunChecker(const std::string& args) {
  return testing_support::RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-check-levels' " +
                                     args + " 2>&1");
}

TEST(LevelCheckerProgram, NamesUnreachableGemsAndRefusesBadInput) {
  const fs::path folder = fs::temp_directory_path() / ("pibo-check-" + std::to_string(getpid()));
  fs::create_directories(folder);
  LevelSet levels = FloorOnly();
  levels.Cell(3, 5, 28) = GEM_NORMAL;
  levels.Cell(3, 20, 12) = GEM_NORMAL;   // out of reach
  levels.Cell(30, 20, 12) = GEM_NORMAL;  // the machine level's gems are not needed
  const std::vector<uint8_t> bytes = LevelFileBytes(levels);
  WriteFileHead(folder / "set.dat", bytes);
  WriteFileHead(folder / "short.dat", std::span(bytes).first(1000));

  auto run = RunChecker("'" + (folder / "set.dat").string() + "' --level 3");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("level 3: 1/2 gems, 0/0 power-ups"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("unreachable gem at column 20, row 12"), std::string::npos);

  run = RunChecker("'" + (folder / "set.dat").string() + "' --level 30");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("unreachable gem at column 20, row 12"), std::string::npos);

  run = RunChecker("'" + (folder / "set.dat").string() + "' --level 3 --keys 5,28");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output.rfind("# level 3: to the gem at column 5, row 28\n0 ", 0), 0) << run.output;

  run = RunChecker("'" + (folder / "short.dat").string() + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("short.dat"), std::string::npos) << run.output;
  EXPECT_EQ(RunChecker("'" + (folder / "missing.dat").string() + "'").status, 2);
  EXPECT_EQ(RunChecker("'" + (folder / "set.dat").string() + "' --level 32").status, 2);
  EXPECT_EQ(RunChecker("").status, 2);

  // A names file may hold any byte: its names are printed with their control characters escaped.
  std::string names = "Dark\x1b[8m room\r\n";
  for (int level = 2; level <= 31; ++level) names += "Level " + std::to_string(level) + "\r\n";
  WriteFileHead(folder / "names.txt",
                std::span(reinterpret_cast<const uint8_t*>(names.data()), names.size()));
  run = RunChecker("'" + (folder / "set.dat").string() + "' '" + (folder / "names.txt").string() +
                   "' --level 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output.rfind("level 1 Dark\\x1b[8m room: ", 0), 0) << run.output;

  // A file far beyond its limit (sparse) and a pipe are refused at once, naming the file.
  fs::resize_file(folder / "short.dat", 1ULL << 30);
  ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
  const struct {
    std::string args, message;
  } refused[] = {
      {"'" + (folder / "short.dat").string() + "'",
       "short.dat: File too large (1073741824 bytes, at most "},
      {"'" + (folder / "set.dat").string() + "' '" + (folder / "pipe.txt").string() + "'",
       "pipe.txt: Not a regular file"},
  };
  for (const auto& c : refused) {
    run = RunChecker(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
  fs::remove_all(folder);
}

}  // namespace
