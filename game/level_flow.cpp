// Starting games and levels.
#include "app/failure.h"
#include "game/game.h"

bool Game::StartGame(int16_t nStage) {
  return Trapped("Game - StartGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return false;
  });
}

bool Game::StartNextLevel() {
  return Trapped("Game - StartNextLevel - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return false;
  });
}

void Game::GotoLevel(int16_t& nLevel) {
  if (nLevel > Levels.LevelCount) nLevel = Levels.LevelCount;
  if (nLevel < 1) nLevel = 1;
  Level = static_cast<int16_t>(nLevel - 1);
  StartNextLevel();
}
