#include "tools/level_checker/level_checker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "base/key_codes.h"
#include "base/rect.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "play/play_state.h"

namespace level_checker {

namespace {

// How finely a search tells positions apart, and how the hero may steer in the air: every
// `Decision` frames it may change its steering, at most `Switches` times a flight.
struct Profile {
  float XCell;     // standing: pixels
  float VXCell;    // standing: pixels a frame
  float AirXCell;  // in the air
  float AirVXCell;
  int Switches;
  int Decision;
};

// A quick look first: it finds every gem of a well-made level in a fraction of a second.
constexpr Profile kQuick{8.0f, 2.5f, 4.0f, 1.0f, 0, 3};
// What it missed is searched for again much more finely, with the steering changed once in
// the air (let go, turn round or steer late); nothing it cannot find is reported reachable.
constexpr Profile kThorough{2.0f, 1.0f, 2.0f, 0.5f, 1, 3};

// A flight longer than this is given up (a bouncy platform never lets the hero stand).
constexpr int kMaxAirFrames = 240;

// How many standing positions are expanded between two questions whether to stop.
constexpr size_t kStopAskEvery = 64;

constexpr std::array<uint8_t, 3> kSteers = {KEY_RIGHT, KEY_LEFT, 0};

struct Hero {
  float X = 0, Y = 0, VX = 0, VY = 0;
  int16_t InAir = 0;
};

// Where every level starts the hero: bottom left, standing.
constexpr Hero kLevelStart{5.0f, 534.0f, 0, 0, 0};

Hero TakeHero(const PlayState& g) {
  return Hero{g.CharX, g.CharY, g.CharVX, g.CharVY, g.CharInAir};
}

void PutHero(PlayState& g, const Hero& h) {
  g.CharX = h.X;
  g.CharY = h.Y;
  g.CharVX = h.VX;
  g.CharVY = h.VY;
  g.CharInAir = h.InAir;
}

// The play state of the level, silent, with the hero at the start. The generator is seeded
// first (it gives the items their animation phases), which makes the lists the same on every run.
struct LevelInPlay {
  LevelInPlay(const LevelSet& set, int nLevel) : levels(set) {
    play.Levels = &levels;
    play.Level = static_cast<int16_t>(nLevel);
    play.Stage = static_cast<int16_t>(StageOfLevel(levels.LevelCount, nLevel));
    play.Randomize(1);
    play.BuildLevelLists();
    PutHero(play, kLevelStart);
    play.CharFacing = 1;
    play.HighJumps = 0;
    play.ExtraSpeedTime = 0;
  }
  LevelSet levels;  // the lists may add the gem a level without one gets
  PlayState play;
};

// One frame of the hero in play with `keys` held.
void PlayFrame(PlayState& g, uint8_t keys) {
  g.KeyboardState[dik::LEFT] = (keys & KEY_LEFT) ? 0x80 : 0;
  g.KeyboardState[dik::RIGHT] = (keys & KEY_RIGHT) ? 0x80 : 0;
  g.KeyboardState[dik::UP] = (keys & KEY_UP) ? 0x80 : 0;
  g.KeyboardState[dik::DOWN] = (keys & KEY_DOWN) ? 0x80 : 0;
  g.StepChar();
}

Rect RectOf(const PickupRec& p) {
  return Rect{p.Left, p.Top, p.Right, p.Bottom};
}

int ColumnOf(const PickupRec& p) {
  return (p.Left - 5) / 50;
}
int RowOf(const PickupRec& p) {
  return (p.Top + 17) / 20;
}

int32_t Floor(float v) {
  return static_cast<int32_t>(std::floor(v));
}
int32_t Round(float v) {
  return static_cast<int32_t>(std::lround(v));
}

// A step of a route: `Frames` frames with `Keys` held after the step `Parent` (-1: the start).
struct Step {
  int32_t Parent;
  int32_t Frames;
  uint8_t Keys;
};

class Explorer {
 public:
  Explorer(const LevelSet& levels, int nLevel)
      : level_(std::make_unique<LevelInPlay>(levels, nLevel)) {
    const PlayState& g = level_->play;
    report_.Level = nLevel;
    report_.Stage = g.Stage;
    auto add = [&](const PickupRec& p, bool bGem) {
      Item item;
      item.Gem = bGem;
      item.Code = static_cast<uint8_t>(p.Code);
      item.Column = ColumnOf(p);
      item.Row = RowOf(p);
      report_.Items.push_back(item);
      rects_.push_back(RectOf(p));
    };
    for (int i = 0; i < g.PowerUpCount; ++i) add(g.PowerUps[i], false);
    for (int i = 0; i < g.GemCount; ++i) add(g.Gems[i], true);
  }

