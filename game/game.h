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
  Font FontSmall, FontMedium, FontLarge;
  std::array<std::string, 6> StageNames;      // stages 1 to 5; entry 0 unused
  std::array<std::string, 6> StagePasswords;  // stages 1 to 5; entry 0 unused

  // Pictures, one per file.
  SurfacePtr SurfLoading, SurfBackground, SurfStagePreviews, SurfGetReady, SurfGameOver,
      SurfTitle, SurfPlatform, SurfCharacter, SurfInvulnerable, SurfGemNormal, SurfHighJump,
      SurfExtraSpeed, SurfExtraHealth, SurfShoot, SurfShootSpread, SurfShootBounce,
      SurfShootBidi, SurfShootExplode, SurfMysteryBox, SurfFreezeBombs, SurfMagnet, SurfSkull,
      SurfNormalBomb, SurfHotBomb, SurfHitBomb, SurfAmmoBall, SurfBombExit, SurfMachine,
      SurfMachineHit, SurfFireworks;
  // The level's backdrop with its platforms, made the first time a level is drawn.
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

  // A game in progress.
  int16_t Level = 0;
  int16_t Stage = 0;
  int16_t CharHealth = 0;
  int32_t CharScore = 0;

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

  // Pictures.
  bool ShowBitmap(Surface* surface, bool bAlsoToScreen, int32_t nLeft = 0, int32_t nTop = 0,
                  int32_t nRight = 0, int32_t nBottom = 0);
  void DrawTitleScreen();
};
