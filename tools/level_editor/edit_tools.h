#pragma once
// The editor's tools and what a press, a drag and a release of the pointer do with each of them on
// the document: the pencil and the eraser paint a stroke that never skips a cell, the line and the
// rectangle show their cells while dragged and paint them on release, the fill floods a region,
// the picker takes a cell's code, and the play-test tool asks the window to play from a cell.
// Pointer positions come as cells, which may lie outside the level while a drag leaves it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/level_editor/level_document.h"

namespace level_editor {

enum class Tool { Pencil, Line, Rectangle, Fill, Eraser, Picker, PlayTest };

struct ToolInfo {
  Tool Kind;
  const char* Name;
  const char* Key;  // the shortcut, as the menus show it
  const char* Hint;  // what a click does, for the status bar
};
const ToolInfo& InfoOf(Tool tool);
// Every tool in the order the tool bar shows them.
const std::vector<Tool>& AllTools();

class EditTools {
 public:
  Tool Current() const { return tool_; }
  // Chooses a tool; a drag under way is cancelled. Choosing the picker remembers the tool to go
  // back to once a code is picked.
  void Choose(Tool tool);
  bool bFilled = false;  // the rectangle tool fills

  uint8_t Code() const { return code_; }
  void SetCode(uint8_t nCode) { code_ = nCode; }
  // What the pencil, line, rectangle and fill paint: the chosen code, or NOTHING for the eraser.
  uint8_t PaintCode() const;

  // The left button on cell `at` of level nLevel. `bPick` (Alt held, or the right button) picks
  // the cell's code whatever the tool. A press outside the level does nothing.
  void Press(LevelDocument& doc, int nLevel, CellPos at, bool bPick = false);
  // The pointer moved to `at` with the button held.
  void Drag(LevelDocument& doc, CellPos at);
  // The button let go at `at`.
  void Release(LevelDocument& doc, CellPos at);
  // Esc: a line or rectangle being dragged is dropped (a stroke already painted stays, one step).
  void Cancel(LevelDocument& doc);
  bool Dragging() const { return drag_.has_value(); }

  // The cells a line or rectangle being dragged would paint (empty otherwise).
  std::vector<CellPos> Preview() const;

  // A click of the play-test tool: the cell to play from, taken once.
  std::optional<CellPos> TakePlayRequest();

 private:
  struct DragState {
    int Level = 1;
    Tool Kind = Tool::Pencil;
    CellPos From, To;
  };
  void Pick(const LevelDocument& doc, int nLevel, CellPos at);

  Tool tool_ = Tool::Pencil;
  Tool before_picker_ = Tool::Pencil;
  uint8_t code_ = 0;
  std::optional<DragState> drag_;
  std::optional<CellPos> play_request_;
};

}  // namespace level_editor
