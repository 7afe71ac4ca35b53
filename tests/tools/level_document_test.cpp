// The level editor's document: the cells each tool touches, undo and redo across every kind of
// change, the level list, and its files (binary and text) with the damaged ones it refuses.
#include "tools/level_editor/level_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/files.h"
#include "data/cell_codes.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;
using namespace level_editor;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

bool Neighbours(CellPos a, CellPos b) {
  return std::max(std::abs(a.Col - b.Col), std::abs(a.Row - b.Row)) == 1;
}

std::set<std::pair<int, int>> AsSet(const std::vector<CellPos>& cells) {
  std::set<std::pair<int, int>> set;
  for (const CellPos c : cells) set.insert({c.Col, c.Row});
  return set;
}

// Everything an edit can change.
using Snapshot = std::pair<std::vector<uint8_t>, std::vector<std::string>>;
Snapshot Take(const LevelDocument& doc) {
  return {LevelFileBytes(doc.Levels()), doc.Names()};
}

std::vector<uint8_t> Text(std::string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace

TEST(LevelEditorShapes, LinesInEveryDirectionNeverSkipACell) {
  const CellPos from{15, 15};
  for (int dc = -12; dc <= 12; ++dc) {
    for (int dr = -12; dr <= 12; ++dr) {
      const CellPos to{from.Col + dc, from.Row + dr};
      const std::vector<CellPos> line = LineCells(from, to);
      ASSERT_EQ(line.front(), from);
      ASSERT_EQ(line.back(), to);
      // One cell per step along the longer axis: no cell twice, none left out.
      ASSERT_EQ(line.size(), static_cast<size_t>(std::max(std::abs(dc), std::abs(dr))) + 1);
      for (size_t i = 1; i < line.size(); ++i)
        ASSERT_TRUE(Neighbours(line[i - 1], line[i])) << dc << "," << dr << " at " << i;
    }
  }
}

TEST(LevelEditorShapes, RectanglesFilledAndOutlinedFromAnyCorner) {
  const auto filled = RectCells({7, 9}, {3, 4}, true);
  EXPECT_EQ(filled.size(), 5u * 6u);
  EXPECT_EQ(AsSet(filled), AsSet(RectCells({3, 4}, {7, 9}, true)));
  const auto outline = AsSet(RectCells({3, 9}, {7, 4}, false));
  EXPECT_EQ(outline.size(), 2u * 5u + 2u * 6u - 4u);
  EXPECT_TRUE(outline.contains({3, 4}) && outline.contains({7, 9}) && !outline.contains({5, 6}));
  EXPECT_EQ(RectCells({2, 2}, {2, 5}, false).size(), 4u);  // one column wide: every cell once
}

TEST(LevelEditorShapes, FillKeepsToItsCodeFourWaysAndStopsAtTheEdges) {
  LevelSet levels;
  levels.LevelCount = 5;
  levels.LevelGrid.fill(NOTHING);
  // A ring of rock round 3 x 3 empty cells; a cell of the ring's corner touches the outside
  // only by a corner, which a fill does not pass.
  for (const CellPos c : RectCells({10, 10}, {14, 14}, false)) levels.Cell(2, c.Col, c.Row) = 2;
  levels.Cell(2, 14, 14) = NOTHING;
  EXPECT_EQ(AsSet(FillCells(levels, 2, {12, 12})), AsSet(RectCells({11, 11}, {13, 13}, true)));
  EXPECT_EQ(FillCells(levels, 2, {10, 10}).size(), 15u);  // the ring less its open corner
  // Outside: the whole level but the ring and what it holds, bounded by the level's edges.
  EXPECT_EQ(FillCells(levels, 2, {0, 0}).size(), static_cast<size_t>(LEVEL_SLOT_SIZE - 25 + 1));
  EXPECT_TRUE(FillCells(levels, 2, {32, 0}).empty());
  EXPECT_TRUE(FillCells(levels, 0, {1, 1}).empty());
}

TEST(LevelEditorDocument, EveryKindOfChangeUndoesAndRedoesInOrder) {
  LevelDocument doc;
  std::vector<Snapshot> states{Take(doc)};
  std::vector<std::string> labels;
  auto edit = [&](bool changed) {
    ASSERT_TRUE(changed);
    states.push_back(Take(doc));
    labels.push_back(doc.UndoLabel());
  };
  edit(doc.SetCells(1, RectCells({0, 29}, {31, 29}, true), PLATFORM_ROCK, "Rectangle"));
  doc.BeginStroke(1, GEM_NORMAL, {2, 20});
  doc.ExtendStroke({9, 24});  // a fast drag: the cells between are painted too
  doc.EndStroke();
  edit(true);
  EXPECT_EQ(doc.Levels().Cell(1, 5, 22), GEM_NORMAL);  // on the line from (2, 20) to (9, 24)
  edit(doc.SetCells(1, FillCells(doc.Levels(), 1, {5, 5}), PLATFORM_ICE, "Fill"));
  edit(doc.SetCells(1, {{2, 20}, {40, 3}}, NOTHING));  // the cell outside is left out
  edit(doc.Rename(1, "First"));
  edit(doc.Duplicate(1, 4));
  edit(doc.Swap(1, 2));
  edit(doc.Clear(2));
  edit(doc.SetLevelCount(12));
  edit(doc.Rename(31, "Finale"));

  EXPECT_EQ(labels[0], "Rectangle 32 cells");
  EXPECT_EQ(labels[1], "Paint 8 cells");
  EXPECT_EQ(labels[3], "Erase 1 cell");
  EXPECT_EQ(labels[5], "Copy level 1 over level 4");

  for (size_t i = states.size() - 1; i > 0; --i) {
    EXPECT_EQ(doc.UndoLabel(), labels[i - 1]);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(Take(doc) == states[i - 1]) << "after undoing " << labels[i - 1];
  }
  EXPECT_FALSE(doc.Undo());
  EXPECT_FALSE(doc.Modified());
  // Redo half way, undo one, redo to the end: the same states again.
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(Take(doc) == states[i]) << "after redoing " << labels[i - 1];
    if (i == 5) {
      ASSERT_TRUE(doc.Undo() && doc.Redo());
      ASSERT_TRUE(Take(doc) == states[i]);
    }
  }
  EXPECT_FALSE(doc.Redo());
}

