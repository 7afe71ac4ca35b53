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
  for (int32_t r = r0; r <= r1; ++r)
    for (int32_t c = c0; c <= c1; ++c) {
      const Rect part{std::max(left, c * kTile), std::max(top, r * kTile),
                      std::min(right, (c + 1) * kTile), std::min(bottom, (r + 1) * kTile)};
      Rect& box = boxes_[r * kColumns + c];
      if (box.Right <= box.Left) {
        box = part;
        continue;
      }
      box = Rect{std::min(box.Left, part.Left), std::min(box.Top, part.Top),
                 std::max(box.Right, part.Right), std::max(box.Bottom, part.Bottom)};
    }
}

std::vector<Rect> DirtyTiles::Places() const {
  std::vector<Rect> places;
  for (const Rect& box : boxes_)
    if (box.Right > box.Left)
      places.push_back(Rect{box.Left + window_.Left, box.Top + window_.Top,
                            box.Right + window_.Left, box.Bottom + window_.Top});
  return places;
}
