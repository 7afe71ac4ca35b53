#include "engines/vbge.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "base/failure.h"
#include "engines/display.h"
#include "engines/host_window.h"

namespace {

// A plain copy between two surfaces of the same format, row by row. SDL's own copy writes past
// the cache, which costs dearly when the pixels are read again at once, as the screen's are.
void CopyPixels(SDL_Surface* from, const SDL_Rect& src, SDL_Surface* to, const SDL_Rect& dst) {
  const int bytes = from->format->BytesPerPixel;
  const auto* in = static_cast<const uint8_t*>(from->pixels) + src.y * from->pitch + src.x * bytes;
  auto* out = static_cast<uint8_t*>(to->pixels) + dst.y * to->pitch + dst.x * bytes;
  for (int y = 0; y < src.h; ++y)
    std::memcpy(out + y * to->pitch, in + y * from->pitch, static_cast<size_t>(src.w) * bytes);
}

// Eight pixels of 16 bits at a time, on every processor the compilers know (SSE2, WebAssembly's
// SIMD, or plain integers where there is none).
using Pixels8 = uint16_t __attribute__((vector_size(16)));

// A keyed copy between two 16-bit surfaces of the same format: every pixel but those of the key
// colour, exactly as SDL's keyed blit does, without its cost for each of the many small pieces.
void CopyPixelsKeyed16(SDL_Surface* from, const SDL_Rect& src, SDL_Surface* to,
                       const SDL_Rect& dst, uint16_t nKey) {
  Pixels8 key;
  for (int i = 0; i < 8; ++i) key[i] = nKey;
  for (int y = 0; y < src.h; ++y) {
    const auto* in = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(from->pixels) +
                                                       (src.y + y) * from->pitch) +
                     src.x;
    auto* out = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(to->pixels) +
                                            (dst.y + y) * to->pitch) +
                dst.x;
    int x = 0;
    for (; x + 8 <= src.w; x += 8) {
      Pixels8 a, b;
      std::memcpy(&a, in + x, sizeof a);
      std::memcpy(&b, out + x, sizeof b);
      const auto keep = reinterpret_cast<Pixels8>(a == key);  // all ones where the key is
      const Pixels8 mixed = (a & ~keep) | (b & keep);
      std::memcpy(out + x, &mixed, sizeof mixed);
    }
    for (; x < src.w; ++x)
      if (in[x] != nKey) out[x] = in[x];
  }
}

// Copies the rows of a piece that differ from what the destination already holds, and adds each
// run of such rows to `changed` (in the destination's places). A frame of play hands the screen
// every place a sprite stood or stands, and most of them show the same pixels as before (a gem
// between two of its pictures, a bomb resting): those are neither copied nor handed on.
void CopyChangedRows(SDL_Surface* from, const SDL_Rect& src, SDL_Surface* to, const SDL_Rect& dst,
                     std::vector<Rect>& changed) {
  const size_t rowBytes = static_cast<size_t>(src.w) * from->format->BytesPerPixel;
  const auto* in = static_cast<const uint8_t*>(from->pixels) + src.y * from->pitch +
                   src.x * from->format->BytesPerPixel;
  auto* out =
      static_cast<uint8_t*>(to->pixels) + dst.y * to->pitch + dst.x * to->format->BytesPerPixel;
  int top = -1;
  for (int y = 0; y <= src.h; ++y) {
    const bool differs =
        y < src.h && std::memcmp(out + y * to->pitch, in + y * from->pitch, rowBytes) != 0;
    if (differs) {
      std::memcpy(out + y * to->pitch, in + y * from->pitch, rowBytes);
      if (top < 0) top = y;
    } else if (top >= 0) {
      changed.push_back(Rect{dst.x, dst.y + top, dst.x + dst.w, dst.y + y});
      top = -1;
    }
  }
}

void Copy(Surface& from, SDL_Rect& src, Surface& to, SDL_Rect& dst, bool bKeyed) {
  const bool sameFormat = from.Raw()->format->format == to.Raw()->format->format;
  if (sameFormat && !bKeyed) {
    CopyPixels(from.Raw(), src, to.Raw(), dst);
  } else if (sameFormat && from.Raw()->format->BytesPerPixel == 2) {
    CopyPixelsKeyed16(from.Raw(), src, to.Raw(), dst, from.ColorKey());
  } else {
    from.UseColorKey(bKeyed);
    SDL_LowerBlit(from.Raw(), &src, to.Raw(), &dst);
  }
}

}  // namespace

VBGE::~VBGE() = default;