TEST(LevelEditorDocument, ANewEditDropsRedoAndNothingChangedMakesNoStep) {
  LevelDocument doc;
  ASSERT_TRUE(doc.SetCells(1, {{1, 1}}, 2));
  ASSERT_TRUE(doc.SetCells(1, {{2, 1}}, 2));
  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.CanRedo());
  EXPECT_FALSE(doc.SetCells(1, {{1, 1}}, 2));  // no change: redo stays
  EXPECT_FALSE(doc.Rename(1, "Level 1"));
  EXPECT_FALSE(doc.SetLevelCount(5));
  EXPECT_TRUE(doc.CanRedo());
  ASSERT_TRUE(doc.Rename(1, "New"));
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_FALSE(doc.Redo());
  EXPECT_EQ(doc.Levels().Cell(1, 2, 1), NOTHING);

  // A stroke that paints over what it holds is no step either; one that paints drops redo, and
  // each cell it paints moves the revision at once.
  ASSERT_TRUE(doc.Undo());
  doc.MarkSaved();
  doc.BeginStroke(1, 2, {1, 1});
  doc.EndStroke();
  EXPECT_TRUE(doc.CanRedo());
  const uint64_t revision = doc.Revision();
  doc.BeginStroke(3, 3, {1, 1});
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_GT(doc.Revision(), revision);
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.UndoLevel(), 3);
  ASSERT_TRUE(doc.Undo());  // ends the stroke and undoes all of it
  EXPECT_FALSE(doc.InStroke());
  EXPECT_FALSE(doc.Modified());
}

