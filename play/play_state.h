#pragma once
// PlayState: a game in play and its rules — the hero, the level's platforms, power-ups and gems,
// the ball blaster, the bombs, the particle effects, the machine and the fireworks, the level-end
// countdown and the random generator. It knows no screen, no picture and no sound device: sounds
// go out through PlayEvents and effects name their pictures by catalogue number, so the game, the
// simulator, the level checker and the tests all step the same rules.
#include <array>
#include <cstdint>
#include <vector>

#include "base/key_codes.h"
#include "base/rect.h"
#include "data/catalogue.h"
#include "data/level_set.h"
#include "data/power_ups.h"
#include "play/play_events.h"
#include "play/random.h"
#include "play/records.h"

// Frames from the last gem (or the machine's end, or the hero's last health) to the next level
// or the end of the game.
constexpr int16_t LEVEL_END_FRAMES = 100;

// What a frame of play asks of the game around it.
enum class PlayStep {
  Failed,     // a sound failed: the frame ended early
  Playing,    // play goes on
  LevelDone,  // the countdown is over with the hero alive: on to the next level
  GameOver,   // the countdown is over after the hero's last health, or after the finale
};

class PlayState {
 public:
  PlayState();

  // The level set played, and where the sounds go (nullptr: silent). Neither is owned.
  LevelSet* Levels = nullptr;
  PlayEvents* Events = nullptr;
  // The detail of the effects (the options' high-detail graphics, 0 or 1).
  int16_t nHighDetailGraphics = 0;
  Random Rng;

  // Level flow.
  int16_t Level = 0;
  int16_t Stage = 0;
  KeyboardSnapshot KeyboardState{};
  int16_t ExitCountdown = 0;

  // The hero.
  float CharX = 0, CharY = 0, CharVX = 0, CharVY = 0;
  int16_t CharInAir = 0;
  int16_t CharFacing = 1;
  int16_t CharFrame = 0;
  int16_t CharHealth = 0;
  int32_t CharScore = 0;
  int16_t HighJumps = 0;
  int16_t ExtraSpeedTime = 0;
  int16_t InvulnerableTime = 0;
  // The safe-time assist (off in the classic game): after losing health the hero cannot lose
  // another for SafeTime more frames, and flashes meanwhile.
  bool bSafeTimeAfterHit = false;
  int16_t SafeTime = 0;
  // The game's speed in per cent (the speed assist). No rule reads it: a slower game only has
  // longer passes; the heads-up display marks it.
  int16_t nGameSpeed = 100;
  // Whether an assist that changes play is on (the display marks such a game).
  bool Assisted() const { return bSafeTimeAfterHit || nGameSpeed != 100; }
  int16_t BlinkTime = 0;
  float IdleFrame = 0;

  // The level's objects.
  std::array<PlatformRec, MAX_PLATFORMS> Platforms{};
  int16_t PlatformCount = 0;
  std::array<PickupRec, MAX_POWERUPS> PowerUps{};
  int16_t PowerUpCount = 0;
  std::array<PickupRec, MAX_GEMS> Gems{};
  int16_t GemCount = 0;
  int16_t GemsCollected = 0;

  // The ball blaster.
  std::array<ShotRec, MAX_SHOTS> Shots{};
  int16_t BallType = 1;
  int16_t Ammo = 0;
  int16_t ShotCooldown = 0;
  int16_t ExplodeReady = VB_TRUE;
  float ShotCharge = 0;
  int16_t ShiftWasDown = VB_FALSE;

  // Bombs.
  std::array<BombRec, MAX_BOMBS> Bombs{};
  int16_t BombCount = 0;
  int16_t FreezeTime = 0;

  // Particle effects, MAX_EFFECTS slots.
  std::vector<EffectRec> Effects;

  // The machine of level 30 and the fireworks of the finale.
  int16_t MachineX = 0, MachineY = 0, MachineDX = 1, MachineDY = 1;
  int16_t MachineHealth = 0;
  std::array<FireworkRec, FIREWORK_COUNT> Fireworks{};

  // A new game from the level after nLevelBefore: five health, no score, normal balls.
  void NewGame(int16_t nLevelBefore, int16_t nStageBefore);
  // On to the next level: its stage, the hero at the start, the level's lists, the bombs (fewer
  // in an easy game) and nothing flying. Returns the stage before, which differs from Stage when
  // a new stage begins. Raises GameError when the level set has fewer than five levels.
  int16_t EnterNextLevel(int16_t nEasyGame);

  // One frame of play with the keyboard already in KeyboardState, from the hero's move to the
  // level's end. While the editor paints (bEditing) the bombs and the pickups leave the hero
  // alone.
  PlayStep Step(bool bEditing);
  // The hero's turn to the arrow held, read before the editor's keys.
  void TurnChar();
  // One frame of the hero alone: steering, then (unless the level is ending) movement.
  bool StepChar();

  bool KeyDown(int nKey) const { return (KeyboardState[nKey] & 0x80) != 0; }
  bool PlaySound(SoundId nSound) { return Events == nullptr || Events->PlaySound(nSound); }
  float Rnd() { return Rng.Rnd(); }
  void Randomize(uint32_t nSeed) { Rng.Randomize(nSeed); }
  int16_t PieceSize() const { return static_cast<int16_t>(2 * (2 - nHighDetailGraphics)); }

  bool TeleportOut();
  void AdvanceAnimations();

  // Level objects and collision queries.
  void BuildPlatformList();
  void BuildPowerUpList();
  void BuildGemList();
  void BuildLevelLists();
  Rect GetCharRect() const;
  Rect GetBombRect(int i) const;
  Rect GetShotRect(int i) const;
  int FindCharPlatformHit() const;
  int FindPlatformBelow(Rect& rect) const;
  int FindBombPlatformHit(int i);
  bool ShotTouchesPlatform(int i) const;
  int PlatformTypeBelowChar() const;

  // The hero.
  void SteerChar(int nGround);
  bool MoveChar(int nGround);
  void KeepCharInLevel();
  void AnimateChar();

  // Pickups.
  void CheckPickups();
  int16_t OpenMysteryBox();
  void ApplyPowerUp(PowerUpEffect nEffect);
  void DissolvePowerUp(const PowerUpInfo& row, const PickupRec& item);

  // The ball blaster.
  bool MoveShots();
  bool FireBallBlaster();
  void KeepShotInLevel(int i);
  void CheckShotHitsBomb(int s);
  void CheckShotHitsPlatform(int i);

  // Bombs.
  void MoveBombs();
  void ResetBomb(int i);
  void RecycleBomb(int i);
  void KeepBombInLevel(int i);
  void CheckBombCollisions(int i);
  void CheckBombHitsChar();
  // A bomb or a skull reaching the hero: one health less, unless the hero is invulnerable or in
  // the safe time after the last hit; the last health ends the level.
  void LoseHealth();
  void StartBombExplosion(int i);

  // Particle effects.
  void StartParticleEffect(float X, float Y, float DivX, float DivY, float Gravity, float Kick,
                           float Spread, PictureId Bitmap, int16_t StepX, int16_t StepY,
                           int16_t SrcX, int16_t SrcY, int16_t Width, int16_t Height,
                           int16_t Lifetime);
  void MoveEffects();

  // The machine and the finale.
  void MoveMachine();
  void DropBombFromMachine(int i);
  void CheckShotHitsMachine(int s);
  bool LaunchFireworks();
  void NewFireworkLaunch(FireworkRec& firework);
};
