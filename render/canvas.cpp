// The two ways a picture reaches the screen: the back buffer's visible window, or one picture
// (or one rectangle of a picture sheet) centred on black.
#include "render/canvas.h"

#include <cmath>

#include "base/failure.h"

void Canvas::ShowBackBuffer(int32_t nLeft, const std::vector<Rect>* changed) {
  GE.ShowWindow(GE.BackBuffer().get(), nLeft, changed);
}

bool Canvas::ShowBitmap(Surface* surface, bool bAlsoToScreen, int32_t nLeft, int32_t nTop,
                        int32_t nRight, int32_t nBottom) {
  return Trapped("Game - ShowBitmap - ", [&] {
    if (surface == nullptr) throw GameError(ERR_OBJECT_NOT_SET, "Object variable not set");
    Surface* back = GE.BackBuffer().get();
    if (!GE.ClearSurface(back, false)) return false;

    Rect source{nLeft, nTop, nRight, nBottom};
    if (nRight == 0 || nBottom == 0) {
      const SurfaceDesc desc = surface->GetSurfaceDesc();
      source = Rect{0, 0, desc.Width, desc.Height};
    }
    const int32_t w = source.Right - source.Left;
    const int32_t h = source.Bottom - source.Top;
    // Halves go to the even neighbour, as the old conversion did.
    const auto left = static_cast<int32_t>(std::nearbyint((800 - w) / 2.0));
    const auto top = static_cast<int32_t>(std::nearbyint((600 - h) / 2.0));
    const Rect dest{left, top, left + w, top + h};

    Rect toBack = dest;
    Rect fromBack = source;
    if (!GE.Blit(back, toBack, surface, fromBack, 0, 0, BLIT_WAIT)) return false;
    if (bAlsoToScreen) {
      Rect toScreen = dest;
      Rect fromScreen = source;
      if (!GE.Blit(GE.PrimarySurface().get(), toScreen, surface, fromScreen, 0, 0, BLIT_WAIT))
        return false;
    }
    return true;
  });
}
