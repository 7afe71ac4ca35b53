// What the level editor's live checks cost on the shipped levels. The rules and the bombs come
// first and must feel immediate; the reach is the level checker's search, a tenth of a second on
// a level whose every item can be reached and seconds when one cannot (the fine search then
// tries everything). A designer who changes the level meanwhile should not wait for that: the
// last figure is how long a new snapshot waits while an old slow search is called off.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "data/cell_codes.h"
#include "tools/level_editor/level_document.h"

namespace {

using namespace level_editor;
using Clock = std::chrono::steady_clock;

LevelDocument ShippedLevels() {
  const std::string folder = PIBO_GAME_DIR;
  OpenResult opened = OpenLevelFiles(folder + "/Levels.dat", folder + "/LevelNames_zt.txt");
  if (!opened.Document) return LevelDocument();
  return std::move(*opened.Document);
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// A gem the hero cannot reach, in an empty space high up in level nLevel.
void AddGemOutOfReach(LevelDocument& doc, int nLevel) {
  doc.SetCells(nLevel, RectCells({14, 4}, {18, 9}, true), NOTHING);
  doc.SetCells(nLevel, {{16, 4}}, GEM_NORMAL);
}

// Every level of the shipped set, checked in full: the worst level and the whole set.
void BM_CheckShippedLevels(benchmark::State& state) {
  const LevelDocument doc = ShippedLevels();
  double worst = 0, worstRules = 0;
  for (auto _ : state) {
    for (int level = 1; level <= doc.LevelCount(); ++level) {
      const Clock::time_point start = Clock::now();
      LevelCheck check = CheckLevelRules(doc.Levels(), level, 0);
      const Clock::time_point rules = Clock::now();
      AddReach(check, doc.Levels());
      worstRules = std::max(worstRules, Milliseconds(rules - start));
      worst = std::max(worst, Milliseconds(Clock::now() - start));
      if (!check.Breaks.empty()) state.SkipWithError("a shipped level breaks a rule");
    }
  }
  state.counters["worst_level_ms"] = worst;
  state.counters["worst_rules_ms"] = worstRules;
}
BENCHMARK(BM_CheckShippedLevels)->Unit(benchmark::kMillisecond)->Iterations(1);

// The slowest shipped level found so far with a gem out of reach (the machine level).
void BM_CheckLevelWithAGemOutOfReach(benchmark::State& state) {
  LevelDocument doc = ShippedLevels();
  AddGemOutOfReach(doc, 30);
  for (auto _ : state) {
    const LevelCheck check = CheckLevelNow(doc.Levels(), 30, 0);
    if (check.Unreachable.empty()) state.SkipWithError("the gem was reached");
  }
}
BENCHMARK(BM_CheckLevelWithAGemOutOfReach)->Unit(benchmark::kMillisecond)->Iterations(1);

// From posting a changed level while a slow search runs to the new level's quick answer.
void BM_LiveCheckerCallsOffASlowSearch(benchmark::State& state) {
  LevelDocument slow = ShippedLevels();
  AddGemOutOfReach(slow, 30);
  LevelDocument changed = slow;
  changed.SetCells(30, {{16, 4}}, NOTHING);
  uint64_t revision = 0;
  for (auto _ : state) {
    LiveChecker checker;
    checker.Post(slow.Levels(), 30, ++revision);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the search is under way
    const Clock::time_point posted = Clock::now();
    checker.Post(changed.Levels(), 30, ++revision);
    while (!checker.Latest() || checker.Latest()->Revision != revision)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - posted).count());
  }
}
BENCHMARK(BM_LiveCheckerCallsOffASlowSearch)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

}  // namespace
