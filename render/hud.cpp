// The heads-up display along the top of the screen, and the develop-mode overlay: the frame-rate
// meter and the editing cursor. The display is placed relative to BackdropX, so it stays put on
// the screen while the level scrolls; it lies in the strip that every frame repaints.
#include "render/hud.h"

#include <algorithm>
#include <string>

#include "data/cell_codes.h"
#include "game/game.h"
#include "game/numbers.h"

namespace {

constexpr int kIconSlots[] = {555, 600, 645, 690, 735};

}  // namespace

uint32_t HealthColor(int nHealth) {
  const int c = std::clamp(nHealth * 255 / 5, 0, 255);
  return RGB(255 - c, c, 0);
}

void Game::DrawHudIcon(int16_t x, int16_t y, Surface* surface, const std::string& sText) {
  Surface& back = *GE.BackBuffer();
  const int32_t f = PowerUpCount > 0 ? IntPart(PowerUps[0].Frame) : 0;
  Rect dest{BackdropX + x, y, BackdropX + x + 40, y + 35};
  const Rect frame = dest;
  Rect source{40 * f, 0, 40 * f + 40, 35};
  back.SetFont(FontSmall);
  back.SetForeColor(RGB(255, 255, 0));
  GE.Blit(&back, dest, surface, source, 0, 0, BLIT_WAIT_KEYED);
  back.DrawText(frame.Left + 2, frame.Bottom - 14, sText, false);
  back.SetForeColor(RGB(255, 255, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.DrawBox(frame.Left, frame.Top, frame.Right, frame.Bottom);
}

void Game::DrawHud() {
  Surface& back = *GE.BackBuffer();
  const std::string name =
      Level >= 1 && static_cast<size_t>(Level) <= LevelNames.size() ? LevelNames[Level - 1] : "";
  if (Level == 31) {
    back.SetFont(FontMedium);
    back.SetForeColor(RGB(255, 255, 255));
    back.DrawText(BackdropX + 12, 33, "Score: " + std::to_string(CharScore), false);
    back.SetFont(FontMedium);
    back.SetForeColor(RGB(255, 255, 0));
    back.DrawText(BackdropX + 12, 56, name, false);
    return;
  }

  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(FontMedium);
  back.SetForeColor(HealthColor(CharHealth));
  back.DrawText(BackdropX + 12, 10, "Health:", false);
  Rect face{BackdropX + 72, 0, BackdropX + 112, 36};
  Rect faceSource{200, 36, 240, 72};
  GE.Blit(&back, face, SurfCharacter.get(), faceSource, 0, 0, BLIT_WAIT_KEYED);
  back.DrawText(BackdropX + 117, 10, "x " + std::to_string(CharHealth), false);

  back.SetFont(FontMedium);
  back.SetForeColor(RGB(255, 255, 255));
  back.DrawText(BackdropX + 12, 33, "Score: " + std::to_string(CharScore), false);
  back.SetFont(FontMedium);
  back.SetForeColor(RGB(255, 255, 0));
  back.DrawText(BackdropX + 12, 56, "Level " + std::to_string(Level) + ": " + name, false);

  if (ExtraSpeedTime > 0)
    DrawHudIcon(kIconSlots[0], 5, SurfExtraSpeed.get(), std::to_string(ExtraSpeedTime / 30));
  if (HighJumps > 0) DrawHudIcon(kIconSlots[1], 5, SurfHighJump.get(), std::to_string(HighJumps));
  if (InvulnerableTime > 0)
    DrawHudIcon(kIconSlots[2], 5, SurfInvulnerable.get(), std::to_string(InvulnerableTime / 30));
  if (FreezeTime > 0)
    DrawHudIcon(kIconSlots[3], 5, SurfFreezeBombs.get(), std::to_string(FreezeTime / 30));
  if (Ammo > 0 || Level == 30) {
    Surface* const balls[] = {nullptr,
                              SurfShoot.get(),
                              SurfShootSpread.get(),
                              SurfShootBounce.get(),
                              SurfShootBidi.get(),
                              SurfShootExplode.get()};
    Surface* icon = BallType >= 1 && BallType <= 5 ? balls[BallType] : nullptr;
    if (icon != nullptr)
      DrawHudIcon(kIconSlots[4], 5, icon, Level == 30 ? std::string() : std::to_string(Ammo));
  }
}

bool Game::DrawDevelopOverlay() {
  if (!FrameMeter.Calculate()) return false;
  if (!EditActive) return true;
  Surface& back = *GE.BackBuffer();
  const int32_t offset = BackdropX - ViewX;
  const Rect cursor{50 * EditLastCol + offset, 20 * EditLastRow, 50 * EditLastCol + 50 + offset,
                    20 * EditLastRow + 20};
  AddDirtyRect(cursor);
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.DrawBox(cursor.Left, cursor.Top, cursor.Right, cursor.Bottom);
  const CellCodeInfo* code =
      EditByte >= 0 && EditByte <= 255 ? FindCellCode(static_cast<uint8_t>(EditByte)) : nullptr;
  back.DrawText(cursor.Left + 2, cursor.Top + 2, code != nullptr ? code->Label : "", false);
  return true;
}
