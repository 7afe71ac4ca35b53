// One frame of play: the hero, the machine, the bombs, the fireworks, the balls and the effects
// move in a fixed order, pickups are taken, and the level ends when its gems are all collected,
// the machine is destroyed or the hero has died.
#include "base/numbers.h"
#include "play/play_state.h"

PlayState::PlayState() : Effects(MAX_EFFECTS) {}

// The hero dissolves upward out of the level.
bool PlayState::TeleportOut() {
  const int16_t d = PieceSize();
  StartParticleEffect(CharX, CharY, 10000, 5, -0.5f, 0, 200, PictureId::Character, d, d, 0, 0, 40,
                      36, 100);
  return PlaySound(SoundId::Teleport);
}

void PlayState::TurnChar() {
  if (KeyDown(dik::LEFT)) CharFacing = 0;
  if (KeyDown(dik::RIGHT)) CharFacing = 1;
}

bool PlayState::StepChar() {
  const int ground = CharInAir == 0 ? PlatformTypeBelowChar() : NO_PLATFORM;
  SteerChar(ground);
  return ExitCountdown != 0 || MoveChar(ground);
}

PlayStep PlayState::Step(bool bEditing) {
  if (!StepChar()) return PlayStep::Failed;
  if (Level == 30) MoveMachine();
  if (FreezeTime == 0 && Level != 31)
    MoveBombs();
  else
    FreezeTime = Wrap16(FreezeTime - 1);
  if (ExitCountdown == 0 && !bEditing) CheckBombHitsChar();
  if (Level == 31 && !LaunchFireworks()) return PlayStep::Failed;
  if (!MoveShots()) return PlayStep::Failed;
  if (ExitCountdown == 0 && !FireBallBlaster()) return PlayStep::Failed;
  MoveEffects();
  if (ExitCountdown == 0) AnimateChar();
  AdvanceAnimations();
  if (ExitCountdown == 0 && !bEditing) CheckPickups();

  if (ExitCountdown == 0) {
    if (Level == 30 && MachineHealth <= 0) {
      ExitCountdown = LEVEL_END_FRAMES;
      if (!PlaySound(SoundId::Explosion)) return PlayStep::Failed;
      if (!TeleportOut()) return PlayStep::Failed;
    } else if (Level != 30 && GemsCollected == GemCount) {
      ExitCountdown = LEVEL_END_FRAMES;
      if (!TeleportOut()) return PlayStep::Failed;
    }
  }

  if (ExitCountdown > 0 && --ExitCountdown == 0)
    return CharHealth > 0 && Level != 31 ? PlayStep::LevelDone : PlayStep::GameOver;
  return PlayStep::Playing;
}

void PlayState::AdvanceAnimations() {
  auto spin = [](float& frame, float step) {
    frame += step;
    if (frame >= 16) frame = 0;
  };
  for (int i = 0; i < PowerUpCount; ++i) spin(PowerUps[i].Frame, 0.5f);
  for (int i = 0; i < GemCount; ++i) spin(Gems[i].Frame, 0.5f);
  for (int i = 0; i < BombCount; ++i) {
    if (Bombs[i].Flash > 0) --Bombs[i].Flash;
    spin(Bombs[i].Frame, 1);
  }
  for (ShotRec& shot : Shots)
    if (shot.Active != VB_FALSE) spin(shot.Frame, 1);
  if (ExtraSpeedTime > 0) --ExtraSpeedTime;
  if (InvulnerableTime > 0) --InvulnerableTime;
  if (SafeTime > 0) --SafeTime;
}
