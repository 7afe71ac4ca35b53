#include "tools/level_packer/level_text.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "base/text_encoding.h"
#include "data/cell_codes.h"
#include "data/power_ups.h"

namespace {

struct CellCharEntry {
  uint8_t Code;
  char Char;
};

// Letters are platforms (a capital for the second kind of a material); the power-ups' symbols and
// digits come from their own table.
constexpr CellCharEntry kCellChars[] = {
    {PLATFORM_SAND, 's'},   {PLATFORM_EGYPTROCK, 'e'}, {PLATFORM_ROCK, 'r'},
    {PLATFORM_GOO, 'g'},    {PLATFORM_SPACE, 'x'},     {PLATFORM_WOOD, 'w'},
    {PLATFORM_OIL, 'o'},    {PLATFORM_MACHINE, 'm'},   {PLATFORM_GRASS, 'v'},
    {PLATFORM_SWAMP, 'q'},  {PLATFORM_BOUNCY, 'b'},    {PLATFORM_ICE, 'i'},
    {PLATFORM_GRASS2, 'V'}, {PLATFORM_ROCK2, 'R'},     {PLATFORM_WOOD2, 'W'},
    {PLATFORM_GREEN, 'j'},  {PLATFORM_SPACE2, 'X'},    {GEM_NORMAL, '*'},
    {NOTHING, '.'},
};

constexpr char kRowFrame = '|';

std::string At(const std::string& sFile, int nLine) {
  return sFile + ":" + std::to_string(nLine) + ": ";
}

std::string CodePoint(char32_t ch) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(ch));
  return buf;
}

// Splits UTF-8 text into lines at LF, dropping the CR of a CR LF. A final line end adds no empty
// line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  // Some editors start a UTF-8 file with a byte-order mark; it is not part of the first line.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = next;
  }
  return lines;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trim(std::string_view s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// Parses a whole decimal number in [nMin, nMax]; nothing when the text is not one.
std::optional<int> ParseNumber(std::string_view s, int nMin, int nMax) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || ptr != s.data() + s.size() || value < nMin || value > nMax) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (true) {
    pos = s.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) break;
    size_t end = s.find_first_of(" \t", pos);
    if (end == std::string_view::npos) end = s.size();
    words.push_back(s.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

std::string Printable(char ch) {
  if (static_cast<unsigned char>(ch) >= 0x20 && static_cast<unsigned char>(ch) < 0x7F) {
    return std::string("'") + ch + "'";
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "byte 0x%02X", static_cast<unsigned char>(ch));
  return buf;
}

bool IsControl(char32_t ch) {
  return ch < 0x20 || ch == 0x7F;
}

}  // namespace

char CellChar(uint8_t nCode) {
  for (const CellCharEntry& entry : kCellChars) {
    if (entry.Code == nCode) return entry.Char;
  }
  if (const PowerUpInfo* row = FindPowerUp(nCode)) return row->Letter;
  return CELL_CHAR_RAW;
}

std::optional<uint8_t> CellCodeForChar(char ch) {
  for (const CellCharEntry& entry : kCellChars) {
    if (entry.Char == ch) return entry.Code;
  }
  for (const PowerUpInfo& row : PowerUpTable())
    if (row.Letter == ch) return row.Code;
  return std::nullopt;
}

std::string NameFromSource(std::string_view utf8, const std::string& sWhere) {
  std::string name;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<char32_t> ch = NextUtf8(utf8, pos);
    if (!ch) throw LevelTextError(sWhere + "the name is not valid UTF-8 text.");
    if (IsControl(*ch)) {
      throw LevelTextError(sWhere + "the name holds a control character (" + CodePoint(*ch) + ").");
    }
    const std::optional<uint8_t> byte = Cp1252Byte(*ch);
    if (!byte) {
      throw LevelTextError(sWhere + "the name holds " + CodePoint(*ch) +
                           ", which the game's Windows-1252 text cannot show.");
    }
    name += static_cast<char>(*byte);
  }
  if (name.size() > static_cast<size_t>(LEVEL_NAME_MAX)) {
    throw LevelTextError(sWhere + "the name is " + std::to_string(name.size()) +
                         " characters long; a level name has room for " +
                         std::to_string(LEVEL_NAME_MAX) + ".");
  }
  return name;
}

