#include "engines/display.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "base/failure.h"
#include "engines/surface.h"

namespace {
constexpr const char* kDisplayKey = "pibo-display";

[[noreturn]] void RaiseSdlError() {
  throw GameError(ERR_BAD_FILE_FORMAT, SDL_GetError());
}

// The window's own pixel format when the renderer takes textures in it, else the renderer's first.
uint32_t ScreenFormat(SDL_Window* window, SDL_Renderer* renderer) {
  const uint32_t own = SDL_GetWindowPixelFormat(window);
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || info.num_texture_formats == 0)
    return SDL_PIXELFORMAT_RGB888;
  for (uint32_t i = 0; i < info.num_texture_formats; ++i)
    if (info.texture_formats[i] == own && !SDL_ISPIXELFORMAT_FOURCC(own)) return own;
  return info.texture_formats[0];
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
  SDL_SetWindowData(window_.get(), kDisplayKey, this);
}

Display* Display::OfWindow(SDL_Window* window) {
  return window != nullptr ? static_cast<Display*>(SDL_GetWindowData(window, kDisplayKey))
                           : nullptr;
}

void Display::SetMode(int nWidth, int nHeight) {
  if (window_ == nullptr) throw GameError(ERR_NOT_INITIALIZED, "The main window is not open.");
  texture_.reset();
  if (renderer_ == nullptr) {
    // SDL's own software renderer by default: one 800 x 600 picture a pass is little work for it,
    // while an OpenGL context costs a hundred megabytes and, without a graphics card (a virtual
    // display, a remote one), many times the processor time. SDL_RENDER_DRIVER in the
    // environment still chooses another.
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (renderer_ == nullptr)
      renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (renderer_ == nullptr) RaiseSdlError();
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  if (SDL_RenderSetLogicalSize(renderer_.get(), nWidth, nHeight) != 0) RaiseSdlError();
  texture_format_ = ScreenFormat(window_.get(), renderer_.get());
  texture_.reset(SDL_CreateTexture(renderer_.get(), texture_format_, SDL_TEXTUREACCESS_STREAMING,
                                   nWidth, nHeight));
  if (texture_ == nullptr) RaiseSdlError();
  shown_.clear();
  SDL_RendererInfo info;
  keeps_texture_ =
      SDL_GetRendererInfo(renderer_.get(), &info) == 0 && std::strcmp(info.name, "software") == 0;
  needs_clear_ = true;
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderPresent(renderer_.get());
}

void Display::Present(const Surface& surface) {
  if (texture_ == nullptr) return;
  const SDL_Surface* raw = surface.Raw();
  const auto* pixels = static_cast<const uint8_t*>(raw->pixels);
  const size_t rowBytes = static_cast<size_t>(raw->w) * 2;
  const bool whole = shown_.size() != static_cast<size_t>(raw->h) * rowBytes;
  if (whole) shown_.assign(static_cast<size_t>(raw->h) * rowBytes, 0);

  // Which rows differ from the picture on the screen. A still picture (the title, a pause, a
  // waiting screen) is not sent again at all.
  changed_.assign(static_cast<size_t>(raw->h), whole);
  int first = whole ? 0 : raw->h, last = whole ? raw->h - 1 : -1;
  for (int y = 0; y < raw->h && !whole; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * raw->pitch;
    if (std::memcmp(&shown_[y * rowBytes], row, rowBytes) == 0) continue;
    changed_[y] = true;
    first = std::min(first, y);
    last = y;
  }
  if (last < first) return;

  // The changed band converted in one pass into the texture, in the window's format. The software
  // renderer keeps the texture's pixels, so there only the changed rows are written.
  const SDL_Rect band{0, first, raw->w, last - first + 1};
  void* target = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_.get(), &band, &target, &pitch) != 0) return;
  // Runs of changed rows, each converted by SDL in one call (a call costs more than a short row).
  for (int y = first; y <= last;) {
    if (!changed_[y] && keeps_texture_) {
      ++y;
      continue;
    }
    int end = y + 1;
    while (end <= last && (changed_[end] || !keeps_texture_)) ++end;
    const uint8_t* from = pixels + static_cast<size_t>(y) * raw->pitch;
    for (int r = y; r < end; ++r)
      std::memcpy(&shown_[r * rowBytes], pixels + static_cast<size_t>(r) * raw->pitch, rowBytes);
    SDL_ConvertPixels(raw->w, end - y, raw->format->format, from, raw->pitch, texture_format_,
                      static_cast<uint8_t*>(target) + static_cast<size_t>(y - first) * pitch,
                      pitch);
    y = end;
  }
  SDL_UnlockTexture(texture_.get());
  ++uploads_;
  Show(&band);
}

void Display::Refresh() {
  needs_clear_ = true;
  Show(nullptr);
}

void Display::Show(const SDL_Rect* band) {
  if (texture_ == nullptr) return;
  // The software renderer keeps the window's pixels between pictures: the black bars beside the
  // picture need drawing only after the window changed, and a picture shown pixel for pixel
  // needs only its changed rows copied. Scaled, the whole picture is drawn again, so the
  // filtering has no seams.
  float scaleX = 0, scaleY = 0;
  SDL_RenderGetScale(renderer_.get(), &scaleX, &scaleY);
  const bool partial =
      keeps_texture_ && !needs_clear_ && band != nullptr && scaleX == 1.0f && scaleY == 1.0f;
  if (needs_clear_ || !keeps_texture_) SDL_RenderClear(renderer_.get());
  needs_clear_ = false;
  if (partial)
    SDL_RenderCopy(renderer_.get(), texture_.get(), band, band);
  else
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
