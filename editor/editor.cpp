// The level editor, reached in develop mode through the mouse.
#include "game/game.h"

void Game::ReceiveMouseInput(int16_t Button, int16_t Shift, float X, float Y) {}

void Game::EditorKeys() {}
