// One frame of play on the screen, drawn in layers over the level's backdrop.
#include <algorithm>
#include <bitset>

#include "base/failure.h"
#include "base/numbers.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"
#include "render/dev_info.h"
#include "render/play_view.h"

namespace {

// A neighbour that is not a platform, the level's outer edges counting as platforms.
bool IsOpen(int code) {
  return code >= 17;
}

// Which piece of a platform row a cell shows: 0 left end, 50 middle, 100 right end.
int PlatformPiece(int left, int right) {
  if (IsOpen(left) && !IsOpen(right)) return 0;
  if (!IsOpen(left) && IsOpen(right)) return 100;
  return 50;
}

// The place of a cell of the level on the back buffer, `offset` pixels from its play-field place.
Rect CellRect(int c, int r, int32_t offset) {
  return Rect{50 * c + offset, 20 * r, 50 * c + 50 + offset, 20 * r + 20};
}

// Rounds down, also below zero.
int32_t FloorDiv(int32_t a, int32_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The columns and rows of the cells whose places, `offset` pixels from their play-field places,
// overlap `place`, cut to the level.
struct CellSpan {
  int FirstColumn, LastColumn, FirstRow, LastRow;
};
CellSpan CellsAt(const Rect& place, int32_t offset) {
  return CellSpan{std::max(FloorDiv(place.Left - offset, 50), 0),
                  std::min(FloorDiv(place.Right - offset - 1, 50), LEVEL_COLUMNS - 1),
                  std::max(FloorDiv(place.Top, 20), 0),
                  std::min(FloorDiv(place.Bottom - 1, 20), LEVEL_ROWS - 1)};
}

// The cells (in LevelCellIndex order of one slot) whose places, `offset` pixels from their
// play-field places, overlap any of `places`: each place marks the cells under it, so many small
// places cost no more than a few large ones.
std::bitset<LEVEL_SLOT_SIZE> CellsUnder(const std::vector<Rect>& places, int32_t offset) {
  std::bitset<LEVEL_SLOT_SIZE> under;
  for (const Rect& place : places) {
    if (place.Left >= place.Right || place.Top >= place.Bottom) continue;
    const CellSpan cells = CellsAt(place, offset);
    for (int c = cells.FirstColumn; c <= cells.LastColumn; ++c)
      for (int r = cells.FirstRow; r <= cells.LastRow; ++r)
        under.set(static_cast<size_t>(LevelCellIndex(1, c, r)));
  }
  return under;
}

// Whether a platform of the level is drawn anywhere in `place`, `offset` pixels from its
// play-field place.
bool OverPlatform(const PlayState& play, const Rect& place, int32_t offset) {
  const auto cells = play.Levels->Slot(play.Level);
  const CellSpan span = CellsAt(place, offset);
  for (int c = span.FirstColumn; c <= span.LastColumn; ++c)
    for (int r = span.FirstRow; r <= span.LastRow; ++r)
      if (!IsOpen(cells[LevelCellIndex(1, c, r)])) return true;
  return false;
}

bool AnyEffect(const PlayState& play) {
  return std::any_of(play.Effects.begin(), play.Effects.end(),
                     [](const EffectRec& effect) { return effect.Active != VB_FALSE; });
}

// Beyond this many sprites a frame draws them all rather than look for the ones left standing.
constexpr size_t MOST_SPRITES_KEPT = 128;

}  // namespace

void PlayView::NewGame() {
  DirtyRects.assign(DIRTY_RECT_CAPACITY, Rect{});
  ShownViewX = -1;
  ShownSprites.clear();
}

void PlayView::NewLevel() {
  SurfLevel.reset();
  DirtyCount = 0;
  ShownViewX = -1;
  ShownSprites.clear();
}

// Only the part of a sprite on the screen is drawn: the back buffer beyond the screen is never
// shown, and stays the bare backdrop.
bool PlayView::CutToScreen(Rect& source, Rect& dest) const {
  const int32_t cutLeft = std::max(BackdropX - dest.Left, 0);
  const int32_t cutRight = std::max(dest.Right - (BackdropX + 800), 0);
  dest.Left += cutLeft;
  source.Left += cutLeft;
  dest.Right -= cutRight;
  source.Right -= cutRight;
  return dest.Left < dest.Right;
}

void PlayView::ListSprite(Surface* sheet, Rect source, Rect dest) {
  const int32_t offset = BackdropX - ViewX;
  dest.Left += offset;
  dest.Right += offset;
  if (CutToScreen(source, dest)) Sprites.push_back(SpriteDraw{sheet, source, dest, Listing});
}

void PlayView::DrawPiece(Surface* sheet, Rect source, Rect dest) {
  if (sheet == nullptr) return;
  LiftHud(dest);
  art_.GE.Blit(art_.GE.BackBuffer().get(), dest, sheet, source, 0, 0, BLIT_WAIT_KEYED);
}

// The movers and a standing hero go behind the platforms, which cover his feet; a jumping hero and
// the pickups in front of them; the bomb exits over the effects' pieces.
void PlayView::ListSprites(const PlayState& play) {
  Sprites.clear();
  StandingPlaces.clear();
  Listing = Layer::BehindPlatforms;
  ListMovers(play);
  if (play.CharInAir == 0) ListCharacter(play);
  Listing = Layer::InFrontOfPlatforms;
  if (play.CharInAir == 1) ListCharacter(play);
  ListPickups(play);
  Listing = Layer::OverEffects;
  ListBombExits(play);
}

// Each sprite drawn is listed, to be repainted next frame; one with no sheet is only listed.
void PlayView::DrawLayer(Layer layer) {
  for (const SpriteDraw& sprite : Sprites) {
    if (sprite.In != layer || sprite.Standing) continue;
    AddDirtyRect(sprite.Dest);
    DrawPiece(sprite.Sheet, sprite.Source, sprite.Dest);
  }
}

// A sprite showing the same picture at the same place in the same layer as last frame stays on the
// back buffer as it stands when nothing else is drawn or repainted where it is, this frame or last:
// no other sprite and no cell that changed (the heads-up display, lifted, puts back what was under
// it, the sprite included). One in front of the platforms must also be clear of them, as they are
// drawn again wherever something beside them is repainted; the effects' pieces may fly over the
// sprites, but not under the bomb exits. `Changes` holds the changed cells' places.
void PlayView::KeepStandingSprites(const PlayState& play) {
  if (Sprites.size() > MOST_SPRITES_KEPT) return;
  const auto last = DirtyRects.begin() + DirtyCount;
  const int32_t offset = BackdropX - ViewX;
  const bool effects = AnyEffect(play);
  for (SpriteDraw& sprite : Sprites) {
    const Rect& place = sprite.Dest;
    const auto touches = [&place](const Rect& other) { return IntersectRect(other, place); };
    if (std::find(ShownSprites.begin(), ShownSprites.end(), sprite) == ShownSprites.end()) continue;
    // Of last frame's places only its own (every sprite's place is listed), once; of this
    // frame's sprites only itself.
    const auto own = std::find_if(DirtyRects.begin(), last, touches);
    if (own == last || std::any_of(own + 1, last, touches)) continue;
    if (std::count_if(Sprites.begin(), Sprites.end(),
                      [&](const SpriteDraw& other) { return touches(other.Dest); }) != 1)
      continue;
    if (std::any_of(Changes.begin(), Changes.end(), touches)) continue;
    if (sprite.In != Layer::BehindPlatforms && OverPlatform(play, place, offset)) continue;
    if (sprite.In == Layer::OverEffects && effects) continue;
    sprite.Standing = true;
    StandingPlaces.push_back(place);
  }
}

void PlayView::ListCharacter(const PlayState& play) {
  if (play.ExitCountdown != 0) return;
  // In the safe time after a hit the hero flashes: gone every other two frames.
  if (play.SafeTime > 0 && (play.SafeTime / 2) % 2 == 1) return;
  const int32_t f = play.CharFrame;
  const Rect source = play.CharFacing == 1 ? Rect{640 - 40 * f, 36, 680 - 40 * f, 72}
                                           : Rect{40 * f, 0, 40 * f + 40, 36};
  const int32_t x = IntPart(play.CharX);
  const int32_t y = IntPart(play.CharY);
  ListSprite(PictureId::Character, source, Rect{x, y, x + 40, y + 36});
}

bool PlayView::BuildLevelBackdrop(int16_t nStage) {
  VBGE& ge = art_.GE;
  if (!ge.CreateSurface(SurfLevel, 1200, 600, 0)) return false;
  const int32_t tile = 200 * (nStage - 1);
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 3; ++j) {
      Rect dest{200 * i, 200 * j, 200 * i + 200, 200 * j + 200};
      Rect source{tile, 0, tile + 200, 200};
      ge.Blit(SurfLevel.get(), dest, art_.Picture(PictureId::Background), source, 0, 0, BLIT_WAIT);
    }
  }
  Rect all{0, 0, 1200, 600};
  Rect from = all;
  ge.Blit(ge.BackBuffer().get(), all, SurfLevel.get(), from, 0, 0, BLIT_WAIT);
  ShownViewX = -1;
  return true;
}