TEST(LevelEditorDocument, LevelListOperations) {
  LevelDocument doc;
  doc.SetCells(2, {{4, 4}}, GEM_NORMAL);
  doc.SetCells(7, {{5, 5}}, PLATFORM_WOOD);
  ASSERT_TRUE(doc.Duplicate(2, 9));
  EXPECT_EQ(doc.Levels().Cell(9, 4, 4), GEM_NORMAL);
  EXPECT_EQ(doc.Names()[8], "Level 2");
  ASSERT_TRUE(doc.Swap(2, 7));
  EXPECT_EQ(doc.Levels().Cell(2, 5, 5), PLATFORM_WOOD);
  EXPECT_EQ(doc.Levels().Cell(7, 4, 4), GEM_NORMAL);
  EXPECT_EQ(doc.Names()[6], "Level 2");
  ASSERT_TRUE(doc.Clear(7));
  EXPECT_EQ(doc.Levels().Cell(7, 4, 4), NOTHING);
  EXPECT_EQ(doc.Names()[6], "Level 2");  // the name stays
  EXPECT_FALSE(doc.Duplicate(0, 3) || doc.Swap(3, 32) || doc.Duplicate(4, 4));
  EXPECT_FALSE(doc.SetLevelCount(LEVEL_COUNT_MIN - 1));
  EXPECT_FALSE(doc.SetLevelCount(LEVEL_COUNT_MAX + 1));
  ASSERT_TRUE(doc.SetLevelCount(LEVEL_COUNT_MAX));
  // A name is one line of the names file, at most LEVEL_NAME_MAX long.
  ASSERT_TRUE(doc.Rename(5, "Two\r\n\x81lines " + std::string(60, 'x')));
  EXPECT_EQ(doc.Names()[4].size(), static_cast<size_t>(LEVEL_NAME_MAX));
  EXPECT_EQ(doc.Names()[4].substr(0, 10), "Twolines x");
}

class LevelEditorFiles : public ::testing::Test {
 protected:
  testing_support::ScratchFolder scratch_;
  fs::path levels_ = scratch_.Path() / "Levels.dat";
  fs::path names_ = scratch_.Path() / "LevelNames_zt.txt";
};

TEST_F(LevelEditorFiles, TheShippedSetsSaveByteForByteAsOpened) {
  for (const bool extra : {false, true}) {
    const fs::path levels = testing_support::GameFolder() / LevelFileName(extra);
    const fs::path names = testing_support::GameFolder() / LevelNamesFileName(extra);
    const OpenResult opened = OpenLevelFiles(levels, names);
    ASSERT_TRUE(opened.Document) << opened.Error;
    ASSERT_EQ(SaveLevelFiles(*opened.Document, levels_, names_), "");
    EXPECT_EQ(ReadBytes(levels_), ReadBytes(levels));
    EXPECT_EQ(ReadBytes(names_), ReadBytes(names));

    // Through the level sources and back: the same files again.
    const fs::path sources = scratch_.Path() / "sources";
    ASSERT_EQ(ExportLevelSources(*opened.Document, sources), "");
    const OpenResult imported = ImportLevelSources(sources);
    ASSERT_TRUE(imported.Document) << imported.Error;
    ASSERT_EQ(SaveLevelFiles(*imported.Document, levels_, names_), "");
    EXPECT_EQ(ReadBytes(levels_), ReadBytes(levels));
    EXPECT_EQ(ReadBytes(names_), ReadBytes(names));
  }
}

TEST_F(LevelEditorFiles, SlotsPastTheCountAndATailAreKeptAsLoaded) {
  LevelDocument made;
  made.SetLevelCount(6);
  made.SetCells(20, {{3, 3}}, 77);  // an unnamed code in a slot no one plays
  std::vector<uint8_t> bytes = LevelFileBytes(made.Levels());
  bytes.insert(bytes.end(), {1, 2, 3});
  WriteBytes(levels_, bytes);
  const std::vector<uint8_t> names = Text("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n\r\nSpare\r\n");
  WriteBytes(names_, names);
  OpenResult opened = OpenLevelFiles(levels_, names_);
  ASSERT_TRUE(opened.Document) << opened.Error;
  EXPECT_EQ(opened.Document->Names()[8], "Spare");
  const fs::path levels2 = scratch_.Path() / "L2.dat", names2 = scratch_.Path() / "N2.txt";
  ASSERT_EQ(SaveLevelFiles(*opened.Document, levels2, names2), "");
  EXPECT_EQ(ReadBytes(levels2), bytes);
  EXPECT_EQ(ReadBytes(names2), names);
  // More played levels than names: the new ones get lines of their own.
  ASSERT_TRUE(opened.Document->SetLevelCount(11));
  ASSERT_EQ(SaveLevelFiles(*opened.Document, levels2, names2), "");
  EXPECT_EQ(ReadBytes(names2), Text("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n\r\nSpare\r\n\r\n\r\n"));
}

