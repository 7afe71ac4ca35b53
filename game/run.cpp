// The run of the game as the frame loop sees it: one pass (the wait on top of the screen stack,
// or else the title screen or a frame of play) and the end of the run with its saves.
#include "base/error_log.h"
#include "engines/platform.h"
#include "game/game.h"

bool Game::IsStill() const {
  if (!Initialized || QuitRequested || Terminating) return false;
  if (IsWaiting()) return Screens.Top()->Still();
  return GameMode == GAMEMODE_TITLE && !HighScoresBusy && !SE.HasWork();
}

bool Game::Pass() {
  // The sounds are decoded for the mixer one a pass, after the start rather than before it, and
  // the long ones let go once they have ended.
  SE.Tend();
  // The sound device rests while the game stands still in silence. A closing program does not
  // open a resting device again only to close it (opening one can take half a second); the exit
  // sound, if there is one, wakes it itself.
  SE.Rest(IsStill() || QuitRequested, platform::Ticks());
  // Scores that another copy's save kept from the file are tried again every few passes.
  if (HighScoresBusy && !Terminating && ++passes_since_busy_ % kHighScoreRetryPasses == 0)
    SaveHighScores();
  if (IsWaiting()) {
    // A closing program waits for nothing but the exit sound.
    if (QuitRequested && !Terminating) return Screens.Close();
    return Screens.Pass();
  }
  if (Terminating) return true;
  if (!DrawFrame()) return false;
  return DoFrame();
}

namespace {

// The scores wait for another copy's save at the end of the run, three seconds at most.
class HighScoreSaveState : public TimedState {
 public:
  explicit HighScoreSaveState(Game& game) : TimedState("high-score save", 3000), game_(game) {}
  StateResult Pass() override {
    if (game_.SaveHighScores() || !game_.HighScoresBusy) return StateResult::Over;
    if (TimedState::Pass() == StateResult::Waiting) return StateResult::Waiting;
    LogError(
        "Game - SaveHighScores - Another copy of the game kept the high-score table; the "
        "scores of this run are not saved");
    return StateResult::Over;
  }
  bool EndsWhenClosing() const override { return false; }

 private:
  Game& game_;
};

// The exit sound plays out before the window goes, unless the window is closed once more.
class ExitSoundState : public TimedState {
 public:
  explicit ExitSoundState(const Game& game)
      : TimedState("exit sound", 3000), game_(game), closes_(game.CloseRequests) {}
  StateResult Pass() override {
    return game_.CloseRequests > closes_ ? StateResult::Over : TimedState::Pass();
  }
  bool EndsWhenClosing() const override { return false; }

 private:
  const Game& game_;
  int closes_;
};

}  // namespace

void Game::SaveForSuddenEnd() {
  if (!Initialized || Terminating) return;
  SaveGameOptions();
  if (EditorEnabled) {
    try {
      SaveLevels();
    } catch (const std::exception& e) {
      LogError(std::string("Game - SaveForSuddenEnd - ") + e.what());
    }
  }
}

void Game::Terminate() {
  Terminating = true;
  WriteRecording();  // a game under way when the window closed
  Then saveLevels = [this] {
    try {
      SaveLevels();
    } catch (const std::exception& e) {
      LogError(std::string("Game - Class_Terminate - ") + e.what());
    }
    return true;
  };
  Then exitSound = [this, saveLevels] {
    try {
      if (Options.bSoundEffects != 0) {
        SE.PlaySound(Sound(SoundId::Smoking).get());
        if (!EditorEnabled) {
          Wait(std::make_unique<ExitSoundState>(*this), saveLevels);
          return true;
        }
      }
    } catch (const std::exception& e) {
      LogError(std::string("Game - Class_Terminate - ") + e.what());
    }
    return saveLevels();
  };
  SaveGameOptions();
  if (!SaveHighScores() && HighScoresBusy)
    Wait(std::make_unique<HighScoreSaveState>(*this), exitSound);
  else
    exitSound();
}
