#pragma once
// Where the pieces of the particle effects were drawn, as a few rectangles. The screen's window is
// cut into tiles of 64 x 64 pixels; a piece marks the tiles it touches, and each run of marked
// tiles along a tile row becomes one rectangle, carried down while the rows below mark the same
// run. Pieces flying apart over the whole screen then cost the tiles they are in, not the box
// around them all, and the list of places stays short however many pieces there are.
#include <array>
#include <cstdint>
#include <vector>

#include "base/rect.h"

class DirtyTiles {
 public:
  static constexpr int32_t kTile = 64;
  static constexpr int32_t kColumns = (800 + kTile - 1) / kTile;  // 13, the last one cut short
  static constexpr int32_t kRows = (600 + kTile - 1) / kTile;     // 10, the last one cut short

  // Nothing marked; `window` is the 800 x 600 place the marks are in.
  void Start(const Rect& window) {
    window_ = window;
    rows_.fill(0);
  }
  // Marks the tiles `place` touches; the part outside the window is left out.
  void Mark(const Rect& place);
  // The rectangles, within the window, that cover every marked tile and nothing else.
  std::vector<Rect> Places() const;

 private:
  Rect window_{0, 0, 800, 600};
  std::array<uint32_t, kRows> rows_{};  // bit c of row r: the tile in column c is marked
};
