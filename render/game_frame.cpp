// One frame of play on the screen. The backdrop of the level is composed once into SurfLevel;
// every frame repaints only the heads-up strip and what the sprites covered last time, draws the
// sprites again in layers, and copies the visible window of the back buffer to the screen. The
// backdrop scrolls at half the speed of the play field.
#include <algorithm>

#include "app/failure.h"
#include "data/cell_codes.h"
#include "game/game.h"
#include "game/numbers.h"

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

}  // namespace

void Game::AddDirtyRect(const Rect& rect) {
  if (DirtyCount < DIRTY_RECT_CAPACITY && static_cast<size_t>(DirtyCount) < DirtyRects.size())
    DirtyRects[DirtyCount++] = rect;
}

// Draws a sprite at a play-field position: listed as dirty, then copied with the colour key. With
// no sheet the place is only listed.
void Game::DrawSprite(Surface* sheet, Rect source, Rect dest) {
  const int32_t offset = BackdropX - ViewX;
  dest.Left += offset;
  dest.Right += offset;
  AddDirtyRect(dest);
  if (sheet != nullptr) GE.Blit(GE.BackBuffer().get(), dest, sheet, source, 0, 0, BLIT_WAIT_KEYED);
}

void Game::DrawCharacter() {
  if (ExitCountdown != 0) return;
  const int32_t f = CharFrame;
  const Rect source =
      CharFacing == 1 ? Rect{640 - 40 * f, 36, 680 - 40 * f, 72} : Rect{40 * f, 0, 40 * f + 40, 36};
  const int32_t x = IntPart(CharX);
  const int32_t y = IntPart(CharY);
  DrawSprite(SurfCharacter.get(), source, Rect{x, y, x + 40, y + 36});
}

bool Game::BuildLevelBackdrop() {
  if (!GE.CreateSurface(SurfLevel, 1200, 600, 0)) return false;
  const int32_t tile = 200 * (Stage - 1);
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 3; ++j) {
      Rect dest{200 * i, 200 * j, 200 * i + 200, 200 * j + 200};
      Rect source{tile, 0, tile + 200, 200};
      GE.Blit(SurfLevel.get(), dest, SurfBackground.get(), source, 0, 0, BLIT_WAIT);
    }
  }
  Rect all{0, 0, 1200, 600};
  Rect from = all;
  GE.Blit(GE.BackBuffer().get(), all, SurfLevel.get(), from, 0, 0, BLIT_WAIT);
  return true;
}

void Game::RepaintFromBackdrop() {
  Surface* back = GE.BackBuffer().get();
  Rect strip{BackdropX, 0, BackdropX + 800, 80};
  Rect from = strip;
  GE.Blit(back, strip, SurfLevel.get(), from, 0, 0, BLIT_WAIT);
  for (int i = 0; i < DirtyCount; ++i) {
    Rect dest = DirtyRects[i];
    Rect source = DirtyRects[i];
    GE.Blit(back, dest, SurfLevel.get(), source, 0, 0, BLIT_WAIT);
  }
  DirtyCount = 0;
}

// The hero is kept in the middle of the screen except near the ends of the level; while the
// editor paints, its own scroll position decides.
void Game::UpdateView() {
  if (EditorEnabled && EditActive)
    ViewX = static_cast<int16_t>(EditScrollX);
  else
    ViewX = static_cast<int16_t>(std::clamp(CInt(CharX + 20.0f - 400.0f), 0, 800));
  BackdropX = static_cast<int16_t>(ViewX / 2);
}

void Game::DrawPlatforms() {
  for (int r = 0; r < LEVEL_ROWS; ++r) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      const int k = Levels.Cell(Level, c, r);
      if (k >= 17) continue;
      const int left = c == 0 ? PLATFORM_GRASS : Levels.Cell(Level, c - 1, r);
      const int right = c == LEVEL_COLUMNS - 1 ? PLATFORM_GRASS : Levels.Cell(Level, c + 1, r);
      const int piece = PlatformPiece(left, right);
      DrawSprite(SurfPlatform.get(), Rect{piece, 20 * k, piece + 50, 20 * k + 20},
                 Rect{50 * c, 20 * r, 50 * c + 50, 20 * r + 20});
    }
  }
}

Surface* Game::PowerUpSurface(int nCode) const {
  switch (nCode) {
    case POWERUP_HIGHJUMP:
      return SurfHighJump.get();
    case POWERUP_EXTRASPEED:
      return SurfExtraSpeed.get();
    case POWERUP_INVULNERABLE:
      return SurfInvulnerable.get();
    case POWERUP_SHOOT:
      return SurfShoot.get();
    case POWERUP_SHOOTSPREAD:
      return SurfShootSpread.get();
    case POWERUP_EXTRAHEALTH:
      return SurfExtraHealth.get();
    case POWERUP_MYSTERYBOX:
      return SurfMysteryBox.get();
    case POWERUP_FREEZEBOMBS:
      return SurfFreezeBombs.get();
    case POWERUP_MAGNET:
      return SurfMagnet.get();
    case POWERUP_SKULL:
      return SurfSkull.get();
    case POWERUP_SHOOTBOUNCY:
      return SurfShootBounce.get();
    case POWERUP_SHOOTBIDI:
      return SurfShootBidi.get();
    case POWERUP_SHOOTEXPLODE:
      return SurfShootExplode.get();
    default:
      return nullptr;
  }
}

