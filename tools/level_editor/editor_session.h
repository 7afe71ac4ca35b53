#pragma once
// The editor without its window: the document and the files it came from, the level shown, the
// tools, and where the level lies in the window. The window hands it the pointer's presses, moves
// and releases in window pixels and the commands of its menus and keys; everything it does to the
// level set goes through the document, so every change can be undone. No SDL here, so all of it
// can be tried without a screen.
#include <filesystem>
#include <optional>
#include <string>

#include "tools/level_editor/command_line.h"
#include "tools/level_editor/edit_tools.h"
#include "tools/level_editor/level_canvas.h"
#include "tools/level_editor/level_document.h"

namespace level_editor {

enum class PointerButton { Left, Middle, Right };

struct KeyMods {
  bool Shift = false, Ctrl = false, Alt = false;
};

class EditorSession {
 public:
  EditorSession();

  LevelDocument& Doc() { return doc_; }
  const LevelDocument& Doc() const { return doc_; }
  // The files the document was opened from or last saved to (none for a new set).
  const std::optional<LevelFiles>& Files() const { return files_; }

  // Each returns "" when done, else the reason, and then changes nothing. A message for the
  // status bar is left in Message either way.
  std::string Open(const LevelFiles& files);
  std::string Save();  // to Files(); a new set has none: use SaveAs
  std::string SaveAs(const LevelFiles& files);
  std::string Import(const std::filesystem::path& folder);
  std::string Export(const std::filesystem::path& folder);
  // A new set: five empty levels, no files.
  void New();

  int Level() const { return level_; }
  void SelectLevel(int nLevel);  // 1 to 31

  // Undo and redo; a line or rectangle being dragged is dropped first, and the level changed is
  // shown.
  bool Undo();
  bool Redo();

  // The pointer on the canvas, in window pixels. The left button works the current tool (with
  // Alt it picks), the right button picks, the middle button drags the view.
  void PointerDown(float x, float y, PointerButton button, KeyMods mods = {});
  void PointerMove(float x, float y);
  void PointerUp(float x, float y, PointerButton button);
  bool Panning() const { return panning_; }
  // The cell under the pointer, when it is over the level.
  std::optional<CellPos> Hover() const { return hover_; }
  // Esc: a drag under way stops.
  void CancelDrag();

  EditTools Tools;
  LevelCanvas Canvas;
  std::string Message;

 private:
  LevelDocument doc_;
  std::optional<LevelFiles> files_;
  int level_ = 1;
  bool panning_ = false;
  float pan_x_ = 0, pan_y_ = 0;
  std::optional<CellPos> hover_;
};

}  // namespace level_editor
