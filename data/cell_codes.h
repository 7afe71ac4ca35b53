#pragma once
// The one-byte codes of the level grid. Codes 0 to 16 are platforms (the code is also the tile row
// of the platform picture), 20 to 32 power-ups, 50 the gem the hero collects and 255 an empty
// cell. Every other value is legal in a level file and simply empty in play.
#include <cstdint>
#include <span>

constexpr uint8_t PLATFORM_SAND = 0;
constexpr uint8_t PLATFORM_EGYPTROCK = 1;
constexpr uint8_t PLATFORM_ROCK = 2;
constexpr uint8_t PLATFORM_GOO = 3;
constexpr uint8_t PLATFORM_SPACE = 4;
constexpr uint8_t PLATFORM_WOOD = 5;
constexpr uint8_t PLATFORM_OIL = 6;
constexpr uint8_t PLATFORM_MACHINE = 7;
constexpr uint8_t PLATFORM_GRASS = 8;
constexpr uint8_t PLATFORM_SWAMP = 9;
constexpr uint8_t PLATFORM_BOUNCY = 10;
constexpr uint8_t PLATFORM_ICE = 11;
constexpr uint8_t PLATFORM_GRASS2 = 12;
constexpr uint8_t PLATFORM_ROCK2 = 13;
constexpr uint8_t PLATFORM_WOOD2 = 14;
constexpr uint8_t PLATFORM_GREEN = 15;
constexpr uint8_t PLATFORM_SPACE2 = 16;

constexpr uint8_t POWERUP_HIGHJUMP = 20;
constexpr uint8_t POWERUP_EXTRASPEED = 21;
constexpr uint8_t POWERUP_INVULNERABLE = 22;
constexpr uint8_t POWERUP_SHOOT = 23;
constexpr uint8_t POWERUP_SHOOTSPREAD = 24;
constexpr uint8_t POWERUP_EXTRAHEALTH = 25;
constexpr uint8_t POWERUP_MYSTERYBOX = 26;
constexpr uint8_t POWERUP_FREEZEBOMBS = 27;
constexpr uint8_t POWERUP_MAGNET = 28;
constexpr uint8_t POWERUP_SKULL = 29;
constexpr uint8_t POWERUP_SHOOTBOUNCY = 30;
constexpr uint8_t POWERUP_SHOOTBIDI = 31;
constexpr uint8_t POWERUP_SHOOTEXPLODE = 32;

constexpr uint8_t GEM_NORMAL = 50;
constexpr uint8_t GEM_VALUABLE = 51;  // named in the editor's palette, but no list takes it

constexpr uint8_t NOTHING = 255;  // what the editor paints to erase a cell

// Code 17 and above is never a platform, neither the cell itself nor as a neighbour.
constexpr bool IsPlatformCode(uint8_t nCode) {
  return nCode <= PLATFORM_SPACE2;
}
constexpr bool IsPowerUpCode(uint8_t nCode) {
  return nCode >= POWERUP_HIGHJUMP && nCode <= POWERUP_SHOOTEXPLODE;
}
// Swamp and goo slow the hero and the bombs down, and both climb onto what they run into there.
constexpr bool IsSlowGround(int nCode) {
  return nCode == PLATFORM_SWAMP || nCode == PLATFORM_GOO;
}
// Ice and oil keep most of the speed when the hero lets go.
constexpr bool IsSlipperyGround(int nCode) {
  return nCode == PLATFORM_ICE || nCode == PLATFORM_OIL;
}
// Only the normal gem is collected; GEM_VALUABLE is inert in play.
constexpr bool IsGemCode(uint8_t nCode) {
  return nCode == GEM_NORMAL;
}

// A named code: its entry in the editor's palette list and the label the editing cursor shows.
struct CellCodeInfo {
  uint8_t Code;
  const char* Name;
  const char* Label;
};

// Every named code in ascending order, "PLATFORM_SAND" first and "NOTHING!!" last (33 entries):
// the palette list in the order the editor shows it.
std::span<const CellCodeInfo> CellCodeTable();

// The entry of a named code, or nullptr for a code without a name (17 to 19, 33 to 49, 52 to 254).
const CellCodeInfo* FindCellCode(uint8_t nCode);