  // A breadth-first search over standing positions from the level's start, until every item
  // not reached before is touched or nothing new is left to try.
  void Search(const Profile& profile, const std::function<bool()>& bStop) {
    if (report_.Stopped) return;
    profile_ = profile;
    steps_.clear();
    standing_.clear();
    standingSeen_.clear();
    airSeen_.clear();
    itemStep_.assign(rects_.size(), -1);
    for (auto& column : byColumn_) column.clear();
    left_ = 0;
    for (size_t i = 0; i < rects_.size(); ++i) {
      if (report_.Items[i].Reached) continue;
      byColumn_[std::clamp(report_.Items[i].Column, 0, LEVEL_COLUMNS - 1)].push_back(
          static_cast<int>(i));
      ++left_;
    }
    if (left_ == 0) return;

    AddStanding(kLevelStart, -1);
    for (size_t i = 0; i < standing_.size() && left_ > 0; ++i) {
      if (bStop && i % kStopAskEvery == 0 && bStop()) {
        report_.Stopped = true;
        break;
      }
      Expand(standing_[i]);
    }

    for (size_t i = 0; i < rects_.size(); ++i) {
      if (itemStep_[i] < 0) continue;
      report_.Items[i].Reached = true;
      report_.Items[i].RouteThere = RouteTo(itemStep_[i]);
    }
    report_.StandingStates += static_cast<long>(standing_.size());
    report_.AirStates += static_cast<long>(airSeen_.size());
  }

  const LevelReport& Report() const { return report_; }

 private:
  struct Standing {
    Hero H;
    int32_t StepIndex;
  };
  struct Flight {
    Hero H;
    int32_t StepIndex;
    uint8_t Steer;
    int8_t SwitchesLeft;
    int16_t Time;       // frames in the air so far
    bool Seen = false;  // already entered into the seen air states (a branch on the stack)
  };

  int32_t AddStep(int32_t parent, uint8_t keys, int frames) {
    if (frames == 0) return parent;
    steps_.push_back(Step{parent, frames, keys});
    return static_cast<int32_t>(steps_.size() - 1);
  }

  Route RouteTo(int32_t step) const {
    Route route;
    for (; step >= 0; step = steps_[step].Parent) {
      const Step& s = steps_[step];
      if (!route.empty() && route.back().Keys == s.Keys)
        route.back().Frames += s.Frames;
      else
        route.push_back(KeyRun{s.Keys, s.Frames});
    }
    std::reverse(route.begin(), route.end());
    return route;
  }

  // Marks what the hero touches after a frame; the route there is `parent` and then `frames`
  // frames of `keys`. Only items of the columns under the hero can be touched.
  void Touch(int32_t parent, uint8_t keys, int frames) {
    ++report_.Frames;
    const Rect hero = level_->play.GetCharRect();
    const int c0 = std::clamp((hero.Left - 45) / 50, 0, LEVEL_COLUMNS - 1);
    const int c1 = std::clamp(hero.Right / 50, 0, LEVEL_COLUMNS - 1);
    for (int c = c0; c <= c1; ++c) {
      for (int i : byColumn_[c]) {
        if (itemStep_[i] >= 0 || !IntersectRect(hero, rects_[i])) continue;
        itemStep_[i] = AddStep(parent, keys, frames);
        --left_;
      }
    }
  }

  void AddStanding(const Hero& h, int32_t step) {
    const uint64_t key =
        (static_cast<uint64_t>(Floor(h.Y) + 4096) << 32) |
        (static_cast<uint64_t>(Floor(h.X / profile_.XCell) + 4096) << 12) |
        static_cast<uint64_t>(std::clamp(Round(h.VX / profile_.VXCell), -32, 31) + 32);
    if (standingSeen_.insert(key).second) standing_.push_back(Standing{h, step});
  }

  // True when this air state was reached before with at least as many changes of steering left.
  bool AirSeen(const Hero& h, uint8_t steer, int8_t switchesLeft) {
    const uint64_t key =
        (static_cast<uint64_t>(Floor(h.Y) + 8192) << 48) |
        (static_cast<uint64_t>(Floor(h.X / profile_.AirXCell) + 4096) << 34) |
        (static_cast<uint64_t>(std::clamp(Round(h.VX / profile_.AirVXCell), -64, 63) + 64) << 26) |
        (static_cast<uint64_t>(std::clamp(Round(h.VY * 10.0f), -4096, 8191) + 4096) << 4) | steer;
    auto [it, fresh] = airSeen_.try_emplace(key, switchesLeft);
    if (fresh) return false;
    if (it->second >= switchesLeft) return true;
    it->second = switchesLeft;
    return false;
  }

  // Every move from a standing position: a frame of running, a jump or a drop, each steered
  // right, left or not at all.
  void Expand(const Standing s) {  // a copy: the queue grows meanwhile
    PlayState& g = level_->play;
    for (uint8_t steer : kSteers) {
      for (uint8_t action : {uint8_t{0}, KEY_UP, KEY_DOWN}) {
        if (left_ == 0) return;
        if (action == KEY_DOWN && !(s.H.Y + 36.0f < 575.0f)) continue;
        const uint8_t keys = steer | action;
        PutHero(g, s.H);
        PlayFrame(g, keys);
        Touch(s.StepIndex, keys, 1);
        const Hero h = TakeHero(g);
        if (h.InAir == 0) {
          // A jump on swamp is just a frame of running.
          if (action == 0) AddStanding(h, AddStep(s.StepIndex, keys, 1));
          continue;
        }
        Fly(Flight{h, AddStep(s.StepIndex, keys, 1), steer, static_cast<int8_t>(profile_.Switches),
                   1});
      }
    }
  }

