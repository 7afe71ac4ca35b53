#include "tools/level_editor/level_canvas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace level_editor {

namespace {
constexpr std::array<float, 12> kZoomSteps{0.25f, 1 / 3.0f, 0.5f, 2 / 3.0f, 0.75f, 1.0f,
                                           1.25f, 1.5f,     2.0f, 3.0f,     4.0f,  6.0f};
constexpr float kFitMargin = 8;  // window pixels around a fitted level
}  // namespace

std::span<const float> ZoomSteps() {
  return kZoomSteps;
}

void LevelCanvas::SetArea(const CanvasRect& area) {
  const float centreX = LevelX(area_.X + area_.W / 2);
  const float centreY = LevelY(area_.Y + area_.H / 2);
  area_ = area;
  scroll_x_ = centreX - area_.W / 2 / zoom_;
  scroll_y_ = centreY - area_.H / 2 / zoom_;
  Clamp();
}

CellPos LevelCanvas::CellAt(float x, float y) const {
  return CellPos{static_cast<int>(std::floor(LevelX(x) / CELL_WIDTH)),
                 static_cast<int>(std::floor(LevelY(y) / CELL_HEIGHT))};
}

bool LevelCanvas::CellUnder(float x, float y, CellPos& cell) const {
  if (!area_.Contains(x, y)) return false;
  const CellPos at = CellAt(x, y);
  if (!InLevel(at)) return false;
  cell = at;
  return true;
}

CanvasRect LevelCanvas::CellRect(CellPos cell) const {
  const float x = WindowX(static_cast<float>(cell.Col * CELL_WIDTH));
  const float y = WindowY(static_cast<float>(cell.Row * CELL_HEIGHT));
  return CanvasRect{x, y, CELL_WIDTH * zoom_, CELL_HEIGHT * zoom_};
}

void LevelCanvas::ZoomAround(float x, float y, float zoom) {
  const float levelX = LevelX(x);
  const float levelY = LevelY(y);
  zoom_ = std::clamp(zoom, kZoomSteps.front() / 2, kZoomSteps.back());
  scroll_x_ = levelX - (x - area_.X) / zoom_;
  scroll_y_ = levelY - (y - area_.Y) / zoom_;
  Clamp();
}

// The next step a tenth or more away, so that a step from a fitted zoom is a visible one.
void LevelCanvas::StepZoom(int direction, float x, float y) {
  float next = zoom_;
  if (direction > 0) {
    const auto up = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_ * 1.1f);
    next = up != kZoomSteps.end() ? *up : kZoomSteps.back();
  } else if (direction < 0) {
    const auto down = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_ / 1.1f);
    next = down != kZoomSteps.begin() ? *(down - 1) : std::min(zoom_, kZoomSteps.front());
  }
  ZoomAround(x, y, next);
}

void LevelCanvas::Fit() {
  const float w = std::max(area_.W - 2 * kFitMargin, 1.0f);
  const float h = std::max(area_.H - 2 * kFitMargin, 1.0f);
  zoom_ = std::clamp(std::min(w / LEVEL_WIDTH, h / LEVEL_HEIGHT), kZoomSteps.front() / 2,
                     kZoomSteps.back());
  Clamp();
}

void LevelCanvas::ScrollBy(float dx, float dy) {
  scroll_x_ += dx / zoom_;
  scroll_y_ += dy / zoom_;
  Clamp();
}

void LevelCanvas::ScrollTo(float levelX, float levelY) {
  scroll_x_ = levelX;
  scroll_y_ = levelY;
  Clamp();
}

void LevelCanvas::CenterOn(CellPos cell) {
  ScrollTo((cell.Col + 0.5f) * CELL_WIDTH - area_.W / 2 / zoom_,
           (cell.Row + 0.5f) * CELL_HEIGHT - area_.H / 2 / zoom_);
}

void LevelCanvas::Clamp() {
  const auto clampAxis = [](float& scroll, float visible, float size) {
    if (visible >= size)
      scroll = -(visible - size) / 2;  // the level in the middle
    else
      scroll = std::clamp(scroll, 0.0f, size - visible);
  };
  clampAxis(scroll_x_, area_.W / zoom_, LEVEL_WIDTH);
  clampAxis(scroll_y_, area_.H / zoom_, LEVEL_HEIGHT);
}

}  // namespace level_editor