std::string NameToSource(std::string_view cp1252, const std::string& sWhere) {
  if (cp1252.size() > static_cast<size_t>(LEVEL_NAME_MAX)) {
    throw LevelTextError(sWhere + "the name is " + std::to_string(cp1252.size()) +
                         " characters long; a level name has room for " +
                         std::to_string(LEVEL_NAME_MAX) + ".");
  }
  std::string utf8;
  for (char byte : cp1252) {
    const char32_t ch = Cp1252Char(static_cast<uint8_t>(byte));
    if (IsControl(ch)) {
      throw LevelTextError(sWhere + "the name holds a control character (" + CodePoint(ch) + ").");
    }
    AppendUtf8(utf8, ch);
  }
  return utf8;
}

LevelSlotSource ParseLevelSource(std::string_view text, const std::string& sFile) {
  LevelSlotSource slot;
  const std::vector<std::string_view> lines = SplitLines(text);
  int rows = 0;
  int nameLine = 0;
  struct RawCell {
    int Line, Col, Row;
    uint8_t Code;
  };
  std::vector<RawCell> raws;
  std::array<int, LEVEL_SLOT_SIZE> rawLine{};  // for each '$' cell, the raw line that filled it
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const int lineNo = static_cast<int>(i) + 1;
    if (IsBlank(line) || line.front() == '#') continue;
    if (line.starts_with("name:")) {
      if (nameLine != 0) {
        throw LevelTextError(At(sFile, lineNo) + "a second name; the first is on line " +
                             std::to_string(nameLine) + ".");
      }
      std::string_view name = line.substr(5);
      if (name.starts_with(' ')) name.remove_prefix(1);
      slot.Name = NameFromSource(name, At(sFile, lineNo));
      nameLine = lineNo;
    } else if (line.front() == kRowFrame) {
      if (rows == LEVEL_ROWS) {
        throw LevelTextError(At(sFile, lineNo) + "a row past the last; a level has " +
                             std::to_string(LEVEL_ROWS) + " rows.");
      }
      const size_t close = line.find(kRowFrame, 1);
      if (close == std::string_view::npos) {
        throw LevelTextError(At(sFile, lineNo) + "row " + std::to_string(rows) +
                             " has no closing '|'.");
      }
      const std::string_view cells = line.substr(1, close - 1);
      if (cells.size() != static_cast<size_t>(LEVEL_COLUMNS)) {
        throw LevelTextError(At(sFile, lineNo) + "row " + std::to_string(rows) + " has " +
                             std::to_string(cells.size()) + " cells; a row has " +
                             std::to_string(LEVEL_COLUMNS) + ".");
      }
      const std::string_view label = Trim(line.substr(close + 1));
      if (!label.empty() && ParseNumber(label, rows, rows) != rows) {
        throw LevelTextError(At(sFile, lineNo) + "this is row " + std::to_string(rows) +
                             " of the grid, but it is labelled '" + std::string(label) + "'.");
      }
      for (int c = 0; c < LEVEL_COLUMNS; ++c) {
        if (cells[c] == CELL_CHAR_RAW) continue;  // filled by its raw line
        const std::optional<uint8_t> code = CellCodeForChar(cells[c]);
        if (!code) {
          throw LevelTextError(At(sFile, lineNo) + "unknown cell " + Printable(cells[c]) +
                               " in column " + std::to_string(c) +
                               " (see the legend in assets/levels/README.md).");
        }
        slot.Cell(c, rows) = *code;
      }
      for (int c = 0; c < LEVEL_COLUMNS; ++c) {
        if (cells[c] == CELL_CHAR_RAW) rawLine[rows + LEVEL_ROWS * c] = -lineNo;
      }
      ++rows;
    } else if (line.starts_with("raw ") || line.starts_with("raw\t")) {
      const std::vector<std::string_view> words = Words(line.substr(4));
      const std::optional<int> col =
          words.size() == 3 ? ParseNumber(words[0], 0, LEVEL_COLUMNS - 1) : std::nullopt;
      const std::optional<int> row =
          words.size() == 3 ? ParseNumber(words[1], 0, LEVEL_ROWS - 1) : std::nullopt;
      const std::optional<int> code =
          words.size() == 3 ? ParseNumber(words[2], 0, 255) : std::nullopt;
      if (!col || !row || !code) {
        throw LevelTextError(At(sFile, lineNo) +
                             "a raw cell is written \"raw COLUMN ROW CODE\" with column 0 to " +
                             std::to_string(LEVEL_COLUMNS - 1) + ", row 0 to " +
                             std::to_string(LEVEL_ROWS - 1) + " and code 0 to 255.");
      }
      raws.push_back({lineNo, *col, *row, static_cast<uint8_t>(*code)});
    } else {
      throw LevelTextError(At(sFile, lineNo) +
                           "not a name, grid row or raw cell: lines start with \"name:\", '|', "
                           "\"raw\" or '#'.");
    }
  }
  if (rows != LEVEL_ROWS) {
    throw LevelTextError(At(sFile, static_cast<int>(lines.size())) + "the grid has " +
                         std::to_string(rows) + " rows; a level has " + std::to_string(LEVEL_ROWS) +
                         ".");
  }
  for (const RawCell& raw : raws) {
    int& state = rawLine[raw.Row + LEVEL_ROWS * raw.Col];
    if (state == 0) {
      throw LevelTextError(At(sFile, raw.Line) + "cell (" + std::to_string(raw.Col) + ", " +
                           std::to_string(raw.Row) + ") is not marked '$' in the grid.");
    }
    if (state > 0) {
      throw LevelTextError(At(sFile, raw.Line) + "cell (" + std::to_string(raw.Col) + ", " +
                           std::to_string(raw.Row) + ") was already given on line " +
                           std::to_string(state) + ".");
    }
    state = raw.Line;
    slot.Cell(raw.Col, raw.Row) = raw.Code;
  }
  for (int c = 0; c < LEVEL_COLUMNS; ++c) {
    for (int r = 0; r < LEVEL_ROWS; ++r) {
      if (rawLine[r + LEVEL_ROWS * c] < 0) {
        throw LevelTextError(At(sFile, -rawLine[r + LEVEL_ROWS * c]) + "cell (" +
                             std::to_string(c) + ", " + std::to_string(r) +
                             ") is marked '$' but no \"raw " + std::to_string(c) + " " +
                             std::to_string(r) + " CODE\" line gives its code.");
      }
    }
  }
  return slot;
}

