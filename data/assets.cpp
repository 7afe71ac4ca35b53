// The catalogue of the game's pictures and sounds, loaded once at start-up, all or nothing.
#include "app/failure.h"
#include "app/globals.h"
#include "game/game.h"

namespace {

struct PictureRow {
  const char* file;
  SurfacePtr Game::*field;
};

// In loading order. The title picture (row 5) is chosen by the level set.
constexpr PictureRow kPictures[] = {
    {"Background_ZT.bmp", &Game::SurfBackground},
    {"StagePreviews.bmp", &Game::SurfStagePreviews},
    {"GetReady_ZT.bmp", &Game::SurfGetReady},
    {"GameOver_ZT.bmp", &Game::SurfGameOver},
    {"Title_ZT.bmp", &Game::SurfTitle},
    {"Platform_ZT.bmp", &Game::SurfPlatform},
    {"Character.bmp", &Game::SurfCharacter},
    {"Invulnerable.bmp", &Game::SurfInvulnerable},
    {"GemNormal.bmp", &Game::SurfGemNormal},
    {"HighJump.bmp", &Game::SurfHighJump},
    {"ExtraSpeed.bmp", &Game::SurfExtraSpeed},
    {"ExtraHealth.bmp", &Game::SurfExtraHealth},
    {"Shoot.bmp", &Game::SurfShoot},
    {"ShootSpread.bmp", &Game::SurfShootSpread},
    {"ShootBounce.bmp", &Game::SurfShootBounce},
    {"ShootBidi.bmp", &Game::SurfShootBidi},
    {"ShootExplode.bmp", &Game::SurfShootExplode},
    {"MysteryBox.bmp", &Game::SurfMysteryBox},
    {"FreezeBombs.bmp", &Game::SurfFreezeBombs},
    {"Magnet.bmp", &Game::SurfMagnet},
    {"Skull.bmp", &Game::SurfSkull},
    {"NormalBomb_ZT.bmp", &Game::SurfNormalBomb},
    {"HotBomb_ZT.bmp", &Game::SurfHotBomb},
    {"HitBomb_ZT.bmp", &Game::SurfHitBomb},
    {"AmmoBall_ZT.bmp", &Game::SurfAmmoBall},
    {"BombExit.bmp", &Game::SurfBombExit},
    {"Machine.bmp", &Game::SurfMachine},
    {"MachineHit.bmp", &Game::SurfMachineHit},
    {"Fireworks.bmp", &Game::SurfFireworks},
};

struct SoundRow {
  const char* file;
  SoundBufferPtr Game::*field;
  bool bHighQuality;
};

// In loading order. Every effect but the last plays 5 dB below full volume.
constexpr SoundRow kSounds[] = {
    {"Shoot.wav", &Game::SndShoot, false},
    {"Boing.wav", &Game::SndBoing, false},
    {"GetReady.wav", &Game::SndGetReady, true},
    {"GameOver.wav", &Game::SndGameOver, false},
    {"Hit.wav", &Game::SndHit, false},
    {"Gem.wav", &Game::SndGem, false},
    {"BombHit.wav", &Game::SndBombHit, false},
    {"HitBomb.wav", &Game::SndHitBomb, false},
    {"Explosion.wav", &Game::SndExplosion, false},
    {"Teleport.wav", &Game::SndTeleport, false},
    {"Jump.wav", &Game::SndJump, false},
    {"ExtraHealth.wav", &Game::SndExtraHealth, true},
    {"Speed.wav", &Game::SndSpeed, true},
    {"HyperJump.wav", &Game::SndHyperJump, true},
    {"BallBlaster.wav", &Game::SndBallBlaster, true},
    {"Invulnerability.wav", &Game::SndInvulnerability, true},
    {"SwitchBB.wav", &Game::SndSwitchBB, true},
    {"Congrats.wav", &Game::SndCongrats, true},
    {"FreezeBalls.wav", &Game::SndFreezeBalls, true},
    {"Smoking.wav", &Game::SndSmoking, true},
    {"StageFactory.wav", &Game::SndStageFactory, true},
    {"StageCave.wav", &Game::SndStageCave, true},
    {"StageEgypt.wav", &Game::SndStageEgypt, true},
    {"StageSpace.wav", &Game::SndStageSpace, true},
    {"StageMachine.wav", &Game::SndStageMachine, true},
};

constexpr int32_t kEffectVolume = -500;

}  // namespace

bool Game::LoadGraphics() {
  return Trapped("Game - LoadGraphics - ", [&] {
    for (const PictureRow& row : kPictures) {
      const bool title = row.field == &Game::SurfTitle;
      const char* file = title && ExtraMode ? "Title_ZTE.bmp" : row.file;
      if (!GE.LoadBitmap(file, this->*row.field)) return false;
    }
    return true;
  });
}

bool Game::LoadSounds() {
  return Trapped("Game - LoadSounds - ", [&] {
    for (const SoundRow& row : kSounds) {
      if (!SE.LoadSound(row.file, this->*row.field, row.bHighQuality)) return false;
      if (row.field != &Game::SndStageMachine) (this->*row.field)->SetVolume(kEffectVolume);
    }
    return true;
  });
}
