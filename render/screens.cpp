// The full-screen pictures: the title screen (redrawn whole on every pass), the stage preview,
// the level screen and the game-over picture.
#include "render/screens.h"

#include <string>

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

// The table's columns: names from 610, scores from 710.
constexpr int kNameX = 610;
constexpr int kScoreX = 710;
constexpr int kNameGap = 8;
constexpr char kEllipsis = '\x85';  // "..." as one character of the game's code page

// A name never runs into its score. One too wide for its column in the table's font is drawn in
// the small font, on the same baseline; one too wide even so is cut where it reaches the column's
// end, with an ellipsis to say that it goes on.
void DrawScoreName(Surface& back, const GameFonts& fonts, int y, const std::string& sName) {
  const std::string name = sName.substr(0, sName.find_last_not_of(' ') + 1);
  const int room = kScoreX - kNameGap - kNameX;
  if (back.TextWidth(name) <= room) {
    back.DrawText(kNameX, y, sName, false);
    return;
  }
  back.SetFont(fonts.Small);
  std::string shown = name;
  for (std::string cut = name; !cut.empty() && back.TextWidth(shown) > room;) {
    cut.pop_back();
    cut.erase(cut.find_last_not_of(' ') + 1);
    shown = cut + kEllipsis;
  }
  back.DrawText(kNameX, y + fonts.Medium.Ascent() - fonts.Small.Ascent(), shown, false);
  back.SetFont(fonts.Medium);
}

}  // namespace

bool DrawTitleScreen(Canvas& art, const HighScoreTable& scores) {
  if (!art.ShowBitmap(art.Picture(PictureId::Title), false)) return false;
  Surface& back = art.Back();
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);

  back.SetForeColor(RGB(0, 0, 255));
  back.DrawBox(0, 155, 200, 420);
  back.SetFont(art.Fonts.Medium);
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
    DrawScoreName(back, art.Fonts, 200 + 20 * i, scores[i].Name);
    back.DrawText(kScoreX, 200 + 20 * i, std::to_string(scores[i].Score), false);
  }
  art.ShowBackBuffer(0);
  return true;
}

void TitleScreen::Draw(Canvas& art, const HighScoreTable& scores) {
  const Surface* primary = art.GE.PrimarySurface().get();
  if (primary == nullptr) return;
  // Nothing has been drawn on the screen since the title: the still picture costs nothing.
  if (drawn_ && scores == scores_ && primary->Changes() == shown_) return;
  if (!DrawTitleScreen(art, scores)) return;
  drawn_ = true;
  scores_ = scores;
  shown_ = primary->Changes();
}

bool DrawStagePreview(Canvas& art, int16_t nStage, const std::string& sStageName,
                      const std::string& sPassword) {
  Surface& back = art.Back();
  if (!art.GE.ClearSurface(&back, false)) return false;
  if (!art.ShowBitmap(art.Picture(PictureId::StagePreviews), false, 0, 240 * (nStage - 1), 320,
                      240 * nStage))
    return false;
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(art.Fonts.Medium);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(255, 180, "Next Stage", false);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawText(255, 200, sStageName, false);
  if (nStage != 1) {
    back.SetForeColor(RGB(255, 255, 0));
    back.DrawText(255, 390, "Stage Password: " + sPassword, false);
  }
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(255, 425, "Press SPACE to continue...", false);
  art.ShowBackBuffer(0);
  return true;
}

bool DrawLevelScreen(Canvas& art, const std::string& sLevelName) {
  Surface& back = art.Back();
  if (!art.GE.ClearSurface(&back, false)) return false;
  if (!art.ShowBitmap(art.Picture(PictureId::GetReady), false)) return false;
  back.SetFillColor(RGB(0, 0, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(art.Fonts.Medium);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawBox(190, 200, 610, 340);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(200, 210, "Next Level", false);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawText(200, 230, sLevelName, false);
  art.ShowBackBuffer(0);
  return true;
}

bool DrawGameOver(Canvas& art) {
  return art.ClearScreen() && art.ShowBitmap(art.Picture(PictureId::GameOver), true);
}
