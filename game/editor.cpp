// The level editor of develop mode. With painting switched on (keypad /, off with keypad *) the
// left button paints cells of the level being played with the drawing code, the right button
// opens the palette to choose that code, the view scrolls with the pointer at the screen's edges
// or keypad 4, and keypad 0 and Enter copy the level to the spare slot, bring it back, or, both
// together, clear it. Every change goes straight into the level set, which is saved at exit.
#include "base/failure.h"
#include "base/numbers.h"
#include "data/cell_codes.h"
#include "editor/edit_options_window.h"
#include "engines/host_window.h"
#include "game/game.h"

namespace {
constexpr int32_t kScrollStep = 10;
constexpr int32_t kScrollEnd = 800;  // the view's offset at the level's right end
constexpr int32_t kRightmostX = 799;
}  // namespace

void Game::ReceiveMouseInput(int16_t Button, int16_t Shift, float X, float Y) {
  if (EditorEnabled && EditActive) {
    const int32_t c = CInt(X + View.ViewX) / 50;
    const int32_t r = CInt(Y) / 20;
    // Only a cell of the level is painted: a position off the grid would land in another column
    // or another level.
    const bool onLevel = c >= 0 && c < LEVEL_COLUMNS && r >= 0 && r < LEVEL_ROWS &&
                         Play.Level >= 1 && Play.Level <= LEVEL_SLOTS;
    if ((Button & 1) != 0 && onLevel && (c != EditLastCol || r != EditLastRow)) {
      Levels.Cell(Play.Level, c, r) = static_cast<uint8_t>(EditByte & 0xFF);
      // The change is in play at once; the level's power-ups and gems come back with it.
      Play.BuildPlatformList();
      Play.BuildPowerUpList();
      Play.BuildGemList();
      EditLastCol = c;
      EditLastRow = r;
    }
    if ((Button & 2) != 0) ShowEditOptions();
  }
  MouseX = CInt(X);
}

// The palette: the code chosen there becomes the drawing code; closed, it leaves the code as it
// was.
void Game::ShowEditOptions() {
  Trapped("Game - ShowEditOptions - ", [&] {
    frmEditOptions& frm = EditOptionsForm();
    frm.Load();
    frm.nEditByte = EditByte;
    return ShowWindow(frm, [this, &frm] {
      EditByte = frm.nEditByte;
      return true;
    });
  });
}

// Keys act in every frame they are held: a held keypad Enter restarts the level each frame.
void Game::EditorKeys() {
  if (MouseX == 0 && EditScrollX > 0) EditScrollX -= kScrollStep;
  if (MouseX == kRightmostX && EditScrollX < kScrollEnd) EditScrollX += kScrollStep;
  if (EditScrollX > 0 && KeyDown(dik::NUMPAD4)) EditScrollX -= kScrollStep;
  const bool copy = KeyDown(dik::NUMPAD0);
  const bool restore = KeyDown(dik::NUMPADENTER);
  if (copy) CopyLevelToSpare();
  if (restore) RestoreLevelFromSpare();
  // Both together: the copy above keeps the uncleared level, so keypad Enter brings it back.
  if (copy && restore) ClearLevelForEditing();
}

void Game::CopyLevelToSpare() {
  for (int c = 0; c < LEVEL_COLUMNS; ++c)
    for (int r = 0; r < LEVEL_ROWS; ++r)
      SpareLevel[LevelCellIndex(1, c, r)] = Levels.Cell(Play.Level, c, r);
}

void Game::RestoreLevelFromSpare() {
  for (int c = 0; c < LEVEL_COLUMNS; ++c)
    for (int r = 0; r < LEVEL_ROWS; ++r)
      Levels.Cell(Play.Level, c, r) = SpareLevel[LevelCellIndex(1, c, r)];
  int16_t level = Play.Level;
  GotoLevel(level);
}

// Every cell above the bottom row empty; the floor stays.
void Game::ClearLevelForEditing() {
  for (int c = 0; c < LEVEL_COLUMNS; ++c)
    for (int r = 0; r < LEVEL_ROWS - 1; ++r) Levels.Cell(Play.Level, c, r) = NOTHING;
  Play.BuildPlatformList();
  Play.BuildPowerUpList();
  Play.BuildGemList();
}
