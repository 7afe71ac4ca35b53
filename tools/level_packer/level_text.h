#pragma once
// The level sources in assets/levels/: a set file with the level count, and one text file per
// level slot holding the slot's name and its 30 rows of 32 cells, a character per cell. The
// legend and the layout are described in assets/levels/README.md. Every level file can be turned
// into text and back without losing a byte: a cell code without a character of its own is drawn
// as '$' and listed by a "raw" line after the grid.
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "data/level_set.h"

// A mistake in a source file, told as "file:line: what is wrong".
class LevelTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr char CELL_CHAR_RAW = '$';  // the code is given by a raw line after the grid

// The character a cell code is written as, or CELL_CHAR_RAW when it has none.
char CellChar(uint8_t nCode);
// The code a grid character stands for; nothing for CELL_CHAR_RAW and unknown characters.
std::optional<uint8_t> CellCodeForChar(char ch);

// One level slot in its source form. Name is a Windows-1252 byte string; a slot past the set's
// level count may have no name.
struct LevelSlotSource {
  std::optional<std::string> Name;
  std::array<uint8_t, LEVEL_SLOT_SIZE> Cells{};  // byte 30c + r is cell (c, r), as in the file

  uint8_t& Cell(int nCol, int nRow) { return Cells[nRow + LEVEL_ROWS * nCol]; }
  uint8_t Cell(int nCol, int nRow) const { return Cells[nRow + LEVEL_ROWS * nCol]; }
};

// Reads a level source; sFile names it in errors. Lines may end in LF or CR LF.
LevelSlotSource ParseLevelSource(std::string_view text, const std::string& sFile);
// Writes a level source for slot nSlot (1-based, only used in the heading comment).
std::string LevelSourceText(const LevelSlotSource& slot, int nSlot);

// The set file: "count: N" with N from 5 to 31.
int ParseSetSource(std::string_view text, const std::string& sFile);
std::string SetSourceText(int nCount);

// Level names are Windows-1252 bytes in the game and UTF-8 in the sources. Both directions refuse
// what the other cannot hold: control characters, characters outside Windows-1252 and names
// longer than LEVEL_NAME_MAX. sWhere tells where the name came from, for the error.
std::string NameFromSource(std::string_view utf8, const std::string& sWhere);
std::string NameToSource(std::string_view cp1252, const std::string& sWhere);
