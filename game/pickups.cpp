// Gems and power-ups: what the hero touches is applied, dissolves and leaves play.
#include "data/cell_codes.h"
#include "game/game.h"
#include "game/geometry.h"
#include "game/numbers.h"
#include "game/random.h"

namespace {

constexpr int16_t kInvulnerableFrames = 300;
constexpr int16_t kHighJumps = 5;
constexpr int16_t kExtraSpeedFrames = 600;
constexpr int16_t kFreezeFrames = 450;
constexpr int32_t kGemPoints = 20;

bool Touches(const Rect& hero, const PickupRec& item) {
  return IntersectRect(hero, Rect{item.Left, item.Top, item.Right, item.Bottom});
}

// A taken item stays in its list, beyond the right end of the level.
void MoveOutOfPlay(PickupRec& item) {
  item.Left = 1600;
  item.Right = 1640;
}

}  // namespace

// The mystery box turns into one of the helpful power-ups: high jump 10 %, extra speed,
// invulnerability and extra health 20 % each, freeze 30 %.
int16_t Game::OpenMysteryBox() {
  int k = 0;
  do {
    k = 20 + CInt(8.0f * Rnd());
    if (k > POWERUP_FREEZEBOMBS) k = POWERUP_FREEZEBOMBS;
  } while (k == POWERUP_SHOOT || k == POWERUP_SHOOTSPREAD || k == POWERUP_MYSTERYBOX);
  return static_cast<int16_t>(k);
}

void Game::CheckPickups() {
  const Rect hero = GetCharRect();
  const int16_t d = PieceSize();

  for (int i = 0; i < PowerUpCount; ++i) {
    PickupRec& item = PowerUps[i];
    if (!Touches(hero, item)) continue;
    if (item.Code == POWERUP_MYSTERYBOX) item.Code = OpenMysteryBox();

    const SurfacePtr* dissolve = nullptr;
    const SoundBufferPtr* sound = nullptr;
    switch (item.Code) {
      case POWERUP_HIGHJUMP:
        HighJumps = kHighJumps;
        dissolve = &SurfHighJump;
        sound = &SndHyperJump;
        break;
      case POWERUP_EXTRASPEED:
        ExtraSpeedTime = kExtraSpeedFrames;
        dissolve = &SurfExtraSpeed;
        sound = &SndSpeed;
        break;
      case POWERUP_INVULNERABLE:
        InvulnerableTime = kInvulnerableFrames;
        dissolve = &SurfInvulnerable;
        sound = &SndInvulnerability;
        break;
      case POWERUP_EXTRAHEALTH:
        CharHealth = Wrap16(CharHealth + 1);
        dissolve = &SurfExtraHealth;
        sound = &SndExtraHealth;
        break;
      case POWERUP_FREEZEBOMBS:
        FreezeTime = kFreezeFrames;
        dissolve = &SurfFreezeBombs;
        sound = &SndFreezeBalls;
        break;
      case POWERUP_MAGNET:
        dissolve = &SurfMagnet;
        sound = &SndBallBlaster;
        break;
      case POWERUP_SKULL:
        StartParticleEffect(static_cast<float>(item.Left), static_cast<float>(item.Top), 1, 1, 0, 0,
                            100, SurfSkull, d, d, 0, 0, 40, 35, 20);
        if (InvulnerableTime == 0) {
          CharHealth = Wrap16(CharHealth - 1);
          if (CharHealth == 0) ExitCountdown = 100;
        }
        sound = &SndExplosion;
        break;
      default:  // the ball-blaster power-ups: all five balls are always there
        break;
    }
    if (dissolve)
      StartParticleEffect(static_cast<float>(item.Left), static_cast<float>(item.Top), 10000, 2, -2,
                          10, 300, *dissolve, d, d, 0, 0, 40, 35, 100);
    // The item leaves play even when its sound fails, so it can never be taken twice.
    MoveOutOfPlay(item);
    if (sound && !PlayEffect(*sound)) return;
  }

  for (int i = 0; i < GemCount; ++i) {
    PickupRec& gem = Gems[i];
    if (!Touches(hero, gem)) continue;
    CharScore += kGemPoints;
    GemsCollected = Wrap16(GemsCollected + 1);
    StartParticleEffect(static_cast<float>(gem.Left), static_cast<float>(gem.Top), 10000, 3, 1, 4,
                        0, SurfGemNormal, 10, 2, 0, 0, 40, 35, 100);
    MoveOutOfPlay(gem);
    if (!PlayEffect(SndGem)) return;
  }
}
