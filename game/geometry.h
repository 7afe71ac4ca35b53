#pragma once
// Rectangle tests of the play field.
#include <algorithm>

#include "engines/surface.h"

// Two rectangles intersect when they overlap by at least one pixel; rectangles that only share an
// edge do not. A hero standing exactly on a platform therefore does not hit it.
inline bool IntersectRect(const Rect& a, const Rect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
         std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}
