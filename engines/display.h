#pragma once
// The visible screen: the main window, full screen by default as a desktop-sized window with the
// 800 x 600 picture scaled sharply to fit, its aspect kept (black bars). Alt+Enter switches to a
// window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/rect.h"
#include "engines/sdl_ptrs.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Rect;
struct SDL_Surface;
class Surface;

class Display {
 public:
  Display();
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Creates the window (no picture yet): full screen as large as the desktop, or an 800 x 600
  // window; Alt+Enter switches any time. Throws GameError when the system refuses.
  void Open(const std::string& sCaption, bool bFullScreen = false);
  // Sets up the renderer for a picture of nWidth x nHeight pixels. Throws on failure.
  void SetMode(int nWidth, int nHeight);
  // Shows the given surface (the primary surface) on the screen, unless the screen already shows
  // exactly that picture. With `areas`, only those rectangles can differ from the screen; with
  // `bRowsDiffer` too, every row of them does, and they are sent without comparing.
  void Present(const Surface& surface, const std::vector<Rect>* areas = nullptr,
               bool bRowsDiffer = false);
  // Shows the last picture again (the window was uncovered or resized).
  void Refresh();
  // The display of a window of ours, or nullptr.
  static Display* OfWindow(SDL_Window* window);
  // The pictures actually sent to the screen so far.
  long Uploads() const { return uploads_; }
  // Shows the last picture again, with `overlay` drawn over it in the screen's own pixels.
  // `picture` is where the 800 x 600 picture lies on the screen, in those pixels.
  using Overlay = std::function<void(SDL_Renderer* renderer, const SDL_Rect& picture)>;
  void PresentWithOverlay(const Overlay& overlay);
  bool IsOpen() const { return window_ != nullptr; }
  SDL_Window* Window() const { return window_.get(); }
  SDL_Renderer* Renderer() const { return renderer_.get(); }

 private:
  void Close();
  // Makes the texture if there is none (false when the renderer refuses).
  bool EnsureTexture();
  // The texture to the screen; `bands` (or nullptr) hold all that changed since the last time.
  void Show(const std::vector<SDL_Rect>* bands);
  // The parts of the remembered picture (nullptr: all of it) onto the screen.
  void Paint(const std::vector<SDL_Rect>* parts);
  // The window's surface (the software renderer's own), with where the picture lies on it, when
  // the picture can be drawn there directly; else nullptr.
  SDL_Surface* DirectWindow(SDL_Rect& place);
  // Where the renderer places the picture in the window, in the window's pixels.
  SDL_Rect PictureArea() const;
  // Chooses between a whole-number scale and the largest that fits, for the window's size now.
  void FitPicture();
  // The parts (nullptr: all, on black) scaled into the window's surface at `place`, and sent to
  // the window system when asked.
  void PaintWindow(SDL_Surface& window, const SDL_Rect& place, const std::vector<SDL_Rect>* parts,
                   bool bSend);
  // One part scaled into the window; returns where it went.
  SDL_Rect Scale(SDL_Surface& window, const SDL_Rect& place, const SDL_Rect& part);
  // One row of picture pixels, each `k` window pixels wide, into the window's columns of `row`.
  void ScaleRowWhole(const uint16_t* from, uint32_t* row, int s0, int s1, int k);
  // Window columns x0 to x1 - 1 of the row `out`, from the row's colours in `row_colours_`, at a
  // scale larger than one that is not a whole number.
  void ScaleRowFitted(uint8_t* out, int x0, int x1) const;
  // The texture brought up to the picture on the screen, after pictures went straight to the
  // window.
  void CatchUpTexture();
  // Brings the rectangle `area` of `shown_` up to `picture`, adding what really changed to
  // `changed_`.
  void UpdateArea(const SDL_Surface& picture, Rect area);
  // Brings the rectangle `area` of `shown_` up to `picture` and adds it to `changed_`, as it is.
  void TakeArea(const SDL_Surface& picture, Rect area);
  void PrepareConversion(uint32_t sourceFormat);
  // `count` pixels of the picture's format into the texture's.
  void Convert(const uint16_t* from, uint8_t* to, int count) const;

  // Freed in reverse order: the texture, the renderer, the window.
  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr texture_;
  uint32_t texture_format_ = 0;  // the window's own, so showing the picture needs no conversion
  int texture_width_ = 0, texture_height_ = 0;
  bool mode_set_ = false;       // SetMode has run
  std::vector<uint8_t> shown_;  // the pixels of the picture on the screen
  int shown_width_ = 0, shown_height_ = 0;
  uint32_t source_format_ = 0;     // the picture's format, which `colours_` converts
  std::vector<uint32_t> colours_;  // the texture's colour for each 16-bit one (4-byte textures)
  bool formula_ = false;           // RGB565 pixels are worked out (ConvertRgb565), not looked up
  uint8_t formula_alpha_ = 0;      // the top byte of every pixel, as SDL gives it
  std::vector<SDL_Rect> changed_;  // the parts of the last picture that changed
  bool texture_stale_ = false;     // the texture lags behind the window
  const SDL_Surface* drawn_window_ = nullptr;  // the window's surface last drawn whole
  std::vector<SDL_Rect> placed_;               // where the parts went in the window
  std::vector<int> columns_;                   // the picture's column for each window column
  std::vector<uint32_t> row_colours_;          // one picture row in the window's colours
  std::vector<uint32_t> scaled_row_;           // one window row, scaled by a whole number
  // The first window column of each picture column (and the end), and the most any one spans.
  std::vector<int> starts_;
  int widest_ = 0;
  bool keeps_texture_ = false;  // the renderer keeps a texture's pixels (the software one does)
  bool needs_clear_ = true;
  long uploads_ = 0;
  bool video_started_ = false;
};

// The black bars: every pixel of the 32-bit `window` outside `place` black, those inside left
// as they are.
void ClearAround(SDL_Surface& window, const SDL_Rect& place);

// The window system takes each rectangle sent to it as a request of its own, which costs about
// as much as copying a few thousand pixels more: parts close together (the pieces of an
// explosion, a few rows each) are joined into the box around them where that box holds no more
// than a few thousand pixels beyond the parts. Every pixel of the parts stays covered; boxes
// may overlap.
void JoinForSending(std::vector<SDL_Rect>& parts);

// Alt+Enter: full screen (covering the desktop) to an 800 x 600 window in the middle of the
// screen, and back.
void ToggleFullScreen(SDL_Window* window);