void PlayView::Repaint(const Rect& place) {
  LiftHud(place);
  Rect dest = place;
  Rect source = place;
  art_.GE.Blit(art_.GE.BackBuffer().get(), dest, SurfLevel.get(), source, 0, 0, BLIT_WAIT);
}

// The view moved (or the back buffer holds the bare backdrop): the old window and the new one are
// repainted whole, and everything is drawn again.
void PlayView::RepaintWindows(int32_t nOldBackdropX) {
  if (ShownViewX >= 0) {
    Repaint(Rect{std::min<int32_t>(nOldBackdropX, BackdropX), 0,
                 std::max<int32_t>(nOldBackdropX, BackdropX) + 800, 600});
    for (int i = 0; i < DirtyCount; ++i) Repaint(DirtyRects[i]);
  }
  DirtyCount = 0;
  Changes.clear();
}

// The view stands still: the back buffer keeps the platforms, and only the cells that changed
// since the last frame and what the sprites and the heads-up display covered last time are
// repainted, except where a sprite may stand as it is (when `bMayKeep`).
void PlayView::RepaintChanges(const PlayState& play, bool bMayKeep) {
  Changes.clear();
  const auto cells = play.Levels->Slot(play.Level);
  const int32_t offset = BackdropX - ViewX;
  if (!std::equal(cells.begin(), cells.end(), ShownCells.begin())) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c)
      for (int r = 0; r < LEVEL_ROWS; ++r)
        if (cells[LevelCellIndex(1, c, r)] != ShownCells[LevelCellIndex(1, c, r)]) {
          // A platform's neighbours change their end pieces with it.
          const Rect cell = CellRect(c, r, offset);
          Changes.push_back(Rect{cell.Left - 50, cell.Top, cell.Right + 50, cell.Bottom});
        }
  }
  if (bMayKeep) KeepStandingSprites(play);
  for (int i = 0; i < DirtyCount; ++i)
    if (!IsStanding(DirtyRects[i])) Changes.push_back(DirtyRects[i]);
  MergeOverlapping(Changes);
  for (const Rect& place : Changes) Repaint(place);
  DirtyCount = 0;
}

