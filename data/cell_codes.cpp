#include "data/cell_codes.h"

#include <array>

namespace {

constexpr std::array<CellCodeInfo, 33> kCellCodes = {{
    {PLATFORM_SAND, "PLATFORM_SAND", "sand"},
    {PLATFORM_EGYPTROCK, "PLATFORM_EGYPTROCK", "egypt"},
    {PLATFORM_ROCK, "PLATFORM_ROCK", "rock"},
    {PLATFORM_GOO, "PLATFORM_GOO", "goo"},
    {PLATFORM_SPACE, "PLATFORM_SPACE", "space"},
    {PLATFORM_WOOD, "PLATFORM_WOOD", "wood"},
    {PLATFORM_OIL, "PLATFORM_OIL", "oil"},
    {PLATFORM_MACHINE, "PLATFORM_MACHINE", "machine"},
    {PLATFORM_GRASS, "PLATFORM_GRASS", "grass"},
    {PLATFORM_SWAMP, "PLATFORM_SWAMP", "swamp"},
    {PLATFORM_BOUNCY, "PLATFORM_BOUNCY", "bouncy"},
    {PLATFORM_ICE, "PLATFORM_ICE", "ice"},
    {PLATFORM_GRASS2, "PLATFORM_GRASS2", "grass2"},
    {PLATFORM_ROCK2, "PLATFORM_ROCK2", "rock2"},
    {PLATFORM_WOOD2, "PLATFORM_WOOD2", "wood2"},
    {PLATFORM_GREEN, "PLATFORM_GREEN", "green"},
    {PLATFORM_SPACE2, "PLATFORM_SPACE2", "space2"},
    {POWERUP_HIGHJUMP, "POWERUP_HIGHJUMP", "jump"},
    {POWERUP_EXTRASPEED, "POWERUP_EXTRASPEED", "speed"},
    {POWERUP_INVULNERABLE, "POWERUP_INVULNERABLE", "invul"},
    {POWERUP_SHOOT, "POWERUP_SHOOT", "shoot-n"},
    {POWERUP_SHOOTSPREAD, "POWERUP_SHOOTSPREAD", "shoot-s"},
    {POWERUP_EXTRAHEALTH, "POWERUP_EXTRAHEALTH", "health"},
    {POWERUP_MYSTERYBOX, "POWERUP_MYSTERYBOX", "box"},
    {POWERUP_FREEZEBOMBS, "POWERUP_FREEZEBOMBS", "clock"},
    {POWERUP_MAGNET, "POWERUP_MAGNET", "magnet"},
    {POWERUP_SKULL, "POWERUP_SKULL", "skull"},
    {POWERUP_SHOOTBOUNCY, "POWERUP_SHOOTBOUNCY", "shoot-b"},
    {POWERUP_SHOOTBIDI, "POWERUP_SHOOTBIDI", "shoot-d"},
    {POWERUP_SHOOTEXPLODE, "POWERUP_SHOOTEXPLODE", "shoot-e"},
    {GEM_NORMAL, "GEM_NORMAL", "gem1"},
    {GEM_VALUABLE, "GEM_VALUABLE", "gem2"},
    {NOTHING, "NOTHING!!", "clear"},
}};

}  // namespace

std::span<const CellCodeInfo> CellCodeTable() {
  return kCellCodes;
}

const CellCodeInfo* FindCellCode(uint8_t nCode) {
  for (const CellCodeInfo& info : kCellCodes) {
    if (info.Code == nCode) return &info;
  }
  return nullptr;
}
