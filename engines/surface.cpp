#include "engines/surface.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "base/failure.h"
#include "base/files.h"
#include "base/text_encoding.h"
#include "engines/media_checks.h"

namespace {
[[noreturn]] void RaiseSdlError() {
  throw GameError(ERR_BAD_FILE_FORMAT, SDL_GetError());
}

// A checked, uncompressed 24-bit BMP (the kind our own pictures are) straight into a 16-bit
// surface, row by row from the file's bytes, each channel keeping its top bits as SDL's
// conversion does; nullptr for any other kind, which SDL reads. This spares a 24-bit copy of
// the whole picture and SDL's pixel-by-pixel conversion of it.
SDL_Surface* DecodeTrueColour(std::span<const uint8_t> file) {
  const PictureLayout layout = ReadPictureLayout(file);
  if (!layout.Uncompressed || layout.Bits != 24) return nullptr;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, layout.Width, layout.Height, 16, SDL_PIXELFORMAT_RGB565);
  if (surface == nullptr) RaiseSdlError();
  for (int32_t y = 0; y < layout.Height; ++y) {
    const int32_t stored = layout.TopRowFirst ? y : layout.Height - 1 - y;
    const uint8_t* in = file.data() + layout.PixelsAt + layout.RowBytes * stored;
    auto* out = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface->pixels) +
                                            static_cast<size_t>(y) * surface->pitch);
    for (int32_t x = 0; x < layout.Width; ++x, in += 3)
      out[x] = static_cast<uint16_t>((in[2] & 0xF8) << 8 | (in[1] & 0xFC) << 3 | in[0] >> 3);
  }
  return surface;
}

SDL_Color ToSdlColor(uint32_t nColor) {
  return SDL_Color{static_cast<uint8_t>(nColor & 255), static_cast<uint8_t>((nColor >> 8) & 255),
                   static_cast<uint8_t>((nColor >> 16) & 255), 255};
}
}  // namespace

Surface::~Surface() = default;

std::shared_ptr<Surface> Surface::Create(int nWidth, int nHeight) {
  SDL_Surface* raw = SDL_CreateRGBSurfaceWithFormat(0, nWidth, nHeight, 16, SDL_PIXELFORMAT_RGB565);
  if (raw == nullptr) RaiseSdlError();
  SDL_FillRect(raw, nullptr, 0);
  return std::shared_ptr<Surface>(new Surface(raw));
}

std::shared_ptr<Surface> Surface::Load(const std::string& sFile, int nWidth, int nHeight) {
  // Read once and checked before SDL sees a byte, so what SDL reads is what was checked.
  return FromBytes(ReadFileBytes(sFile, PictureFileLimit(nWidth, nHeight)), nWidth, nHeight);
}

std::shared_ptr<Surface> Surface::FromBytes(std::span<const uint8_t> file, int nWidth,
                                            int nHeight) {
  if (std::string fault = PictureFault(file, nWidth, nHeight); !fault.empty())
    throw GameError(ERR_BAD_FILE_FORMAT, fault);
  if (SDL_Surface* decoded = DecodeTrueColour(file))
    return std::shared_ptr<Surface>(new Surface(decoded));
  const SdlSurfacePtr loaded(
      SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1));
  if (loaded == nullptr) throw GameError(ERR_BAD_FILE_FORMAT, "Invalid picture format");
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0);
  if (converted == nullptr) RaiseSdlError();
  return std::shared_ptr<Surface>(new Surface(converted));
}

SurfaceDesc Surface::GetSurfaceDesc() const {
  return SurfaceDesc{surface_->w, surface_->h};
}

uint32_t Surface::Map(uint32_t nColor) const {
  const SDL_Color c = ToSdlColor(nColor);
  return SDL_MapRGB(surface_->format, c.r, c.g, c.b);
}

Rect Surface::DrawText(int x, int y, std::string_view sText, bool bUpdatePosition) {
  if (sText.empty()) return Rect{x, y, x, y};
  SDL_Surface* text = font_.Rendered(Cp1252ToUtf8(sText), fore_color_);
  SDL_Rect where{x, y, text->w, text->h};
  if (!font_transparent_) {
    SDL_Rect cell = where;
    SDL_FillRect(surface_.get(), &cell, Map(fill_color_));
  }
  const bool keyed = key_active_;
  UseColorKey(false);
  SDL_BlitSurface(text, nullptr, surface_.get(), &where);
  UseColorKey(keyed);
  Changed();
  return Rect{x, y, x + text->w, y + text->h};
}

