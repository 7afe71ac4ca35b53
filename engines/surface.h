#pragma once
// An off-screen or visible picture in the 16-bit RGB565 format, with the drawing state of the old
// surface API: a font, a fore colour (text and box outlines), a fill style and a fill colour.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/rect.h"
#include "engines/font.h"
#include "engines/sdl_ptrs.h"

struct SDL_Surface;

struct SurfaceDesc {
  int32_t Width = 0;
  int32_t Height = 0;
};

// Colours are packed as the old platform packs them: red in the low byte, then green, then blue.
constexpr uint32_t RGB(int nRed, int nGreen, int nBlue) {
  return static_cast<uint32_t>(nRed & 255) | (static_cast<uint32_t>(nGreen & 255) << 8) |
         (static_cast<uint32_t>(nBlue & 255) << 16);
}

constexpr int FILLSTYLE_SOLID = 0;
constexpr int FILLSTYLE_TRANSPARENT = 1;

class Surface {
 public:
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // A new black surface. Throws GameError when memory runs out.
  static std::shared_ptr<Surface> Create(int nWidth, int nHeight);
  // A surface holding the picture in a BMP file, converted to RGB565; a picture that is not
  // nWidth x nHeight (unless both are 0) or whose header does not add up is refused. Throws
  // GameError.
  static std::shared_ptr<Surface> Load(const std::string& sFile, int nWidth = 0, int nHeight = 0);
  // The same from the bytes of a BMP file.
  static std::shared_ptr<Surface> FromBytes(std::span<const uint8_t> file, int nWidth = 0,
                                            int nHeight = 0);

  SurfaceDesc GetSurfaceDesc() const;

  void SetFont(const Font& font) { font_ = font; }
  void SetForeColor(uint32_t nColor) { fore_color_ = nColor; }
  void SetFillStyle(int nStyle) { fill_style_ = nStyle; }
  void SetFillColor(uint32_t nColor) { fill_color_ = nColor; }
  // Text with its top-left corner at (x, y), in the fore colour. The text is 8-bit
  // (Windows-1252) like every text of the game. With transparency off, the text's cell is first
  // filled with the fill colour.
  // Returns where the text went.
  Rect DrawText(int x, int y, std::string_view sText, bool bUpdatePosition = false);
  // How wide DrawText would draw the (8-bit) text in the current font.
  int TextWidth(std::string_view sText) const;
  // Where DrawText would draw the text at (x, y) in the current font and colour.
  Rect TextPlace(int x, int y, std::string_view sText) const;
  // The pixels of `place` (within the surface), row after row, and back onto the surface.
  void ReadPixels(const Rect& place, std::vector<uint16_t>& pixels) const;
  void WritePixels(const Rect& place, const std::vector<uint16_t>& pixels);
  void SetFontTransparency(bool bTransparent) { font_transparent_ = bTransparent; }
  // A box from (left, top) to (right, bottom), right and bottom exclusive: a one-pixel outline in
  // the fore colour, filled with the fill colour when the fill style is solid.
  void DrawBox(int nLeft, int nTop, int nRight, int nBottom);
  // Halves the brightness of every pixel from (left, top) to (right, bottom), right and bottom
  // exclusive, clipped to the surface.
  void Darken(int nLeft, int nTop, int nRight, int nBottom);

  // The colour key: pixels of this raw value are skipped when the surface is a keyed source.
  void SetColorKey(uint16_t nKey);
  uint16_t ColorKey() const { return color_key_; }
  // Switches the key on or off for the next blit (cheap when nothing changes).
  void UseColorKey(bool bUse);

  // Raw 16-bit pixel value at (x, y); 0 outside the surface.
  uint16_t Pixel(int x, int y) const;
  // Packed RGB of the pixel (as RGB() builds it), expanded from 16 bits.
  uint32_t PixelColor(int x, int y) const;

  // Called after every change of the pixels, with the rectangles that changed (nullptr: any of
  // them may have) and whether every row of them was found to differ from what it replaced (then
  // comparing them again would find nothing to leave out); the primary surface uses it to reach
  // the screen.
  using ChangeHook = std::function<void(const std::vector<Rect>* areas, bool bRowsDiffer)>;
  void SetChangeHook(ChangeHook hook) { change_hook_ = std::move(hook); }
  void Changed(const std::vector<Rect>* areas = nullptr, bool bRowsDiffer = false) {
    ++changes_;
    if (change_hook_) change_hook_(areas, bRowsDiffer);
  }
  // How many changes were reported so far: the same count, the same pixels.
  unsigned long Changes() const { return changes_; }

  SDL_Surface* Raw() const { return surface_.get(); }

 private:
  explicit Surface(SDL_Surface* surface) : surface_(surface) {}
  uint32_t Map(uint32_t nColor) const;

  SdlSurfacePtr surface_;
  Font font_;
  uint32_t fore_color_ = 0;
  uint32_t fill_color_ = 0;
  int fill_style_ = FILLSTYLE_TRANSPARENT;
  bool font_transparent_ = true;
  uint16_t color_key_ = 0;
  bool key_active_ = false;
  ChangeHook change_hook_;
  unsigned long changes_ = 0;
};
