// The level editor's checks on hand-made levels, and the live checker's answers to a designer who
// keeps changing the level.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "data/cell_codes.h"
#include "tools/level_editor/level_document.h"

using namespace level_editor;

namespace {

// Level 1 of a set of five: a floor of rock and a gem the hero walks to.
LevelDocument PlainLevel() {
  LevelDocument doc;
  doc.SetCells(1, RectCells({0, 29}, {31, 29}, true), PLATFORM_ROCK);
  doc.SetCells(1, {{6, 28}}, GEM_NORMAL);
  return doc;
}

// A gem in a closed box far above anything the hero can jump from.
void AddBoxedGem(LevelDocument& doc) {
  doc.SetCells(1, RectCells({20, 8}, {22, 10}, false), PLATFORM_ROCK);
  doc.SetCells(1, {{21, 9}}, GEM_NORMAL);
}

bool Breaks(const LevelCheck& check, CellPos at, const std::string& words) {
  for (const RuleBreak& b : check.Breaks)
    if (b.At == at && b.Message.find(words) != std::string::npos) return true;
  return false;
}

// Waits (the machine may be slow and busy) until the live checker shows what is wanted.
bool WaitFor(const LiveChecker& checker, const std::function<bool(const LevelCheck&)>& wanted) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (std::chrono::steady_clock::now() < giveUp) {
    if (const auto latest = checker.Latest(); latest && wanted(*latest)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

}  // namespace

TEST(LevelEditorChecks, APlainLevelKeepsEveryRule) {
  const LevelCheck check = CheckLevelNow(PlainLevel().Levels(), 1, 7);
  EXPECT_TRUE(check.Complete);
  EXPECT_EQ(check.Revision, 7u);
  EXPECT_TRUE(check.Breaks.empty()) << check.Breaks.front().Message;
  EXPECT_EQ(check.GemsReached, 1);
  // Four bombs roll over a bare floor: they find the hero, and the figures repeat.
  EXPECT_GT(check.SurviveSeconds, 0);
  EXPECT_LT(check.SurviveSeconds, SURVIVE_SECONDS_MAX);
  EXPECT_GT(check.FirstHitSeconds, 0);
  EXPECT_LE(check.FirstHitSeconds, check.SurviveSeconds);
  EXPECT_EQ(CheckLevelNow(PlainLevel().Levels(), 1, 7).SurviveSeconds, check.SurviveSeconds);
}

TEST(LevelEditorChecks, AGemInAClosedBoxCannotBeReached) {
  LevelDocument doc = PlainLevel();
  AddBoxedGem(doc);
  EXPECT_FALSE(CheckLevelRules(doc.Levels(), 1, 0).Complete);
  const LevelCheck check = CheckLevelNow(doc.Levels(), 1, 0);
  ASSERT_EQ(check.Unreachable.size(), 1u);
  EXPECT_EQ(check.Unreachable[0].At, (CellPos{21, 9}));
  EXPECT_TRUE(check.Unreachable[0].Gem);
  EXPECT_EQ(check.GemsReached, 1);
  EXPECT_EQ(check.GemsTotal, 2);
  EXPECT_TRUE(Breaks(check, {-1, -1}, "cannot be won"));
}

TEST(LevelEditorChecks, RulesALevelMustKeep) {
  struct Case {
    std::vector<CellPos> cells;
    uint8_t code;
    CellPos at;
    const char* says;
  } cases[] = {
      {{{9, 1}}, PLATFORM_WOOD, {9, 1}, "Row 1 holds a platform"},
      {{{4, 0}}, GEM_NORMAL, {4, 0}, "Row 0 holds a gem"},
      {{{4, 3}}, POWERUP_MAGNET, {4, 3}, "reaching into row 2"},
      {{{0, 27}}, PLATFORM_GOO, {0, 27}, "where the hero starts"},
      {{{6, 28}}, NOTHING, {2, 28}, "No gem"},
      {RectCells({0, 20}, {25, 20}, true), POWERUP_SKULL, {25, 20}, "power-up 26"},
  };
  for (const Case& c : cases) {
    LevelDocument doc = PlainLevel();
    doc.SetCells(1, c.cells, c.code);
    const LevelCheck check = CheckLevelRules(doc.Levels(), 1, 0);
    EXPECT_TRUE(Breaks(check, c.at, c.says))
        << c.says << ": " << (check.Breaks.empty() ? "no break" : check.Breaks[0].Message);
  }
  // A row-3 platform is the display's edge, not under it; the machine level needs no gem.
  LevelDocument doc = PlainLevel();
  doc.SetCells(1, {{9, 3}}, PLATFORM_WOOD);
  EXPECT_TRUE(CheckLevelRules(doc.Levels(), 1, 0).Breaks.empty());
  doc.SetLevelCount(30);
  EXPECT_TRUE(CheckLevelRules(doc.Levels(), 30, 0).Breaks.empty());
  EXPECT_TRUE(Breaks(CheckLevelRules(doc.Levels(), 29, 0), {2, 28}, "No gem"));
}

TEST(LevelEditorChecks, TheLiveCheckerShowsTheNewestLevel) {
  LevelDocument slow = PlainLevel();
  AddBoxedGem(slow);  // seconds of searching
  const LevelDocument plain = PlainLevel();
  LiveChecker checker;
  checker.Post(slow.Levels(), 1, 1);
  checker.Post(plain.Levels(), 1, 2);  // the boxed gem is painted over again at once
  ASSERT_TRUE(WaitFor(checker, [](const LevelCheck& c) { return c.Revision == 2 && c.Complete; }));
  EXPECT_FALSE(checker.Busy());
  EXPECT_TRUE(checker.Latest()->Unreachable.empty());

  // The slow level in full, then a quick change and back: the slow answer comes back at once.
  checker.Post(slow.Levels(), 1, 3);
  ASSERT_TRUE(WaitFor(checker, [](const LevelCheck& c) { return c.Revision == 3 && c.Complete; }));
  EXPECT_EQ(checker.Latest()->Unreachable.size(), 1u);
  checker.Post(plain.Levels(), 1, 4);
  checker.Post(slow.Levels(), 1, 5);
  const auto latest = checker.Latest();
  ASSERT_TRUE(latest);
  EXPECT_EQ(latest->Revision, 5u);
  EXPECT_TRUE(latest->Complete);
  EXPECT_EQ(latest->Unreachable.size(), 1u);

  // Going away in the middle of a long search ends it.
  LevelDocument other = slow;
  other.SetCells(1, {{10, 10}}, PLATFORM_SAND);
  checker.Post(other.Levels(), 1, 6);
}
