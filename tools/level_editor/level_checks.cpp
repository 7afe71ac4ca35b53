// The checks of one level: the rules a level must keep to be played as designed, how long the
// bombs let a hero standing at the start live, and which gems and power-ups the hero can reach
// (the level checker's proof).
#include <algorithm>
#include <array>
#include <memory>

#include "base/rect.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "play/play_state.h"
#include "tools/level_checker/level_checker.h"
#include "tools/level_editor/level_document.h"
#include "tools/simulator/simulator.h"

namespace level_editor {

namespace {

// A frame of play is one 30 ms pass of the frame loop.
constexpr double kFrameSeconds = 0.030;
// Gems and power-ups are drawn reaching this many pixels into the row above their cell.
constexpr int kItemReach = 17;
// The machine level is won by destroying the machine; its gems do not matter.
constexpr int kMachineLevel = 30;
// The cell the game turns into a gem on a level without one (it keeps it, too).
constexpr CellPos kGivenGem{2, 28};
// The seeds of the bombs' random starts: the same level always gives the same figures.
constexpr std::array<uint32_t, 5> kBombSeeds = {1, 2, 3, 4, 5};

std::string At(CellPos at) {
  return "Column " + std::to_string(at.Col) + ", row " + std::to_string(at.Row);
}

std::string ItemText(uint8_t nCode) {
  if (IsGemCode(nCode)) return "a gem";
  const PowerUpInfo* row = FindPowerUp(nCode);
  return row ? std::string("the ") + row->PlayerName + " power-up" : "a power-up";
}

template <typename Visit>
void ForEachCellInPlayOrder(const LevelSet& levels, int nLevel, Visit visit) {
  for (int r = 0; r < LEVEL_ROWS; ++r)
    for (int c = 0; c < LEVEL_COLUMNS; ++c) visit(CellPos{c, r}, levels.Cell(nLevel, c, r));
}

int GemCells(const LevelSet& levels, int nLevel) {
  int gems = 0;
  ForEachCellInPlayOrder(levels, nLevel, [&](CellPos, uint8_t code) { gems += IsGemCode(code); });
  return gems;
}

void CheckDisplayRows(LevelCheck& check, const LevelSet& levels) {
  ForEachCellInPlayOrder(levels, check.Level, [&](CellPos at, uint8_t code) {
    const std::string row = "Row " + std::to_string(at.Row);
    if (IsPlatformCode(code) && at.Row < DISPLAY_ROWS) {
      check.Breaks.push_back(
          {at, row + " holds a platform: the heads-up display covers rows 0 to 2"});
    } else if ((IsGemCode(code) || IsPowerUpCode(code)) &&
               20 * at.Row - kItemReach < 20 * DISPLAY_ROWS) {
      check.Breaks.push_back({at, row + " holds " + ItemText(code) +
                                      (at.Row < DISPLAY_ROWS ? "" : ", drawn reaching into row 2") +
                                      ": the heads-up display covers rows 0 to 2"});
    }
  });
}

// The game's lists hold so many of each kind; what is past that is not in play.
void CheckListRoom(LevelCheck& check, const LevelSet& levels) {
  int platforms = 0, powerUps = 0, gems = 0;
  ForEachCellInPlayOrder(levels, check.Level, [&](CellPos at, uint8_t code) {
    if (IsPlatformCode(code) && ++platforms == MAX_PLATFORMS + 1) {
      check.Breaks.push_back({at, At(at) + " holds platform " + std::to_string(platforms) +
                                      ": the game holds " + std::to_string(MAX_PLATFORMS) +
                                      ", so it and the ones after it cannot be stood on"});
    }
    if (IsPowerUpCode(code) && ++powerUps == MAX_POWERUPS + 1) {
      check.Breaks.push_back({at, At(at) + " holds power-up " + std::to_string(powerUps) +
                                      ": the game holds " + std::to_string(MAX_POWERUPS) +
                                      ", so it and the ones after it never appear"});
    }
    if (IsGemCode(code) && ++gems == MAX_GEMS + 1) {
      check.Breaks.push_back({at, At(at) + " holds gem " + std::to_string(gems) +
                                      ": the game holds " + std::to_string(MAX_GEMS) +
                                      ", so it and the ones after it never appear"});
    }
  });
}

Rect RectOf(const PlatformRec& p) {
  return Rect{p.Left, p.Top, p.Right, p.Bottom};
}

// The level started as the game starts it, silent, on a copy of the set.
struct StartedLevel {
  LevelSet levels;
  PlayState play;
  bool Started = false;
  StartedLevel(const LevelSet& set, int nLevel, uint32_t nSeed) : levels(set) {
    play.Levels = &levels;
    play.Randomize(nSeed);
    Started = StartLevel(play, nLevel, 0);
  }
};

// Platforms the hero overlaps where every level starts it.
void CheckStartCell(LevelCheck& check, const PlayState& play) {
  const Rect hero = play.GetCharRect();
  for (int i = 0; i < play.PlatformCount; ++i) {
    const PlatformRec& p = play.Platforms[i];
    if (!IntersectRect(RectOf(p), hero)) continue;
    const CellPos at{(p.Left - 5) / 50, (p.Bottom - 17) / 20};
    check.Breaks.push_back({at, At(at) + " holds a platform where the hero starts"});
  }
}

struct BombRun {
  double FirstHit = -1;                   // seconds, -1 never
  double Survived = SURVIVE_SECONDS_MAX;  // seconds
};

// The hero stands at the start, no key down, until the bombs have taken its last health or the
// time runs out (or the level ends: a gem at the start was its only one).
BombRun PlayBombs(PlayState& play) {
  BombRun run;
  const int16_t health = play.CharHealth;
  const long frames = static_cast<long>(SURVIVE_SECONDS_MAX / kFrameSeconds);
  for (long frame = 1; frame <= frames; ++frame) {
    play.KeyboardState = {};
    play.TurnChar();
    const PlayStep step = play.Step(false);
    if (run.FirstHit < 0 && play.CharHealth < health) run.FirstHit = frame * kFrameSeconds;
    if (play.CharHealth <= 0) {
      run.Survived = frame * kFrameSeconds;
      break;
    }
    if (step == PlayStep::LevelDone || step == PlayStep::GameOver) break;
  }
  return run;
}

double Middle(std::vector<double> values) {
  std::ranges::sort(values);
  return values[values.size() / 2];
}

// The middle figures of a few runs: one run says more about its random start than the level.
void MeasureBombs(LevelCheck& check, const LevelSet& levels) {
  std::vector<double> firstHits, survived;
  for (const uint32_t seed : kBombSeeds) {
    auto level = std::make_unique<StartedLevel>(levels, check.Level, seed);
    if (!level->Started) return;
    const BombRun run = PlayBombs(level->play);
    // A run without a hit counts as the longest wait there is.
    firstHits.push_back(run.FirstHit < 0 ? SURVIVE_SECONDS_MAX + 1 : run.FirstHit);
    survived.push_back(run.Survived);
  }
  const double firstHit = Middle(firstHits);
  check.FirstHitSeconds = firstHit > SURVIVE_SECONDS_MAX ? -1 : firstHit;
  check.SurviveSeconds = Middle(survived);
  check.SurvivesAll = check.SurviveSeconds >= SURVIVE_SECONDS_MAX;
}

}  // namespace

LevelCheck CheckLevelRules(const LevelSet& levels, int nLevel, uint64_t nRevision) {
  LevelCheck check;
  check.Level = nLevel;
  check.Revision = nRevision;
  if (nLevel < 1 || nLevel > LEVEL_SLOTS) {
    check.Breaks.push_back({{-1, -1}, "There is no level " + std::to_string(nLevel)});
    check.Complete = true;
    return check;
  }
  CheckDisplayRows(check, levels);
  check.GemsTotal = std::min(GemCells(levels, nLevel), MAX_GEMS);
  if (check.GemsTotal == 0 && nLevel != kMachineLevel) {
    check.Breaks.push_back({kGivenGem,
                            "No gem: the level cannot be won as it is, and the game "
                            "puts a gem in column 2, row 28 for good"});
  }
  CheckListRoom(check, levels);
  auto level = std::make_unique<StartedLevel>(levels, nLevel, kBombSeeds[0]);
  if (!level->Started) {
    check.Breaks.push_back({{-1, -1}, "The level cannot be started"});
    return check;
  }
  CheckStartCell(check, level->play);
  MeasureBombs(check, levels);
  return check;
}

void AddReach(LevelCheck& check, const LevelSet& levels, const std::function<bool()>& bStop) {
  if (check.Level < 1 || check.Level > LEVEL_SLOTS) return;
  const level_checker::LevelReport report = level_checker::CheckLevel(levels, check.Level, bStop);
  if (report.Stopped) return;
  // On a level without a gem the checker plays the gem the game adds, which the level lacks.
  const bool givenGem = GemCells(levels, check.Level) == 0;
  check.Unreachable.clear();
  check.GemsTotal = check.GemsReached = 0;
  for (const level_checker::Item& item : report.Items) {
    if (item.Gem && givenGem) continue;
    if (item.Gem) ++check.GemsTotal;
    if (item.Gem && item.Reached) ++check.GemsReached;
    if (!item.Reached) check.Unreachable.push_back({{item.Column, item.Row}, item.Code, item.Gem});
  }
  const int lost = check.GemsTotal - check.GemsReached;
  if (lost > 0 && check.Level != kMachineLevel) {
    check.Breaks.push_back({{-1, -1},
                            std::to_string(lost) + " of " + std::to_string(check.GemsTotal) +
                                (check.GemsTotal == 1 ? " gem" : " gems") +
                                " cannot be reached: the level cannot be won"});
  }
  check.Complete = true;
}

LevelCheck CheckLevelNow(const LevelSet& levels, int nLevel, uint64_t nRevision) {
  LevelCheck check = CheckLevelRules(levels, nLevel, nRevision);
  AddReach(check, levels);
  return check;
}

}  // namespace level_editor
