#pragma once
// The game's 25 waves: how each is made and the quality the game loads it at.
#include <vector>

#include "tools/asset_gen/sounds/synth.h"
#include "tools/asset_gen/sounds/wave_file.h"

namespace snd {

struct SoundRecipe {
  const char* file;
  Format format;
  double peak;  // loudest sample after mastering, as a fraction of full scale
  Wave (*make)(int rate);
};

// Every wave, in the order the game loads them.
const std::vector<SoundRecipe>& Catalogue();

// Effects of play (effects.cpp).
Wave MakeShoot(int rate);
Wave MakeBoing(int rate);
Wave MakeHit(int rate);
Wave MakeGem(int rate);
Wave MakeBombHit(int rate);
Wave MakeHitBomb(int rate);
Wave MakeExplosion(int rate);
Wave MakeTeleport(int rate);
Wave MakeJump(int rate);
Wave MakeExtraHealth(int rate);
Wave MakeSpeed(int rate);
Wave MakeHyperJump(int rate);
Wave MakeBallBlaster(int rate);
Wave MakeInvulnerability(int rate);
Wave MakeSwitchBB(int rate);
Wave MakeFreezeBalls(int rate);
Wave MakeSmoking(int rate);

// Tunes for the screens between levels and the end of the game (jingles.cpp).
Wave MakeGetReady(int rate);
Wave MakeGameOver(int rate);
Wave MakeCongrats(int rate);
Wave MakeStageFactory(int rate);
Wave MakeStageCave(int rate);
Wave MakeStageEgypt(int rate);
Wave MakeStageSpace(int rate);
Wave MakeStageMachine(int rate);

}  // namespace snd
