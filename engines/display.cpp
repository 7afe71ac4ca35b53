#include "engines/display.h"

#include <SDL.h>

#include <cstdlib>

#include "base/failure.h"
#include "engines/surface.h"

namespace {
[[noreturn]] void RaiseSdlError() {
  throw GameError(ERR_BAD_FILE_FORMAT, SDL_GetError());
}
}  // namespace

Display::Display() = default;
Display::~Display() {
  Close();
}

void Display::Open(const std::string& sCaption) {
  if (window_ != nullptr) return;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) RaiseSdlError();
  video_started_ = true;
  // PIBO_WINDOWED=1 starts in a window (handy while developing); Alt+Enter switches any time.
  const char* windowed = std::getenv("PIBO_WINDOWED");
  const bool full = windowed == nullptr || *windowed == '\0' || *windowed == '0';
  // Full screen, the window is made as large as the desktop from the start, so it covers the
  // screen even where no window manager is there to stretch it.
  int width = 800, height = 600, x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  SDL_DisplayMode desktop;
  if (full && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    width = desktop.w;
    height = desktop.h;
    x = y = 0;
  }
  window_.reset(
      SDL_CreateWindow(sCaption.c_str(), x, y, width, height,
                       SDL_WINDOW_RESIZABLE | (full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0)));
  if (window_ == nullptr) RaiseSdlError();
}

void Display::SetMode(int nWidth, int nHeight) {
  if (window_ == nullptr) throw GameError(ERR_NOT_INITIALIZED, "The main window is not open.");
  texture_.reset();
  if (renderer_ == nullptr) {
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
    if (renderer_ == nullptr)
      renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (renderer_ == nullptr) RaiseSdlError();
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  if (SDL_RenderSetLogicalSize(renderer_.get(), nWidth, nHeight) != 0) RaiseSdlError();
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565,
                                   SDL_TEXTUREACCESS_STREAMING, nWidth, nHeight));
  if (texture_ == nullptr) RaiseSdlError();
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderPresent(renderer_.get());
}

void Display::Present(const Surface& surface) {
  if (texture_ == nullptr) return;
  SDL_Surface* raw = surface.Raw();
  SDL_UpdateTexture(texture_.get(), nullptr, raw->pixels, raw->pitch);
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

void Display::PresentWithOverlay(const Overlay& overlay) {
  if (texture_ == nullptr) return;
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  // Where the scaling put the picture, then the overlay in unscaled pixels.
  int logicalWidth = 0, logicalHeight = 0;
  SDL_RenderGetLogicalSize(renderer_.get(), &logicalWidth, &logicalHeight);
  SDL_Rect viewport;
  float scaleX = 1, scaleY = 1;
  SDL_RenderGetViewport(renderer_.get(), &viewport);
  SDL_RenderGetScale(renderer_.get(), &scaleX, &scaleY);
  const SDL_Rect picture{
      static_cast<int>(viewport.x * scaleX), static_cast<int>(viewport.y * scaleY),
      static_cast<int>(viewport.w * scaleX), static_cast<int>(viewport.h * scaleY)};
  SDL_RenderSetLogicalSize(renderer_.get(), 0, 0);
  overlay(renderer_.get(), picture);
  SDL_RenderPresent(renderer_.get());
  SDL_RenderSetLogicalSize(renderer_.get(), logicalWidth, logicalHeight);
}

void ToggleFullScreen(SDL_Window* window) {
  if (window == nullptr) return;
  const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_DisplayMode desktop;
  if (!full && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
    // Cover the screen even where no window manager stretches a full-screen window.
    SDL_SetWindowPosition(window, 0, 0);
    SDL_SetWindowSize(window, desktop.w, desktop.h);
  }
  SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (full) {
    // Back to a window of the game's own size, in the middle of the screen.
    SDL_SetWindowSize(window, 800, 600);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void Display::Close() {
  texture_.reset();
  renderer_.reset();
  window_.reset();
  if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  video_started_ = false;
}