void PlayView::RememberShown(const PlayState& play) {
  ShownSprites.swap(Sprites);
  ShownViewX = ViewX;
  ShownLevel = play.Level;
  const auto cells = play.Levels->Slot(play.Level);
  std::copy(cells.begin(), cells.end(), ShownCells.begin());
}

// The hero is kept in the middle of the screen except near the ends of the level; while the
// editor paints, its own scroll position decides.
void PlayView::UpdateView(const PlayState& play, const EditCursor& editor) {
  if (editor.Active)
    ViewX = static_cast<int16_t>(editor.ScrollX);
  else
    ViewX = static_cast<int16_t>(std::clamp(CInt(play.CharX + 20.0f - 400.0f), 0, 800));
  BackdropX = static_cast<int16_t>(ViewX / 2);
}

// Platforms are drawn where something else was or is drawn this frame (all of them when
// `places` is nullptr); elsewhere the back buffer shows them already. Their places are not
// listed: a platform drawn again over itself changes no pixel.
void PlayView::DrawPlatforms(const PlayState& play, const std::vector<Rect>* places) {
  const auto cells = play.Levels->Slot(play.Level);
  const auto cell = [&](int c, int r) { return cells[LevelCellIndex(1, c, r)]; };
  const int32_t offset = BackdropX - ViewX;
  // Only the columns the screen shows.
  const int first = std::max(ViewX / 50, 0);
  const int last = std::min((ViewX + 800) / 50, LEVEL_COLUMNS - 1);
  const auto under =
      places != nullptr ? CellsUnder(*places, offset) : std::bitset<LEVEL_SLOT_SIZE>{};
  for (int c = first; c <= last; ++c) {
    for (int r = 0; r < LEVEL_ROWS; ++r) {
      const int k = cell(c, r);
      if (IsOpen(k)) continue;
      if (places != nullptr && !under.test(static_cast<size_t>(LevelCellIndex(1, c, r)))) continue;
      const int left = c == 0 ? PLATFORM_GRASS : cell(c - 1, r);
      const int right = c == LEVEL_COLUMNS - 1 ? PLATFORM_GRASS : cell(c + 1, r);
      const int piece = PlatformPiece(left, right);
      Rect source{piece, 20 * k, piece + 50, 20 * k + 20};
      Rect dest = CellRect(c, r, offset);
      if (CutToScreen(source, dest)) DrawPiece(art_.Picture(PictureId::Platform), source, dest);
    }
  }
}

