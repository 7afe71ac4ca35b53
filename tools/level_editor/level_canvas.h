#pragma once
// Where the level lies in the editor's window: the canvas (the part of the window between the
// panels), the zoom (window pixels per level pixel) and the scroll position (the level pixel at the
// canvas's top-left corner). Turns pointer positions into cells and cells into window rectangles.
// No SDL and no document: the window feeds it sizes and pointer positions.
#include <span>

#include "tools/level_editor/level_document.h"

namespace level_editor {

constexpr int CELL_WIDTH = 50;
constexpr int CELL_HEIGHT = 20;
constexpr int LEVEL_WIDTH = CELL_WIDTH * LEVEL_COLUMNS;  // 1600
constexpr int LEVEL_HEIGHT = CELL_HEIGHT * LEVEL_ROWS;   // 600

struct CanvasRect {
  float X = 0, Y = 0, W = 0, H = 0;
  bool Contains(float x, float y) const { return x >= X && y >= Y && x < X + W && y < Y + H; }
};

// The zoom steps of + and - and of the wheel.
std::span<const float> ZoomSteps();

class LevelCanvas {
 public:
  // The part of the window the level is drawn in. Keeps the level point at the canvas's centre
  // where it was.
  void SetArea(const CanvasRect& area);
  const CanvasRect& Area() const { return area_; }

  float Zoom() const { return zoom_; }
  float ScrollX() const { return scroll_x_; }
  float ScrollY() const { return scroll_y_; }

  // The level point under a window point, and back.
  float LevelX(float x) const { return (x - area_.X) / zoom_ + scroll_x_; }
  float LevelY(float y) const { return (y - area_.Y) / zoom_ + scroll_y_; }
  float WindowX(float levelX) const { return area_.X + (levelX - scroll_x_) * zoom_; }
  float WindowY(float levelY) const { return area_.Y + (levelY - scroll_y_) * zoom_; }

  // The cell under a window point, also beyond the level's edges (a drag may leave the level).
  CellPos CellAt(float x, float y) const;
  // Whether a cell is one of the level's 32 x 30.
  static bool InLevel(CellPos cell) {
    return cell.Col >= 0 && cell.Col < LEVEL_COLUMNS && cell.Row >= 0 && cell.Row < LEVEL_ROWS;
  }
  // The cell under the pointer, when the pointer is over the canvas and the cell in the level.
  bool CellUnder(float x, float y, CellPos& cell) const;
  // The window rectangle of a cell.
  CanvasRect CellRect(CellPos cell) const;

  // A new zoom (kept within the steps' range) with the level point under window point (x, y)
  // staying there.
  void ZoomAround(float x, float y, float zoom);
  // One zoom step in (+1) or out (-1) around a window point.
  void StepZoom(int direction, float x, float y);
  void StepZoom(int direction) { StepZoom(direction, area_.X + area_.W / 2, area_.Y + area_.H / 2); }
  // The whole level in the canvas, with a small margin.
  void Fit();
  // Moves the view by window pixels (a drag of the middle button moves it by minus the drag).
  void ScrollBy(float dx, float dy);
  void ScrollTo(float levelX, float levelY);
  // Scrolls so that the cell is in the middle of the canvas (a check's mark clicked in a list).
  void CenterOn(CellPos cell);

 private:
  // A level smaller than the canvas is centred in it; a larger one cannot be scrolled past its
  // edges.
  void Clamp();

  CanvasRect area_{0, 0, 800, 600};
  float zoom_ = 1;
  float scroll_x_ = 0, scroll_y_ = 0;
};

}  // namespace level_editor
