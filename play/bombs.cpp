// Bombs: they drop in from above, roll over the platforms, bounce, leave through the open low
// sides of the level and come back; touching the hero costs a health.
#include "base/numbers.h"
#include "base/rect.h"
#include "data/cell_codes.h"
#include "play/play_state.h"

namespace {

constexpr float kRollSpeed = 8.0f;
constexpr float kSlowRollSpeed = 2.5f;  // on swamp and goo
constexpr float kMaxFallSpeed = 20.0f;
constexpr float kOpenSidesBelow = 480.0f;
constexpr int32_t kHotPairPoints = 160;
// How long the safe-time assist keeps the hero from losing another health: about a second.
constexpr int16_t kSafeFrames = 33;

}  // namespace

void PlayState::ResetBomb(int i) {
  BombRec& b = Bombs[i];
  b.Frame = static_cast<float>(IntPart(16.0f * Rnd()));
  if (i % 2 == 1) {
    b.Direction = 0;
    b.VX = -kRollSpeed;
  } else {
    b.Direction = 1;
    b.VX = kRollSpeed;
  }
  b.X = static_cast<float>(IntPart(1560.0f * Rnd()));
  b.Y = -300;
  b.VY = 0;
  b.Leaving = VB_FALSE;
}

// A destroyed bomb waits its turn, then drops in again.
void PlayState::RecycleBomb(int i) {
  BombRec& b = Bombs[i];
  b.Hot = VB_FALSE;
  b.Flash = 0;
  b.Hits = 0;
  b.Delay = Wrap16(90 * (i + 1));
  ResetBomb(i);
}

void PlayState::StartBombExplosion(int i) {
  const int16_t d = PieceSize();
  StartParticleEffect(Bombs[i].X, Bombs[i].Y, 2.5f, 2.5f, 0.5f, 15, 100, PictureId::HotBomb, d, d,
                      0, 0, 40, 40, 100);
}

void PlayState::KeepBombInLevel(int i) {
  BombRec& b = Bombs[i];
  const Rect r = GetBombRect(i);
  // Out through a side: on the machine level back through a hatch after a wait, elsewhere at once
  // from the top.
  auto out = [&] {
    if (Level == 30)
      RecycleBomb(i);
    else
      ResetBomb(i);
  };
  if (r.Left < 0) {
    if (b.Leaving == VB_FALSE) {
      if (b.Y > kOpenSidesBelow) {
        b.Leaving = VB_TRUE;
      } else {
        b.X = 0;
        b.VX = -b.VX;
        b.Direction = 1;
        if (!PlaySound(SoundId::BombHit)) return;
      }
    }
    if (b.Leaving != VB_FALSE && b.X < -40) out();
  }
  if (r.Right > 1600) {
    if (b.Leaving == VB_FALSE) {
      if (b.Y > kOpenSidesBelow) {
        b.Leaving = VB_TRUE;
      } else {
        b.X = 1560;
        b.VX = -b.VX;
        b.Direction = 0;
      }
    }
    if (b.Leaving != VB_FALSE && b.X > 1600) out();
  }
}

void PlayState::CheckBombCollisions(int i) {
  for (int j = 0; j < BombCount; ++j) {
    if (j == i || Bombs[i].Hot == VB_FALSE || Bombs[j].Hot == VB_FALSE) continue;
    if (!IntersectRect(GetBombRect(i), GetBombRect(j))) continue;
    if (!PlaySound(SoundId::Explosion)) return;
    StartBombExplosion(i);
    StartBombExplosion(j);
    for (const int k : {j, i}) {
      Bombs[k].Hot = VB_FALSE;
      Bombs[k].Flash = 0;
      Bombs[k].Hits = 0;
      Bombs[k].Delay = Wrap16(90 * (k + 1));
    }
    ResetBomb(i);
    ResetBomb(j);
    CharScore += kHotPairPoints;
    return;
  }
}

void PlayState::MoveBombs() {
  for (int i = 0; i < BombCount; ++i) {
    BombRec& b = Bombs[i];
    if (b.Delay > 0) {
      --b.Delay;
      if (Level == 30 && b.Delay == 1) DropBombFromMachine(i);
      continue;
    }
    Rect r = GetBombRect(i);
    const int ground = FindPlatformBelow(r);
    const float speed = IsSlowGround(ground) ? kSlowRollSpeed : kRollSpeed;
    b.VX = b.VX > 0 ? speed : -speed;
    b.X += b.VX;
    if (const int j = FindBombPlatformHit(i); j != NO_PLATFORM) {
      if (IsSlowGround(ground)) {
        b.Y = static_cast<float>(Platforms[j].Top - 40);  // climbs onto it
      } else {
        b.VX = -b.VX;
        b.Direction = b.VX > 0 ? 1 : 0;
      }
      b.X += b.VX;
    }
    KeepBombInLevel(i);
    b.Y += b.VY;
    if (const int j = FindBombPlatformHit(i); j != NO_PLATFORM) {
      const PlatformRec& p = Platforms[j];
      if (b.VY > 0) {
        const float keep = p.PlatformType == PLATFORM_BOUNCY ? 100.0f
                           : IsSlowGround(p.PlatformType)    ? 20.0f
                                                             : 50.0f;
        b.VY = -b.VY * keep / 100.0f;
        if (b.Hot != VB_FALSE) b.VY *= 1.5f;
        b.Y = static_cast<float>(p.Top - 40);
      } else {
        b.VY = -b.VY;
        b.Y = static_cast<float>(p.Bottom);
      }
    }
    b.VY += Stage == 4 ? 0.5f : 1.0f;
    if (b.VY > kMaxFallSpeed) b.VY = kMaxFallSpeed;
    CheckBombCollisions(i);
  }
}

void PlayState::LoseHealth() {
  if (InvulnerableTime != 0 || SafeTime != 0) return;
  CharHealth = Wrap16(CharHealth - 1);
  if (CharHealth == 0) ExitCountdown = LEVEL_END_FRAMES;
  if (bSafeTimeAfterHit) SafeTime = kSafeFrames;
}

void PlayState::CheckBombHitsChar() {
  const Rect hero = GetCharRect();
  for (int i = 0; i < BombCount; ++i) {
    if (!IntersectRect(hero, GetBombRect(i))) continue;
    if (!PlaySound(SoundId::Explosion)) return;
    StartBombExplosion(i);
    RecycleBomb(i);
    LoseHealth();
    return;
  }
}
