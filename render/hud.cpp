// The heads-up display along the top of the screen, and the develop-mode overlay: the frame-rate
// meter and the editing cursor. The display is placed relative to BackdropX, so it stays put on
// the screen while the level scrolls. It stays on the back buffer from frame to frame, with the
// pixels beneath it kept, until it changes or something is drawn where it stands; the overlay is
// listed, to be repainted next frame.
#include "render/hud.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/numbers.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "render/dev_info.h"
#include "render/play_view.h"

namespace {

constexpr int kIconSlots[] = {555, 600, 645, 690, 735};
// The blocks: the three lines of text first, then an icon's each.
constexpr size_t kLineBlocks = 3;
static_assert(kLineBlocks + std::size(kIconSlots) == HUD_BLOCKS);

// One thing the display draws: a text, a picture cut from a sheet (with its colour key) or a
// one-pixel outline.
struct HudPart {
  enum class Kind { Text, Picture, Outline } What = Kind::Text;
  size_t Block = 0;  // which of the display's blocks it belongs to
  Rect Place{};  // a text's top-left corner; a picture's or an outline's whole place
  const Font* TextFont = nullptr;
  uint32_t Colour = 0;
  std::string Text;
  PictureId Sheet = PictureId::Character;
  Rect Source{};
};

// The display of a frame, as parts in the order they are drawn, with a description of all of
// it: the same description, the same pixels.
class HudParts {
 public:
  // The parts added from now on belong to `block`.
  void StartBlock(size_t block) { block_ = block; }
  void Text(int32_t x, int32_t y, const Font& font, uint32_t colour, std::string text) {
    HudPart part;
    part.Place = Rect{x, y, x, y};
    part.TextFont = &font;
    part.Colour = colour;
    part.Text = std::move(text);
    Add(std::move(part));
  }
  void Picture(const Rect& place, PictureId sheet, const Rect& source) {
    HudPart part;
    part.What = HudPart::Kind::Picture;
    part.Place = place;
    part.Sheet = sheet;
    part.Source = source;
    Add(std::move(part));
  }
  void Outline(const Rect& place, uint32_t colour) {
    HudPart part;
    part.What = HudPart::Kind::Outline;
    part.Place = place;
    part.Colour = colour;
    Add(std::move(part));
  }
  const std::vector<HudPart>& Parts() const { return parts_; }
  const std::string& Description(size_t block) const { return descriptions_[block]; }

