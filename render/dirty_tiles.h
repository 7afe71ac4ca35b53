#pragma once
// Where the pieces of the particle effects were drawn, as a few rectangles. The screen's window is
// cut into tiles of 64 x 64 pixels; each tile keeps the box around the marks made in it, and each
// tile with marks gives its box, except that tiles marked all over are joined into runs. Pieces
// flying apart over the whole screen then cost little more than the pieces themselves, not the
// box around them all nor the whole tiles they are in, and the list of places stays short however
// many pieces there are.
#include <array>
#include <cstdint>
#include <vector>

#include "base/rect.h"

class DirtyTiles {
 public:
  static constexpr int32_t kTile = 64;
  static constexpr int32_t kColumns = (800 + kTile - 1) / kTile;  // 13, the last one cut short
  static constexpr int32_t kRows = (600 + kTile - 1) / kTile;     // 10, the last one cut short

  DirtyTiles() { boxes_.fill(kNone); }
  // Nothing marked; `window` is the 800 x 600 place the marks are in.
  void Start(const Rect& window) {
    window_ = window;
    boxes_.fill(kNone);
  }
  // Marks `place` in the tiles it touches; the part outside the window is left out.
  void Mark(const Rect& place);
  // The rectangles, within the window, that cover every mark and nothing else of the boxes around
  // the marks in each tile; none overlaps another.
  std::vector<Rect> Places() const;

 private:
  // A tile's box with no marks in it: any mark's box is its own.
  static constexpr Rect kNone{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  // Tile (r, c), window-relative, cut short at the window's edges.
  Rect Tile(int32_t r, int32_t c) const;

  Rect window_{0, 0, 800, 600};
  std::array<Rect, kRows * kColumns> boxes_;  // around the marks in each tile, window-relative
};
