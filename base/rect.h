#pragma once
// A rectangle in pixels, the overlap test of the play field, and the merging of the places a
// frame repaints.
#include <algorithm>
#include <cstdint>
#include <vector>

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

inline int64_t Area(const Rect& r) {
  return static_cast<int64_t>(r.Right - r.Left) * (r.Bottom - r.Top);
}

// Rectangles that overlap are joined into the rectangle around both wherever that covers no more
// than the two did together, so what is copied is copied once. The rectangles' union only grows.
// They are kept in order of their tops, so a rectangle is only held against those that start
// above its bottom; joining keeps the order, as the top of the one around both is the first's.
inline void MergeOverlapping(std::vector<Rect>& rects) {
  std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.Top < b.Top; });
  // A rectangle joined into another is only marked gone while the joining goes on, and all of them
  // leave together at the end: the others keep their places, and nothing is moved up each time.
  std::vector<char> gone(rects.size(), 0);
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < rects.size(); ++i) {
      if (gone[i]) continue;
      for (size_t j = i + 1; j < rects.size() && rects[j].Top < rects[i].Bottom; ++j) {
        const Rect& a = rects[i];
        const Rect& b = rects[j];
        if (gone[j] || !IntersectRect(a, b)) continue;
        const Rect both{std::min(a.Left, b.Left), a.Top, std::max(a.Right, b.Right),
                        std::max(a.Bottom, b.Bottom)};
        if (Area(both) > Area(a) + Area(b)) continue;
        rects[i] = both;
        gone[j] = 1;
        merged = true;
      }
    }
  }
  size_t kept = 0;
  for (size_t i = 0; i < rects.size(); ++i)
    if (!gone[i]) rects[kept++] = rects[i];
  rects.resize(kept);
}
