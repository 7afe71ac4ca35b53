#include "render/dirty_tiles.h"

#include <algorithm>

void DirtyTiles::Mark(const Rect& place) {
  const int32_t left = std::max(place.Left, window_.Left) - window_.Left;
  const int32_t top = std::max(place.Top, window_.Top) - window_.Top;
  const int32_t right = std::min(place.Right, window_.Right) - window_.Left;
  const int32_t bottom = std::min(place.Bottom, window_.Bottom) - window_.Top;
  if (left >= right || top >= bottom) return;
  const int32_t c0 = left / kTile, c1 = std::min((right - 1) / kTile, kColumns - 1);
  const int32_t r0 = top / kTile, r1 = std::min((bottom - 1) / kTile, kRows - 1);
  const uint32_t bits = ((2u << c1) - 1) & ~((1u << c0) - 1);
  for (int32_t r = r0; r <= r1; ++r) rows_[r] |= bits;
}

std::vector<Rect> DirtyTiles::Places() const {
  struct Run {
    int32_t First, Last;  // tile columns, both marked
    size_t Place;         // its rectangle so far
  };
  const auto marked = [this](int32_t r, int32_t c) { return (rows_[r] >> c & 1u) != 0; };
  std::vector<Rect> places;
  std::vector<Run> above, here;
  for (int32_t r = 0; r < kRows; ++r) {
    here.clear();
    const int32_t top = window_.Top + r * kTile;
    const int32_t bottom = std::min(top + kTile, window_.Bottom);
    for (int32_t c = 0; c < kColumns; ++c) {
      if (!marked(r, c)) continue;
      const int32_t first = c;
      while (c + 1 < kColumns && marked(r, c + 1)) ++c;
      const auto same = std::find_if(above.begin(), above.end(), [&](const Run& run) {
        return run.First == first && run.Last == c;
      });
      if (same != above.end()) {
        places[same->Place].Bottom = bottom;
        here.push_back(*same);
      } else {
        places.push_back(Rect{window_.Left + first * kTile, top,
                              std::min(window_.Left + (c + 1) * kTile, window_.Right), bottom});
        here.push_back(Run{first, c, places.size() - 1});
      }
    }
    std::swap(above, here);
  }
  return places;
}