TEST_F(LevelEditorFiles, DamagedFilesAreRefusedWithAReason) {
  const std::vector<uint8_t> good = LevelFileBytes(LevelDocument().Levels());
  const std::vector<uint8_t> fiveNames = Text("a\r\nb\r\nc\r\nd\r\ne\r\n");
  auto withCount = [&](int16_t count) {
    std::vector<uint8_t> bytes = good;
    bytes[0] = static_cast<uint8_t>(count & 0xFF);
    bytes[1] = static_cast<uint8_t>((count >> 8) & 0xFF);
    return bytes;
  };
  std::vector<uint8_t> huge = good;
  huge.resize(good.size() + 70000);
  std::vector<uint8_t> names32;
  for (int i = 0; i < 32; ++i) names32.insert(names32.end(), {'n', '\r', '\n'});
  struct Case {
    const char* what;
    std::vector<uint8_t> levels, names;
    const char* says;
  } cases[] = {
      {"short", {good.begin(), good.end() - 1}, fiveNames, "shorter"},
      {"count 0", withCount(0), fiveNames, "holds 0 levels"},
      {"count 32", withCount(32), fiveNames, "32 levels"},
      {"too few names", good, Text("a\r\nb\r\nc\r\nd"), "4 lines"},
      {"too many names", good, names32, "32 lines"},
      {"oversize", huge, fiveNames, "too large"},
  };
  for (const Case& c : cases) {
    WriteBytes(levels_, c.levels);
    WriteBytes(names_, c.names);
    const OpenResult opened = OpenLevelFiles(levels_, names_);
    EXPECT_FALSE(opened.Document) << c.what;
    EXPECT_NE(opened.Error.find(c.says), std::string::npos) << c.what << ": " << opened.Error;
  }
  const OpenResult missing = OpenLevelFiles(scratch_.Path() / "none.dat", names_);
  EXPECT_NE(missing.Error.find("none.dat"), std::string::npos) << missing.Error;
  const OpenResult sources = ImportLevelSources(scratch_.Path() / "nowhere");
  EXPECT_FALSE(sources.Document);
  EXPECT_NE(sources.Error.find("nowhere"), std::string::npos) << sources.Error;
}

TEST_F(LevelEditorFiles, AFailedSaveLeavesTheOldFiles) {
  LevelDocument old;
  ASSERT_EQ(SaveLevelFiles(old, levels_, names_), "");
  const std::vector<uint8_t> oldLevels = ReadBytes(levels_), oldNames = ReadBytes(names_);
  LevelDocument changed;
  changed.SetCells(1, {{0, 0}}, PLATFORM_SAND);
  changed.Rename(1, "Changed");

  // The names file cannot be written after the level file was: the level file is put back.
  SimulateFullDisk([&](const fs::path& file) { return file.filename() == names_.filename(); });
  const std::string reason = SaveLevelFiles(changed, levels_, names_);
  SimulateFullDisk({});
  EXPECT_NE(reason.find("nothing was saved"), std::string::npos) << reason;
  EXPECT_EQ(ReadBytes(levels_), oldLevels);
  EXPECT_EQ(ReadBytes(names_), oldNames);

  // A new pack whose names file cannot be made leaves no level file behind.
  const fs::path fresh = scratch_.Path() / "Fresh.dat";
  fs::create_directory(scratch_.Path() / "names-folder");
  EXPECT_NE(SaveLevelFiles(changed, fresh, scratch_.Path() / "names-folder"), "");
  EXPECT_FALSE(fs::exists(fresh));
}
