// The heads-up display along the top of the screen, and the develop-mode overlay: the frame-rate
// meter and the editing cursor. The display is placed relative to BackdropX, so it stays put on
// the screen while the level scrolls; everything it draws is listed, to be repainted next frame.
#include "render/hud.h"

#include <algorithm>
#include <string>

#include "base/numbers.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "render/dev_info.h"
#include "render/play_view.h"

namespace {

constexpr int kIconSlots[] = {555, 600, 645, 690, 735};

}  // namespace

uint32_t HealthColor(int nHealth) {
  const int c = std::clamp(nHealth * 255 / 5, 0, 255);
  return RGB(255 - c, c, 0);
}

void PlayView::DrawHudIcon(const PlayState& play, int16_t x, int16_t y, PictureId picture,
                           const std::string& sText) {
  Surface& back = art_.Back();
  const int32_t f = play.PowerUpCount > 0 ? IntPart(play.PowerUps[0].Frame) : 0;
  Rect dest{BackdropX + x, y, BackdropX + x + 40, y + 35};
  const Rect frame = dest;
  Rect source{40 * f, 0, 40 * f + 40, 35};
  back.SetFont(art_.Fonts.Small);
  back.SetForeColor(RGB(255, 255, 0));
  AddDirtyRect(frame);
  art_.GE.Blit(&back, dest, art_.Picture(picture), source, 0, 0, BLIT_WAIT_KEYED);
  AddDirtyRect(back.DrawText(frame.Left + 2, frame.Bottom - 14, sText, false));
  back.SetForeColor(RGB(255, 255, 0));
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.DrawBox(frame.Left, frame.Top, frame.Right, frame.Bottom);
}

void PlayView::DrawHud(const PlayState& play, const std::string& sLevelName) {
  Surface& back = art_.Back();
  const Font& medium = art_.Fonts.Medium;
  if (play.Level == 31) {
    back.SetFont(medium);
    back.SetForeColor(RGB(255, 255, 255));
    AddDirtyRect(
        back.DrawText(BackdropX + 12, 33, "Score: " + std::to_string(play.CharScore), false));
    back.SetFont(medium);
    back.SetForeColor(RGB(255, 255, 0));
    AddDirtyRect(back.DrawText(BackdropX + 12, 56, sLevelName, false));
    return;
  }

  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.SetFont(medium);
  back.SetForeColor(HealthColor(play.CharHealth));
  AddDirtyRect(back.DrawText(BackdropX + 12, 10, "Health:", false));
  Rect face{BackdropX + 72, 0, BackdropX + 112, 36};
  Rect faceSource{200, 36, 240, 72};
  AddDirtyRect(face);
  art_.GE.Blit(&back, face, art_.Picture(PictureId::Character), faceSource, 0, 0, BLIT_WAIT_KEYED);
  AddDirtyRect(back.DrawText(BackdropX + 117, 10, "x " + std::to_string(play.CharHealth), false));
  // A game played with an assist that changes play says so beside the health, small and pale.
  if (play.Assisted()) {
    back.SetFont(art_.Fonts.Small);
    back.SetForeColor(RGB(150, 190, 255));
    const std::string speed =
        play.nGameSpeed != 100 ? " " + std::to_string(play.nGameSpeed) + " %" : "";
    AddDirtyRect(back.DrawText(BackdropX + 165, 14, "Assisted" + speed, false));
  }

  back.SetFont(medium);
  back.SetForeColor(RGB(255, 255, 255));
  AddDirtyRect(
      back.DrawText(BackdropX + 12, 33, "Score: " + std::to_string(play.CharScore), false));
  back.SetFont(medium);
  back.SetForeColor(RGB(255, 255, 0));
  AddDirtyRect(back.DrawText(BackdropX + 12, 56,
                             "Level " + std::to_string(play.Level) + ": " + sLevelName, false));

  if (play.ExtraSpeedTime > 0)
    DrawHudIcon(play, kIconSlots[0], 5, PictureId::ExtraSpeed,
                std::to_string(play.ExtraSpeedTime / 30));
  if (play.HighJumps > 0)
    DrawHudIcon(play, kIconSlots[1], 5, PictureId::HighJump, std::to_string(play.HighJumps));
  if (play.InvulnerableTime > 0)
    DrawHudIcon(play, kIconSlots[2], 5, PictureId::Invulnerable,
                std::to_string(play.InvulnerableTime / 30));
  if (play.FreezeTime > 0)
    DrawHudIcon(play, kIconSlots[3], 5, PictureId::FreezeBombs,
                std::to_string(play.FreezeTime / 30));
  if (play.Ammo > 0 || play.Level == 30) {
    // The ball type's own power-up picture.
    if (const PowerUpInfo* balls = FindBallPowerUp(play.BallType))
      DrawHudIcon(play, kIconSlots[4], 5, balls->Picture,
                  play.Level == 30 ? std::string() : std::to_string(play.Ammo));
  }
}

bool PlayView::DrawDevelopOverlay(DevInfo& meter, const EditCursor& editor) {
  if (!meter.Calculate()) return false;
  AddDirtyRect(DevInfo::Box);
  if (!editor.Active) return true;
  Surface& back = art_.Back();
  const int32_t offset = BackdropX - ViewX;
  const Rect cursor{50 * editor.Col + offset, 20 * editor.Row, 50 * editor.Col + 50 + offset,
                    20 * editor.Row + 20};
  AddDirtyRect(cursor);
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  back.DrawBox(cursor.Left, cursor.Top, cursor.Right, cursor.Bottom);
  const CellCodeInfo* code = editor.Byte >= 0 && editor.Byte <= 255
                                 ? FindCellCode(static_cast<uint8_t>(editor.Byte))
                                 : nullptr;
  AddDirtyRect(
      back.DrawText(cursor.Left + 2, cursor.Top + 2, code != nullptr ? code->Label : "", false));
  return true;
}
