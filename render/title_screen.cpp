// The title screen: the title picture with the keyboard help on the left and the high scores on
// the right, redrawn whole on every pass.
#include <string>

#include "game/game.h"

namespace {

constexpr const char* kHelpLines[] = {
    "F1: New Game",
    "F2: Stage Password!",
    "F3: Options",
    "Esc: Exit Game",
    "P: Pause Game",
    "Left: Move Left ",
    "Right: Move Right",
    "Up/Space: Jump Up",
    "Down: Jump Down",
    "Ctrl: Fire Ballblaster",
    "Shift: Change Ballblaster",
};

}  // namespace

void Game::DrawTitleScreen() {
  if (!ShowBitmap(SurfTitle.get(), false)) return;
  Surface& back = *GE.BackBuffer();
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);

  back.SetForeColor(RGB(0, 0, 255));
  back.DrawBox(0, 155, 200, 420);
  back.SetFont(FontMedium);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(10, 160, "Keyboard Help", false);
  back.SetForeColor(RGB(255, 255, 0));
  int y = 193;
  for (const char* line : kHelpLines) {
    back.DrawText(10, y, line, false);
    y += 20;
  }

  back.SetForeColor(RGB(0, 0, 255));
  back.DrawBox(600, 155, 800, 420);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(610, 160, "High Scores", false);
  back.SetForeColor(RGB(255, 255, 0));
  for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
    back.DrawText(610, 200 + 20 * i, HighScores[i].Name, false);
    back.DrawText(710, 200 + 20 * i, std::to_string(HighScores[i].Score), false);
  }
  ShowBackBuffer(0);
}