bool VBGE::Initialize(int16_t nWidth, int16_t nHeight, int16_t nBPP, int32_t nColKey,
                      HostWindow& frm, int16_t nBackBufferWidth, int16_t nBackBufferHeight) {
  bool result = false;
  return Trapped("VBGE - Initialize - ", [&] {
    if (nBPP != 16) throw GameError(ERR_BAD_FILE_FORMAT, "Only 16-bit colour is supported.");
    DD = &frm.Screen();
    DD->SetMode(nWidth, nHeight);
    nScreenWidth = nWidth;
    nScreenHeight = nHeight;
    nColorKey = nColKey;

    ddsPrimary = Surface::Create(nWidth, nHeight);
    Display* display = DD;
    Surface* primary = ddsPrimary.get();
    ddsPrimary->SetChangeHook([display, primary](const std::vector<Rect>* areas, bool bRowsDiffer) {
      display->Present(*primary, areas, bRowsDiffer);
    });
    bInitialized = true;

    const int16_t backWidth = nBackBufferWidth != 0 ? nBackBufferWidth : nWidth;
    const int16_t backHeight = nBackBufferHeight != 0 ? nBackBufferHeight : nHeight;
    result = CreateSurface(ddsBack, backWidth, backHeight, 0);
    if (!result) bInitialized = false;
    return result;
  });
}

void VBGE::MakeSurface(SurfacePtr& dds, int nWidth, int nHeight) {
  dds = Surface::Create(nWidth, nHeight);
  dds->SetColorKey(static_cast<uint16_t>(nColorKey));
}

bool VBGE::LoadBitmap(const std::string& sBitmap, SurfacePtr& dds, int nWidth, int nHeight) {
  return Trapped(
      "VBGE - LoadBitmap - ",
      [&] {
        if (!bInitialized) RaiseNotInitialized();
        dds = Surface::Load(sBitmap, nWidth, nHeight);
        // Sheets are not run-length encoded: the game copies small pieces out of the middle of
        // them, and an encoded sheet is walked from its first row for every piece.
        dds->SetColorKey(static_cast<uint16_t>(nColorKey));
        return true;
      },
      " - " + sBitmap);
}

bool VBGE::CreateSurface(SurfacePtr& dds, int16_t nWidth, int16_t nHeight, int16_t nFlags) {
  return Trapped("VBGE - CreateSurface - ", [&] {
    if (!bInitialized) RaiseNotInitialized();
    MakeSurface(dds, nWidth, nHeight);
    return true;
  });
}

bool VBGE::Blit(Surface* ddsDest, Rect& rectDest, Surface* ddsSource, Rect& rectSource,
                int16_t nBlitType, int16_t nBlitValue, int32_t nFlags) {
  return Trapped("VBGE - Blit - ", [&] {
    if (!bInitialized) RaiseNotInitialized();
    if (ddsDest == nullptr || ddsSource == nullptr)
      throw GameError(ERR_OBJECT_NOT_SET, "Object variable not set");
    const SurfaceDesc desc = ddsDest->GetSurfaceDesc();
    const int32_t W = desc.Width;
    const int32_t H = desc.Height;

    // Wholly outside the destination: nothing to draw.
    if (rectDest.Right < 0 || rectDest.Bottom < 0 || rectDest.Top >= H || rectDest.Left >= W)
      return true;

    // Clip against the destination, one source pixel per destination pixel.
    if (rectDest.Left < 0) {
      rectSource.Left -= rectDest.Left;
      rectDest.Left = 0;
    }
    if (rectDest.Top < 0) {
      rectSource.Top -= rectDest.Top;
      rectDest.Top = 0;
    }
    if (rectDest.Right > W) {
      rectSource.Right -= rectDest.Right - W;
      rectDest.Right = W;
    }
    if (rectDest.Bottom > H) {
      rectSource.Bottom -= rectDest.Bottom - H;
      rectDest.Bottom = H;
    }

    if (nBlitType != 0) throw GameError(ERR_ILLEGAL_CALL, "Invalid blit type specified.");

    // The copy itself. A rectangle that reaches past the source is cut to what the source holds
    // (the old blitter refused such copies; the game never asks for one).
    SDL_Rect src{rectSource.Left, rectSource.Top, rectSource.Right - rectSource.Left,
                 rectSource.Bottom - rectSource.Top};
    SDL_Rect dst{rectDest.Left, rectDest.Top, src.w, src.h};
    const SurfaceDesc sourceDesc = ddsSource->GetSurfaceDesc();
    if (src.x < 0) {
      dst.x -= src.x;
      src.w += src.x;
      src.x = 0;
    }
    if (src.y < 0) {
      dst.y -= src.y;
      src.h += src.y;
      src.y = 0;
    }
    if (src.x + src.w > sourceDesc.Width) src.w = sourceDesc.Width - src.x;
    if (src.y + src.h > sourceDesc.Height) src.h = sourceDesc.Height - src.y;
    if (dst.x + src.w > W) src.w = W - dst.x;
    if (dst.y + src.h > H) src.h = H - dst.y;
    if (src.w <= 0 || src.h <= 0) return true;
    dst.w = src.w;
    dst.h = src.h;

    Copy(*ddsSource, src, *ddsDest, dst, (nFlags & BLIT_KEYSRC) != 0);
    ddsDest->Changed();
    return true;
  });
}

