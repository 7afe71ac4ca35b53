#pragma once
// Game: the game around the play — the engines, every picture and sound, the level set, the
// options, the high scores, the level editor's state and the flow from the title screen through
// the stages to the high-score table. The rules of play live in the PlayState it holds; the
// drawing in render/; the windows' controls in dialogs/ and editor/.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/high_scores.h"
#include "data/level_set.h"
#include "data/options.h"
#include "data/player_settings.h"
#include "data/recording.h"
#include "engines/vbge.h"
#include "engines/vbie.h"
#include "engines/vbse.h"
#include "game/screen_stack.h"
#include "play/play_state.h"
#include "render/canvas.h"
#include "render/dev_info.h"
#include "render/play_view.h"
#include "render/screens.h"

class Form;
class HostWindow;

constexpr int16_t GAMEMODE_PLAYING = 1;
constexpr int16_t GAMEMODE_TITLE = 2;

// While a replay plays, the screens between levels read a held Space, so they pass on their own.
class HeldSpaceKeys : public KeyStateSource {
 public:
  void Read(KeyboardSnapshot& state) override {
    state.fill(0);
    state[dik::SPACE] = 0x80;
  }
  KeyStateSource* Before = nullptr;  // the keyboard the game read before the replay
};

class Game : private PlayEvents {
 public:
  // What follows a wait (see ScreenStack); false when it failed.
  using Then = ScreenStack::Then;

