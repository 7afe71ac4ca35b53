// Ending a game.
#include "app/failure.h"
#include "engines/host_window.h"
#include "game/game.h"

bool Game::StopGame() {
  return Trapped("Game - StopGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (!GE.ClearSurface(GE.BackBuffer().get(), true)) return false;
    GameMode = GAMEMODE_TITLE;
    HostForm->StopMusic();
    return true;
  });
}
