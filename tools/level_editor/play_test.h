#pragma once
// Play-testing a level from any cell: the level is started as the game starts it (its stage, its
// bombs, the hero's health and balls), on a copy of the level set so that nothing the play does
// (taken gems, the gem a level without one is given) reaches the document, and the hero is then
// put in the chosen cell. Each pass is one frame of the game's rules on the keys held.
#include <cstdint>
#include <optional>

#include "base/key_codes.h"
#include "data/level_set.h"
#include "play/play_state.h"
#include "tools/level_editor/level_document.h"

namespace level_editor {

struct HeroPlace {
  float X = 0, Y = 0;
};
// Where the hero's sprite goes to play from cell `at` of the level `play` has started: in the
// cell's column as at the level's start, standing on the cell's platform, or else on the platform
// right below the cell, or else with its feet at the cell's bottom, from where it falls.
HeroPlace HeroPlaceAt(const PlayState& play, CellPos at);

enum class PlayOutcome { Playing, Won, Lost };

class PlayTest {
 public:
  // Level nLevel of a copy of `levels`, the hero in cell `from` (none: where the level starts it).
  // False (the reason logged) when the level cannot be started.
  bool Start(const LevelSet& levels, int nLevel, std::optional<CellPos> from, uint32_t nSeed);
  // One frame with the keys held (the game's own keys: arrows, Space, Ctrl ...). Nothing moves
  // once the level is won or lost.
  PlayOutcome Pass(const KeyboardSnapshot& keys);

  const PlayState& Play() const { return play_; }
  PlayOutcome Outcome() const { return outcome_; }
  std::optional<CellPos> From() const { return from_; }
  int Level() const { return level_; }
  long Frames() const { return frames_; }

 private:
  LevelSet levels_;
  PlayState play_;
  PlayOutcome outcome_ = PlayOutcome::Playing;
  std::optional<CellPos> from_;
  int level_ = 1;
  long frames_ = 0;
};

}  // namespace level_editor
