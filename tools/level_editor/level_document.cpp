// The document's edits and its history. Every edit changes the level set at once and keeps what
// it changed as before-and-after values, so a session's history costs a few bytes a cell, however
// long it runs.
#include "tools/level_editor/level_document.h"

#include <algorithm>
#include <array>
#include <set>

#include "base/text_encoding.h"
#include "data/cell_codes.h"

namespace level_editor {

namespace {

bool ValidSlot(int nLevel) {
  return nLevel >= 1 && nLevel <= LEVEL_SLOTS;
}

std::string CellsLabel(std::string_view sVerb, size_t nCells) {
  return std::string(sVerb) + " " + std::to_string(nCells) + (nCells == 1 ? " cell" : " cells");
}

std::string_view DefaultVerb(uint8_t nCode) {
  return nCode == NOTHING ? "Erase" : "Paint";
}

// A name as the names file and the level sources can hold it: one line without control
// characters (nor the bytes Windows-1252 leaves undefined), at most LEVEL_NAME_MAX bytes.
std::string CleanName(const std::string& sName) {
  std::string name;
  for (const char byte : sName) {
    const char32_t ch = Cp1252Char(static_cast<uint8_t>(byte));
    if (ch >= 0x20 && (ch < 0x7F || ch > 0x9F)) name += byte;
  }
  if (name.size() > static_cast<size_t>(LEVEL_NAME_MAX)) name.resize(LEVEL_NAME_MAX);
  return name;
}

}  // namespace

int LevelDocument::Step::Level() const {
  std::set<int> levels;
  for (const CellChange& change : Cells) levels.insert(change.Index / LEVEL_SLOT_SIZE + 1);
  for (const NameChange& change : Names) levels.insert(change.Slot);
  if (CountBefore != CountAfter || levels.size() != 1) return 0;
  return *levels.begin();
}

LevelDocument::LevelDocument() {
  levels_.LevelCount = LEVEL_COUNT_MIN;
  levels_.LevelGrid.fill(NOTHING);
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) names_.push_back("Level " + std::to_string(slot));
}

LevelDocument::LevelDocument(LevelSet levels, std::vector<std::string> names) : levels_(levels) {
  namesLines_ = std::min<int>(static_cast<int>(names.size()), LEVEL_SLOTS);
  names_ = std::move(names);
  names_.resize(LEVEL_SLOTS);
}

// ---- Building and committing steps ----

LevelDocument::Step LevelDocument::NewStep(std::string sLabel) {
  EndStroke();
  Step step;
  step.Label = std::move(sLabel);
  step.CountBefore = step.CountAfter = levels_.LevelCount;
  return step;
}

void LevelDocument::Paint(Step& step, int nLevel, CellPos at, uint8_t nCode) {
  if (!ValidSlot(nLevel) || at.Col < 0 || at.Col >= LEVEL_COLUMNS || at.Row < 0 ||
      at.Row >= LEVEL_ROWS)
    return;
  const int index = LevelCellIndex(nLevel, at.Col, at.Row);
  uint8_t& cell = levels_.LevelGrid[index];
  if (cell == nCode) return;
  step.Cells.push_back({static_cast<uint16_t>(index), cell, nCode});
  cell = nCode;
}

void LevelDocument::SetSlot(Step& step, int nLevel, const uint8_t* cells) {
  for (int i = 0; i < LEVEL_SLOT_SIZE; ++i) {
    const int index = LevelCellIndex(nLevel, 0, 0) + i;
    uint8_t& cell = levels_.LevelGrid[index];
    if (cell == cells[i]) continue;
    step.Cells.push_back({static_cast<uint16_t>(index), cell, cells[i]});
    cell = cells[i];
  }
}

void LevelDocument::SetName(Step& step, int nLevel, const std::string& sName) {
  std::string& name = names_[nLevel - 1];
  if (name == sName) return;
  step.Names.push_back({nLevel, name, sName});
  name = sName;
}

// The step's changes are already made; it becomes the newest undo step, and what could be
// redone is gone.
bool LevelDocument::Commit(Step step) {
  if (step.Cells.empty() && step.Names.empty() && step.CountBefore == step.CountAfter) return false;
  step.StateBefore = state_;
  step.State = state_ = nextState_++;
  ++revision_;
  redo_.clear();
  undo_.push_back(std::move(step));
  return true;
}

void LevelDocument::Apply(const Step& step, bool bForward) {
  if (bForward) {
    for (const CellChange& change : step.Cells) levels_.LevelGrid[change.Index] = change.After;
    for (const NameChange& change : step.Names) names_[change.Slot - 1] = change.After;
  } else {
    for (auto it = step.Cells.rbegin(); it != step.Cells.rend(); ++it)
      levels_.LevelGrid[it->Index] = it->Before;
    for (auto it = step.Names.rbegin(); it != step.Names.rend(); ++it)
      names_[it->Slot - 1] = it->Before;
  }
  levels_.LevelCount = bForward ? step.CountAfter : step.CountBefore;
  state_ = bForward ? step.State : step.StateBefore;
  ++revision_;
}

// ---- Edits ----

bool LevelDocument::SetCells(int nLevel, const std::vector<CellPos>& cells, uint8_t nCode,
                             std::string_view sVerb) {
  Step step = NewStep("");
  for (const CellPos at : cells) Paint(step, nLevel, at, nCode);
  step.Label = CellsLabel(sVerb.empty() ? DefaultVerb(nCode) : sVerb, step.Cells.size());
  return Commit(std::move(step));
}