bool VBGE::ShowWindow(Surface* from, int32_t nLeft, const std::vector<Rect>* pieces) {
  return Trapped("VBGE - ShowWindow - ", [&] {
    if (!bInitialized) RaiseNotInitialized();
    if (from == nullptr) throw GameError(ERR_OBJECT_NOT_SET, "Object variable not set");
    if (pieces == nullptr) {
      Rect screen{0, 0, nScreenWidth, nScreenHeight};
      Rect window{nLeft, 0, nLeft + nScreenWidth, nScreenHeight};
      return Blit(ddsPrimary.get(), screen, from, window, 0, 0, BLIT_WAIT);
    }
    // Each piece cut to the window and to the surface, copied, and all shown at once.
    const SurfaceDesc desc = from->GetSurfaceDesc();
    shown_pieces_.clear();
    bool compared = true;
    for (const Rect& piece : *pieces) {
      const int32_t left = std::max({piece.Left, nLeft, 0});
      const int32_t right = std::min({piece.Right, nLeft + nScreenWidth, desc.Width});
      const int32_t top = std::max(piece.Top, 0);
      const int32_t bottom = std::min({piece.Bottom, nScreenHeight, desc.Height});
      if (left >= right || top >= bottom) continue;
      SDL_Rect src{left, top, right - left, bottom - top};
      SDL_Rect dst{left - nLeft, top, src.w, src.h};
      if (from->Raw()->format->format == ddsPrimary->Raw()->format->format) {
        CopyChangedRows(from->Raw(), src, ddsPrimary->Raw(), dst, shown_pieces_);
      } else {
        Copy(*from, src, *ddsPrimary, dst, false);
        shown_pieces_.push_back(Rect{dst.x, dst.y, dst.x + dst.w, dst.y + dst.h});
        compared = false;
      }
    }
    ddsPrimary->Changed(&shown_pieces_, compared);
    return true;
  });
}

void VBGE::CopyPieceKeyed(Surface& dest, const Rect& clip, const Rect& rectDest,
                          const Surface& source, const Rect& rectSource) {
  SDL_Surface* to = dest.Raw();
  const SDL_Surface* from = source.Raw();
  // Source pixel (x + dx, y + dy) goes to destination pixel (x, y).
  const int32_t dx = rectSource.Left - rectDest.Left;
  const int32_t dy = rectSource.Top - rectDest.Top;
  const int32_t left = std::max({rectDest.Left, clip.Left, 0, -dx});
  const int32_t top = std::max({rectDest.Top, clip.Top, 0, -dy});
  const int32_t right = std::min(
      {rectDest.Left + (rectSource.Right - rectSource.Left), clip.Right, to->w, from->w - dx});
  const int32_t bottom = std::min(
      {rectDest.Top + (rectSource.Bottom - rectSource.Top), clip.Bottom, to->h, from->h - dy});
  if (left >= right || top >= bottom) return;
  const uint16_t key = source.ColorKey();
  for (int32_t y = top; y < bottom; ++y) {
    const auto* in = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(from->pixels) +
                                                       (y + dy) * from->pitch) +
                     dx;
    auto* out = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(to->pixels) + y * to->pitch);
    for (int32_t x = left; x < right; ++x)
      if (in[x] != key) out[x] = in[x];
  }
}

bool VBGE::ClearSurface(Surface* dds, bool bBlitToPrimary) {
  return Trapped("VBGE - ClearSurface - ", [&] {
    if (!bInitialized) RaiseNotInitialized();
    if (dds == ddsPrimary.get())
      throw GameError(ERR_NOT_INITIALIZED, "Primary surface not allowed.");
    if (dds == nullptr) throw GameError(ERR_OBJECT_NOT_SET, "Object variable not set");
    const SurfaceDesc desc = dds->GetSurfaceDesc();
    dds->SetFillStyle(FILLSTYLE_SOLID);
    dds->SetFillColor(0);
    dds->SetForeColor(0);
    dds->DrawBox(0, 0, desc.Width, desc.Height);
    if (bBlitToPrimary) {
      Rect dest{0, 0, nScreenWidth, nScreenHeight};
      Rect source{0, 0, nScreenWidth, nScreenHeight};
      if (!Blit(ddsPrimary.get(), dest, dds, source, 0, 0, BLIT_WAIT))
        throw GameError(ERR_ILLEGAL_CALL, "Could not copy to the screen.");
    }
    return true;
  });
}
