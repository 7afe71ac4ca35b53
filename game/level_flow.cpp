// Starting games and levels: the per-level set-up of every part of the game, the music following
// the stages, the stage preview that waits for SPACE and the "Next Level" screen.
#include "app/failure.h"
#include "app/globals.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/random.h"

namespace {
constexpr int kLevelsPerStageDivisor = 5;
constexpr uint32_t kScreenPause = 3000;
constexpr uint32_t kPreviewPoll = 50;
}  // namespace

bool Game::StartGame(int16_t nStage) {
  return Trapped("Game - StartGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return BeginGame(Wrap16(6 * nStage - 6), Wrap16(nStage - 1));
  });
}

// A new game that goes on from level nLevelBefore + 1; nStageBefore differs from that level's
// stage when its preview should be shown.
bool Game::BeginGame(int16_t nLevelBefore, int16_t nStageBefore) {
  EditActive = false;
  EditLastCol = 0;
  EditLastRow = 0;
  EditByte = 255;
  EditScrollX = 0;
  Level = nLevelBefore;
  CharHealth = 5;
  CharScore = 0;
  BallType = 1;
  Stage = nStageBefore;
  if (!StartNextLevel()) return false;
  GameMode = GAMEMODE_PLAYING;
  DirtyRects.assign(DIRTY_RECT_CAPACITY, Rect{});
  return true;
}

bool Game::StartNextLevel() {
  return Trapped("Game - StartNextLevel - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    SurfLevel.reset();
    DirtyCount = 0;
    ExitCountdown = 0;
    Level = Wrap16(Level + 1);
    // The finale is the last slot there is: skipping on from it (F5) plays it again.
    if (Level > LEVEL_SLOTS) Level = LEVEL_SLOTS;

    int16_t oldStage = Stage;
    if (Level > 30) {
      Stage = 4;
      oldStage = 4;
    } else {
      const int perStage = Levels.LevelCount / kLevelsPerStageDivisor;
      if (perStage == 0) throw GameError(11, "Division by zero");
      Stage = Wrap16((Level - 1) / perStage + 1);
    }

    if (Options.bMusic != 0) {
      if (oldStage == 0) HostForm->StartMusic();
      if (Level != 1 && oldStage != Stage) HostForm->NextSong();
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

    const int easy = Options.nEasyGame;
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

    if (oldStage != Stage && !StagePreview()) return false;
    if (Level == 31) return PlayEffect(SndCongrats);
    return LevelScreen();
  });
}

bool Game::StagePreview() {
  platform::DoEvents();
  Surface& back = *GE.BackBuffer();
  if (!GE.ClearSurface(&back, false)) return false;
  if (!ShowBitmap(SurfStagePreviews.get(), false, 0, 240 * (Stage - 1), 320, 240 * Stage))
    return false;
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(FontMedium);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(255, 180, "Next Stage", false);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawText(255, 200, StageNames.at(Stage), false);
  if (Stage != 1) {
    back.SetForeColor(RGB(255, 255, 0));
    back.DrawText(255, 390, "Stage Password: " + StagePasswords.at(Stage), false);
  }
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(255, 425, "Press SPACE to continue...", false);
  ShowBackBuffer(0);

  const SoundBufferPtr jingles[] = {nullptr,       SndStageFactory, SndStageCave,
                                    SndStageEgypt, SndStageSpace,   SndStageMachine};
  const SoundBufferPtr jingle = Stage >= 1 && Stage <= 5 ? jingles[Stage] : nullptr;
  if (jingle && !PlayEffect(jingle)) return false;

  // Wait for SPACE. The test looks at the keys read in the previous pass, so a SPACE still held
  // from play ends the wait at once. A closed window ends it too.
  bool space = false;
  while (!space && !QuitRequested) {
    if ((KeyboardState[dik::SPACE] & 0x80) != 0) space = true;
    if (!IE.GetKeyboardState(KeyboardState)) return false;
    platform::Sleep(kPreviewPoll);
    platform::DoEvents();
  }
  if (Options.bSoundEffects != 0 && jingle) jingle->Stop();
  return true;
}

bool Game::LevelScreen() {
  platform::DoEvents();
  Surface& back = *GE.BackBuffer();
  if (!GE.ClearSurface(&back, false)) return false;
  if (!ShowBitmap(SurfGetReady.get(), false)) return false;
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(FontMedium);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawBox(190, 200, 610, 340);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(200, 210, "Next Level", false);
  back.SetForeColor(RGB(255, 255, 0));
  const size_t name = static_cast<size_t>(Level - 1);
  back.DrawText(200, 230, name < LevelNames.size() ? LevelNames[name] : std::string(), false);
  ShowBackBuffer(0);
  if (!PlayEffect(SndGetReady)) return false;
  if (!EditorEnabled) platform::Sleep(kScreenPause);
  return true;
}

void Game::GotoLevel(int16_t& nLevel) {
  if (nLevel > Levels.LevelCount) nLevel = Levels.LevelCount;
  if (nLevel < 1) nLevel = 1;
  Level = Wrap16(nLevel - 1);
  StartNextLevel();
}
