// The ball blaster: five ball types sharing one ammunition counter, fired in volleys with Ctrl
// and switched with Shift. Balls heat bombs up and destroy them on the tenth hit.
#include <cmath>

#include "base/key_codes.h"
#include "base/numbers.h"
#include "base/rect.h"
#include "play/play_state.h"

namespace {

struct BallTypeInfo {
  int balls;
  int16_t cooldown;
  int16_t cost;
};

// Indexed by BallType: normal, spread, bouncy, bidirectional, explode.
constexpr BallTypeInfo kBallTypes[6] = {{0, 0, 0}, {1, 3, 1}, {3, 6, 3},
                                        {2, 6, 2}, {2, 5, 2}, {20, 15, 20}};

constexpr int16_t BALL_SPREAD = 2, BALL_BOUNCY = 3, BALL_BIDI = 4, BALL_EXPLODE = 5;
constexpr int32_t kBombPoints = 80;

}  // namespace

void PlayState::KeepShotInLevel(int i) {
  const Rect shot = GetShotRect(i);
  if (shot.Left < 0 || shot.Right > 1600) {
    Shots[i].Active = VB_FALSE;
    PlaySound(SoundId::Hit);
  }
}

void PlayState::CheckShotHitsPlatform(int i) {
  if (ShotTouchesPlatform(i)) {
    Shots[i].Active = VB_FALSE;
    PlaySound(SoundId::Hit);
  }
}

void PlayState::CheckShotHitsBomb(int s) {
  const Rect shot = GetShotRect(s);
  for (int i = 0; i < BombCount; ++i) {
    if (!IntersectRect(shot, GetBombRect(i))) continue;
    BombRec& b = Bombs[i];
    b.Hits = Wrap16(b.Hits + 1);
    if (b.Hits == 10) {
      if (!PlaySound(SoundId::Explosion)) return;
      StartBombExplosion(i);
      RecycleBomb(i);
      CharScore += kBombPoints;
    }
    b.Hot = VB_TRUE;
    b.Flash = 5;
    Shots[s].Active = VB_FALSE;
    PlaySound(SoundId::HitBomb);
    return;
  }
}

// Moves every flying ball and tests what it meets. False when a sound failed.
bool PlayState::MoveShots() {
  for (int i = 0; i < MAX_SHOTS; ++i) {
    ShotRec& shot = Shots[i];
    if (shot.Active == VB_FALSE) continue;
    shot.X = Wrap16(CInt(shot.X + shot.VX));
    bool bounced = false;
    shot.Y += shot.VY;
    if (shot.Y < -50) shot.Active = VB_FALSE;
    if (shot.Bouncy != VB_FALSE) {
      if (shot.VY < 20) shot.VY += 1;
      if (ShotTouchesPlatform(i) && shot.VY > 2) {
        shot.VY = -(shot.VY - 2);
        shot.Y += shot.VY;
        bounced = true;
      }
    }
    KeepShotInLevel(i);
    CheckShotHitsBomb(i);
    if (!bounced) CheckShotHitsPlatform(i);
    if (Level == 30 && MachineHealth > 0) CheckShotHitsMachine(i);
  }
  return true;
}

// Firing, the explode burst, the cooldown and switching. False when a sound failed.
bool PlayState::FireBallBlaster() {
  const bool fire = (KeyDown(dik::LCONTROL) || KeyDown(dik::RCONTROL)) && Level != 31 &&
                    (Ammo > 0 || Level == 30);
  const int16_t type = (BallType >= 1 && BallType <= 5) ? BallType : 1;
  const BallTypeInfo& info = kBallTypes[type];

  if (fire && ShotCooldown == 0 && ExplodeReady != VB_FALSE) {
    if (ShotCharge < 100) ShotCharge += 10;
    ShotCooldown = info.cooldown;
    Ammo = Wrap16(Ammo - info.cost);
    int n = 1;
    for (int slot = 0; slot < MAX_SHOTS; ++slot) {
      ShotRec& shot = Shots[slot];
      if (shot.Active != VB_FALSE) continue;
      shot.Frame = 1;
      shot.Y = CharY + 13;
      shot.Direction = CharFacing;
      const float speed = type == BALL_BOUNCY ? 12.0f : 20.0f;
      if (CharFacing == 1) {
        shot.VX = speed;
        shot.X = Wrap16(CInt(CharX + 40));
      } else {
        shot.VX = -speed;
        shot.X = Wrap16(CInt(CharX - 10));
      }
      if (type == BALL_BIDI && n == 2) shot.VX = -shot.VX;
      shot.Active = VB_TRUE;
      shot.VY = type == BALL_SPREAD   ? static_cast<float>(2 * n - 4)
                : type == BALL_BOUNCY ? -(ShotCharge * 9.0f / 100.0f) * static_cast<float>(n)
                                      : 0.0f;
      shot.Bouncy = type == BALL_BOUNCY ? VB_TRUE : VB_FALSE;
      shot.Explode = type == BALL_EXPLODE ? VB_TRUE : VB_FALSE;
      if (type == BALL_EXPLODE) ExplodeReady = VB_FALSE;
      if (!PlaySound(SoundId::Shoot)) return false;
      if (n == info.balls) break;
      ++n;
    }
  } else if (!fire) {
    if (BallType == BALL_EXPLODE && ExplodeReady != VB_FALSE) {
      for (ShotRec& shot : Shots) {
        if (shot.Explode == VB_FALSE) continue;
        const double angle = 360.0 * Rnd();  // taken as radians: any direction will do
        shot.VX = static_cast<float>(20.0 * std::cos(angle));
        shot.VY = static_cast<float>(20.0 * std::sin(angle));
        if (!PlaySound(SoundId::Explosion)) return false;
        shot.Explode = VB_FALSE;
      }
    }
    if (ExplodeReady == VB_FALSE) ExplodeReady = VB_TRUE;
    ShotCharge = 0;
  }

  if (ShotCooldown > 0) --ShotCooldown;

  if (KeyDown(dik::LSHIFT) || KeyDown(dik::RSHIFT)) {
    ShiftWasDown = VB_TRUE;
  } else if (ShiftWasDown != VB_FALSE) {
    BallType = static_cast<int16_t>(BallType % 5 + 1);
    ShiftWasDown = VB_FALSE;
    PlaySound(SoundId::SwitchBB);
  }
  return true;
}
