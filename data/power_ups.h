#pragma once
// The power-ups, one row each: everything the game knows about one lives here, so the pickups,
// the drawing, the heads-up display, the editor, the level text and the level checker agree.
// A new power-up is a row here (with its cell code in cell_codes.h), its picture, and the case of
// its effect in the pickups.
#include <cstdint>
#include <span>

#include "data/catalogue.h"

// What touching the power-up does. The five ball-blaster power-ups do nothing: every ball type is
// always there.
enum class PowerUpEffect : uint8_t {
  None,
  HighJump,
  ExtraSpeed,
  Invulnerable,
  ExtraHealth,
  FreezeBombs,
  Magnet,
  Skull,
  MysteryBox,  // turns into another power-up first
};

// How a taken power-up leaves the screen.
enum class Dissolve : uint8_t {
  None,    // it simply goes
  Upward,  // its picture drifts up in pieces
  Burst,   // its picture bursts apart where it stood
};

struct PowerUpInfo {
  uint8_t Code;
  const char* Name;        // in the editor's palette
  const char* Label;       // on the editing cursor
  const char* PlayerName;  // what the level checker calls it
  char Letter;             // in the level text format
  PictureId Picture;
  SoundId Sound;  // played when it is taken, or SoundId::None
  PowerUpEffect Effect;
  Dissolve Vanish;
  int16_t BallType;  // the ball type whose picture it is (1 to 5), or 0
};

// Every power-up in ascending code order.
std::span<const PowerUpInfo> PowerUpTable();

// The row of a power-up code, or nullptr.
const PowerUpInfo* FindPowerUp(int nCode);

// The picture of a ball type (1 to 5) as the heads-up display shows it.
const PowerUpInfo* FindBallPowerUp(int nBallType);
