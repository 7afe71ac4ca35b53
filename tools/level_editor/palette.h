#pragma once
// The palette: every named cell code with the picture the game draws for it (a platform's middle
// piece, a power-up's or the gem's first frame), in three groups, and how a code is named in the
// editor's status bar, including codes that have no name.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/rect.h"
#include "data/catalogue.h"

namespace level_editor {

enum class PaletteGroup { Platforms, PowerUps, Others };

struct PaletteEntry {
  uint8_t Code = 0;
  const char* Name = "";   // "PLATFORM_ROCK"
  const char* Label = "";  // "rock"
  PaletteGroup Group = PaletteGroup::Others;
  // The picture and the part of it the game draws for the code; none for a code play ignores.
  std::optional<PictureId> Picture;
  Rect Source;
};

// The 33 named codes in ascending order, as the in-game palette lists them.
const std::vector<PaletteEntry>& PaletteEntries();
// The entry of a code, or nullptr for a code with no name.
const PaletteEntry* FindPaletteEntry(uint8_t nCode);
// The next (+1) or previous (-1) named code after nCode, wrapping around.
uint8_t StepPaletteCode(uint8_t nCode, int nDirection);

// "PLATFORM_ROCK (rock, 2)", or for a code with no name "code 42 (no name: empty in play)".
std::string CodeCaption(uint8_t nCode);

}  // namespace level_editor
