#include "tools/level_editor/palette.h"

#include <algorithm>

#include "data/cell_codes.h"
#include "data/power_ups.h"

namespace level_editor {

namespace {

PaletteEntry EntryOf(const CellCodeInfo& info) {
  PaletteEntry entry;
  entry.Code = info.Code;
  entry.Name = info.Name;
  entry.Label = info.Label;
  const int k = info.Code;
  if (IsPlatformCode(info.Code)) {
    // The middle piece: a platform with platforms on both sides.
    entry.Group = PaletteGroup::Platforms;
    entry.Picture = PictureId::Platform;
    entry.Source = Rect{50, 20 * k, 100, 20 * k + 20};
  } else if (const PowerUpInfo* row = FindPowerUp(k)) {
    entry.Group = PaletteGroup::PowerUps;
    entry.Picture = row->Picture;
    entry.Source = Rect{0, 0, 40, 35};
  } else if (IsGemCode(info.Code)) {
    entry.Picture = PictureId::GemNormal;
    entry.Source = Rect{0, 0, 40, 35};
  }
  return entry;
}

}  // namespace

const std::vector<PaletteEntry>& PaletteEntries() {
  static const std::vector<PaletteEntry> entries = [] {
    std::vector<PaletteEntry> all;
    for (const CellCodeInfo& info : CellCodeTable()) all.push_back(EntryOf(info));
    return all;
  }();
  return entries;
}

const PaletteEntry* FindPaletteEntry(uint8_t nCode) {
  const auto& all = PaletteEntries();
  const auto found =
      std::find_if(all.begin(), all.end(), [nCode](const PaletteEntry& e) { return e.Code == nCode; });
  return found != all.end() ? &*found : nullptr;
}

uint8_t StepPaletteCode(uint8_t nCode, int nDirection) {
  const auto& all = PaletteEntries();
  const int count = static_cast<int>(all.size());
  // The first named code at or after nCode (the last one before it going back).
  int at = 0;
  while (at < count && all[at].Code < nCode) ++at;
  const bool named = at < count && all[at].Code == nCode;
  if (nDirection > 0)
    at = named ? at + 1 : at;
  else
    at = at - 1;
  return all[(at % count + count) % count].Code;
}

std::string CodeCaption(uint8_t nCode) {
  if (const PaletteEntry* entry = FindPaletteEntry(nCode))
    return std::string(entry->Name) + " (" + entry->Label + ", " + std::to_string(nCode) + ")";
  return "code " + std::to_string(nCode) + " (no name: empty in play)";
}

}  // namespace level_editor
