// The machine of level 30, which drops the bombs through its hatches and takes 700 hits, and the
// fireworks of the finale.
#include "base/numbers.h"
#include "base/rect.h"
#include "play/play_state.h"

namespace {

struct Hatch {
  int16_t x, y;
};
// Offsets from the machine's top-left corner; a bomb appears 20 pixels up and left of one.
constexpr Hatch kHatches[4] = {{0, 0}, {54, 270}, {176, 274}, {302, 270}};
constexpr int32_t kMachinePoints = 1000;

}  // namespace

void PlayState::MoveMachine() {
  MachineX = Wrap16(MachineX + 2 * MachineDX);
  if (MachineX < 0) MachineDX = 1;
  if (MachineX > 1240) MachineDX = -1;
  MachineY = Wrap16(MachineY + MachineDY);
  if (MachineY < -280) MachineDY = 1;
  if (MachineY > -4) MachineDY = -1;
}

void PlayState::DropBombFromMachine(int i) {
  int k = 1 + CInt(3.0f * Rnd());
  if (k > 3) k = 3;
  Bombs[i].X = static_cast<float>(MachineX + kHatches[k].x - 20);
  Bombs[i].Y = static_cast<float>(MachineY + kHatches[k].y - 20);
}

void PlayState::CheckShotHitsMachine(int s) {
  const Rect machine{MachineX + 20, MachineY, MachineX + 340, MachineY + 228};
  if (!IntersectRect(GetShotRect(s), machine)) return;
  ShotRec& shot = Shots[s];
  StartParticleEffect(static_cast<float>(shot.X), shot.Y, 1, 1, 0, 0, 150, PictureId::MachineHit, 2,
                      2, 0, 0, 8, 8, 5);
  MachineHealth = Wrap16(MachineHealth - 1);
  if (MachineHealth <= 0) {
    if (!PlaySound(SoundId::Explosion)) return;
    StartParticleEffect(static_cast<float>(MachineX), static_cast<float>(MachineY), 8, 8, 0.5f, 0,
                        150, PictureId::Machine, 20, 20, 0, 0, 360, 280, 100);
    CharScore += kMachinePoints;
  }
  shot.Active = VB_FALSE;
  PlaySound(SoundId::HitBomb);
}

void PlayState::NewFireworkLaunch(FireworkRec& firework) {
  firework.Timer = Wrap16(CInt(400.0f * Rnd()));
  firework.X = Wrap16(CInt(800.0f * Rnd()) + 400);
  firework.Y = Wrap16(CInt(400.0f * Rnd()));
}

// False when a burst's sound failed (the frame ends).
bool PlayState::LaunchFireworks() {
  const int16_t d = PieceSize();
  for (FireworkRec& firework : Fireworks) {
    firework.Timer = Wrap16(firework.Timer - 1);
    if (firework.Timer > 0) continue;
    const int column = std::min(20 * CInt(5.0f * Rnd()), 80);
    StartParticleEffect(firework.X, firework.Y, 3.5f, 3.5f, 0.3f, 10, 50, PictureId::Fireworks, d,
                        d, static_cast<int16_t>(column), 0, 20, 20, 100);
    if (!PlaySound(SoundId::Explosion)) return false;
    NewFireworkLaunch(firework);
  }
  return true;
}
