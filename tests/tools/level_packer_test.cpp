#include "tools/level_packer/level_packer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <sstream>

#include "data/cell_codes.h"
#include "data/file_io.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string AsText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// A scratch folder, removed with everything in it at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int serial = 0;
    path_ = fs::temp_directory_path() /
            ("pibo-levels-test-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

int RunPacker(const std::vector<std::string>& args, std::string* messages = nullptr) {
  std::ostringstream err;
  const int rc = RunLevelPacker(args, err);
  if (messages != nullptr) *messages = err.str();
  return rc;
}

// One valid level source, with a line to break in each error case.
std::string GoodLevelSource() {
  LevelSlotSource slot;
  slot.Name = "Test Level";
  slot.Cells.fill(NOTHING);
  for (int c = 0; c < LEVEL_COLUMNS; ++c) slot.Cell(c, 29) = PLATFORM_MACHINE;
  slot.Cell(4, 28) = GEM_NORMAL;
  slot.Cell(7, 3) = 200;  // written as '$' with a raw line
  return LevelSourceText(slot, 1);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(LevelText, EveryCodeHasOneWayToBeWritten) {
  std::set<char> used;
  for (int code = 0; code < 256; ++code) {
    const char ch = CellChar(static_cast<uint8_t>(code));
    if (ch == CELL_CHAR_RAW) {
      EXPECT_TRUE(code >= 17 && code != GEM_NORMAL && code != NOTHING && !IsPowerUpCode(code))
          << code;
      continue;
    }
    EXPECT_TRUE(used.insert(ch).second) << "character used twice: " << ch;
    EXPECT_EQ(CellCodeForChar(ch), code);
  }
  EXPECT_EQ(used.size(), 17u + 13u + 2u);  // platforms, power-ups, gem, empty
  EXPECT_FALSE(CellCodeForChar('|'));
  EXPECT_FALSE(CellCodeForChar(CELL_CHAR_RAW));
}

TEST(LevelText, SlotSurvivesTextAndBack) {
  std::mt19937 rng(42);
  LevelSlotSource slot;
  for (uint8_t& cell : slot.Cells) cell = static_cast<uint8_t>(rng());
  slot.Name = " Caf\xE9 \x80\x81 spaces kept  ";
  const LevelSlotSource back = ParseLevelSource(LevelSourceText(slot, 9), "level09.txt");
  EXPECT_EQ(back.Cells, slot.Cells);
  EXPECT_EQ(back.Name, slot.Name);

  slot.Name.reset();  // a slot past the count may have no name
  EXPECT_FALSE(ParseLevelSource(LevelSourceText(slot, 9), "level09.txt").Name);
  std::string crlf;  // CR LF line ends read the same as LF
  for (char ch : LevelSourceText(slot, 9)) crlf += ch == '\n' ? "\r\n" : std::string(1, ch);
  EXPECT_EQ(ParseLevelSource(crlf, "level09.txt").Cells, slot.Cells);
  EXPECT_EQ(ParseLevelSource("\xEF\xBB\xBF" + crlf, "level09.txt").Cells, slot.Cells);
}

TEST(LevelText, MistakesNameTheFileAndLine) {
  const std::string good = GoodLevelSource();
  ASSERT_NO_THROW(ParseLevelSource(good, "level01.txt"));
  const std::string row5 = "|................................| 5\n";
  const std::string row29 = "|mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm| 29\n";
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {Replace(good, row5, "|...............................| 5\n"),
       "level01.txt:10: row 5 has 31 cells; a row has 32."},
      {Replace(good, row5, "|....Z...........................| 5\n"),
       "level01.txt:10: unknown cell 'Z' in column 4"},
      {Replace(good, row5, "|................................ 5\n"),
       "level01.txt:10: row 5 has no closing '|'."},
      {Replace(good, row5, "|................................| 6\n"),
       "level01.txt:10: this is row 5 of the grid, but it is labelled '6'."},
      {Replace(good, row5, ""),  // the labels catch a lost row where it happened
       "level01.txt:10: this is row 5 of the grid, but it is labelled '6'."},
      {Replace(good, row29, ""), "level01.txt:34: the grid has 29 rows; a level has 30."},
      {Replace(good, row29, row29 + row29), "level01.txt:35: a row past the last"},
      {Replace(good, "raw 7 3 200", "raw 7 4 200"),
       "level01.txt:35: cell (7, 4) is not marked '$' in the grid."},
      {Replace(good, "raw 7 3 200\n", ""),
       "level01.txt:8: cell (7, 3) is marked '$' but no \"raw 7 3 CODE\" line gives its code."},
      {good + "raw 7 3 201\n", "level01.txt:36: cell (7, 3) was already given on line 35."},
      {Replace(good, "raw 7 3 200", "raw 7 3 256"), "level01.txt:35: a raw cell is written"},
      {good + "name: Again\n", "level01.txt:36: a second name; the first is on line 2."},
      {good + "gems: 1\n", "level01.txt:36: not a name, grid row or raw cell"},
      {Replace(good, "Test Level", std::string(41, 'x')),
       "level01.txt:2: the name is 41 characters long; a level name has room for 40."},
      {Replace(good, "Test Level", "\xE4\xB8\xAD"),
       "level01.txt:2: the name holds U+4E2D, which the game's Windows-1252 text cannot show."},
      {Replace(good, "Test Level", "Caf\xE9"), "level01.txt:2: the name is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    try {
      ParseLevelSource(c.text, "level01.txt");
      ADD_FAILURE() << "accepted; expected: " << c.message;
    } catch (const LevelTextError& e) {
      EXPECT_TRUE(std::string(e.what()).starts_with(c.message))
          << e.what() << "\n expected: " << c.message;
    }
  }
}

TEST(LevelText, NamesMapEveryWindows1252CharacterAndBack) {
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) {
    if (b != 0x7F) all += static_cast<char>(b);
  }
  for (size_t at = 0; at < all.size(); at += LEVEL_NAME_MAX) {
    const std::string name = all.substr(at, LEVEL_NAME_MAX);
    EXPECT_EQ(NameFromSource(NameToSource(name, ""), ""), name);
  }
  EXPECT_EQ(NameToSource("\x80\xE9", ""), "\xE2\x82\xAC\xC3\xA9");  // euro sign, e acute
  EXPECT_THROW(NameToSource("Line\x0A", ""), LevelTextError);
  EXPECT_THROW(NameToSource(std::string(41, 'x'), ""), LevelTextError);
  EXPECT_THROW(NameFromSource("\xC0\xAF", ""), LevelTextError);  // overlong form of '/'
}

