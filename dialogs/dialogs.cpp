// The modal dialogs: options, stage password and name entry.
#include "app/failure.h"
#include "game/game.h"

bool Game::ShowOptions() {
  return Trapped("Game - ShowOptions - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return true;
  });
}

bool Game::StartFromStage() {
  return Trapped("Game - StartFromStage - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return true;
  });
}

bool Game::AskForName(std::string& sName) {
  return Trapped("Game - AskForName - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return true;
  });
}