void PlayView::ListPickups(const PlayState& play) {
  for (int i = 0; i < play.PowerUpCount; ++i) {
    const PickupRec& item = play.PowerUps[i];
    const int32_t f = IntPart(item.Frame);
    const Rect source{40 * f, 0, 40 * f + 40, 35};
    const Rect dest{item.Left, item.Top, item.Right, item.Bottom};
    const PowerUpInfo* row = FindPowerUp(item.Code);
    ListSprite(row != nullptr ? art_.Picture(row->Picture) : nullptr, source, dest);
  }
  for (int i = 0; i < play.GemCount; ++i) {
    const PickupRec& gem = play.Gems[i];
    if (gem.Code != GEM_NORMAL) continue;
    const int32_t f = IntPart(gem.Frame);
    ListSprite(PictureId::GemNormal, Rect{40 * f, 0, 40 * f + 40, 35},
               Rect{gem.Left, gem.Top, gem.Right, gem.Bottom});
  }
}

void PlayView::ListMovers(const PlayState& play) {
  if (play.Level == 30 && play.MachineHealth >= 1)
    ListSprite(PictureId::Machine, Rect{0, 0, 360, 280},
               Rect{play.MachineX, play.MachineY, play.MachineX + 360, play.MachineY + 280});

  for (int i = 0; i < play.BombCount; ++i) {
    const BombRec& b = play.Bombs[i];
    const int32_t f = IntPart(b.Frame);
    const Rect source = b.Direction == 0 ? Rect{600 - 40 * f, 0, 640 - 40 * f, 40}
                                         : Rect{40 * f, 0, 40 * f + 40, 40};
    const PictureId sheet = b.Hot == VB_FALSE ? PictureId::NormalBomb
                            : b.Flash != 0    ? PictureId::HitBomb
                                              : PictureId::HotBomb;
    const int32_t x = IntPart(b.X);
    const int32_t y = IntPart(b.Y);
    ListSprite(sheet, source, Rect{x, y, x + 40, y + 40});
  }

  for (const ShotRec& s : play.Shots) {
    if (s.Active == VB_FALSE) continue;
    const int32_t f = IntPart(s.Frame);
    const Rect source = s.Direction == 0 ? Rect{150 - 10 * f, 0, 160 - 10 * f, 10}
                                         : Rect{10 * f, 0, 10 * f + 10, 10};
    const int32_t y = IntPart(s.Y);
    ListSprite(PictureId::AmmoBall, source, Rect{s.X, y, s.X + 10, y + 10});
  }
}

