#pragma once
// The level editor's document: a level set with its names, changed only through edits that can
// be undone and redone for the whole session. The editor's window, its tools and its checks all
// work on this model; it knows nothing of SDL or of windows.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/level_set.h"

namespace level_editor {

struct CellPos {
  int Col = 0, Row = 0;
  bool operator==(const CellPos&) const = default;
};

// ---- Shapes: which cells a tool touches (pure functions, no document) ----
// Every cell on the line from a to b, ends included, each neighbour of the last (8-connected):
// a fast drag becomes such lines, so it never skips a cell.
std::vector<CellPos> LineCells(CellPos a, CellPos b);
// The rectangle with corners a and b, filled or as its outline.
std::vector<CellPos> RectCells(CellPos a, CellPos b, bool bFilled);
// The 4-connected region of cells holding the same code as `start` on level nLevel.
std::vector<CellPos> FillCells(const LevelSet& levels, int nLevel, CellPos start);

// ---- The document ----
class LevelDocument {
 public:
  LevelDocument();  // an empty set: count 5, every cell NOTHING, names "Level 1".. "Level 31"
  // names: one per slot from slot 1 on, up to 31 ("" allowed; missing ones are ""). The names
  // file is written with at least as many lines as were given here, so a set opened and saved
  // again keeps its names file as it was.
  LevelDocument(LevelSet levels, std::vector<std::string> names);

  const LevelSet& Levels() const { return levels_; }
  const std::vector<std::string>& Names() const { return names_; }
  int LevelCount() const { return levels_.LevelCount; }

  // Every edit is one undo step, and none is made when it would change nothing.
  // Cells outside the level are ignored. Returns whether anything changed.
  // sVerb names the tool in the undo menu ("Fill" gives "Fill 12 cells"); the default is
  // "Paint", or "Erase" for NOTHING.
  bool SetCells(int nLevel, const std::vector<CellPos>& cells, uint8_t nCode,
                std::string_view sVerb = {});
  // A stroke: painting while the button is held becomes one undo step. Begin, then Extend with
  // each new pointer cell (the line from the last one is painted), then End. The cells change at
  // once (Revision moves with them); any other edit, Undo or Redo ends the stroke first.
  void BeginStroke(int nLevel, uint8_t nCode, CellPos at);
  void ExtendStroke(CellPos to);
  void EndStroke();
  bool InStroke() const { return stroke_.has_value(); }
  bool Rename(int nLevel, const std::string& sName);  // Windows-1252 bytes, cut to LEVEL_NAME_MAX
  bool Duplicate(int nFrom, int nTo);                 // cells and name of nFrom over nTo
  bool Swap(int nA, int nB);                          // cells and names
  bool Clear(int nLevel);                             // every cell NOTHING, the name kept
  bool SetLevelCount(int nCount);                     // LEVEL_COUNT_MIN to LEVEL_COUNT_MAX

  bool CanUndo() const;
  bool CanRedo() const;
  bool Undo();
  bool Redo();
  // What the next Undo / Redo would undo, for the menu ("Paint 12 cells", "Rename level 3").
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  // The level the next Undo / Redo changes cells or the name of (to show it first), 0 when it
  // changes the count or two levels, or there is nothing to undo / redo.
  int UndoLevel() const;
  int RedoLevel() const;

  // Counts every change, undo and redo included: a check is worth redoing when it moved.
  uint64_t Revision() const { return revision_; }
  // Whether the document differs from what was last opened or saved.
  bool Modified() const;
  void MarkSaved();

  // How many lines the names file gets: every played level's, every slot given a name, and at
  // least as many as the document was made with.
  int NamesFileLines() const;
  // Bytes a level file held after its record; the game keeps them, and so does a save.
  const std::vector<uint8_t>& LevelFileTail() const { return tail_; }
  void KeepLevelFileTail(std::vector<uint8_t> tail) { tail_ = std::move(tail); }

 private:
  struct CellChange {
    uint16_t Index;  // in LevelGrid
    uint8_t Before, After;
  };
  struct NameChange {
    int Slot;
    std::string Before, After;
  };
  // One undo step: what it changed, as before and after values.
  struct Step {
    std::string Label;
    std::vector<CellChange> Cells;
    std::vector<NameChange> Names;
    int16_t CountBefore = 0, CountAfter = 0;
    uint64_t State = 0, StateBefore = 0;  // which document state it leads to, and from
    int Level() const;
  };
  struct Stroke {
    Step Painted;
    int Level = 0;
    uint8_t Code = 0;
    CellPos Last;
  };

