// Ending a game: Esc goes straight back to the title screen; a lost or finished game first
// enters a qualifying score into the table and shows the game-over picture.
#include "base/failure.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "render/screens.h"

bool Game::StopGame() {
  return Trapped("Game - StopGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (!Art.ClearScreen()) return false;
    GameMode = GAMEMODE_TITLE;
    HostForm->StopMusic();
    return true;
  });
}

void Game::FinishGame() {
  Busy busy(*this);
  InsertHighScore();
  platform::DoEvents();
  if (!DrawGameOver(Art)) return;
  if (!PlayEffect(SoundId::GameOver)) return;
  if (!EditorEnabled) platform::Sleep(3000);
  StopGame();
}

void Game::InsertHighScore() {
  const HighScoreEntry& lowest = HighScores[HIGHSCORE_ENTRIES - 1];
  const int32_t score = Play.CharScore;
  if (score <= lowest.Score) return;
  int p = 0;
  while (p < HIGHSCORE_ENTRIES && HighScores[p].Score >= score) ++p;
  for (int j = HIGHSCORE_ENTRIES - 1; j > p; --j) HighScores[j] = HighScores[j - 1];
  HighScores[p].Score = score;
  // The dialog proposes the name of the entry being pushed down.
  std::string name = HighScores[p].Name;
  AskForName(name);
  HighScores[p].Name = FixedName(name);
}
