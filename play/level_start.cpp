// The start of a game and of each level: the stage of the level, the hero back at the start with
// the level's own lists, the machine and the fireworks set up, and the bombs waiting their turn.
#include <algorithm>

#include "base/failure.h"
#include "base/numbers.h"
#include "play/play_state.h"

namespace {
constexpr int kLevelsPerStageDivisor = 5;
}  // namespace

void PlayState::NewGame(int16_t nLevelBefore, int16_t nStageBefore) {
  Level = nLevelBefore;
  CharHealth = 5;
  CharScore = 0;
  BallType = 1;
  Stage = nStageBefore;
}

int16_t PlayState::EnterNextLevel(int16_t nEasyGame) {
  ExitCountdown = 0;
  Level = Wrap16(Level + 1);
  // The finale is the last slot there is: skipping on from it plays it again.
  if (Level > LEVEL_SLOTS) Level = LEVEL_SLOTS;

  int16_t oldStage = Stage;
  if (Level > 30) {
    Stage = 4;
    oldStage = 4;
  } else {
    const int perStage = Levels->LevelCount / kLevelsPerStageDivisor;
    if (perStage == 0) throw GameError(ERR_DIVISION_BY_ZERO, "Division by zero");
    // A set whose count is no multiple of five leaves a few levels over at its end; they belong
    // to the last stage, as there is no sixth.
    Stage = static_cast<int16_t>(std::min((Level - 1) / perStage + 1, 5));
  }

  CharInAir = 0;
  CharFrame = 0;
  CharFacing = 1;
  CharX = 5.0f;
  CharY = 534.0f;
  CharVY = 0;
  CharVX = 0;
  HighJumps = 0;
  ExtraSpeedTime = 0;
  InvulnerableTime = 0;
  SafeTime = 0;
  Ammo = 200;
  ShotCooldown = 3;
  BlinkTime = 0;
  IdleFrame = 0;
  ExplodeReady = VB_TRUE;

  if (Level == 30) {
    MachineX = 20;
    MachineY = -4;
    MachineDX = 1;
    MachineDY = 1;
    MachineHealth = 700;
  }
  if (Level == 31)
    for (FireworkRec& firework : Fireworks) NewFireworkLaunch(firework);

  BuildLevelLists();
  FreezeTime = 0;

  const int easy = nEasyGame;
  BombCount = Wrap16(((Level - 1) / 5) * (2 / (easy + 1)) + 4 / (easy + 1));
  if (BombCount > MAX_BOMBS) BombCount = MAX_BOMBS;
  if (BombCount < 0) BombCount = 0;
  for (int i = 0; i < BombCount; ++i) {
    BombRec& bomb = Bombs[i];
    bomb.Flash = 0;
    bomb.Hot = VB_FALSE;
    bomb.Hits = 0;
    bomb.Spare = 0;
    bomb.Delay = Wrap16(90 * (i + 1));
    ResetBomb(i);
  }
  for (ShotRec& shot : Shots) shot.Active = VB_FALSE;
  for (EffectRec& effect : Effects) effect.Active = VB_FALSE;
  return oldStage;
}
