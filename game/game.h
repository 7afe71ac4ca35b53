#pragma once
// Game: the one object that holds the whole game — the engines, every picture and sound, the
// level set, the options, the high scores and the state of a game in progress. Its operations
// live in the folder of the subsystem that owns them (game/, data/, render/, editor/, dialogs/).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/high_scores.h"
#include "data/level_set.h"
#include "data/options.h"
#include "engines/font.h"
#include "engines/vbge.h"
#include "engines/vbie.h"
#include "engines/vbse.h"
#include "game/records.h"
#include "render/dev_info.h"

class HostWindow;

constexpr int16_t GAMEMODE_PLAYING = 1;
constexpr int16_t GAMEMODE_TITLE = 2;

class Game {
 public:
  Game();
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Public operations.
  void SetCharHealth(int16_t nHealth);
  void SetCharScore(int16_t nScore);
  int16_t GetCharScore() const;
  void GotoLevel(int16_t& nLevel);
  bool Initialize(HostWindow& frm, bool bDevelop);
  bool StartGame(int16_t nStage);
  bool StartNextLevel();
  bool StopGame();
  bool DoFrame();
  bool DrawFrame();
  bool ShowOptions();
  bool StartFromStage();
  bool AskForName(std::string& sName);
  void ReceiveMouseInput(int16_t Button, int16_t Shift, float X, float Y);
  bool IsRunning() const { return GameMode == GAMEMODE_PLAYING; }

  // The end of the run: saves the options, the high scores and the level file. Called once, when
  // start-up releases the game after the frame loop; not called when the run ends at once.
  void Terminate();

  // Lifecycle and modes.
  int16_t GameMode = 0;
  bool Initialized = false;
  HostWindow* HostForm = nullptr;
  bool EditorEnabled = false;
  VBGE GE;
  VBIE IE;
  VBSE SE;
  DevInfo FrameMeter;
  Font FontSmall, FontMedium, FontLarge;
  std::array<std::string, 6> StageNames;      // stages 1 to 5; entry 0 unused
  std::array<std::string, 6> StagePasswords;  // stages 1 to 5; entry 0 unused

  // Pictures, one per file.
  SurfacePtr SurfLoading, SurfBackground, SurfStagePreviews, SurfGetReady, SurfGameOver, SurfTitle,
      SurfPlatform, SurfCharacter, SurfInvulnerable, SurfGemNormal, SurfHighJump, SurfExtraSpeed,
      SurfExtraHealth, SurfShoot, SurfShootSpread, SurfShootBounce, SurfShootBidi, SurfShootExplode,
      SurfMysteryBox, SurfFreezeBombs, SurfMagnet, SurfSkull, SurfNormalBomb, SurfHotBomb,
      SurfHitBomb, SurfAmmoBall, SurfBombExit, SurfMachine, SurfMachineHit, SurfFireworks;
  // The level's backdrop (the stage's tile, repeated), made the first time a level is drawn.
  SurfacePtr SurfLevel;

  // Sounds, one buffer per file.
  SoundBufferPtr SndShoot, SndBoing, SndGetReady, SndGameOver, SndHit, SndGem, SndBombHit,
      SndHitBomb, SndExplosion, SndTeleport, SndJump, SndExtraHealth, SndSpeed, SndHyperJump,
      SndBallBlaster, SndInvulnerability, SndSwitchBB, SndCongrats, SndFreezeBalls, SndSmoking,
      SndStageFactory, SndStageCave, SndStageEgypt, SndStageSpace, SndStageMachine;

  // Data.
  GameOptions Options;
  LevelSet Levels;  // LevelCount and LevelGrid, the record of the level file
  std::array<uint8_t, LEVEL_SLOT_SIZE> SpareLevel{};
  std::vector<std::string> LevelNames;
  HighScoreTable HighScores;

  // A game in progress: level flow.
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

  // Particle effects (allocated once by Initialize).
  std::vector<EffectRec> Effects;

  // The machine of level 30 and the fireworks of the finale.
  int16_t MachineX = 0, MachineY = 0, MachineDX = 1, MachineDY = 1;
  int16_t MachineHealth = 0;
  std::array<FireworkRec, FIREWORK_COUNT> Fireworks{};

  // The level editor (each game starts with painting off, erasing as the code, the view at the
  // level's left edge).
  bool EditActive = false;
  int32_t EditLastCol = 0, EditLastRow = 0;
  int32_t EditByte = 0;
  int32_t EditScrollX = 0;
  int32_t MouseX = 0;  // the pointer's last x on the screen, whatever the mode

  // Drawing.
  std::vector<Rect> DirtyRects;
  int16_t DirtyCount = 0;
  int16_t ViewX = 0;
  int16_t BackdropX = 0;

  // Level start and end.
  bool BeginGame(int16_t nLevelBefore, int16_t nStageBefore);
  bool StagePreview();
  bool LevelScreen();
  void FinishGame();
  void InsertHighScore();

  // One frame of play, step by step.
  void WaitForPauseKey();
  bool KeyDown(int nKey) const { return (KeyboardState[nKey] & 0x80) != 0; }
  bool PlayEffect(const SoundBufferPtr& dsb);
  bool TeleportOut();
  void AdvanceAnimations();
  void EditorKeys();
  void ShowEditOptions();
  void CopyLevelToSpare();
  void RestoreLevelFromSpare();
  void ClearLevelForEditing();

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
  void StartBombExplosion(int i);

  // Particle effects.
  void StartParticleEffect(float X, float Y, float DivX, float DivY, float Gravity, float Kick,
                           float Spread, const SurfacePtr& Bitmap, int16_t StepX, int16_t StepY,
                           int16_t SrcX, int16_t SrcY, int16_t Width, int16_t Height,
                           int16_t Lifetime);
  void MoveEffects();
  int16_t PieceSize() const { return static_cast<int16_t>(2 * (2 - Options.nHighDetailGraphics)); }

  // The machine and the finale.
  void MoveMachine();
  void DropBombFromMachine(int i);
  void CheckShotHitsMachine(int s);
  bool LaunchFireworks();
  void NewFireworkLaunch(FireworkRec& firework);

  // Loaders and savers of the data files.
  bool LoadGameOptions();
  bool SaveGameOptions();
  bool LoadSounds();
  bool LoadGraphics();
  bool LoadLevels();
  void SaveLevels();
  bool LoadHighScores();
  bool SaveHighScores();
  void MakeDefaultHighScores();

  // Drawing a frame of play.
  bool DrawGameFrame();
  void AddDirtyRect(const Rect& rect);
  void DrawSprite(Surface* sheet, Rect source, Rect dest);
  void DrawCharacter();
  bool BuildLevelBackdrop();
  void RepaintFromBackdrop();
  void UpdateView();
  void DrawMovers();
  void DrawPlatforms();
  void DrawPickups();
  void DrawEffects();
  void DrawBombExits();
  Surface* PowerUpSurface(int nCode) const;
  void DrawHud();
  void DrawHudIcon(int16_t x, int16_t y, Surface* surface, const std::string& sText);
  bool DrawDevelopOverlay();

  // Pictures.
  // Copies the 800 x 600 window of the back buffer starting at column nLeft to the screen.
  void ShowBackBuffer(int32_t nLeft);
  bool ShowBitmap(Surface* surface, bool bAlsoToScreen, int32_t nLeft = 0, int32_t nTop = 0,
                  int32_t nRight = 0, int32_t nBottom = 0);
  void DrawTitleScreen();
};
