// The cells each drawing tool touches: a line, a rectangle, a flood fill.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tools/level_editor/level_document.h"

namespace level_editor {

std::vector<CellPos> LineCells(CellPos a, CellPos b) {
  // Bresenham's walk: one step along the longer axis each cell, a step along the shorter one
  // whenever the error says so, so each cell touches the one before it at least by a corner.
  const int dx = std::abs(b.Col - a.Col), dy = -std::abs(b.Row - a.Row);
  const int sx = a.Col < b.Col ? 1 : -1, sy = a.Row < b.Row ? 1 : -1;
  std::vector<CellPos> cells;
  cells.reserve(static_cast<size_t>(std::max(dx, -dy)) + 1);
  int err = dx + dy;
  CellPos at = a;
  for (;;) {
    cells.push_back(at);
    if (at == b) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      at.Col += sx;
    }
    if (e2 <= dx) {
      err += dx;
      at.Row += sy;
    }
  }
  return cells;
}

std::vector<CellPos> RectCells(CellPos a, CellPos b, bool bFilled) {
  const int left = std::min(a.Col, b.Col), right = std::max(a.Col, b.Col);
  const int top = std::min(a.Row, b.Row), bottom = std::max(a.Row, b.Row);
  std::vector<CellPos> cells;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      const bool edge = r == top || r == bottom || c == left || c == right;
      if (bFilled || edge) cells.push_back({c, r});
    }
  }
  return cells;
}

std::vector<CellPos> FillCells(const LevelSet& levels, int nLevel, CellPos start) {
  auto inside = [](CellPos p) {
    return p.Col >= 0 && p.Col < LEVEL_COLUMNS && p.Row >= 0 && p.Row < LEVEL_ROWS;
  };
  if (nLevel < 1 || nLevel > LEVEL_SLOTS || !inside(start)) return {};
  const uint8_t code = levels.Cell(nLevel, start.Col, start.Row);
  std::vector<bool> seen(LEVEL_SLOT_SIZE, false);
  std::vector<CellPos> region, todo{start};
  seen[start.Row + LEVEL_ROWS * start.Col] = true;
  while (!todo.empty()) {
    const CellPos at = todo.back();
    todo.pop_back();
    region.push_back(at);
    for (const CellPos next : {CellPos{at.Col + 1, at.Row}, CellPos{at.Col - 1, at.Row},
                               CellPos{at.Col, at.Row + 1}, CellPos{at.Col, at.Row - 1}}) {
      if (!inside(next) || seen[next.Row + LEVEL_ROWS * next.Col]) continue;
      if (levels.Cell(nLevel, next.Col, next.Row) != code) continue;
      seen[next.Row + LEVEL_ROWS * next.Col] = true;
      todo.push_back(next);
    }
  }
  return region;
}

}  // namespace level_editor
