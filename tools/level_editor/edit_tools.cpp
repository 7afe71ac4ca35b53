#include "tools/level_editor/edit_tools.h"

#include <algorithm>

#include "data/cell_codes.h"
#include "tools/level_editor/level_canvas.h"

namespace level_editor {

namespace {

const std::vector<ToolInfo> kTools{
    {Tool::Pencil, "Pencil", "P", "click or drag to paint cells"},
    {Tool::Line, "Line", "L", "drag a line, paints on release"},
    {Tool::Rectangle, "Rectangle", "R", "drag a rectangle (Shift+R: filled), paints on release"},
    {Tool::Fill, "Fill", "F", "click to fill the region of like cells"},
    {Tool::Eraser, "Eraser", "E", "click or drag to empty cells"},
    {Tool::Picker, "Picker", "I", "click a cell to take its code (also right click, Alt+click)"},
    {Tool::PlayTest, "Play here", "F5", "click a cell to play the level from there"},
};

}  // namespace

const ToolInfo& InfoOf(Tool tool) {
  return *std::find_if(kTools.begin(), kTools.end(),
                       [tool](const ToolInfo& info) { return info.Kind == tool; });
}

const std::vector<Tool>& AllTools() {
  static const std::vector<Tool> tools = [] {
    std::vector<Tool> all;
    for (const ToolInfo& info : kTools) all.push_back(info.Kind);
    return all;
  }();
  return tools;
}

void EditTools::Choose(Tool tool) {
  drag_.reset();
  if (tool == Tool::Picker && tool_ != Tool::Picker) before_picker_ = tool_;
  tool_ = tool;
}

uint8_t EditTools::PaintCode() const {
  return tool_ == Tool::Eraser ? NOTHING : code_;
}

void EditTools::Pick(const LevelDocument& doc, int nLevel, CellPos at) {
  code_ = doc.Levels().Cell(nLevel, at.Col, at.Row);
}

void EditTools::Press(LevelDocument& doc, int nLevel, CellPos at, bool bPick) {
  if (!LevelCanvas::InLevel(at) || drag_) return;
  if (bPick) {
    Pick(doc, nLevel, at);
    return;
  }
  switch (tool_) {
    case Tool::Pencil:
    case Tool::Eraser:
      doc.BeginStroke(nLevel, PaintCode(), at);
      drag_ = DragState{nLevel, tool_, at, at};
      break;
    case Tool::Line:
    case Tool::Rectangle:
      drag_ = DragState{nLevel, tool_, at, at};
      break;
    case Tool::Fill:
      doc.SetCells(nLevel, FillCells(doc.Levels(), nLevel, at), PaintCode());
      break;
    case Tool::Picker:
      Pick(doc, nLevel, at);
      tool_ = before_picker_;
      break;
    case Tool::PlayTest:
      play_request_ = at;
      break;
  }
}

void EditTools::Drag(LevelDocument& doc, CellPos at) {
  if (!drag_) return;
  // A line or a rectangle dragged beyond the level ends at its edge.
  if (drag_->Kind == Tool::Line || drag_->Kind == Tool::Rectangle)
    at = CellPos{std::clamp(at.Col, 0, LEVEL_COLUMNS - 1), std::clamp(at.Row, 0, LEVEL_ROWS - 1)};
  if (drag_->To == at) return;
  drag_->To = at;
  if (drag_->Kind == Tool::Pencil || drag_->Kind == Tool::Eraser) doc.ExtendStroke(at);
}

void EditTools::Release(LevelDocument& doc, CellPos at) {
  if (!drag_) return;
  Drag(doc, at);
  const DragState done = *drag_;
  drag_.reset();
  if (done.Kind == Tool::Pencil || done.Kind == Tool::Eraser)
    doc.EndStroke();
  else
    doc.SetCells(done.Level,
                 done.Kind == Tool::Line ? LineCells(done.From, done.To)
                                         : RectCells(done.From, done.To, bFilled),
                 PaintCode());
}

void EditTools::Cancel(LevelDocument& doc) {
  if (drag_ && (drag_->Kind == Tool::Pencil || drag_->Kind == Tool::Eraser)) doc.EndStroke();
  drag_.reset();
}

std::vector<CellPos> EditTools::Preview() const {
  if (!drag_) return {};
  if (drag_->Kind == Tool::Line) return LineCells(drag_->From, drag_->To);
  if (drag_->Kind == Tool::Rectangle) return RectCells(drag_->From, drag_->To, bFilled);
  return {};
}

std::optional<CellPos> EditTools::TakePlayRequest() {
  std::optional<CellPos> request = play_request_;
  play_request_.reset();
  return request;
}

}  // namespace level_editor