TEST(LevelText, SetFileGivesThePlayedCount) {
  EXPECT_EQ(ParseSetSource(SetSourceText(31), "set.txt"), 31);
  EXPECT_EQ(ParseSetSource("# comment\r\ncount:  5\r\n", "set.txt"), 5);
  for (const char* bad : {"count: 4\n", "count: 32\n", "count: -1\n", "count: x\n", "",
                          "count: 6\ncount: 6\n", "levels: 6\n"}) {
    EXPECT_THROW(ParseSetSource(bad, "set.txt"), LevelTextError) << bad;
  }
}

// A random level file with a valid count, and names for some of its slots.
struct RandomSet {
  std::string levelFile;
  std::string namesFile;
};

RandomSet MakeRandomSet(uint32_t seed, int16_t count, int nameLines) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> bytes(LEVEL_RECORD_SIZE);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  bytes[0] = static_cast<uint8_t>(count);
  bytes[1] = 0;
  std::vector<std::string> names;
  for (int i = 0; i < nameLines; ++i) {
    std::string name;
    const int length = static_cast<int>(rng() % (LEVEL_NAME_MAX + 1));
    for (int k = 0; k < length; ++k) {
      int b = 0x20 + static_cast<int>(rng() % 0xE0);
      name += static_cast<char>(b == 0x7F ? 'x' : b);
    }
    names.push_back(name);
  }
  return {AsText(bytes), LevelNamesText(names)};
}

