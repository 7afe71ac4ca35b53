#pragma once
// A game on a hand-made level, without pictures or sounds: the gameplay steps can be driven one
// by one, and whole frames with a scripted keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "data/cell_codes.h"
#include "game/game.h"
#include "play/play_state.h"
#include "tests/test_support.h"

namespace testing_support {

// The sounds the rules asked for, in order.
class HeardSounds : public PlayEvents {
 public:
  bool PlaySound(SoundId nSound) override {
    played.push_back(nSound);
    return true;
  }
  int Count(SoundId nSound) const {
    return static_cast<int>(std::count(played.begin(), played.end(), nSound));
  }
  std::vector<SoundId> played;
};

// The play state of a game on the headless display, on an empty level 1 of stage 1 with the hero
// at the start. The rules are stepped on `play` directly; whole frames go through the game with
// the scripted keyboard.
class PlayField : public ::testing::Test {
 protected:
  PlayField() {
    play.Randomize(1);
    play.Events = &sounds;
    game.Levels.LevelCount = 31;
    game.Levels.LevelGrid.fill(NOTHING);
    game.Options.bSoundEffects = 0;
    game.IE.SetSource(&keys);
    game.IE.Initialize();
    game.HostForm = &host;
    game.Initialized = true;
    game.GameMode = GAMEMODE_PLAYING;
    play.Level = 1;
    play.Stage = 1;
    play.CharHealth = 5;
    play.CharX = 5;
    play.CharY = 534;
  }
  ~PlayField() override { game.IE.SetSource(nullptr); }

  // Cells c0..c1 of a row of the current level.
  void Fill(int row, int c0, int c1, uint8_t code) {
    for (int c = c0; c <= c1; ++c) game.Levels.Cell(play.Level, c, row) = code;
  }
  void Build() { play.BuildLevelLists(); }
  // The hero standing on a platform of kind `code` in row `row`.
  void StandOn(int row, float x, uint8_t code = PLATFORM_WOOD) {
    const int top = 20 * row + (code == PLATFORM_GOO ? 8 : code == PLATFORM_SWAMP ? 13 : 2);
    play.CharX = x;
    play.CharY = static_cast<float>(top - 36);
    play.CharInAir = 0;
    play.CharVX = 0;
    play.CharVY = 0;
  }
  // The hero at (x, y).
  void PlaceHero(float x, float y) {
    play.CharX = x;
    play.CharY = y;
  }
  // One frame of the hero alone, with the scripted keys held.
  void HeroStep() {
    keys.Read(play.KeyboardState);
    play.StepChar();
  }

  ScratchFolder folder;
  ScriptedKeys keys;
  TestHost host;
  Game game;
  PlayState& play = game.Play;
  HeardSounds sounds;
};

}  // namespace testing_support
