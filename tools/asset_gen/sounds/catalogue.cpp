#include "tools/asset_gen/sounds/catalogue.h"

#include "tools/asset_gen/sounds.h"

namespace snd {

const std::vector<SoundRecipe>& Catalogue() {
  // The small, frequent effects of play are 8 000 samples/s 8-bit; power-ups and tunes are
  // 22 050 samples/s 16-bit. Peaks set how loud each sits against the others: the constant ones
  // (gems, hits, jumps) lower, explosions and tunes higher. The machine stage's tune is played
  // 5 dB louder than everything else, so it is also the densest.
  static const std::vector<SoundRecipe> kRecipes = {
      {"Shoot.wav", kLowQuality, 0.62, MakeShoot},
      {"Boing.wav", kLowQuality, 0.70, MakeBoing},
      {"GetReady.wav", kHighQuality, 0.85, MakeGetReady},
      {"GameOver.wav", kLowQuality, 0.85, MakeGameOver},
      {"Hit.wav", kLowQuality, 0.50, MakeHit},
      {"Gem.wav", kLowQuality, 0.62, MakeGem},
      {"BombHit.wav", kLowQuality, 0.72, MakeBombHit},
      {"HitBomb.wav", kLowQuality, 0.60, MakeHitBomb},
      {"Explosion.wav", kLowQuality, 0.92, MakeExplosion},
      {"Teleport.wav", kLowQuality, 0.75, MakeTeleport},
      {"Jump.wav", kLowQuality, 0.55, MakeJump},
      {"ExtraHealth.wav", kHighQuality, 0.80, MakeExtraHealth},
      {"Speed.wav", kHighQuality, 0.80, MakeSpeed},
      {"HyperJump.wav", kHighQuality, 0.70, MakeHyperJump},
      {"BallBlaster.wav", kHighQuality, 0.80, MakeBallBlaster},
      {"Invulnerability.wav", kHighQuality, 0.80, MakeInvulnerability},
      {"SwitchBB.wav", kHighQuality, 0.60, MakeSwitchBB},
      {"Congrats.wav", kHighQuality, 0.89, MakeCongrats},
      {"FreezeBalls.wav", kHighQuality, 0.80, MakeFreezeBalls},
      {"Smoking.wav", kHighQuality, 0.85, MakeSmoking},
      {"StageFactory.wav", kHighQuality, 0.89, MakeStageFactory},
      {"StageCave.wav", kHighQuality, 0.89, MakeStageCave},
      {"StageEgypt.wav", kHighQuality, 0.89, MakeStageEgypt},
      {"StageSpace.wav", kHighQuality, 0.89, MakeStageSpace},
      {"StageMachine.wav", kHighQuality, 0.94, MakeStageMachine},
  };
  return kRecipes;
}

}  // namespace snd

void SynthesizeAllSounds(const std::filesystem::path& out) {
  for (const snd::SoundRecipe& r : snd::Catalogue()) {
    snd::Wave w = r.make(r.format.rate);
    snd::Finish(w, r.peak);
    snd::WriteWave(out / r.file, w, r.format.bits);
  }
}
