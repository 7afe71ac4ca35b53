// One step of a game in progress.
#include "app/failure.h"
#include "game/game.h"

bool Game::DoFrame() {
  return Trapped("Game - DoFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return true;
  });
}