  Game();
  ~Game() override;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Public operations. One that has to wait (a stage preview, the level screen, a window, the
  // pause, the game-over picture) puts the wait on the screen stack and returns; the rest of its
  // steps, and `then` where it takes one, run when the wait is over. Its result tells whether
  // what it did up to then succeeded.
  void SetCharHealth(int16_t nHealth);
  void SetCharScore(int16_t nScore);
  int16_t GetCharScore() const;
  void GotoLevel(int16_t& nLevel);
  // Starts the engines on the main window `frm` and loads every file. bDevelop turns on the level
  // editor, the develop keys and the frame-rate meter; bExtra plays the extra level set with its
  // own names, scores, options, title and passwords. The game's own files (the options, the high
  // scores, the level file) are kept in sDataFolder (empty: the current directory, the program's
  // folder, where the pictures, sounds and level names are read; for a level pack, see
  // PackFolder, the pack's folder).
  bool Initialize(HostWindow& frm, bool bDevelop, bool bExtra = false,
                  const std::string& sDataFolder = "");
  bool StartGame(int16_t nStage, Then then = nullptr);
  bool StartNextLevel(Then then = nullptr);
  bool StopGame();
  bool DoFrame();
  bool DrawFrame();
  bool ShowOptions();
  // The settings window (F4): OK keeps and saves the settings; the volumes are heard at once
  // while it is open, and Cancel gives them back.
  bool ShowSettings();
  // Esc during a game: it ends at once, or with the ask-before-Esc assist after "End Game" in a
  // small window (the other choice plays on).
  bool EscapeFromGame();
  bool StartFromStage();
  // Asks for the player's name and hands it to `then`: the name typed, or the one confirmed last
  // in this run when the window is closed with its close box. The window starts empty.
  bool AskForName(std::function<bool(const std::string&)> then);
  void ReceiveMouseInput(int16_t Button, int16_t Shift, float X, float Y);
  bool IsRunning() const { return GameMode == GAMEMODE_PLAYING; }

  // The waits of the game flow, which the frame loop runs.
  ScreenStack Screens;
  // Whether a wait is under way: the frame loop runs it instead of a frame, and the main window
  // keeps the keys and clicks that come meanwhile until it is over.
  bool IsWaiting() const { return !Screens.Empty(); }
  // Nothing changes until a key, a click or an event of the window comes: the pause, or the
  // title screen once every sound is decoded and no score waits to be saved again.
  bool IsStill() const;
  // One pass of the game: the wait on top of the stack, or else the title screen or a frame of
  // play (DrawFrame, then DoFrame). A closing program ends every wait at once. False when the
  // run must end at once.
  bool Pass();
  // The program's window was closed, or the system asked the program to end (SIGTERM): every
  // wait ends and the run ends after this pass, with its saves.
  void Close();

  // The end of the run: saves the options and the high scores, plays the exit sound (waiting
  // three seconds for it outside develop mode, unless the window is closed again) and saves the
  // level file. Called once by the frame loop after its last pass; not called when the run ends
  // at once.
  void Terminate();
  // Saves, mid-run, what the end of the run would save and a run cut short would lose: the
  // options, and in develop mode the edited levels. For a host that may go without warning (the
  // browser's page, when it is hidden or closed).
  void SaveForSuddenEnd();
  bool Terminating = false;
  int CloseRequests = 0;

  // Recording and replaying games (pibo2 --record FILE, --replay FILE). Every game begun while
  // RecordFile is set is recorded and written there when it ends (not in develop mode, where
  // the editor changes the level under the hero). A replay plays a recorded game again from its
  // own options, random numbers and keys, the screens between levels passing on their own; it
  // enters no score and ends back on the title screen.
  std::string RecordFile;
  std::optional<Recording> Recorded;
  // Checks the recording fits this game (its level set) and starts playing it back. False,
  // with the reason logged, when it does not.
  bool StartReplay(const Recording& recording);
  bool IsReplaying() const { return Replaying.has_value(); }

  // Lifecycle and modes.
  int16_t GameMode = 0;
  bool Initialized = false;
  HostWindow* HostForm = nullptr;
  bool EditorEnabled = false;
  bool ExtraMode = false;
  // Where the options, the high scores and the level file are kept (empty: the current
  // directory). Another folder starts with what the program's folder holds: a file not yet there
  // is read from the program's folder, and the level file is first copied across.
  std::string DataFolder;
  // A level pack played in place of the game's own level sets (pibo2 --levels FOLDER): the folder
  // that holds its level file and its names, and the folder's own name; both empty for the normal
  // and the extra set. A pack plays as the normal set does (its title, its passwords), and
  // DataFolder is then a folder of the pack's own: nothing is read from the program's folder's
  // options or high scores, and the pack's level file is written only when it was changed (by
  // the editor, or the gem a level without one gains), into DataFolder.
  std::string PackFolder;
  std::string PackName;
  bool PlaysPack() const { return !PackFolder.empty(); }
  // The check of the level set as it was loaded, to tell whether it has changed since.
  uint64_t LoadedLevelsCheck = 0;
  // `name` in the data folder.
  std::filesystem::path DataFile(std::string_view name) const;
  // `name` where it is read from: the data folder, or the program's folder while the data folder
  // has none (never for a level pack).
  std::filesystem::path ReadableDataFile(std::string_view name) const;
  // The frame loop runs while this is false; Esc on the title screen and Close set it.
  bool QuitRequested = false;
  VBGE GE;
  VBIE IE;
  VBSE SE;
  DevInfo FrameMeter;
  GameFonts Fonts;
  std::array<std::string, 6> StageNames;      // stages 1 to 5; entry 0 unused
  std::array<std::string, 6> StagePasswords;  // stages 1 to 5; entry 0 unused

  // Pictures and sounds, one per file, by catalogue number.
  PictureSet Pictures;
  std::array<SoundBufferPtr, SOUND_COUNT> Sounds;
  Canvas Art{GE, Pictures, Fonts};

  // Data.
  GameOptions Options;
  // The player's settings beyond the options: read from SettingsFile (settings.ini in the
  // player's config folder) at start; with no file named, the defaults (the classic game), as in
  // the tests.
  std::filesystem::path SettingsFile;
  PlayerSettings Settings;
  LevelSet Levels;  // LevelCount and LevelGrid, the record of the level file
  std::array<uint8_t, LEVEL_SLOT_SIZE> SpareLevel{};
  std::vector<std::string> LevelNames;
  HighScoreTable HighScores;
  // Scores entered in this run that have not reached the file yet (a save failed, or another copy
  // of the game held the table: then it is tried again every few passes).
  std::vector<HighScoreEntry> UnsavedHighScores;
  bool HighScoresBusy = false;

  // A game in progress.
  PlayState Play;
  PlayView View{Art};
  TitleScreen Title;

  // The replay under way, the frame it is at, and the player's own options, given back after it.
  std::optional<Recording> Replaying;
  long ReplayFrame = 0;
  GameOptions OptionsBeforeReplay;
  HeldSpaceKeys ReplayWaits;
  void WriteRecording();
  void EndReplay();

  // The level editor (each game starts with painting off, erasing as the code, the view at the
  // level's left edge).
  bool EditActive = false;
  int32_t EditLastCol = 0, EditLastRow = 0;
  int32_t EditByte = 0;
  int32_t EditScrollX = 0;
  int32_t MouseX = 0;  // the pointer's last x on the screen, whatever the mode

  // How long a pass lasts: 30 ms, longer in a game slowed by the speed assist.
  uint32_t PassMilliseconds() const {
    return IsRunning() ? static_cast<uint32_t>((3000 + Play.nGameSpeed / 2) / Play.nGameSpeed) : 30;
  }

  // Level start and end. GameBeginning is set from a game's start until its first level has
  // started (the music then starts at the stage's track).
  bool GameBeginning = false;
  bool BeginGame(int16_t nLevelBefore, int16_t nStageBefore, Then then = nullptr);
  bool StagePreview(Then then);
  bool LevelScreen(Then then);
  void FinishGame();
  // A score that enters the table asks for the player's name and is saved; `then` follows (at
  // once when the score does not enter).
  bool InsertHighScore(Then then = nullptr);
  // Shows a loaded window over the game; `then` runs once it has closed. The keys it took stay
  // with it.
  bool ShowWindow(Form& frm, Then then);
  // Puts a wait on the stack with what follows it (see ScreenStack::Push).
  void Wait(std::unique_ptr<ScreenState> state, Then then, bool bEndsRunOnFailure = false);

  // One frame of play: DoFrame reads the keys (a pause waits there), FinishFrame does the rest.
  bool FinishFrame();
  bool KeyDown(int nKey) const { return Play.KeyDown(nKey); }
  bool PlayEffect(const SoundBufferPtr& dsb);
  // A sound of the catalogue; "no sound" plays nothing.
  bool PlayEffect(SoundId nSound) {
    return nSound >= SoundId::Count || PlayEffect(Sounds[static_cast<size_t>(nSound)]);
  }
  const SoundBufferPtr& Sound(SoundId nSound) const { return Sounds[static_cast<size_t>(nSound)]; }
  Surface* Picture(PictureId nPicture) const { return Art.Picture(nPicture); }

  // The level editor.
  void EditorKeys();
  void ShowEditOptions();
  void CopyLevelToSpare();
  void RestoreLevelFromSpare();
  void ClearLevelForEditing();
  EditCursor Cursor() const;

  // Loaders and savers of the data files.
  bool LoadPlayerSettings();
  bool SavePlayerSettings();
  // The volumes of the player's settings, to the mixer; their keys, to the keyboard and the pad.
  void ApplyVolumes();
  void ApplyControls();
  bool LoadGameOptions();
  bool SaveGameOptions();
  bool LoadSounds();
  // Every picture not read yet.
  bool LoadGraphics();
  bool LoadPicture(PictureId nPicture);
  bool LoadLevels();
  void SaveLevels();
  bool LoadHighScores();
  HighScoreTable HighScoresOnDisk(const char* sWho) const;
  // Merges this run's new scores into the table as the file holds it now (another copy of the
  // game may have entered some meanwhile), under a lock, and writes it back; the table shown
  // becomes the merged one. False when it failed (logged), or when another copy holds the table
  // this moment (HighScoresBusy: nothing is logged, and the save is tried again).
  bool SaveHighScores();
  void MakeDefaultHighScores();
  // Removes the temporary files that saves interrupted by a crash or a power cut left behind.
  void RemoveInterruptedSaves();

 private:
  bool PlaySound(SoundId nSound) override { return PlayEffect(nSound); }

  static constexpr int kHighScoreRetryPasses = 10;
  int passes_since_busy_ = 0;
  // Tries the password against the stages from nStage to 5 in turn (a match starts its game,
  // and the rest are tried once that has started), then hides the pointer again.
  bool TryPassword(const std::string& sEntry, int16_t nStage);
};

// What follows a step that needed no wait: `then`, where there is one.
inline bool Continue(const Game::Then& then) {
  return !then || then();
}
