#include "data/high_scores.h"

#include "base/failure.h"
#include "data/file_io.h"

std::string FixedName(std::string_view sName) {
  std::string name(sName.substr(0, HIGHSCORE_NAME_LENGTH));
  name.resize(HIGHSCORE_NAME_LENGTH, ' ');
  return name;
}

HighScoreTable DefaultHighScores() {
  HighScoreTable table;
  for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
    table[i].Name = FixedName("Pibo");
    table[i].Score = 15000 - 1000 * i;
  }
  return table;
}

std::vector<uint8_t> HighScoreBytes(const HighScoreTable& table) {
  std::vector<uint8_t> bytes;
  bytes.reserve(HIGHSCORE_FILE_SIZE);
  for (const HighScoreEntry& entry : table) {
    const std::string name = FixedName(entry.Name);
    bytes.insert(bytes.end(), name.begin(), name.end());
    const auto score = static_cast<uint32_t>(entry.Score);
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<uint8_t>(score >> shift));
  }
  return bytes;
}

HighScoreTable ParseHighScores(std::span<const uint8_t> bytes, const HighScoreTable& fallback) {
  HighScoreTable table = fallback;
  for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
    const size_t at = HIGHSCORE_ENTRY_SIZE * i;
    if (bytes.size() < at + HIGHSCORE_ENTRY_SIZE) break;
    table[i].Name.assign(reinterpret_cast<const char*>(&bytes[at]), HIGHSCORE_NAME_LENGTH);
    uint32_t score = 0;
    for (int k = 3; k >= 0; --k) score = (score << 8) | bytes[at + HIGHSCORE_NAME_LENGTH + k];
    table[i].Score = static_cast<int32_t>(score);
  }
  return table;
}

int EnterHighScore(HighScoreTable& table, const HighScoreEntry& entry) {
  if (entry.Score <= table[HIGHSCORE_ENTRIES - 1].Score) return -1;
  int p = 0;
  while (p < HIGHSCORE_ENTRIES && table[p].Score >= entry.Score) ++p;
  for (int j = HIGHSCORE_ENTRIES - 1; j > p; --j) table[j] = table[j - 1];
  table[p] = HighScoreEntry{FixedName(entry.Name), entry.Score};
  return p;
}

const char* HighScoreFileName(bool bExtra) {
  return bExtra ? "HighScores_zt_e.dat" : "HighScores_zt.dat";
}