  // The hero in the air, steered as it was when it left the ground; every few frames the
  // steering may change. Ends where the hero stands again.
  void Fly(const Flight& start) {
    PlayState& g = level_->play;
    std::vector<Flight>& stack = flights_;
    stack.clear();
    stack.push_back(start);
    while (!stack.empty() && left_ > 0) {
      Flight f = stack.back();
      stack.pop_back();
      PutHero(g, f.H);
      int32_t parent = f.StepIndex;
      int run = 0;
      for (;;) {
        if (f.Time % profile_.Decision == 0) {
          const Hero h = TakeHero(g);
          if (!f.Seen && AirSeen(h, f.Steer, f.SwitchesLeft)) break;
          f.Seen = false;
          if (f.SwitchesLeft > 0) {
            parent = AddStep(parent, f.Steer, run);
            run = 0;
            for (uint8_t other : kSteers) {
              if (other == f.Steer || AirSeen(h, other, f.SwitchesLeft - 1)) continue;
              stack.push_back(
                  Flight{h, parent, other, static_cast<int8_t>(f.SwitchesLeft - 1), f.Time, true});
            }
          }
        }
        PlayFrame(g, f.Steer);
        ++run;
        ++f.Time;
        Touch(parent, f.Steer, run);
        if (g.CharInAir == 0) {
          AddStanding(TakeHero(g), AddStep(parent, f.Steer, run));
          break;
        }
        if (f.Time >= kMaxAirFrames || left_ == 0) break;
      }
    }
  }

  std::unique_ptr<LevelInPlay> level_;
  LevelReport report_;
  std::vector<Rect> rects_;  // of report_.Items

  // The search under way.
  Profile profile_{};
  std::vector<int32_t> itemStep_;  // the step in which each item was first touched, or -1
  std::array<std::vector<int>, LEVEL_COLUMNS> byColumn_;  // items still wanted, by column
  int left_ = 0;
  std::vector<Step> steps_;
  std::vector<Standing> standing_;  // in the order found: the search's queue
  std::unordered_set<uint64_t> standingSeen_;
  std::unordered_map<uint64_t, int8_t> airSeen_;
  std::vector<Flight> flights_;
};

}  // namespace

int LevelReport::Count(bool bGems, bool bReached) const {
  return static_cast<int>(std::count_if(Items.begin(), Items.end(), [&](const Item& item) {
    return item.Gem == bGems && item.Reached == bReached;
  }));
}

int LevelReport::Total(bool bGems) const {
  return static_cast<int>(std::count_if(Items.begin(), Items.end(),
                                        [&](const Item& item) { return item.Gem == bGems; }));
}

int StageOfLevel(int nLevelCount, int nLevel) {
  if (nLevel > 30) return 4;
  const int perStage = std::max(nLevelCount / 5, 1);
  return std::min((nLevel - 1) / perStage + 1, 5);
}

LevelReport CheckLevel(const LevelSet& levels, int nLevel, const std::function<bool()>& bStop) {
  Explorer explorer(levels, nLevel);
  explorer.Search(kQuick, bStop);
  explorer.Search(kThorough, bStop);
  return explorer.Report();
}

long ReplayRoute(const LevelSet& levels, int nLevel, const Route& route, int nColumn, int nRow) {
  auto level = std::make_unique<LevelInPlay>(levels, nLevel);
  PlayState* g = &level->play;
  const Rect item{50 * nColumn + 5, 20 * nRow - 17, 50 * nColumn + 45, 20 * nRow + 18};
  long frame = 0;
  for (const KeyRun& run : route) {
    for (int i = 0; i < run.Frames; ++i, ++frame) {
      PlayFrame(*g, run.Keys);
      if (IntersectRect(g->GetCharRect(), item)) return frame;
    }
  }
  return -1;
}

std::string RouteAsKeyScript(const Route& route) {
  std::string out;
  long frame = 0;
  for (const KeyRun& run : route) {
    out += std::to_string(frame);
    if (run.Keys & KEY_LEFT) out += " left";
    if (run.Keys & KEY_RIGHT) out += " right";
    if (run.Keys & KEY_UP) out += " up";
    if (run.Keys & KEY_DOWN) out += " down";
    out += '\n';
    frame += run.Frames;
  }
  return out;
}

std::string ItemName(const Item& item) {
  if (item.Gem) return "gem";
  if (const PowerUpInfo* row = FindPowerUp(item.Code)) return row->PlayerName;
  return "power-up " + std::to_string(item.Code);
}

}  // namespace level_checker
