#pragma once
// The table of the ten best scores and its 240-byte file: ten entries of a 20-byte name (8-bit
// text, padded with spaces) and a little-endian 32-bit score, best first.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int HIGHSCORE_ENTRIES = 10;
constexpr size_t HIGHSCORE_NAME_LENGTH = 20;
constexpr size_t HIGHSCORE_ENTRY_SIZE = 24;
constexpr size_t HIGHSCORE_FILE_SIZE = 240;

struct HighScoreEntry {
  std::string Name = std::string(HIGHSCORE_NAME_LENGTH, ' ');  // always 20 characters
  int32_t Score = 0;
  bool operator==(const HighScoreEntry&) const = default;
};

using HighScoreTable = std::array<HighScoreEntry, HIGHSCORE_ENTRIES>;

// Left-aligned in 20 characters: shorter names padded with spaces, longer ones cut.
std::string FixedName(std::string_view sName);
HighScoreTable DefaultHighScores();
std::vector<uint8_t> HighScoreBytes(const HighScoreTable& table);
// Entries the data does not wholly cover keep their entry of `fallback` (a short file leaves the
// rest of the table as it was).
HighScoreTable ParseHighScores(std::span<const uint8_t> bytes, const HighScoreTable& fallback);

// Enters a score by the table's rules: below every entry with the same score or a better one, the
// entries after it moving down one place and the last dropping out. Returns its place, or -1 when
// the score does not beat the lowest entry (and the table is unchanged).
int EnterHighScore(HighScoreTable& table, const HighScoreEntry& entry);

const char* HighScoreFileName(bool bExtra);