void LevelDocument::BeginStroke(int nLevel, uint8_t nCode, CellPos at) {
  EndStroke();
  if (!ValidSlot(nLevel)) return;
  stroke_ = Stroke{Step{}, nLevel, nCode, at};
  stroke_->Painted.CountBefore = stroke_->Painted.CountAfter = levels_.LevelCount;
  ExtendStroke(at);
}

void LevelDocument::ExtendStroke(CellPos to) {
  if (!stroke_) return;
  Step& step = stroke_->Painted;
  const size_t before = step.Cells.size();
  for (const CellPos at : LineCells(stroke_->Last, to))
    Paint(step, stroke_->Level, at, stroke_->Code);
  stroke_->Last = to;
  if (step.Cells.size() == before) return;
  if (before == 0) {
    // The stroke's first change: from here on it is the newest step, as if committed.
    redo_.clear();
    step.StateBefore = state_;
    step.State = state_ = nextState_++;
  }
  ++revision_;
}

void LevelDocument::EndStroke() {
  if (!stroke_) return;
  Step step = std::move(stroke_->Painted);
  const uint8_t code = stroke_->Code;
  stroke_.reset();
  if (step.Cells.empty()) return;
  step.Label = CellsLabel(DefaultVerb(code), step.Cells.size());
  undo_.push_back(std::move(step));
}

bool LevelDocument::Rename(int nLevel, const std::string& sName) {
  if (!ValidSlot(nLevel)) return false;
  Step step = NewStep("Rename level " + std::to_string(nLevel));
  SetName(step, nLevel, CleanName(sName));
  return Commit(std::move(step));
}

bool LevelDocument::Duplicate(int nFrom, int nTo) {
  if (!ValidSlot(nFrom) || !ValidSlot(nTo) || nFrom == nTo) return false;
  Step step = NewStep("Copy level " + std::to_string(nFrom) + " over level " + std::to_string(nTo));
  SetSlot(step, nTo, levels_.Slot(nFrom).data());
  SetName(step, nTo, names_[nFrom - 1]);
  return Commit(std::move(step));
}

bool LevelDocument::Swap(int nA, int nB) {
  if (!ValidSlot(nA) || !ValidSlot(nB) || nA == nB) return false;
  Step step = NewStep("Swap levels " + std::to_string(nA) + " and " + std::to_string(nB));
  std::array<uint8_t, LEVEL_SLOT_SIZE> a, b;
  std::ranges::copy(levels_.Slot(nA), a.begin());
  std::ranges::copy(levels_.Slot(nB), b.begin());
  const std::string nameA = names_[nA - 1], nameB = names_[nB - 1];
  SetSlot(step, nA, b.data());
  SetSlot(step, nB, a.data());
  SetName(step, nA, nameB);
  SetName(step, nB, nameA);
  return Commit(std::move(step));
}

bool LevelDocument::Clear(int nLevel) {
  if (!ValidSlot(nLevel)) return false;
  Step step = NewStep("Clear level " + std::to_string(nLevel));
  std::array<uint8_t, LEVEL_SLOT_SIZE> empty;
  empty.fill(NOTHING);
  SetSlot(step, nLevel, empty.data());
  return Commit(std::move(step));
}

bool LevelDocument::SetLevelCount(int nCount) {
  if (nCount < LEVEL_COUNT_MIN || nCount > LEVEL_COUNT_MAX) return false;
  Step step = NewStep("Play " + std::to_string(nCount) + " levels");
  step.CountAfter = static_cast<int16_t>(nCount);
  levels_.LevelCount = step.CountAfter;
  return Commit(std::move(step));
}

// ---- History ----

bool LevelDocument::CanUndo() const {
  return !undo_.empty() || (stroke_ && !stroke_->Painted.Cells.empty());
}

bool LevelDocument::CanRedo() const {
  return !redo_.empty() && !(stroke_ && !stroke_->Painted.Cells.empty());
}

bool LevelDocument::Undo() {
  EndStroke();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Apply(step, false);
  redo_.push_back(std::move(step));
  return true;
}

bool LevelDocument::Redo() {
  EndStroke();
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Apply(step, true);
  undo_.push_back(std::move(step));
  return true;
}

std::string LevelDocument::UndoLabel() const {
  if (stroke_ && !stroke_->Painted.Cells.empty())
    return CellsLabel(DefaultVerb(stroke_->Code), stroke_->Painted.Cells.size());
  return undo_.empty() ? "" : undo_.back().Label;
}

std::string LevelDocument::RedoLabel() const {
  return CanRedo() ? redo_.back().Label : "";
}

int LevelDocument::UndoLevel() const {
  if (stroke_ && !stroke_->Painted.Cells.empty()) return stroke_->Level;
  return undo_.empty() ? 0 : undo_.back().Level();
}

int LevelDocument::RedoLevel() const {
  return CanRedo() ? redo_.back().Level() : 0;
}

bool LevelDocument::Modified() const {
  return state_ != savedState_;
}

void LevelDocument::MarkSaved() {
  savedState_ = state_;
}

int LevelDocument::NamesFileLines() const {
  int lines = std::max<int>(levels_.LevelCount, namesLines_);
  for (int slot = LEVEL_SLOTS; slot > lines; --slot) {
    if (!names_[slot - 1].empty()) return slot;
  }
  return lines;
}

}  // namespace level_editor
