#pragma once
// VBGE, the graphics engine: the one door to the display. It owns the visible (primary) surface
// and the back buffer on which frames are composed, loads pictures into surfaces, copies between
// surfaces with its own clipping, and clears surfaces to black.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engines/surface.h"

class HostWindow;
class Display;

using SurfacePtr = std::shared_ptr<Surface>;

// Blit flags the game passes: wait for the blitter, and wait plus use the source colour key.
constexpr int32_t BLIT_WAIT = 16777216;
constexpr int32_t BLIT_KEYSRC = 32768;
constexpr int32_t BLIT_WAIT_KEYED = BLIT_WAIT + BLIT_KEYSRC;

class VBGE {
 public:
  VBGE() = default;
  ~VBGE();
  VBGE(const VBGE&) = delete;
  VBGE& operator=(const VBGE&) = delete;

  // Takes over the screen of `frm` at nWidth x nHeight and makes the back buffer (the screen size
  // when the optional sizes are 0). nBPP must be 16; nColKey is the raw key pixel value.
  bool Initialize(int16_t nWidth, int16_t nHeight, int16_t nBPP, int32_t nColKey, HostWindow& frm,
                  int16_t nBackBufferWidth = 0, int16_t nBackBufferHeight = 0);
  // nWidth x nHeight is the size the picture must have; 0 x 0 takes any size.
  bool LoadBitmap(const std::string& sBitmap, SurfacePtr& dds, int nWidth = 0, int nHeight = 0);
  bool CreateSurface(SurfacePtr& dds, int16_t nWidth, int16_t nHeight, int16_t nFlags);
  // Copies rectSource of ddsSource to rectDest of ddsDest, clipped against the destination; both
  // rectangles are changed in place by the clipping.
  bool Blit(Surface* ddsDest, Rect& rectDest, Surface* ddsSource, Rect& rectSource,
            int16_t nBlitType, int16_t nBlitValue, int32_t nFlags);
  bool ClearSurface(Surface* dds, bool bBlitToPrimary);
  // Copies the screen-sized window of `from` whose left edge is column nLeft to the screen and
  // shows it. With `pieces` (rectangles of `from`) only those parts are copied: the rest of the
  // screen shows that window already.
  bool ShowWindow(Surface* from, int32_t nLeft, const std::vector<Rect>* pieces = nullptr);
  // One small piece of a sheet, rectSource to the corner of rectDest, copied with the sheet's
  // colour key and clipped as Blit clips, but only inside `clip` (a part of the destination).
  // For the particle effects, thousands of pieces a frame: none of a blit's checks and set-up.
  static void CopyPieceKeyed(Surface& dest, const Rect& clip, const Rect& rectDest,
                             const Surface& source, const Rect& rectSource);

  const SurfacePtr& PrimarySurface() const { return ddsPrimary; }
  const SurfacePtr& BackBuffer() const { return ddsBack; }
  bool IsInitialized() const { return bInitialized; }

 private:
  void MakeSurface(SurfacePtr& dds, int nWidth, int nHeight);

  Display* DD = nullptr;
  SurfacePtr ddsPrimary;
  SurfacePtr ddsBack;
  bool bInitialized = false;
  int32_t nScreenWidth = 0;
  int32_t nScreenHeight = 0;
  int32_t nColorKey = 0;
  std::vector<Rect> shown_pieces_;  // ShowWindow's pieces on the screen, kept to save allocation
};