Rect Surface::TextPlace(int x, int y, std::string_view sText) const {
  if (sText.empty()) return Rect{x, y, x, y};
  const SDL_Surface* text = font_.Rendered(Cp1252ToUtf8(sText), fore_color_);
  return Rect{x, y, x + text->w, y + text->h};
}

void Surface::ReadPixels(const Rect& place, std::vector<uint16_t>& pixels) const {
  const SDL_Surface* raw = surface_.get();
  const auto width = static_cast<size_t>(place.Right - place.Left);
  pixels.resize(width * static_cast<size_t>(place.Bottom - place.Top));
  for (int32_t y = place.Top; y < place.Bottom; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y - place.Top) * width],
                static_cast<const uint8_t*>(raw->pixels) + static_cast<size_t>(y) * raw->pitch +
                    static_cast<size_t>(place.Left) * 2,
                width * 2);
}

void Surface::WritePixels(const Rect& place, const std::vector<uint16_t>& pixels) {
  SDL_Surface* raw = surface_.get();
  const auto width = static_cast<size_t>(place.Right - place.Left);
  if (pixels.size() != width * static_cast<size_t>(place.Bottom - place.Top)) return;
  for (int32_t y = place.Top; y < place.Bottom; ++y)
    std::memcpy(static_cast<uint8_t*>(raw->pixels) + static_cast<size_t>(y) * raw->pitch +
                    static_cast<size_t>(place.Left) * 2,
                &pixels[static_cast<size_t>(y - place.Top) * width], width * 2);
  Changed();
}

int Surface::TextWidth(std::string_view sText) const {
  return sText.empty() ? 0 : font_.Width(Cp1252ToUtf8(sText));
}

void Surface::DrawBox(int nLeft, int nTop, int nRight, int nBottom) {
  if (nRight <= nLeft || nBottom <= nTop) return;
  if (fill_style_ == FILLSTYLE_SOLID) {
    SDL_Rect inside{nLeft, nTop, nRight - nLeft, nBottom - nTop};
    SDL_FillRect(surface_.get(), &inside, Map(fill_color_));
  }
  const uint32_t pen = Map(fore_color_);
  const int w = nRight - nLeft;
  const int h = nBottom - nTop;
  SDL_Rect edges[4] = {{nLeft, nTop, w, 1},
                       {nLeft, nBottom - 1, w, 1},
                       {nLeft, nTop, 1, h},
                       {nRight - 1, nTop, 1, h}};
  SDL_FillRects(surface_.get(), edges, 4, pen);
  Changed();
}

void Surface::Darken(int nLeft, int nTop, int nRight, int nBottom) {
  nLeft = std::max(nLeft, 0);
  nTop = std::max(nTop, 0);
  nRight = std::min(nRight, surface_->w);
  nBottom = std::min(nBottom, surface_->h);
  if (nRight <= nLeft || nBottom <= nTop) return;
  SDL_LockSurface(surface_.get());
  for (int y = nTop; y < nBottom; ++y) {
    auto* row =
        reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface_->pixels) + y * surface_->pitch);
    // Each of the RGB565 channels shifted down one bit, none spilling into the next.
    for (int x = nLeft; x < nRight; ++x) row[x] = static_cast<uint16_t>((row[x] >> 1) & 0x7BEF);
  }
  SDL_UnlockSurface(surface_.get());
  Changed();
}

void Surface::SetColorKey(uint16_t nKey) {
  color_key_ = nKey;
  if (key_active_) SDL_SetColorKey(surface_.get(), SDL_TRUE, color_key_);
}

void Surface::UseColorKey(bool bUse) {
  if (bUse == key_active_) return;
  key_active_ = bUse;
  SDL_SetColorKey(surface_.get(), bUse ? SDL_TRUE : SDL_FALSE, color_key_);
}

uint16_t Surface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) return 0;
  SDL_LockSurface(surface_.get());
  const auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
  const uint16_t value = reinterpret_cast<const uint16_t*>(row)[x];
  SDL_UnlockSurface(surface_.get());
  return value;
}

uint32_t Surface::PixelColor(int x, int y) const {
  uint8_t r = 0, g = 0, b = 0;
  SDL_GetRGB(Pixel(x, y), surface_->format, &r, &g, &b);
  return RGB(r, g, b);
}
