#pragma once
// The records of a level in play: platforms, pickups, balls, bombs, particle effects and the
// fireworks of the finale. Every list has a fixed capacity and is allocated once.
#include <array>
#include <cstdint>

#include "base/numbers.h"

#include "data/catalogue.h"

constexpr int MAX_PLATFORMS = 200;
constexpr int MAX_POWERUPS = 25;
constexpr int MAX_GEMS = 100;
constexpr int MAX_SHOTS = 50;
constexpr int MAX_BOMBS = 50;
constexpr int MAX_EFFECTS = 30;
constexpr int EFFECT_COLUMNS = 40;
constexpr int EFFECT_ROWS = 30;
constexpr int FIREWORK_COUNT = 7;

// "Nothing found" answer of the platform queries.
constexpr int NO_PLATFORM = 255;

struct PlatformRec {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int16_t PlatformType = 0;
};

// A power-up or a gem. A taken one stays in its list, moved to x 1600..1640 beyond the level.
struct PickupRec {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  float Frame = 0;
  int16_t Code = 0;
};

// One ball of the ball blaster.
struct ShotRec {
  int16_t Active = VB_FALSE;
  int16_t X = 0;
  float Y = 0;
  float VY = 0;
  float Frame = 0;
  int16_t Direction = 0;
  float VX = 0;
  int16_t Bouncy = VB_FALSE;
  int16_t Explode = VB_FALSE;
};

struct BombRec {
  int16_t Flash = 0;
  int16_t Hot = VB_FALSE;
  int16_t Hits = 0;
  int16_t Spare = 0;  // the record's fourth integer, cleared with the others at level start
  float VX = 0;
  float VY = 0;
  float X = 0;
  float Y = 0;
  int16_t Delay = 0;
  float Frame = 0;
  int16_t Direction = 0;
  int16_t Leaving = VB_FALSE;
};

struct EffectPiece {
  float X = 0, Y = 0, VX = 0, VY = 0;
};

// A picture region cut into blocks that fly apart. The picture is named by its catalogue number.
struct EffectRec {
  float Gravity = 0;
  PictureId Bitmap = PictureId::Loading;
  int16_t StepX = 0, StepY = 0;
  int16_t CountX = 0, CountY = 0;
  int16_t Active = VB_FALSE;
  int16_t Age = 0;
  int16_t Lifetime = 0;
  int16_t SrcX = 0, SrcY = 0;
  std::array<std::array<EffectPiece, EFFECT_ROWS>, EFFECT_COLUMNS> Pieces{};  // [a][b]
};

// A launch point of the finale's fireworks.
struct FireworkRec {
  int16_t X = 0, Y = 0, Timer = 0;
};
