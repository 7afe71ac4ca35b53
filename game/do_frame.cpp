// One frame of play: the keyboard is read once, then the hero, the machine, the bombs, the
// fireworks, the balls and the effects move in a fixed order, pickups are taken, and the level
// ends when its gems are all collected, the machine is destroyed or the hero has died.
#include "app/failure.h"
#include "app/globals.h"
#include "data/cell_codes.h"
#include "engines/platform.h"
#include "game/game.h"
#include "game/numbers.h"

namespace {
constexpr int16_t kLevelEndFrames = 100;
}

bool Game::PlayEffect(const SoundBufferPtr& dsb) {
  if (Options.bSoundEffects == 0) return true;
  return SE.PlaySound(dsb.get());
}

// The hero dissolves upward out of the level.
bool Game::TeleportOut() {
  const int16_t d = PieceSize();
  StartParticleEffect(CharX, CharY, 10000, 5, -0.5f, 0, 200, SurfCharacter, d, d, 0, 0, 40, 36,
                      100);
  return PlayEffect(SndTeleport);
}

// Paused until P has been released, pressed and released again. The last frame stays on screen.
void Game::WaitForPauseKey() {
  KeyboardSnapshot keys{};
  int state = 0;
  while (true) {
    platform::DoEvents();
    if (QuitRequested || !IE.GetKeyboardState(keys)) return;
    const bool p = (keys[dik::P] & 0x80) != 0;
    if (state == 0 && !p)
      state = 1;
    else if (state == 1 && p)
      state = 2;
    else if (state == 2 && !p)
      return;
    // Do not spin the processor while nothing happens.
    platform::Sleep(10);
  }
}

bool Game::DoFrame() {
  return Trapped("Game - DoFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (GameMode != GAMEMODE_PLAYING) return true;

    KeyboardSnapshot keys{};
    if (!IE.GetKeyboardState(keys)) return false;
    KeyboardState = keys;
    if (KeyDown(dik::P)) WaitForPauseKey();

    if (EditorEnabled) {
      if (KeyDown(dik::DIVIDE)) EditActive = true;
      if (KeyDown(dik::MULTIPLY)) EditActive = false;
    }
    if (KeyDown(dik::LEFT)) CharFacing = 0;
    if (KeyDown(dik::RIGHT)) CharFacing = 1;
    if (EditorEnabled && EditActive) EditorKeys();

    const int ground = CharInAir == 0 ? PlatformTypeBelowChar() : NO_PLATFORM;
    SteerChar(ground);
    if (ExitCountdown == 0 && !MoveChar(ground)) return false;
    if (Level == 30) MoveMachine();
    if (FreezeTime == 0 && Level != 31)
      MoveBombs();
    else
      FreezeTime = Wrap16(FreezeTime - 1);
    if (ExitCountdown == 0 && !EditActive) CheckBombHitsChar();
    if (Level == 31 && !LaunchFireworks()) return false;
    if (!MoveShots()) return false;
    if (ExitCountdown == 0 && !FireBallBlaster()) return false;
    MoveEffects();
    if (ExitCountdown == 0) AnimateChar();
    AdvanceAnimations();
    if (ExitCountdown == 0 && !EditActive) CheckPickups();

    if (ExitCountdown == 0) {
      if (Level == 30 && MachineHealth <= 0) {
        ExitCountdown = kLevelEndFrames;
        if (!PlayEffect(SndExplosion)) return false;
        if (!TeleportOut()) return false;
      } else if (Level != 30 && GemsCollected == GemCount) {
        ExitCountdown = kLevelEndFrames;
        if (!TeleportOut()) return false;
      }
    }

    if (ExitCountdown > 0 && --ExitCountdown == 0) {
      if (CharHealth > 0 && Level != 31)
        StartNextLevel();
      else
        FinishGame();
    }
    return true;
  });
}

void Game::AdvanceAnimations() {
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
}