void Game::DrawPickups() {
  for (int i = 0; i < PowerUpCount; ++i) {
    const PickupRec& item = PowerUps[i];
    const int32_t f = IntPart(item.Frame);
    const Rect source{40 * f, 0, 40 * f + 40, 35};
    const Rect dest{item.Left, item.Top, item.Right, item.Bottom};
    DrawSprite(PowerUpSurface(item.Code), source, dest);
  }
  for (int i = 0; i < GemCount; ++i) {
    const PickupRec& gem = Gems[i];
    if (gem.Code != GEM_NORMAL) continue;
    const int32_t f = IntPart(gem.Frame);
    DrawSprite(SurfGemNormal.get(), Rect{40 * f, 0, 40 * f + 40, 35},
               Rect{gem.Left, gem.Top, gem.Right, gem.Bottom});
  }
}

void Game::DrawMovers() {
  if (Level == 30 && MachineHealth >= 1)
    DrawSprite(SurfMachine.get(), Rect{0, 0, 360, 280},
               Rect{MachineX, MachineY, MachineX + 360, MachineY + 280});

  for (int i = 0; i < BombCount; ++i) {
    const BombRec& b = Bombs[i];
    const int32_t f = IntPart(b.Frame);
    const Rect source = b.Direction == 0 ? Rect{600 - 40 * f, 0, 640 - 40 * f, 40}
                                         : Rect{40 * f, 0, 40 * f + 40, 40};
    Surface* sheet = b.Hot == VB_FALSE ? SurfNormalBomb.get()
                     : b.Flash != 0    ? SurfHitBomb.get()
                                       : SurfHotBomb.get();
    const int32_t x = IntPart(b.X);
    const int32_t y = IntPart(b.Y);
    DrawSprite(sheet, source, Rect{x, y, x + 40, y + 40});
  }

  for (const ShotRec& s : Shots) {
    if (s.Active == VB_FALSE) continue;
    const int32_t f = IntPart(s.Frame);
    const Rect source = s.Direction == 0 ? Rect{150 - 10 * f, 0, 160 - 10 * f, 10}
                                         : Rect{10 * f, 0, 10 * f + 10, 10};
    const int32_t y = IntPart(s.Y);
    DrawSprite(SurfAmmoBall.get(), source, Rect{s.X, y, s.X + 10, y + 10});
  }
}

void Game::DrawEffects() {
  for (const EffectRec& effect : Effects) {
    if (effect.Active == VB_FALSE) continue;
    for (int a = 0; a < effect.CountX; ++a) {
      for (int b = 0; b < effect.CountY; ++b) {
        const EffectPiece& piece = effect.Pieces[a][b];
        if (piece.VX == 0 && piece.VY == 0) continue;
        const int32_t x = CInt(piece.X);
        const int32_t y = CInt(piece.Y);
        const int32_t sx = effect.SrcX + a * effect.StepX;
        const int32_t sy = effect.SrcY + b * effect.StepY;
        DrawSprite(effect.Bitmap.get(), Rect{sx, sy, sx + effect.StepX, sy + effect.StepY},
                   Rect{x, y, x + effect.StepX, y + effect.StepY});
      }
    }
  }
}

void Game::DrawBombExits() {
  if (Level == 31) return;
  DrawSprite(SurfBombExit.get(), Rect{10, 0, 20, 100}, Rect{0, 480, 10, 580});
  DrawSprite(SurfBombExit.get(), Rect{0, 0, 10, 100}, Rect{1590, 480, 1600, 580});
}

bool Game::DrawGameFrame() {
  return Trapped("Game - DrawGameFrame - ", [&] {
    if (!SurfLevel && !BuildLevelBackdrop()) return false;
    RepaintFromBackdrop();
    UpdateView();
    DrawMovers();
    if (CharInAir == 0) DrawCharacter();  // the platforms cover a standing hero's feet
    DrawPlatforms();
    if (CharInAir == 1) DrawCharacter();  // a jumping hero is in front of them
    DrawPickups();
    DrawEffects();
    DrawBombExits();
    DrawHud();
    // A meter that cannot draw ends the run at once, with nothing saved.
    if (EditorEnabled && !DrawDevelopOverlay()) return false;

    ShowBackBuffer(BackdropX);
    return true;
  });
}