TEST(LevelPacker, RandomLevelFileUnpacksAndPacksBackToTheSameBytes) {
  struct Case {
    uint32_t seed;
    int16_t count;
    int nameLines;
  };
  for (const Case& c : {Case{1, 31, 31}, Case{2, 17, 17}, Case{3, 5, 23}}) {
    SCOPED_TRACE(c.seed);
    ScratchFolder dir;
    const RandomSet set = MakeRandomSet(c.seed, c.count, c.nameLines);
    WriteFile(dir / "Levels.dat", set.levelFile);
    WriteFile(dir / "Names.txt", set.namesFile);
    std::string messages;
    ASSERT_EQ(RunPacker({"unpack", (dir / "Levels.dat").string(), (dir / "Names.txt").string(),
                         (dir / "src").string()},
                        &messages),
              0)
        << messages;
    ASSERT_EQ(RunPacker({"pack", (dir / "src").string(), (dir / "Again.dat").string(),
                         (dir / "Again.txt").string()},
                        &messages),
              0)
        << messages;
    EXPECT_EQ(ReadFile(dir / "Again.dat"), set.levelFile);
    EXPECT_EQ(ReadFile(dir / "Again.txt"), set.namesFile);
    EXPECT_EQ(messages, "");
  }
}

TEST(LevelPacker, BadSourceLeavesTheOldOutputsAlone) {
  ScratchFolder dir;
  const RandomSet set = MakeRandomSet(9, 31, 31);
  WriteFile(dir / "Levels.dat", set.levelFile);
  WriteFile(dir / "Names.txt", set.namesFile);
  ASSERT_EQ(RunPacker({"unpack", (dir / "Levels.dat").string(), (dir / "Names.txt").string(),
                       (dir / "src").string()}),
            0);
  WriteFile(dir / "out.dat", "old level file");
  WriteFile(dir / "out.txt", "old names");
  const auto packInto = [&](std::string* messages) {
    return RunPacker(
        {"pack", (dir / "src").string(), (dir / "out.dat").string(), (dir / "out.txt").string()},
        messages);
  };
  struct Case {
    std::function<void()> spoil;
    std::string message;
  };
  const fs::path level12 = dir / "src" / "level12.txt";
  const std::string good12 = ReadFile(level12);
  const Case cases[] = {
      {[&] { WriteFile(level12, Replace(good12, "| 7\n", "x| 7\n")); },
       "level12.txt:12: row 7 has 33 cells"},
      {[&] { fs::remove(level12); }, "level12.txt: missing"},
      {[&] { WriteFile(dir / "src" / "level32.txt", ""); }, "level32.txt: not a level source"},
      {[&] { WriteFile(level12, Replace(good12, "name:", "# name:")); },
       "level12.txt: no \"name:\" line"},
      {[&] { WriteFile(dir / "src" / "set.txt", "count: 99\n"); }, "set.txt:1: the count"},
      // What the source says is quoted escaped, so it cannot clear the terminal.
      {[&] { WriteFile(level12, Replace(good12, "| 7\n", "| \x1b[2J\n")); },
       "level12.txt:12: this is row 7 of the grid, but it is labelled '\\x1b[2J'."},
      {[&] {
         WriteFile(level12, Replace(good12, "| 7\n", "| " + std::string(1 << 19, '7') + "\n"));
       },
       "characters more)"},
      // Sources no set could need are refused before a byte is read: far too large (sparse, so
      // they take no room), or a pipe that would never end.
      {[&] { fs::resize_file(level12, 300 << 20); },
       "level12.txt: File too large (314572800 bytes, at most 1048576)."},
      {[&] { fs::resize_file(dir / "src" / "set.txt", 300 << 20); },
       "set.txt: File too large (314572800 bytes, at most 1048576)."},
      {[&] {
         fs::remove(level12);
         ::mkfifo(level12.c_str(), 0600);
       },
       "level12.txt: Not a regular file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    c.spoil();
    std::string messages;
    EXPECT_EQ(packInto(&messages), 1);
    EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    EXPECT_EQ(messages.find('\x1b'), std::string::npos) << messages;
    EXPECT_LT(messages.size(), 1000u);
    EXPECT_EQ(ReadFile(dir / "out.dat"), "old level file");
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old names");
    // Put the source right again for the next case.
    fs::remove(dir / "src" / "level32.txt");
    fs::remove(level12);
    WriteFile(level12, good12);
    WriteFile(dir / "src" / "set.txt", SetSourceText(31));
  }
  std::string messages;
  ASSERT_EQ(packInto(&messages), 0) << messages;
  EXPECT_EQ(ReadFile(dir / "out.dat"), set.levelFile);
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST(LevelPacker, UnpackRefusesWhatItCannotKeepAndWritesNothing) {
  ScratchFolder dir;
  const RandomSet set = MakeRandomSet(5, 20, 20);
  const std::string manyNames = MakeRandomSet(6, 20, 32).namesFile;
  const std::string badName = set.namesFile.substr(0, set.namesFile.find('\n') + 1) + "\x01\r\n" +
                              set.namesFile.substr(set.namesFile.find('\n') + 1);
  struct Case {
    std::string levelFile, namesFile, message;
  };
  const Case cases[] = {
      {set.levelFile.substr(0, 500), set.namesFile, "Level file is 500 bytes"},
      {set.levelFile, set.namesFile.substr(0, set.namesFile.find('\n') + 1),
       "Names.txt:2: the names file ends after 1 lines"},
      {set.levelFile, manyNames, "Names.txt:32: the names file has 32 lines"},
      {set.levelFile, badName, "Names.txt:2: the name holds a control character"},
      {set.levelFile + std::string(LEVEL_FILE_LIMIT, 'x'), set.namesFile,
       "Levels.dat: File too large (" + std::to_string(LEVEL_RECORD_SIZE + LEVEL_FILE_LIMIT) +
           " bytes, at most " + std::to_string(LEVEL_FILE_LIMIT) + ")."},
      {set.levelFile, set.namesFile + std::string(LEVEL_NAMES_LIMIT, '\n'),
       "Names.txt: File too large ("},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    WriteFile(dir / "Levels.dat", c.levelFile);
    WriteFile(dir / "Names.txt", c.namesFile);
    std::string messages;
    EXPECT_EQ(RunPacker({"unpack", (dir / "Levels.dat").string(), (dir / "Names.txt").string(),
                         (dir / "out").string()},
                        &messages),
              1);
    EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(dir / "out"));
  }
  // A tail after the record belongs to no level: unpacked with a warning, not silently.
  WriteFile(dir / "Levels.dat", set.levelFile + "tail");
  WriteFile(dir / "Names.txt", set.namesFile);
  std::string messages;
  EXPECT_EQ(RunPacker({"unpack", (dir / "Levels.dat").string(), (dir / "Names.txt").string(),
                       (dir / "out").string()},
                      &messages),
            0);
  EXPECT_NE(messages.find("4 bytes after the level record"), std::string::npos) << messages;
}

// The sets the game ships must be playable by the rules the lists and the start of a level rely
// on (see assets/levels/README.md).
TEST(ShippedLevels, EverySetKeepsTheRules) {
  std::vector<std::array<uint8_t, LEVEL_SLOT_SIZE>> seenGrids;
  for (const char* setName : {"normal", "extra"}) {
    SCOPED_TRACE(setName);
    const LevelSetSource set =
        ReadLevelSources(fs::path(PIBO_SOURCE_DIR) / "assets" / "levels" / setName);
    EXPECT_EQ(set.Count, 31);
    ASSERT_NO_THROW(PackLevelSet(set));
    for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
      SCOPED_TRACE("level " + std::to_string(slot));
      const LevelSlotSource& level = set.Slots[slot - 1];
      ASSERT_TRUE(level.Name);
      EXPECT_FALSE(level.Name->empty());
      int platforms = 0, powerUps = 0, gems = 0;
      for (uint8_t code : level.Cells) {
        platforms += IsPlatformCode(code);
        powerUps += IsPowerUpCode(code);
        gems += IsGemCode(code);
        EXPECT_NE(CellChar(code), CELL_CHAR_RAW) << "an inert code in a shipped level";
      }
      EXPECT_GE(gems, 1);
      EXPECT_LE(platforms, 200);
      EXPECT_LE(powerUps, 25);
      EXPECT_LE(gems, 100);
      for (int c = 0; c < LEVEL_COLUMNS; ++c) {
        EXPECT_TRUE(IsPlatformCode(level.Cell(c, 29))) << "floor gap at column " << c;
      }
      for (int r = 24; r <= 28; ++r) {  // the hero's start and the bomb exits
        EXPECT_FALSE(IsPlatformCode(level.Cell(0, r))) << "row " << r;
        EXPECT_FALSE(IsPlatformCode(level.Cell(31, r))) << "row " << r;
      }
      for (const auto& other : seenGrids) EXPECT_NE(other, level.Cells) << "a copied level";
      seenGrids.push_back(level.Cells);
    }
  }
}

}  // namespace