 private:
  // The part's description: every field that decides its pixels, as the bytes they are held in
  // (the display is described every frame, and compared, so this is kept cheap).
  void Add(HudPart part) {
    part.Block = block_;
    const Rect& r = part.Place;
    const Rect& s = part.Source;
    std::string& description = descriptions_[block_];
    const auto add = [&description](const auto& value) {
      description.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    const int32_t fields[] = {static_cast<int32_t>(part.What),
                              r.Left,
                              r.Top,
                              r.Right,
                              r.Bottom,
                              static_cast<int32_t>(part.Colour),
                              static_cast<int32_t>(part.Sheet),
                              s.Left,
                              s.Top,
                              s.Right,
                              s.Bottom,
                              part.TextFont != nullptr ? part.TextFont->Size : -1};
    add(fields);
    // The texts with their lengths, so that no two descriptions run into each other.
    const auto addText = [&](const std::string& text) {
      add(text.size());
      description += text;
    };
    addText(part.TextFont != nullptr ? part.TextFont->Name : std::string());
    addText(part.Text);
    parts_.push_back(std::move(part));
  }
  std::vector<HudPart> parts_;
  std::array<std::string, HUD_BLOCKS> descriptions_;
  size_t block_ = 0;
};

Rect Around(const Rect& a, const Rect& b) {
  if (a.Left >= a.Right || a.Top >= a.Bottom) return b;
  if (b.Left >= b.Right || b.Top >= b.Bottom) return a;
  return Rect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
              std::max(a.Bottom, b.Bottom)};
}

void AddIcon(HudParts& hud, const PlayState& play, int32_t x, PictureId picture,
             const Font& small, std::string text) {
  const int32_t f = play.PowerUpCount > 0 ? IntPart(play.PowerUps[0].Frame) : 0;
  const Rect frame{x, 5, x + 40, 40};
  hud.Picture(frame, picture, Rect{40 * f, 0, 40 * f + 40, 35});
  hud.Text(frame.Left + 2, frame.Bottom - 14, small, RGB(255, 255, 0), std::move(text));
  hud.Outline(frame, RGB(255, 255, 0));
}

// What the display shows for `play`, at BackdropX `x0`.
HudParts HudOf(const PlayState& play, const std::string& sLevelName, const GameFonts& fonts,
               int32_t x0) {
  HudParts hud;
  const Font& medium = fonts.Medium;
  // Each line of text is a block of its own: a bomb falling past the display crosses one or two
  // of them at a time.
  if (play.Level == 31) {
    hud.StartBlock(1);
    hud.Text(x0 + 12, 33, medium, RGB(255, 255, 255), "Score: " + std::to_string(play.CharScore));
    hud.StartBlock(2);
    hud.Text(x0 + 12, 56, medium, RGB(255, 255, 0), sLevelName);
    return hud;
  }
  const uint32_t health = HealthColor(play.CharHealth);
  hud.Text(x0 + 12, 10, medium, health, "Health:");
  hud.Picture(Rect{x0 + 72, 0, x0 + 112, 36}, PictureId::Character, Rect{200, 36, 240, 72});
  hud.Text(x0 + 117, 10, medium, health, "x " + std::to_string(play.CharHealth));
  // A game played with an assist that changes play says so beside the health, small and pale.
  if (play.Assisted()) {
    const std::string speed =
        play.nGameSpeed != 100 ? " " + std::to_string(play.nGameSpeed) + " %" : "";
    hud.Text(x0 + 165, 14, fonts.Small, RGB(150, 190, 255), "Assisted" + speed);
  }
  hud.StartBlock(1);
  hud.Text(x0 + 12, 33, medium, RGB(255, 255, 255), "Score: " + std::to_string(play.CharScore));
  hud.StartBlock(2);
  hud.Text(x0 + 12, 56, medium, RGB(255, 255, 0),
           "Level " + std::to_string(play.Level) + ": " + sLevelName);

  const Font& small = fonts.Small;
  hud.StartBlock(kLineBlocks + 0);
  if (play.ExtraSpeedTime > 0)
    AddIcon(hud, play, x0 + kIconSlots[0], PictureId::ExtraSpeed, small,
            std::to_string(play.ExtraSpeedTime / 30));
  hud.StartBlock(kLineBlocks + 1);
  if (play.HighJumps > 0)
    AddIcon(hud, play, x0 + kIconSlots[1], PictureId::HighJump, small,
            std::to_string(play.HighJumps));
  hud.StartBlock(kLineBlocks + 2);
  if (play.InvulnerableTime > 0)
    AddIcon(hud, play, x0 + kIconSlots[2], PictureId::Invulnerable, small,
            std::to_string(play.InvulnerableTime / 30));
  hud.StartBlock(kLineBlocks + 3);
  if (play.FreezeTime > 0)
    AddIcon(hud, play, x0 + kIconSlots[3], PictureId::FreezeBombs, small,
            std::to_string(play.FreezeTime / 30));
  hud.StartBlock(kLineBlocks + 4);
  if (play.Ammo > 0 || play.Level == 30) {
    // The ball type's own power-up picture.
    if (const PowerUpInfo* balls = FindBallPowerUp(play.BallType))
      AddIcon(hud, play, x0 + kIconSlots[4], balls->Picture, small,
              play.Level == 30 ? std::string() : std::to_string(play.Ammo));
  }
  return hud;
}

// Where block `b` of the display stands on the back buffer, cut to it.
Rect PlaceOf(const HudParts& hud, size_t b, Surface& back, int32_t width, int32_t height) {
  Rect place{};
  for (const HudPart& part : hud.Parts()) {
    if (part.Block != b) continue;
    if (part.What != HudPart::Kind::Text) {
      place = Around(place, part.Place);
      continue;
    }
    back.SetFont(*part.TextFont);
    back.SetForeColor(part.Colour);
    place = Around(place, back.TextPlace(part.Place.Left, part.Place.Top, part.Text));
  }
  place.Left = std::max(place.Left, 0);
  place.Top = std::max(place.Top, 0);
  place.Right = std::max(std::min(place.Right, width), place.Left);
  place.Bottom = std::max(std::min(place.Bottom, height), place.Top);
  return place;
}

void DrawPart(const Canvas& art, const HudPart& part) {
  Surface& back = art.Back();
  Rect dest = part.Place;
  Rect source = part.Source;
  switch (part.What) {
    case HudPart::Kind::Text:
      back.SetFont(*part.TextFont);
      back.SetForeColor(part.Colour);
      back.DrawText(part.Place.Left, part.Place.Top, part.Text, false);
      break;
    case HudPart::Kind::Picture:
      art.GE.Blit(&back, dest, art.Picture(part.Sheet), source, 0, 0, BLIT_WAIT_KEYED);
      break;
    case HudPart::Kind::Outline:
      back.SetForeColor(part.Colour);
      back.DrawBox(dest.Left, dest.Top, dest.Right, dest.Bottom);
      break;
  }
}

}  // namespace

