#include "data/cell_codes.h"

#include <iterator>
#include <vector>

#include "data/power_ups.h"

namespace {

constexpr CellCodeInfo kPlatforms[] = {
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
};

constexpr CellCodeInfo kGemsAndNothing[] = {
    {GEM_NORMAL, "GEM_NORMAL", "gem1"},
    {GEM_VALUABLE, "GEM_VALUABLE", "gem2"},
    {NOTHING, "NOTHING!!", "clear"},
};

// The platforms, the power-ups of their own table, the gems and the eraser, in code order.
std::vector<CellCodeInfo> MakeCellCodes() {
  std::vector<CellCodeInfo> codes(std::begin(kPlatforms), std::end(kPlatforms));
  for (const PowerUpInfo& row : PowerUpTable()) codes.push_back({row.Code, row.Name, row.Label});
  codes.insert(codes.end(), std::begin(kGemsAndNothing), std::end(kGemsAndNothing));
  return codes;
}

const std::vector<CellCodeInfo>& CellCodes() {
  static const std::vector<CellCodeInfo> codes = MakeCellCodes();
  return codes;
}

}  // namespace

std::span<const CellCodeInfo> CellCodeTable() {
  return CellCodes();
}

const CellCodeInfo* FindCellCode(uint8_t nCode) {
  for (const CellCodeInfo& info : CellCodes()) {
    if (info.Code == nCode) return &info;
  }
  return nullptr;
}
