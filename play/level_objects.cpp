// The level's objects as lists of rectangles, and the collision queries over them.
#include "base/numbers.h"
#include "base/rect.h"
#include "data/cell_codes.h"
#include "play/play_state.h"

namespace {

Rect RectOf(const PlatformRec& p) {
  return Rect{p.Left, p.Top, p.Right, p.Bottom};
}

// Power-ups and gems reach 17 pixels into the row above their cell.
PickupRec PickupAt(int c, int r, int code, Random& rng) {
  PickupRec item;
  item.Left = 50 * c + 5;
  item.Top = 20 * r - 17;
  item.Right = 50 * c + 45;
  item.Bottom = 20 * r + 18;
  item.Frame = static_cast<float>(IntPart(16.0f * rng.Rnd()));
  item.Code = static_cast<int16_t>(code);
  return item;
}

}  // namespace

void PlayState::BuildPlatformList() {
  PlatformCount = 0;
  for (int r = 0; r < LEVEL_ROWS; ++r) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      const int code = Levels->Cell(Level, c, r);
      if (!IsPlatformCode(code)) continue;
      if (PlatformCount >= MAX_PLATFORMS) return;  // the list is full: the rest stay scenery
      PlatformRec& p = Platforms[PlatformCount++];
      p.Left = 50 * c + 5;
      p.Top = 20 * r + (code == PLATFORM_GOO ? 8 : code == PLATFORM_SWAMP ? 13 : 2);
      p.Right = 50 * c + 45;
      p.Bottom = 20 * r + 17;
      p.PlatformType = static_cast<int16_t>(code);
    }
  }
}

void PlayState::BuildPowerUpList() {
  PowerUpCount = 0;
  for (int r = 0; r < LEVEL_ROWS; ++r)
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      const int code = Levels->Cell(Level, c, r);
      if (IsPowerUpCode(code) && PowerUpCount < MAX_POWERUPS)
        PowerUps[PowerUpCount++] = PickupAt(c, r, code, Rng);
    }
}

void PlayState::BuildGemList() {
  auto scan = [this] {
    GemsCollected = 0;
    GemCount = 0;
    for (int r = 0; r < LEVEL_ROWS; ++r)
      for (int c = 0; c < LEVEL_COLUMNS; ++c)
        if (Levels->Cell(Level, c, r) == GEM_NORMAL && GemCount < MAX_GEMS)
          Gems[GemCount++] = PickupAt(c, r, GEM_NORMAL, Rng);
  };
  scan();
  if (GemCount == 0) {
    // A level needs a gem to be won: it gets one near the bottom left, for good.
    Levels->Cell(Level, 2, 28) = GEM_NORMAL;
    scan();
  }
}

void PlayState::BuildLevelLists() {
  BuildPlatformList();
  BuildPowerUpList();
  BuildGemList();
}

Rect PlayState::GetCharRect() const {
  return Rect{CInt(CharX + 5.0f), CInt(CharY), CInt(CharX + 35.0f), CInt(CharY + 36.0f)};
}

Rect PlayState::GetBombRect(int i) const {
  const BombRec& b = Bombs[i];
  return Rect{CInt(b.X + 1.0f), CInt(b.Y + 1.0f), CInt(b.X + 39.0f), CInt(b.Y + 39.0f)};
}

Rect PlayState::GetShotRect(int i) const {
  const ShotRec& s = Shots[i];
  const int32_t y = CInt(s.Y);
  return Rect{s.X - 2, y - 2, s.X + 12, y + 12};
}

int PlayState::FindCharPlatformHit() const {
  const Rect hero = GetCharRect();
  for (int i = 0; i < PlatformCount; ++i)
    if (IntersectRect(hero, RectOf(Platforms[i]))) return i;
  return NO_PLATFORM;
}

int PlayState::FindPlatformBelow(Rect& rect) const {
  rect.Top += 3;
  rect.Bottom += 3;
  for (int i = 0; i < PlatformCount; ++i)
    if (IntersectRect(rect, RectOf(Platforms[i]))) return Platforms[i].PlatformType;
  return NO_PLATFORM;
}

int PlayState::PlatformTypeBelowChar() const {
  Rect hero = GetCharRect();
  return FindPlatformBelow(hero);
}

int PlayState::FindBombPlatformHit(int i) {
  const Rect bomb = GetBombRect(i);
  for (int j = 0; j < PlatformCount; ++j) {
    if (!IntersectRect(bomb, RectOf(Platforms[j]))) continue;
    if (Bombs[i].VY > 3) PlaySound(SoundId::BombHit);
    return j;
  }
  return NO_PLATFORM;
}

bool PlayState::ShotTouchesPlatform(int i) const {
  const Rect shot = GetShotRect(i);
  for (int j = 0; j < PlatformCount; ++j)
    if (IntersectRect(shot, RectOf(Platforms[j]))) return true;
  return false;
}