uint32_t HealthColor(int nHealth) {
  const int c = std::clamp(nHealth * 255 / 5, 0, 255);
  return RGB(255 - c, c, 0);
}

void PlayView::StandHud() {
  HudStanding = Rect{};
  for (const HudBlock& block : HudBlocks)
    if (!block.Lifted) HudStanding = Around(HudStanding, block.Place);
}

void PlayView::LiftHud(const Rect& place) {
  if (!HudMayStandAt(place)) return;
  for (size_t b = 0; b < HUD_BLOCKS; ++b)
    if (!HudBlocks[b].Lifted && IntersectRect(place, HudBlocks[b].Place)) LiftHudBlock(b);
  StandHud();
}

// A block is taken off after the blocks drawn over it, so each puts back what it found.
void PlayView::LiftHudBlock(size_t nBlock) {
  HudBlock& block = HudBlocks[nBlock];
  block.Lifted = true;
  for (size_t b = HUD_BLOCKS; b-- > nBlock + 1;)
    if (!HudBlocks[b].Lifted && IntersectRect(HudBlocks[b].Place, block.Place)) LiftHudBlock(b);
  if (block.Place.Right > block.Place.Left) art_.Back().WritePixels(block.Place, block.Under);
}

void PlayView::DropHud() {
  for (size_t b = 0; b < HUD_BLOCKS; ++b) {
    HudBlock& block = HudBlocks[b];
    if (HudLiftable && !block.Lifted) LiftHudBlock(b);
    if (block.Place.Right > block.Place.Left) Changes.push_back(block.Place);
    block = HudBlock{};
  }
  HudStanding = Rect{};
}

// A block of the display is drawn again only when it changed or something was drawn where it
// stands this frame; otherwise it stays on the back buffer as an earlier frame left it, and
// nothing of it is sent to the screen.
void PlayView::DrawHud(const PlayState& play, const std::string& sLevelName) {
  const HudParts hud = HudOf(play, sLevelName, art_.Fonts, BackdropX);
  if (HudLiftable)
    for (size_t b = 0; b < HUD_BLOCKS; ++b)
      if (!HudBlocks[b].Lifted && hud.Description(b) != HudBlocks[b].Shown) LiftHudBlock(b);
  HudLiftable = false;
  HudStanding = Rect{};
  Surface& back = art_.Back();
  back.SetFillStyle(FILLSTYLE_TRANSPARENT);
  const SurfaceDesc desc = back.GetSurfaceDesc();
  for (size_t b = 0; b < HUD_BLOCKS; ++b) {
    HudBlock& block = HudBlocks[b];
    if (!block.Lifted) continue;
    const Rect old = block.Place;
    // A block lifted only because something was drawn over it shows the same at the same place.
    const Rect place =
        hud.Description(b) == block.Shown ? old : PlaceOf(hud, b, back, desc.Width, desc.Height);
    back.ReadPixels(place, block.Under);
    for (const HudPart& part : hud.Parts())
      if (part.Block == b) DrawPart(art_, part);
    block.Place = place;
    block.Shown = hud.Description(b);
    block.Lifted = false;
    const Rect changed = Around(old, place);
    if (changed.Right > changed.Left) Changes.push_back(changed);
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
