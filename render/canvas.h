#pragma once
// What every picture of the game is drawn with: the graphics engine's back buffer and screen, the
// catalogue's pictures and the game's three fonts, and the two ways a picture reaches the screen.
#include <array>
#include <cstdint>
#include <vector>

#include "data/catalogue.h"
#include "engines/font.h"
#include "engines/vbge.h"

using PictureSet = std::array<SurfacePtr, PICTURE_COUNT>;

struct GameFonts {
  Font Small, Medium, Large;
};

class Canvas {
 public:
  Canvas(VBGE& ge, const PictureSet& pictures, const GameFonts& fonts)
      : GE(ge), Pictures(pictures), Fonts(fonts) {}

  // The loaded picture (nullptr before loading).
  Surface* Picture(PictureId nPicture) const {
    return Pictures[static_cast<size_t>(nPicture)].get();
  }
  Surface& Back() const { return *GE.BackBuffer(); }

  // Copies the 800 x 600 window of the back buffer starting at column nLeft to the screen; with
  // `changed`, only those rectangles of the back buffer differ from what the screen shows.
  void ShowBackBuffer(int32_t nLeft, const std::vector<Rect>* changed = nullptr);
  // One picture, or the rectangle (nLeft, nTop)-(nRight, nBottom) of a sheet, centred on a black
  // back buffer, and on the screen too when asked for. False (logged) without a picture.
  bool ShowBitmap(Surface* surface, bool bAlsoToScreen, int32_t nLeft = 0, int32_t nTop = 0,
                  int32_t nRight = 0, int32_t nBottom = 0);
  // The back buffer black, and the screen with it.
  bool ClearScreen() { return GE.ClearSurface(GE.BackBuffer().get(), true); }

  VBGE& GE;
  const PictureSet& Pictures;
  const GameFonts& Fonts;
};
