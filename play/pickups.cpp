// Gems and power-ups: what the hero touches is applied, dissolves and leaves play.
#include "base/numbers.h"
#include "base/rect.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "play/play_state.h"

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
int16_t PlayState::OpenMysteryBox() {
  int k = 0;
  do {
    k = 20 + CInt(8.0f * Rnd());
    if (k > POWERUP_FREEZEBOMBS) k = POWERUP_FREEZEBOMBS;
  } while (k == POWERUP_SHOOT || k == POWERUP_SHOOTSPREAD || k == POWERUP_MYSTERYBOX);
  return static_cast<int16_t>(k);
}

// What a power-up does to the hero as it is taken.
void PlayState::ApplyPowerUp(PowerUpEffect nEffect) {
  switch (nEffect) {
    case PowerUpEffect::HighJump:
      HighJumps = kHighJumps;
      break;
    case PowerUpEffect::ExtraSpeed:
      ExtraSpeedTime = kExtraSpeedFrames;
      break;
    case PowerUpEffect::Invulnerable:
      InvulnerableTime = kInvulnerableFrames;
      break;
    case PowerUpEffect::ExtraHealth:
      CharHealth = Wrap16(CharHealth + 1);
      break;
    case PowerUpEffect::FreezeBombs:
      FreezeTime = kFreezeFrames;
      break;
    case PowerUpEffect::Skull:
      LoseHealth();
      break;
    case PowerUpEffect::Magnet:      // it shows and sounds, and does nothing more
    case PowerUpEffect::MysteryBox:  // opened into another power-up before this
    case PowerUpEffect::None:        // the ball-blaster power-ups: all five balls are always there
      break;
  }
}

// The picture of a taken power-up leaving the screen.
void PlayState::DissolvePowerUp(const PowerUpInfo& row, const PickupRec& item) {
  const int16_t d = PieceSize();
  const auto x = static_cast<float>(item.Left);
  const auto y = static_cast<float>(item.Top);
  if (row.Vanish == Dissolve::Burst)
    StartParticleEffect(x, y, 1, 1, 0, 0, 100, row.Picture, d, d, 0, 0, 40, 35, 20);
  else if (row.Vanish == Dissolve::Upward)
    StartParticleEffect(x, y, 10000, 2, -2, 10, 300, row.Picture, d, d, 0, 0, 40, 35, 100);
}

void PlayState::CheckPickups() {
  const Rect hero = GetCharRect();

  for (int i = 0; i < PowerUpCount; ++i) {
    PickupRec& item = PowerUps[i];
    if (!Touches(hero, item)) continue;
    if (item.Code == POWERUP_MYSTERYBOX) item.Code = OpenMysteryBox();
    const PowerUpInfo* row = FindPowerUp(item.Code);
    if (row != nullptr) {
      ApplyPowerUp(row->Effect);
      DissolvePowerUp(*row, item);
    }
    // The item leaves play even when its sound fails, so it can never be taken twice.
    MoveOutOfPlay(item);
    if (row != nullptr && row->Sound != SoundId::None && !PlaySound(row->Sound)) return;
  }

  for (int i = 0; i < GemCount; ++i) {
    PickupRec& gem = Gems[i];
    if (!Touches(hero, gem)) continue;
    CharScore += kGemPoints;
    GemsCollected = Wrap16(GemsCollected + 1);
    StartParticleEffect(static_cast<float>(gem.Left), static_cast<float>(gem.Top), 10000, 3, 1, 4,
                        0, PictureId::GemNormal, 10, 2, 0, 0, 40, 35, 100);
    MoveOutOfPlay(gem);
    if (!PlaySound(SoundId::Gem)) return;
  }
}
