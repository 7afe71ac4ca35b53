#include "data/level_set.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "base/failure.h"
#include "data/cell_codes.h"

namespace {

std::vector<uint8_t> RandomLevelFile(uint32_t seed, int16_t count) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> bytes(LEVEL_RECORD_SIZE);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  bytes[0] = static_cast<uint8_t>(count & 0xFF);
  bytes[1] = static_cast<uint8_t>((count >> 8) & 0xFF);
  return bytes;
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    ParseLevelFile(bytes);
  } catch (const GameError& e) {
    EXPECT_EQ(e.Number(), ERR_BAD_FILE_FORMAT);
    return e.what();
  }
  return "";
}

TEST(LevelFile, CellsSitWhereTheFileHasThem) {
  LevelSet levels;
  levels.LevelCount = 31;
  levels.Cell(1, 2, 28) = 0xA1;
  levels.Cell(2, 0, 0) = 0xA2;
  levels.Cell(31, 31, 29) = 0xA3;
  const std::vector<uint8_t> bytes = LevelFileBytes(levels);
  ASSERT_EQ(bytes.size(), 29762u);
  EXPECT_EQ(bytes[90], 0xA1);     // 2 + 30 * 2 + 28
  EXPECT_EQ(bytes[962], 0xA2);    // slot 2 starts after one slot of 960
  EXPECT_EQ(bytes[29761], 0xA3);  // the very last byte
  EXPECT_EQ(bytes[0], 31);
  EXPECT_EQ(bytes[1], 0);
}

TEST(LevelFile, CellOutsideTheGridIsRefused) {
  LevelSet levels;
  const int outside[][3] = {{0, 0, 0}, {32, 0, 0}, {1, -1, 0}, {1, 32, 0}, {1, 0, -1}, {1, 0, 30}};
  for (const auto& at : outside) {
    try {
      levels.Cell(at[0], at[1], at[2]);
      ADD_FAILURE() << "no error at " << at[0] << "," << at[1] << "," << at[2];
    } catch (const GameError& e) {
      EXPECT_EQ(e.Number(), 9);  // subscript out of range
    }
  }
}

TEST(LevelFile, ReadAndWrittenBackByteForByte) {
  for (int16_t count : {5, 17, 31}) {
    const std::vector<uint8_t> bytes = RandomLevelFile(count, count);
    const LevelSet levels = ParseLevelFile(bytes);
    EXPECT_EQ(levels.LevelCount, count);
    EXPECT_EQ(LevelFileBytes(levels), bytes);
  }
  // Bytes after the record belong to no level.
  std::vector<uint8_t> longer = RandomLevelFile(7, 31);
  const std::vector<uint8_t> record = longer;
  longer.insert(longer.end(), {1, 2, 3});
  EXPECT_EQ(LevelFileBytes(ParseLevelFile(longer)), record);
}

TEST(LevelFile, ShortFilesAndImpossibleCountsAreRefused) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::string message;
  };
  const Case cases[] = {
      {{}, "Level file is 0 bytes, shorter than the 29762-byte level record."},
      {std::vector<uint8_t>(120, 31),
       "Level file is 120 bytes, shorter than the 29762-byte level record."},
      {std::vector<uint8_t>(29761, 31),
       "Level file is 29761 bytes, shorter than the 29762-byte level record."},
      {RandomLevelFile(1, 4), "Level file holds 4 levels; the game plays 5 to 31."},
      {RandomLevelFile(2, 32), "Level file holds 32 levels; the game plays 5 to 31."},
      {RandomLevelFile(3, 0), "Level file holds 0 levels; the game plays 5 to 31."},
      {RandomLevelFile(4, -1), "Level file holds -1 levels; the game plays 5 to 31."},
      {RandomLevelFile(5, 1), "Level file holds 1 level; the game plays 5 to 31."},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.bytes), c.message);
}

TEST(LevelNames, LinesEndWithCrLfOrLf) {
  struct Case {
    std::string text;
    int count;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"One\r\nTwo\r\n", 2, {"One", "Two"}},
      {"One\nTwo\n", 2, {"One", "Two"}},
      {"One\r\nTwo\nThree", 3, {"One", "Two", "Three"}},  // mixed, no final line end
      {"One\r\nTwo\r\nThree\r\n", 2, {"One", "Two"}},     // lines past the count are ignored
      {"\r\n\nThird", 3, {"", "", "Third"}},              // empty names are names
      {"A\rB\r\nC\r", 2, {"A\rB", "C\r"}},                // a lone CR is part of the name
      {"Caf\xE9 \x80\r\n", 1, {"Caf\xE9 \x80"}},          // 8-bit bytes pass untouched
      {"", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseLevelNames(c.text, c.count), c.names);
  }
}

TEST(LevelNames, ANameTooLongForTheLevelScreenIsCut) {
  const std::string huge(1 << 20, 'W');  // a megabyte of name once cost the preview 700 MB
  const std::vector<std::string> names = ParseLevelNames(huge + "\r\nNext\r\n", 2);
  EXPECT_EQ(names[0], std::string(LEVEL_NAME_MAX, 'W'));
  EXPECT_EQ(names[1], "Next");
}

TEST(LevelNames, TooFewLinesIsInputPastEndOfFile) {
  for (const char* text : {"", "One\r\n", "One\r\nTwo", "One\n\n"}) {
    SCOPED_TRACE(text);
    try {
      ParseLevelNames(text, 3);
      ADD_FAILURE() << "no error";
    } catch (const GameError& e) {
      EXPECT_EQ(e.Number(), ERR_INPUT_PAST_END);
      EXPECT_STREQ(e.what(), "Input past end of file");
    }
  }
}

TEST(LevelNames, WrittenWithCrLfAndReadBack) {
  const std::vector<std::string> names = {"First", "", "Caf\xE9", "Last one"};
  const std::string text = LevelNamesText(names);
  EXPECT_EQ(text, "First\r\n\r\nCaf\xE9\r\nLast one\r\n");
  EXPECT_EQ(ParseLevelNames(text, 4), names);
  EXPECT_THROW(LevelNamesText({"Two\nlines"}), GameError);
  EXPECT_THROW(LevelNamesText({"Ends in CR\r"}), GameError);
}

TEST(CellCodes, PaletteListsEveryNamedCodeInOrder) {
  const auto table = CellCodeTable();
  ASSERT_EQ(table.size(), 33u);
  EXPECT_STREQ(table.front().Name, "PLATFORM_SAND");
  EXPECT_STREQ(table.back().Name, "NOTHING!!");
  std::set<std::string> labels;
  for (size_t i = 0; i < table.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(table[i - 1].Code, table[i].Code);
    }
    EXPECT_EQ(FindCellCode(table[i].Code), &table[i]);
    labels.insert(table[i].Label);
  }
  EXPECT_EQ(labels.size(), table.size());
  EXPECT_STREQ(FindCellCode(NOTHING)->Label, "clear");
  EXPECT_EQ(FindCellCode(17), nullptr);
}

}  // namespace