std::string LevelSourceText(const LevelSlotSource& slot, int nSlot) {
  std::string text = "# Level slot " + std::to_string(nSlot) +
                     ": 32 columns x 30 rows, one character a cell (legend in "
                     "assets/levels/README.md).\n";
  if (slot.Name) {
    text += "name: " + NameToSource(*slot.Name, "level slot " + std::to_string(nSlot) + ": ");
    text += '\n';
  }
  text += "#0         1         2         3\n";
  text += "#01234567890123456789012345678901\n";
  std::string raws;
  for (int r = 0; r < LEVEL_ROWS; ++r) {
    text += kRowFrame;
    for (int c = 0; c < LEVEL_COLUMNS; ++c) text += CellChar(slot.Cell(c, r));
    text += kRowFrame;
    text += ' ';
    text += std::to_string(r);
    text += '\n';
  }
  for (int r = 0; r < LEVEL_ROWS; ++r) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      const uint8_t code = slot.Cell(c, r);
      if (CellChar(code) == CELL_CHAR_RAW) {
        raws += "raw " + std::to_string(c) + " " + std::to_string(r) + " " + std::to_string(code) +
                "\n";
      }
    }
  }
  return text + raws;
}

int ParseSetSource(std::string_view text, const std::string& sFile) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::optional<int> count;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const int lineNo = static_cast<int>(i) + 1;
    if (IsBlank(line) || line.front() == '#') continue;
    if (!line.starts_with("count:")) {
      throw LevelTextError(At(sFile, lineNo) + "the set file holds only \"count: N\".");
    }
    if (count) throw LevelTextError(At(sFile, lineNo) + "a second count.");
    count = ParseNumber(Trim(line.substr(6)), LEVEL_COUNT_MIN, LEVEL_COUNT_MAX);
    if (!count) {
      throw LevelTextError(At(sFile, lineNo) + "the count must be a number from " +
                           std::to_string(LEVEL_COUNT_MIN) + " to " +
                           std::to_string(LEVEL_COUNT_MAX) + ", the levels the game plays.");
    }
  }
  if (!count) {
    throw LevelTextError(At(sFile, static_cast<int>(lines.size())) +
                         "no \"count: N\" line giving the number of levels.");
  }
  return *count;
}

std::string SetSourceText(int nCount) {
  return "# How many of the 31 level slots the game plays, from the first on (5 to 31).\n"
         "# Slots past the count are kept as they are but never played.\n"
         "count: " +
         std::to_string(nCount) + "\n";
}
