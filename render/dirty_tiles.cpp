#include "render/dirty_tiles.h"

#include <algorithm>

void DirtyTiles::Mark(const Rect& place) {
  const int32_t left = std::max(place.Left, window_.Left) - window_.Left;
  const int32_t top = std::max(place.Top, window_.Top) - window_.Top;
  const int32_t right = std::min(place.Right, window_.Right) - window_.Left;
  const int32_t bottom = std::min(place.Bottom, window_.Bottom) - window_.Top;
  if (left >= right || top >= bottom) return;
  const auto grow = [](Rect& box, const Rect& part) {
    box = Rect{std::min(box.Left, part.Left), std::min(box.Top, part.Top),
               std::max(box.Right, part.Right), std::max(box.Bottom, part.Bottom)};
  };
  const int32_t c0 = left / kTile, c1 = std::min((right - 1) / kTile, kColumns - 1);
  const int32_t r0 = top / kTile, r1 = std::min((bottom - 1) / kTile, kRows - 1);
  if (c0 == c1 && r0 == r1) {  // nearly every piece: small, in one tile
    grow(boxes_[r0 * kColumns + c0], Rect{left, top, right, bottom});
    return;
  }
  for (int32_t r = r0; r <= r1; ++r)
    for (int32_t c = c0; c <= c1; ++c)
      grow(boxes_[r * kColumns + c],
           Rect{std::max(left, c * kTile), std::max(top, r * kTile),
                std::min(right, (c + 1) * kTile), std::min(bottom, (r + 1) * kTile)});
}

Rect DirtyTiles::Tile(int32_t r, int32_t c) const {
  return Rect{c * kTile, r * kTile, std::min((c + 1) * kTile, window_.Right - window_.Left),
              std::min((r + 1) * kTile, window_.Bottom - window_.Top)};
}

std::vector<Rect> DirtyTiles::Places() const {
  // Tiles marked all over (where the pieces are thick) are joined: each run of them along a row is
  // one rectangle, carried down while the rows below repeat it.
  struct Run {
    int32_t First, Last;  // tile columns, both marked all over
    size_t Place;         // its rectangle so far
  };
  const auto whole = [this](int32_t r, int32_t c) {
    return boxes_[r * kColumns + c] == Tile(r, c);
  };
  std::vector<Rect> places;
  std::vector<Run> above, here;
  for (int32_t r = 0; r < kRows; ++r) {
    here.clear();
    for (int32_t c = 0; c < kColumns; ++c) {
      if (!whole(r, c)) continue;
      const int32_t first = c;
      while (c + 1 < kColumns && whole(r, c + 1)) ++c;
      const auto same = std::find_if(above.begin(), above.end(), [&](const Run& run) {
        return run.First == first && run.Last == c;
      });
      if (same != above.end()) {
        places[same->Place].Bottom = Tile(r, c).Bottom;
        here.push_back(*same);
      } else {
        places.push_back(
            Rect{Tile(r, first).Left, Tile(r, first).Top, Tile(r, c).Right, Tile(r, c).Bottom});
        here.push_back(Run{first, c, places.size() - 1});
      }
    }
    std::swap(above, here);
  }
  // The rest, one box to a tile.
  for (int32_t r = 0; r < kRows; ++r)
    for (int32_t c = 0; c < kColumns; ++c)
      if (const Rect& box = boxes_[r * kColumns + c]; box.Right > box.Left && !whole(r, c))
        places.push_back(box);
  for (Rect& place : places)
    place = Rect{place.Left + window_.Left, place.Top + window_.Top, place.Right + window_.Left,
                 place.Bottom + window_.Top};
  return places;
}
