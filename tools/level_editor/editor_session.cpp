#include "tools/level_editor/editor_session.h"

#include <algorithm>
#include <system_error>

#include "base/paths.h"

namespace fs = std::filesystem;

namespace level_editor {

EditorSession::EditorSession() {
  Canvas.Fit();
}

std::string EditorSession::Open(const LevelFiles& files) {
  OpenResult opened = OpenLevelFiles(files.LevelFile, files.NamesFile);
  if (!opened.Document) {
    Message = "Cannot open: " + opened.Error;
    return opened.Error;
  }
  Tools.Cancel(doc_);
  doc_ = std::move(*opened.Document);
  files_ = files;
  level_ = std::clamp(level_, 1, LEVEL_SLOTS);
  Message = "Opened " + files.Title();
  return "";
}

std::string EditorSession::Save() {
  if (!files_) {
    Message = "A new level set has no file yet: use Save As";
    return Message;
  }
  return SaveAs(*files_);
}

std::string EditorSession::SaveAs(const LevelFiles& files) {
  Tools.Cancel(doc_);
  if (files.IsPack()) {
    std::error_code ec;
    fs::create_directories(files.PackFolder, ec);
    if (ec) {
      Message = "Cannot make the folder " + files.Title() + ": " + ec.message();
      return ec.message();
    }
  }
  const std::string error = SaveLevelFiles(doc_, files.LevelFile, files.NamesFile);
  if (!error.empty()) {
    Message = "Not saved: " + error;
    return error;
  }
  doc_.MarkSaved();
  files_ = files;
  Message = "Saved " + files.Title();
  return "";
}

std::string EditorSession::Import(const fs::path& folder) {
  OpenResult opened = ImportLevelSources(folder);
  if (!opened.Document) {
    Message = "Cannot import: " + opened.Error;
    return opened.Error;
  }
  Tools.Cancel(doc_);
  doc_ = std::move(*opened.Document);
  files_.reset();  // a set made from sources is saved where the designer says
  Message = "Imported " + PathText(folder) + " (not yet saved to a level file)";
  return "";
}

std::string EditorSession::Export(const fs::path& folder) {
  const std::string error = ExportLevelSources(doc_, folder);
  Message = error.empty() ? "Exported to " + PathText(folder)
                          : "Cannot export: " + error;
  return error;
}

void EditorSession::New() {
  Tools.Cancel(doc_);
  doc_ = LevelDocument();
  files_.reset();
  level_ = 1;
  Message = "A new level set";
}

void EditorSession::SelectLevel(int nLevel) {
  if (nLevel == level_) return;
  Tools.Cancel(doc_);
  level_ = std::clamp(nLevel, 1, LEVEL_SLOTS);
}

// An undo or redo on another level shows that level, so the designer sees what came back.
bool EditorSession::Undo() {
  Tools.Cancel(doc_);
  const int level = doc_.UndoLevel();
  if (!doc_.Undo()) return false;
  if (level != 0) level_ = level;
  return true;
}

bool EditorSession::Redo() {
  Tools.Cancel(doc_);
  const int level = doc_.RedoLevel();
  if (!doc_.Redo()) return false;
  if (level != 0) level_ = level;
  return true;
}

void EditorSession::PointerDown(float x, float y, PointerButton button, KeyMods mods) {
  if (button == PointerButton::Middle) {
    panning_ = true;
    pan_x_ = x;
    pan_y_ = y;
    return;
  }
  CellPos cell;
  if (!Canvas.CellUnder(x, y, cell)) return;
  const bool pick = button == PointerButton::Right || mods.Alt;
  if (pick && Tools.Dragging()) return;
  Tools.Press(doc_, level_, cell, pick);
}

void EditorSession::PointerMove(float x, float y) {
  CellPos cell;
  if (Canvas.CellUnder(x, y, cell))
    hover_ = cell;
  else
    hover_.reset();
  if (panning_) {
    Canvas.ScrollBy(pan_x_ - x, pan_y_ - y);
    pan_x_ = x;
    pan_y_ = y;
  }
  if (Tools.Dragging()) Tools.Drag(doc_, Canvas.CellAt(x, y));
}

void EditorSession::PointerUp(float x, float y, PointerButton button) {
  if (button == PointerButton::Middle) {
    panning_ = false;
    return;
  }
  if (button == PointerButton::Left && Tools.Dragging()) Tools.Release(doc_, Canvas.CellAt(x, y));
}

void EditorSession::CancelDrag() {
  Tools.Cancel(doc_);
  panning_ = false;
}

}  // namespace level_editor