// The pieces go straight into the back buffer, and the tiles they touch are listed as the places
// to repaint: thousands of pieces would overflow the list, and one box around pieces flying apart
// soon covers the whole screen. Only what the screen shows is drawn; a piece beyond it would be
// erased before the screen could show it.
void PlayView::DrawEffects(const PlayState& play) {
  Surface& back = art_.Back();
  const int32_t offset = BackdropX - ViewX;
  const Rect shown{BackdropX, 0, BackdropX + 800, 600};
  EffectTiles.Start(shown);
  for (const EffectRec& effect : play.Effects) {
    if (effect.Active == VB_FALSE) continue;
    const Surface* sheet = art_.Picture(effect.Bitmap);
    if (sheet == nullptr) continue;
    for (int a = 0; a < effect.CountX; ++a) {
      for (int b = 0; b < effect.CountY; ++b) {
        const EffectPiece& piece = effect.Pieces[a][b];
        if (piece.VX == 0 && piece.VY == 0) continue;
        const int32_t x = CInt(piece.X) + offset;
        const int32_t y = CInt(piece.Y);
        const Rect dest{x, y, x + effect.StepX, y + effect.StepY};
        if (!IntersectRect(dest, shown)) continue;
        if (HudMayStandAt(dest)) LiftHud(dest);
        const int32_t sx = effect.SrcX + a * effect.StepX;
        const int32_t sy = effect.SrcY + b * effect.StepY;
        VBGE::CopyPieceKeyed(back, shown, dest, *sheet,
                             Rect{sx, sy, sx + effect.StepX, sy + effect.StepY});
        EffectTiles.Mark(dest);
      }
    }
  }
  for (const Rect& place : EffectTiles.Places()) AddDirtyRect(place);
}

void PlayView::ListBombExits(const PlayState& play) {
  if (play.Level == 31) return;
  ListSprite(PictureId::BombExit, Rect{10, 0, 20, 100}, Rect{0, 480, 10, 580});
  ListSprite(PictureId::BombExit, Rect{0, 0, 10, 100}, Rect{1590, 480, 1600, 580});
}

bool PlayView::DrawGameFrame(const PlayState& play, const std::vector<std::string>& names,
                             DevInfo* meter, const EditCursor& editor) {
  return Trapped("Game - DrawGameFrame - ", [&] {
    if (!SurfLevel && !BuildLevelBackdrop(play.Stage)) return false;
    const int16_t oldBackdropX = BackdropX;
    UpdateView(play, editor);
    const bool whole = ShownViewX != ViewX || ShownLevel != play.Level || Overflowed;
    Overflowed = false;
    // A frame drawn whole paints over the heads-up display too; otherwise it may still stand.
    HudLiftable = !whole;
    for (HudBlock& block : HudBlocks) {
      if (whole) block = HudBlock{};
      block.Lifted = whole;
    }
    StandHud();
    ListSprites(play);
    if (whole)
      RepaintWindows(oldBackdropX);
    else
      RepaintChanges(play, meter == nullptr && !editor.Active);

    DrawLayer(Layer::BehindPlatforms);
    if (!whole) {
      Changes.insert(Changes.end(), DirtyRects.begin(), DirtyRects.begin() + DirtyCount);
      MergeOverlapping(Changes);
    }
    DrawPlatforms(play, whole ? nullptr : &Changes);
    const int16_t below = DirtyCount;
    DrawLayer(Layer::InFrontOfPlatforms);
    DrawEffects(play);
    DrawLayer(Layer::OverEffects);
    const size_t name = static_cast<size_t>(play.Level - 1);
    if (ShowHud)
      DrawHud(play, play.Level >= 1 && name < names.size() ? names[name] : std::string());
    else
      DropHud();
    // A meter that cannot draw ends the run at once, with nothing saved.
    if (meter != nullptr && !DrawDevelopOverlay(*meter, editor)) return false;

    if (whole || Overflowed) {
      art_.ShowBackBuffer(BackdropX);
    } else {
      Changes.insert(Changes.end(), DirtyRects.begin() + below, DirtyRects.begin() + DirtyCount);
      MergeOverlapping(Changes);
      art_.ShowBackBuffer(BackdropX, &Changes);
    }
    // The standing sprites' places are repainted next frame like the others' if they move.
    for (const Rect& place : StandingPlaces) AddDirtyRect(place);
    RememberShown(play);
    return true;
  });
}

void PlayView::DrawPaused() {
  Surface& back = art_.Back();
  back.Darken(BackdropX, 0, BackdropX + 800, 600);
  back.SetFont(art_.Fonts.Large);
  back.SetForeColor(RGB(255, 255, 255));
  const std::string text = "Paused";
  back.DrawText(BackdropX + (800 - back.TextWidth(text)) / 2, 280, text, false);
  art_.ShowBackBuffer(BackdropX);
  Overflowed = true;
}
