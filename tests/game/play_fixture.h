#pragma once
// A game on a hand-made level, without pictures or sounds: the gameplay steps can be driven one
// by one, and whole frames with a scripted keyboard.
#include <gtest/gtest.h>

#include <initializer_list>

#include "data/cell_codes.h"
#include "game/game.h"
#include "game/random.h"
#include "tests/test_support.h"

namespace testing_support {

class PlayField : public ::testing::Test {
 protected:
  PlayField() {
    Randomize(1);
    game.Options.bSoundEffects = 0;
    game.Levels.LevelCount = 31;
    game.Levels.LevelGrid.fill(NOTHING);
    game.Effects.assign(MAX_EFFECTS, EffectRec{});
    game.Level = 1;
    game.Stage = 1;
    game.CharHealth = 5;
    game.IE.SetSource(&keys);
    game.IE.Initialize();
    game.HostForm = &host;
    game.Initialized = true;
    game.GameMode = GAMEMODE_PLAYING;
    game.CharX = 5;
    game.CharY = 534;
  }
  ~PlayField() override { game.IE.SetSource(nullptr); }

  // Cells c0..c1 of a row of the current level.
  void Fill(int row, int c0, int c1, uint8_t code) {
    for (int c = c0; c <= c1; ++c) game.Levels.Cell(game.Level, c, row) = code;
  }
  void Build() { game.BuildLevelLists(); }
  // The hero standing on a platform of kind `code` in row `row`.
  void StandOn(int row, float x, uint8_t code = PLATFORM_WOOD) {
    const int top = 20 * row + (code == PLATFORM_GOO ? 8 : code == PLATFORM_SWAMP ? 13 : 2);
    game.CharX = x;
    game.CharY = static_cast<float>(top - 36);
    game.CharInAir = 0;
    game.CharVX = 0;
    game.CharVY = 0;
  }
  // One frame of the hero alone: steering, then movement.
  void HeroStep() {
    const int ground = game.CharInAir == 0 ? game.PlatformTypeBelowChar() : NO_PLATFORM;
    game.KeyboardState.fill(0);
    KeyboardSnapshot held;
    keys.Read(held);
    game.KeyboardState = held;
    game.SteerChar(ground);
    game.MoveChar(ground);
  }

  ScratchFolder folder;
  ScriptedKeys keys;
  TestHost host;
  Game game;
};

}  // namespace testing_support
