#pragma once
// The level checker: plays a level with the game's own hero physics, exploring every way the
// hero can run, jump and drop, and tells which gems and power-ups the hero can touch.
//
// The search walks a graph of standing positions, breadth first from the level's start. From each
// it tries one frame of running (right, left or no key), a jump and a drop (Down), each steered
// right, left or not at all; a hero that leaves the ground is then flown frame by frame until it
// stands again. Positions that fall in the same small cell (of position and speed) are merged so
// the search ends; the exact state of the first visit is kept and played on. A quick coarse
// search comes first; whatever it misses is searched for again on a much finer grid, where the
// hero may also change its steering once in the air. Every item found is touched by a real
// sequence of key presses from the level's start, which is kept as the item's route and can be
// replayed. Bombs, the machine and the power-ups' effects are left out: the hero plays the level
// as it finds it, without a high jump or extra speed.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/level_set.h"

namespace level_checker {

// Keys held in a frame, as bits.
constexpr uint8_t KEY_LEFT = 1;
constexpr uint8_t KEY_RIGHT = 2;
constexpr uint8_t KEY_UP = 4;
constexpr uint8_t KEY_DOWN = 8;

// A key combination held for a number of frames.
struct KeyRun {
  uint8_t Keys = 0;
  int Frames = 0;
  bool operator==(const KeyRun&) const = default;
};
using Route = std::vector<KeyRun>;

struct Item {
  bool Gem = true;   // a gem, or else a power-up
  uint8_t Code = 0;  // the cell code
  int Column = 0, Row = 0;
  bool Reached = false;
  Route RouteThere;  // from the level's start; the item is touched in its last frame
};

struct LevelReport {
  int Level = 0;
  int Stage = 0;
  std::vector<Item> Items;  // power-ups then gems, each in the game's list order
  long StandingStates = 0;  // explored, for the curious
  long AirStates = 0;
  long Frames = 0;       // frames simulated
  bool Stopped = false;  // the search was called off: items not reached may still be reachable

  int Count(bool bGems, bool bReached) const;
  int Total(bool bGems) const;
};

// The stage the game plays level nLevel in, for a set of nLevelCount levels.
int StageOfLevel(int nLevelCount, int nLevel);

// Explores level nLevel (1 to 31) of the set. A search that may be called off (a level editor's,
// when the level changed meanwhile) passes `bStop`, which is asked every so often.
LevelReport CheckLevel(const LevelSet& levels, int nLevel, const std::function<bool()>& bStop = {});

// Plays `route` on level nLevel from its start and returns the first frame (counted from 0) in
// which the hero touches the item in (nColumn, nRow), or -1 when it never does.
long ReplayRoute(const LevelSet& levels, int nLevel, const Route& route, int nColumn, int nRow);

// The route as a key script for the simulator ("FRAME KEY ..." lines).
std::string RouteAsKeyScript(const Route& route);

// The name players know an item by: "gem", "extra speed", ...
std::string ItemName(const Item& item);

}  // namespace level_checker
