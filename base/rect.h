#pragma once
// A rectangle in pixels, and the overlap test of the play field.
#include <algorithm>
#include <cstdint>

// Right and bottom are exclusive.
struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const Rect&) const = default;
};

// Two rectangles intersect when they overlap by at least one pixel; rectangles that only share an
// edge do not. A hero standing exactly on a platform therefore does not hit it.
inline bool IntersectRect(const Rect& a, const Rect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
         std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}
