#pragma once
// The backdrop tile of each stage, 200 x 200, joining itself seamlessly both ways.
#include "tools/asset_gen/pictures/canvas.h"

namespace pictures {

constexpr int kTile = 200;

// Draws stage `stage`'s tile (1 The Factory .. 5 The Machine!) onto a 200 x 200 canvas.
void DrawBackdropTile(Canvas& tile, int stage);

}  // namespace pictures
