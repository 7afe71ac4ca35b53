#pragma once
// The visible screen: the main window, full screen by default as a desktop-sized window with the
// 800 x 600 picture scaled to fit, its aspect kept (black bars). Alt+Enter switches to a window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engines/sdl_ptrs.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Rect;
class Surface;

class Display {
 public:
  Display();
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Creates the window (no picture yet). Throws GameError when the system refuses.
  void Open(const std::string& sCaption);
  // Sets up the renderer for a picture of nWidth x nHeight pixels. Throws on failure.
  void SetMode(int nWidth, int nHeight);
  // Shows the given surface (the primary surface) on the screen, unless the screen already shows
  // exactly that picture.
  void Present(const Surface& surface);
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
  // The texture to the screen; `band` (or nullptr) is all that changed since the last time.
  void Show(const SDL_Rect* band);

  // Freed in reverse order: the texture, the renderer, the window.
  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr texture_;
  uint32_t texture_format_ = 0;  // the window's own, so showing the picture needs no conversion
  std::vector<uint8_t> shown_;   // the pixels of the picture on the screen
  std::vector<bool> changed_;    // the rows of the new picture that differ from it
  bool keeps_texture_ = false;   // the renderer keeps a texture's pixels (the software one does)
  bool needs_clear_ = true;
  long uploads_ = 0;
  bool video_started_ = false;
};

// Alt+Enter: full screen (covering the desktop) to an 800 x 600 window in the middle of the
// screen, and back.
void ToggleFullScreen(SDL_Window* window);
