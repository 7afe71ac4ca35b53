#include "data/power_ups.h"

#include <array>

#include "data/cell_codes.h"

namespace {

using P = PictureId;
using S = SoundId;
using E = PowerUpEffect;
using D = Dissolve;

// The digits of the shooting power-ups are the ball types they are named after.
constexpr std::array<PowerUpInfo, 13> kPowerUps = {{
    {POWERUP_HIGHJUMP, "POWERUP_HIGHJUMP", "jump", "high jump", '^', P::HighJump, S::HyperJump,
     E::HighJump, D::Upward, 0},
    {POWERUP_EXTRASPEED, "POWERUP_EXTRASPEED", "speed", "extra speed", '>', P::ExtraSpeed, S::Speed,
     E::ExtraSpeed, D::Upward, 0},
    {POWERUP_INVULNERABLE, "POWERUP_INVULNERABLE", "invul", "invulnerability", '@', P::Invulnerable,
     S::Invulnerability, E::Invulnerable, D::Upward, 0},
    {POWERUP_SHOOT, "POWERUP_SHOOT", "shoot-n", "normal balls", '1', P::Shoot, S::None, E::None,
     D::None, 1},
    {POWERUP_SHOOTSPREAD, "POWERUP_SHOOTSPREAD", "shoot-s", "spread balls", '2', P::ShootSpread,
     S::None, E::None, D::None, 2},
    {POWERUP_EXTRAHEALTH, "POWERUP_EXTRAHEALTH", "health", "extra health", '+', P::ExtraHealth,
     S::ExtraHealth, E::ExtraHealth, D::Upward, 0},
    {POWERUP_MYSTERYBOX, "POWERUP_MYSTERYBOX", "box", "mystery box", '?', P::MysteryBox, S::None,
     E::MysteryBox, D::None, 0},
    {POWERUP_FREEZEBOMBS, "POWERUP_FREEZEBOMBS", "clock", "freeze bombs", '=', P::FreezeBombs,
     S::FreezeBalls, E::FreezeBombs, D::Upward, 0},
    {POWERUP_MAGNET, "POWERUP_MAGNET", "magnet", "magnet", '&', P::Magnet, S::BallBlaster,
     E::Magnet, D::Upward, 0},
    {POWERUP_SKULL, "POWERUP_SKULL", "skull", "skull", '!', P::Skull, S::Explosion, E::Skull,
     D::Burst, 0},
    {POWERUP_SHOOTBOUNCY, "POWERUP_SHOOTBOUNCY", "shoot-b", "bouncy balls", '3', P::ShootBounce,
     S::None, E::None, D::None, 3},
    {POWERUP_SHOOTBIDI, "POWERUP_SHOOTBIDI", "shoot-d", "two-way balls", '4', P::ShootBidi, S::None,
     E::None, D::None, 4},
    {POWERUP_SHOOTEXPLODE, "POWERUP_SHOOTEXPLODE", "shoot-e", "exploding balls", '5',
     P::ShootExplode, S::None, E::None, D::None, 5},
}};

}  // namespace

std::span<const PowerUpInfo> PowerUpTable() {
  return kPowerUps;
}

const PowerUpInfo* FindPowerUp(int nCode) {
  for (const PowerUpInfo& row : kPowerUps)
    if (row.Code == nCode) return &row;
  return nullptr;
}

const PowerUpInfo* FindBallPowerUp(int nBallType) {
  for (const PowerUpInfo& row : kPowerUps)
    if (nBallType != 0 && row.BallType == nBallType) return &row;
  return nullptr;
}
