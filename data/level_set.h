#pragma once
// The level set: a level count and the cells of 31 level slots, read whole from the level file
// at start and written back whole at exit; and the level names file beside it.
//
// Level file ("Levels.dat", "Levels_e.dat"): the count as a little-endian signed 16-bit number,
// then the 31 slots of 960 cells, 29 762 bytes in all. A slot holds its 32 columns one after the
// other, each column its 30 cells from the top, so cell (c, r) of level L is grid byte
// r + 30 * (c + 32 * (L - 1)), file byte 2 more. Slots past the count are not levels; they are
// kept as loaded and saved again unchanged.
//
// Names file ("LevelNames_zt.txt", "LevelNames_zt_e.txt"): one name per line, line i naming
// level i, in the Windows-1252 code page. Names stay raw 8-bit bytes everywhere in the game.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int LEVEL_COLUMNS = 32;
constexpr int LEVEL_ROWS = 30;
constexpr int LEVEL_SLOTS = 31;
constexpr int LEVEL_SLOT_SIZE = LEVEL_COLUMNS * LEVEL_ROWS;     // 960
constexpr int LEVEL_GRID_SIZE = LEVEL_SLOT_SIZE * LEVEL_SLOTS;  // 29 760
constexpr int LEVEL_RECORD_SIZE = 2 + LEVEL_GRID_SIZE;          // 29 762
constexpr int LEVEL_COUNT_MIN = 5;  // five stages need at least a level each
constexpr int LEVEL_COUNT_MAX = LEVEL_SLOTS;

// Byte offset of cell (nCol, nRow) of level nLevel (1-based) in LevelGrid.
constexpr int LevelCellIndex(int nLevel, int nCol, int nRow) {
  return nRow + LEVEL_ROWS * (nCol + LEVEL_COLUMNS * (nLevel - 1));
}

struct LevelSet {
  int16_t LevelCount = 0;
  std::array<uint8_t, LEVEL_GRID_SIZE> LevelGrid{};

  // Cell (nCol, nRow) of level nLevel: level 1 to 31, column 0 to 31, row 0 to 29. Anything
  // outside raises GameError 9 "Subscript out of range".
  uint8_t& Cell(int nLevel, int nCol, int nRow);
  uint8_t Cell(int nLevel, int nCol, int nRow) const;
  // The 960 cells of level nLevel, column after column; GameError 9 outside levels 1 to 31.
  std::span<const uint8_t, LEVEL_SLOT_SIZE> Slot(int nLevel) const;
};

// Reads the level-set record from the first 29 762 bytes of a level file; bytes after it are not
// part of the record. Raises GameError (bad file format) when the data is shorter than the record
// or the count is outside 5 to 31.
LevelSet ParseLevelFile(std::span<const uint8_t> bytes);

// The record as the level file holds it: exactly 29 762 bytes.
std::vector<uint8_t> LevelFileBytes(const LevelSet& levels);

// The longest level name: a longer one overflows the box of the level screen.
constexpr int LEVEL_NAME_MAX = 40;

// The first nCount lines of a names file. A line ends with CR LF or a lone LF; the last line needs
// no line end. A name longer than LEVEL_NAME_MAX is cut to that length. Fewer lines than nCount
// raise GameError 62 "Input past end of file".
std::vector<std::string> ParseLevelNames(std::string_view text, int nCount);

// A names file: every name followed by CR LF. A name holding a CR or LF cannot be written as one
// line and raises GameError (bad file format).
std::string LevelNamesText(const std::vector<std::string>& names);

// The level set of a level file, as the game reads it at start. Throws GameError as reading the
// file and ParseLevelFile do.
LevelSet ReadLevelFile(const std::filesystem::path& file);
// The names of nCount levels from a names file. Throws GameError as reading the file and
// ParseLevelNames do.
std::vector<std::string> ReadLevelNames(const std::filesystem::path& file, int nCount);

// The files of the normal and the extra level set (a level pack's are named as the normal set's).
const char* LevelFileName(bool bExtra);
const char* LevelNamesFileName(bool bExtra);
