#include "data/level_set.h"

#include <algorithm>

#include "base/failure.h"
#include "base/files.h"
#include "data/file_io.h"

namespace {

constexpr int ERR_SUBSCRIPT_OUT_OF_RANGE = 9;

int CheckedCellIndex(int nLevel, int nCol, int nRow) {
  if (nLevel < 1 || nLevel > LEVEL_SLOTS || nCol < 0 || nCol >= LEVEL_COLUMNS || nRow < 0 ||
      nRow >= LEVEL_ROWS) {
    throw GameError(ERR_SUBSCRIPT_OUT_OF_RANGE,
                    "Subscript out of range: no cell at level " + std::to_string(nLevel) +
                        ", column " + std::to_string(nCol) + ", row " + std::to_string(nRow) + ".");
  }
  return LevelCellIndex(nLevel, nCol, nRow);
}

}  // namespace

uint8_t& LevelSet::Cell(int nLevel, int nCol, int nRow) {
  return LevelGrid[CheckedCellIndex(nLevel, nCol, nRow)];
}

uint8_t LevelSet::Cell(int nLevel, int nCol, int nRow) const {
  return LevelGrid[CheckedCellIndex(nLevel, nCol, nRow)];
}

std::span<const uint8_t, LEVEL_SLOT_SIZE> LevelSet::Slot(int nLevel) const {
  return std::span<const uint8_t, LEVEL_SLOT_SIZE>(&LevelGrid[CheckedCellIndex(nLevel, 0, 0)],
                                                   LEVEL_SLOT_SIZE);
}

LevelSet ParseLevelFile(std::span<const uint8_t> bytes) {
  if (bytes.size() < static_cast<size_t>(LEVEL_RECORD_SIZE)) {
    throw GameError(ERR_BAD_FILE_FORMAT,
                    "Level file is " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                        std::to_string(LEVEL_RECORD_SIZE) + "-byte level record.");
  }
  const auto count = static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
  if (count < LEVEL_COUNT_MIN || count > LEVEL_COUNT_MAX) {
    throw GameError(ERR_BAD_FILE_FORMAT, "Level file holds " + std::to_string(count) +
                                             (count == 1 ? " level" : " levels") +
                                             "; the game plays " + std::to_string(LEVEL_COUNT_MIN) +
                                             " to " + std::to_string(LEVEL_COUNT_MAX) + ".");
  }
  LevelSet levels;
  levels.LevelCount = count;
  std::copy_n(bytes.begin() + 2, LEVEL_GRID_SIZE, levels.LevelGrid.begin());
  return levels;
}

std::vector<uint8_t> LevelFileBytes(const LevelSet& levels) {
  std::vector<uint8_t> bytes(LEVEL_RECORD_SIZE);
  const auto count = static_cast<uint16_t>(levels.LevelCount);
  bytes[0] = static_cast<uint8_t>(count & 0xFF);
  bytes[1] = static_cast<uint8_t>(count >> 8);
  std::copy(levels.LevelGrid.begin(), levels.LevelGrid.end(), bytes.begin() + 2);
  return bytes;
}

std::vector<std::string> ParseLevelNames(std::string_view text, int nCount) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (static_cast<int>(names.size()) < nCount) {
    if (pos >= text.size()) throw GameError(ERR_INPUT_PAST_END, "Input past end of file");
    size_t end = text.find('\n', pos);
    size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (end > pos && end < text.size() && text[end - 1] == '\r') --end;  // CR LF
    names.emplace_back(text.substr(pos, std::min<size_t>(end - pos, LEVEL_NAME_MAX)));
    pos = next;
  }
  return names;
}

std::string LevelNamesText(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i].find_first_of("\r\n") != std::string::npos) {
      throw GameError(ERR_BAD_FILE_FORMAT, "The name of level " + std::to_string(i + 1) +
                                               " holds a line break; a name is one line.");
    }
    text += names[i];
    text += "\r\n";
  }
  return text;
}

LevelSet ReadLevelFile(const std::filesystem::path& file) {
  return ParseLevelFile(ReadFileBytes(file, LEVEL_FILE_LIMIT));
}

std::vector<std::string> ReadLevelNames(const std::filesystem::path& file, int nCount) {
  const std::vector<uint8_t> names = ReadFileBytes(file, LEVEL_NAMES_LIMIT);
  return ParseLevelNames(
      std::string_view(reinterpret_cast<const char*>(names.data()), names.size()), nCount);
}

const char* LevelFileName(bool bExtra) {
  return bExtra ? "Levels_e.dat" : "Levels.dat";
}

const char* LevelNamesFileName(bool bExtra) {
  return bExtra ? "LevelNames_zt_e.txt" : "LevelNames_zt.txt";
}