  void Paint(Step& step, int nLevel, CellPos at, uint8_t nCode);
  void Apply(const Step& step, bool bForward);
  bool Commit(Step step);
  Step NewStep(std::string sLabel);
  void SetSlot(Step& step, int nLevel, const uint8_t* cells);
  void SetName(Step& step, int nLevel, const std::string& sName);

  LevelSet levels_;
  std::vector<std::string> names_;
  uint64_t revision_ = 0;
  std::vector<Step> undo_, redo_;
  std::optional<Stroke> stroke_;
  uint64_t state_ = 0, savedState_ = 0, nextState_ = 1;
  int namesLines_ = 0;
  std::vector<uint8_t> tail_;
};

// ---- Files ----
// A level file with its names file ("Levels.dat" + "LevelNames_zt.txt"), or a level pack folder
// holding both under those names. Reading refuses a damaged file with a readable reason and
// changes nothing; writing is atomic (base/files.h WriteFileAtomically), both files or neither.
struct OpenResult {
  std::optional<LevelDocument> Document;
  std::string Error;  // empty on success
};
OpenResult OpenLevelFiles(const std::filesystem::path& levelFile,
                          const std::filesystem::path& namesFile);
std::string SaveLevelFiles(const LevelDocument& doc, const std::filesystem::path& levelFile,
                           const std::filesystem::path& namesFile);  // "" or the reason
// The two files of a level pack folder: its "Levels.dat" and "LevelNames_zt.txt".
struct LevelFilePaths {
  std::filesystem::path LevelFile, NamesFile;
};
LevelFilePaths LevelPackFiles(const std::filesystem::path& folder);
// The level text sources (tools/level_packer): a folder with set.txt and level01..31.txt.
OpenResult ImportLevelSources(const std::filesystem::path& folder);
std::string ExportLevelSources(const LevelDocument& doc, const std::filesystem::path& folder);

// ---- Live checks ----
// The heads-up display is drawn over rows 0 to 2 of every screen the level scrolls through: a
// platform there is hidden under it.
constexpr int DISPLAY_ROWS = 3;
struct ItemMark {
  CellPos At;
  uint8_t Code = 0;
  bool Gem = true;
};
struct RuleBreak {
  CellPos At;           // where to mark it (-1, -1 for the whole level)
  std::string Message;  // "Row 1 holds a platform: the heads-up display covers rows 0 to 2"
};
struct LevelCheck {
  int Level = 0;
  uint64_t Revision = 0;              // the document revision checked
  std::vector<ItemMark> Unreachable;  // gems and power-ups the hero cannot touch
  std::vector<RuleBreak> Breaks;      // display rows, start cell, a level that cannot be won
  int GemsTotal = 0, GemsReached = 0;
  double SurviveSeconds = -1;  // a hero standing at the start under the bombs; -1 not yet known
  // Whether every part is in: the rules and the bombs come at once, the reach (Unreachable,
  // GemsReached and the breaks that follow from it) only when Complete.
  bool Complete = false;
  // The bombs are played a few times from different random starts; the figures are the middle
  // ones. SurvivesAll: the hero outlasted SURVIVE_SECONDS_MAX in most of them.
  bool SurvivesAll = false;
  double FirstHitSeconds = -1;  // when the first bomb reaches the standing hero; -1 never
};
// The game time a standing hero is tried for.
constexpr double SURVIVE_SECONDS_MAX = 120;
// The rules and the bombs of one level, without the reach (quick).
LevelCheck CheckLevelRules(const LevelSet& levels, int nLevel, uint64_t nRevision);
// Adds the reach of every gem and power-up (the level checker's proof; seconds on a level with an
// item out of reach). `bStop` is asked every so often; when it says stop, the check stays
// incomplete.
void AddReach(LevelCheck& check, const LevelSet& levels, const std::function<bool()>& bStop = {});
// Runs the checks of one level (level checker + rules + simulator) synchronously.
LevelCheck CheckLevelNow(const LevelSet& levels, int nLevel, uint64_t nRevision);
// Runs checks on a worker thread. Post a snapshot whenever the document moved; Latest() returns
// the newest finished result (never blocks). A newer post makes an older unfinished one moot.
// The quick part of a check is published first (Complete false), the whole check after it.
class LiveChecker {
 public:
  LiveChecker();
  ~LiveChecker();
  LiveChecker(const LiveChecker&) = delete;
  LiveChecker& operator=(const LiveChecker&) = delete;
  void Post(const LevelSet& levels, int nLevel, uint64_t nRevision);
  std::optional<LevelCheck> Latest() const;
  bool Busy() const;

 private:
  struct Worker;
  std::unique_ptr<Worker> worker_;
};

}  // namespace level_editor
