// Ending a game: Esc goes straight back to the title screen (or, with the ask-before-Esc assist,
// after "End Game"); a lost or finished game first enters a qualifying score into the table and
// shows the game-over picture.
#include "base/error_log.h"
#include "base/failure.h"
#include "base/files.h"
#include "dialogs/end_game_window.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "render/screens.h"

bool Game::StopGame() {
  return Trapped("Game - StopGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    WriteRecording();
    EndReplay();
    if (!Art.ClearScreen()) return false;
    GameMode = GAMEMODE_TITLE;
    HostForm->StopMusic();
    return true;
  });
}

bool Game::EscapeFromGame() {
  return Trapped("Game - EscapeFromGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    // The classic game (and a replay) ends at once; the assist asks first.
    if (!Settings.bAskBeforeEsc || Replaying) return StopGame();
    if (!EditorEnabled) platform::ShowPointer(true);
    frmEndGame& frm = EndGameForm();
    frm.Load();
    return ShowWindow(frm, [this, &frm] {
      if (!EditorEnabled) platform::ShowPointer(false);
      return frm.bEndGame ? StopGame() : true;
    });
  });
}

// A lost or finished game: the name for a qualifying score, then the game-over picture and sound
// for three seconds (not in develop mode), then the title screen.
void Game::FinishGame() {
  Then gameOver = [this] {
    if (!DrawGameOver(Art)) return false;
    if (!PlayEffect(SoundId::GameOver)) return false;
    if (EditorEnabled) return StopGame();
    Wait(std::make_unique<TimedState>("game-over picture", 3000), [this] { return StopGame(); });
    return true;
  };
  if (Replaying)
    gameOver();
  else
    InsertHighScore(std::move(gameOver));
}

// A score that enters the table asks for the player's name and goes to the file at once, so no
// crash, power cut or other copy of the game can take it away.
bool Game::InsertHighScore(Then then) {
  const HighScoreTable before = HighScores;
  const int p = EnterHighScore(HighScores, HighScoreEntry{{}, Play.CharScore});
  if (p < 0) return Continue(then);
  // The window is offered the name of the entry being pushed down, which it does not show; it is
  // what is kept when the window cannot be shown.
  auto store = [this, p, then](const std::string& sName) {
    HighScores[p].Name = FixedName(sName);
    UnsavedHighScores.push_back(HighScores[p]);
    SaveHighScores();
    return Continue(then);
  };
  if (!AskForName(store)) return store(before[p].Name);
  return true;
}

// The game just ended goes to the recording's file, with the score and level it ended on. A file
// that cannot be written is reported; play goes on.
void Game::WriteRecording() {
  if (!Recorded) return;
  Recorded->EndScore = Play.CharScore;
  Recorded->EndLevel = Play.Level;
  const std::string text = RecordingText(*Recorded);
  Recorded.reset();
  try {
    WriteFileAtomically(RecordFile,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  } catch (const std::exception& e) {
    LogError(std::string("Game - WriteRecording - ") + e.what());
  }
}

bool Game::StartReplay(const Recording& recording) {
  return Trapped("Game - StartReplay - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (const std::string why = RecordingSetMismatch(recording, ExtraMode, PlaysPack());
        !why.empty())
      throw GameError(ERR_BAD_FILE_FORMAT, why);
    if (recording.LevelsCheck != LevelSetCheck(Levels))
      throw GameError(ERR_BAD_FILE_FORMAT,
                      "The recording was played on other levels than this game's (edited since?).");
    Replaying = recording;
    ReplayFrame = 0;
    OptionsBeforeReplay = Options;
    Options.nEasyGame = recording.nEasyGame;
    Options.nHighDetailGraphics = recording.nHighDetailGraphics;
    ReplayWaits.Before = IE.Source();
    IE.SetSource(&ReplayWaits);
    Play.Rng.SetState(recording.RandomState);
    if (BeginGame(recording.LevelBefore, recording.StageBefore)) return true;
    EndReplay();  // the player's options and keyboard back, as after a replay
    return false;
  });
}

void Game::EndReplay() {
  if (!Replaying) return;
  Replaying.reset();
  Options.nEasyGame = OptionsBeforeReplay.nEasyGame;
  Options.nHighDetailGraphics = OptionsBeforeReplay.nHighDetailGraphics;
  IE.SetSource(ReplayWaits.Before);
}
