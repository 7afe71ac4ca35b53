#include "engines/display.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

#include "base/failure.h"
#include "engines/rgb565.h"
#include "engines/surface.h"

namespace {
constexpr const char* kDisplayKey = "pibo-display";

// Whether the group of four pixels at byte `at` of a row is the same in both rows, the group
// ending at byte `end` at the latest.
bool SameGroup(const uint8_t* a, const uint8_t* b, size_t at, size_t end) {
  if (at + 8 > end) return std::memcmp(a + at, b + at, end - at) == 0;
  uint64_t x = 0, y = 0;
  std::memcpy(&x, a + at, 8);
  std::memcpy(&y, b + at, 8);
  return x == y;
}

// Cuts `area` to the picture; false when nothing is left.
bool CutToPicture(Rect& area, const SDL_Surface& picture) {
  area.Left = std::max(area.Left, 0);
  area.Top = std::max(area.Top, 0);
  area.Right = std::min(area.Right, picture.w);
  area.Bottom = std::min(area.Bottom, picture.h);
  return area.Left < area.Right && area.Top < area.Bottom;
}

// Sending a rectangle to the window system costs about as much as copying this many pixels more.
constexpr int64_t kPixelsWorthARequest = 4096;
constexpr std::ptrdiff_t kBoxesLookedAt = 8;

int64_t AreaOf(const SDL_Rect& r) {
  return static_cast<int64_t>(r.w) * r.h;
}

SDL_Rect BoxAround(const SDL_Rect& a, const SDL_Rect& b) {
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
  return SDL_Rect{left, top, right - left, bottom - top};
}

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

void Display::Open(const std::string& sCaption, bool bFullScreen) {
  if (window_ != nullptr) return;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) RaiseSdlError();
  video_started_ = true;
  // Full screen, the window is made as large as the desktop from the start, so it covers the
  // screen even where no window manager is there to stretch it.
  int width = 800, height = 600, x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  SDL_DisplayMode desktop;
  if (bFullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    width = desktop.w;
    height = desktop.h;
    x = y = 0;
  }
#ifdef __EMSCRIPTEN__
  // In the browser the window is the page's canvas, 800 x 600; the page sizes it on the screen.
  const uint32_t resizable = 0;
#else
  const uint32_t resizable = SDL_WINDOW_RESIZABLE;
#endif
  window_.reset(SDL_CreateWindow(sCaption.c_str(), x, y, width, height,
                                 resizable | (bFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0)));
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
  texture_stale_ = false;
  mode_set_ = false;
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
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");  // pixel art stays sharp
  if (SDL_RenderSetLogicalSize(renderer_.get(), nWidth, nHeight) != 0) RaiseSdlError();
  FitPicture();
  texture_format_ = ScreenFormat(window_.get(), renderer_.get());
  source_format_ = 0;  // the colour table is made again for the new texture
  texture_width_ = nWidth;
  texture_height_ = nHeight;
  shown_.clear();
  SDL_RendererInfo info;
  keeps_texture_ =
      SDL_GetRendererInfo(renderer_.get(), &info) == 0 && std::strcmp(info.name, "software") == 0;
  // The software renderer's pictures go straight to the window's pixels: its texture (2 MB, kept
  // zeroed) is made only when a picture has to go through it.
  if (!keeps_texture_ && !EnsureTexture()) RaiseSdlError();
  mode_set_ = true;
  needs_clear_ = true;
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderPresent(renderer_.get());
}

bool Display::EnsureTexture() {
  if (texture_ != nullptr) return true;
  texture_.reset(SDL_CreateTexture(renderer_.get(), texture_format_, SDL_TEXTUREACCESS_STREAMING,
                                   texture_width_, texture_height_));
  texture_stale_ = true;  // a new texture holds nothing of the picture yet
  return texture_ != nullptr;
}

void Display::Present(const Surface& surface, const std::vector<Rect>* areas, bool bRowsDiffer) {
  if (!mode_set_) return;
  const SDL_Surface* raw = surface.Raw();
  if (raw->format->BytesPerPixel != 2) return;
  PrepareConversion(raw->format->format);
  changed_.clear();
  const size_t rowBytes = static_cast<size_t>(raw->w) * 2;
  if (shown_.size() != static_cast<size_t>(raw->h) * rowBytes) {
    // The first picture.
    shown_.resize(static_cast<size_t>(raw->h) * rowBytes);
    shown_width_ = raw->w;
    shown_height_ = raw->h;
    for (int y = 0; y < raw->h; ++y)
      std::memcpy(&shown_[y * rowBytes],
                  static_cast<const uint8_t*>(raw->pixels) + static_cast<size_t>(y) * raw->pitch,
                  rowBytes);
    ++uploads_;
    Paint(nullptr);
    return;
  }
  // Only what differs from the picture on the screen is sent; a still picture (the title, a
  // pause, a waiting screen) is not sent again at all. A frame of play has already left out
  // what it found unchanged.
  if (areas != nullptr && bRowsDiffer) {
    for (const Rect& area : *areas) TakeArea(*raw, area);
  } else {
    const Rect whole{0, 0, raw->w, raw->h};
    for (const Rect& area : areas != nullptr ? *areas : std::vector<Rect>{whole})
      UpdateArea(*raw, area);
  }
  if (changed_.empty()) return;
  ++uploads_;
  Paint(&changed_);
}

void Display::Paint(const std::vector<SDL_Rect>* parts) {
  SDL_Rect place;
  if (SDL_Surface* window = DirectWindow(place)) {
    PaintWindow(*window, place, parts, true);
    return;
  }
  // Through the texture: the software renderer keeps its pixels, so only the parts are written;
  // another renderer gets the whole picture every time.
  if (!keeps_texture_) parts = nullptr;
  if (!EnsureTexture()) return;
  CatchUpTexture();
  void* target = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_.get(), nullptr, &target, &pitch) != 0) return;
  const SDL_Rect all{0, 0, shown_width_, shown_height_};
  const size_t bytes = SDL_BYTESPERPIXEL(texture_format_);
  for (const SDL_Rect& part : parts != nullptr ? *parts : std::vector<SDL_Rect>{all})
    for (int y = part.y; y < part.y + part.h; ++y)
      Convert(reinterpret_cast<const uint16_t*>(&shown_[(y * shown_width_ + part.x) * 2]),
              static_cast<uint8_t*>(target) + static_cast<size_t>(y) * pitch + part.x * bytes,
              part.w);
  SDL_UnlockTexture(texture_.get());
  Show(parts);
}

SDL_Surface* Display::DirectWindow(SDL_Rect& place) {
  if (!keeps_texture_ || (colours_.empty() && !formula_) || shown_.empty()) return nullptr;
  SDL_Surface* window = SDL_GetWindowSurface(window_.get());
  if (window == nullptr || window->format->format != texture_format_ || SDL_MUSTLOCK(window))
    return nullptr;
  place = PictureArea();
  if (place.w <= 0 || place.h <= 0 || place.x < 0 || place.y < 0 || place.x + place.w > window->w ||
      place.y + place.h > window->h)
    return nullptr;
  return window;
}

SDL_Rect Display::PictureArea() const {
  SDL_Rect viewport;
  float scaleX = 1, scaleY = 1;
  SDL_RenderGetViewport(renderer_.get(), &viewport);
  SDL_RenderGetScale(renderer_.get(), &scaleX, &scaleY);
  return SDL_Rect{static_cast<int>(viewport.x * scaleX), static_cast<int>(viewport.y * scaleY),
                  static_cast<int>(viewport.w * scaleX), static_cast<int>(viewport.h * scaleY)};
}

void JoinForSending(std::vector<SDL_Rect>& parts) {
  std::sort(parts.begin(), parts.end(), [](const SDL_Rect& a, const SDL_Rect& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
  });
  std::vector<std::pair<SDL_Rect, int64_t>> joined;  // each box, and the parts' pixels in it
  for (const SDL_Rect& part : parts) {
    const int64_t pixels = AreaOf(part);
    // In order of their tops, the parts near this one went into the last few boxes.
    const auto last =
        joined.rbegin() + std::min(static_cast<std::ptrdiff_t>(joined.size()), kBoxesLookedAt);
    const auto near = std::find_if(joined.rbegin(), last, [&](const auto& box) {
      return AreaOf(BoxAround(box.first, part)) <= box.second + pixels + kPixelsWorthARequest;
    });
    if (near == last) {
      joined.emplace_back(part, pixels);
    } else {
      near->first = BoxAround(near->first, part);
      near->second += pixels;
    }
  }
  parts.clear();
  for (const auto& box : joined) parts.push_back(box.first);
}

void Display::PaintWindow(SDL_Surface& window, const SDL_Rect& place,
                          const std::vector<SDL_Rect>* parts, bool bSend) {
  // A new surface (the window changed) or one drawn over holds none of the picture yet.
  if (parts == nullptr || needs_clear_ || &window != drawn_window_) {
    ClearAround(window, place);
    Scale(window, place, SDL_Rect{0, 0, shown_width_, shown_height_});
    needs_clear_ = false;
    drawn_window_ = &window;
    if (bSend) SDL_UpdateWindowSurface(window_.get());
  } else {
    placed_.clear();
    for (const SDL_Rect& part : *parts) placed_.push_back(Scale(window, place, part));
    JoinForSending(placed_);
    if (bSend)
      SDL_UpdateWindowSurfaceRects(window_.get(), placed_.data(), static_cast<int>(placed_.size()));
  }
  texture_stale_ = true;
}

void Display::CatchUpTexture() {
  if (!texture_stale_ || shown_.empty() || !EnsureTexture()) return;
  void* target = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_.get(), nullptr, &target, &pitch) != 0) return;
  for (int y = 0; y < shown_height_; ++y)
    Convert(reinterpret_cast<const uint16_t*>(&shown_[static_cast<size_t>(y) * shown_width_ * 2]),
            static_cast<uint8_t*>(target) + static_cast<size_t>(y) * pitch, shown_width_);
  SDL_UnlockTexture(texture_.get());
  texture_stale_ = false;
}

void Display::UpdateArea(const SDL_Surface& picture, Rect area) {
  if (!CutToPicture(area, picture)) return;
  const size_t rowBytes = static_cast<size_t>(picture.w) * 2;
  const size_t from = static_cast<size_t>(area.Left) * 2, to = static_cast<size_t>(area.Right) * 2;
  // Changed rows that follow each other make one band; an unchanged row ends it.
  int left = 0, right = 0, top = -1;
  const auto endBand = [&](int bottom) {
    if (top >= 0) changed_.push_back(SDL_Rect{left, top, right - left, bottom - top});
    top = -1;
  };
  for (int y = area.Top; y < area.Bottom; ++y) {
    const uint8_t* row =
        static_cast<const uint8_t*>(picture.pixels) + static_cast<size_t>(y) * picture.pitch;
    uint8_t* mine = &shown_[y * rowBytes];
    if (std::memcmp(mine + from, row + from, to - from) == 0) {
      endBand(y);
      continue;
    }
    // From the first differing group of four pixels to the last.
    size_t at = from;
    while (SameGroup(mine, row, at, to)) at += 8;
    size_t last = from + (to - from - 1) / 8 * 8;
    while (SameGroup(mine, row, last, to)) last -= 8;
    const size_t end = std::min(last + 8, to);
    std::memcpy(mine + at, row + at, end - at);
    if (top < 0) {
      top = y;
      left = static_cast<int>(at / 2);
      right = static_cast<int>(end / 2);
    }
    left = std::min(left, static_cast<int>(at / 2));
    right = std::max(right, static_cast<int>(end / 2));
  }
  endBand(area.Bottom);
}

void Display::TakeArea(const SDL_Surface& picture, Rect area) {
  if (!CutToPicture(area, picture)) return;
  const size_t rowBytes = static_cast<size_t>(picture.w) * 2;
  const size_t from = static_cast<size_t>(area.Left) * 2, bytes = (area.Right - area.Left) * 2;
  for (int y = area.Top; y < area.Bottom; ++y)
    std::memcpy(
        &shown_[y * rowBytes + from],
        static_cast<const uint8_t*>(picture.pixels) + static_cast<size_t>(y) * picture.pitch + from,
        bytes);
  changed_.push_back(SDL_Rect{area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top});
}

// The screen's colour for every 16-bit colour, worked out once by SDL itself, so the picture
// looks exactly as SDL would convert it, at the cost of one look-up a pixel.
void Display::PrepareConversion(uint32_t sourceFormat) {
  if (source_format_ == sourceFormat) return;
  source_format_ = sourceFormat;
  colours_.clear();
  formula_ = false;
  if (SDL_BYTESPERPIXEL(texture_format_) != 4) return;
  std::vector<uint16_t> every(65536);
  for (size_t i = 0; i < every.size(); ++i) every[i] = static_cast<uint16_t>(i);
  colours_.resize(every.size());
  if (SDL_ConvertPixels(65536, 1, sourceFormat, every.data(), 65536 * 2, texture_format_,
                        colours_.data(), 65536 * 4) != 0) {
    colours_.clear();
    return;
  }
  // Where the colours can be worked out as SDL gives them, eight pixels at a time beat a look-up
  // in a table of 256 KB; they are checked against SDL's, every one of them.
  if (!RGB565_VECTORISED || sourceFormat != SDL_PIXELFORMAT_RGB565) return;
  const uint8_t alpha = static_cast<uint8_t>(colours_[0] >> 24);
  std::array<uint32_t, 4096> worked;
  for (size_t at = 0; at < every.size(); at += worked.size()) {
    ConvertRgb565(&every[at], reinterpret_cast<uint8_t*>(worked.data()), worked.size(), alpha);
    if (!std::equal(worked.begin(), worked.end(), colours_.begin() + at)) return;
  }
  colours_ = {};
  formula_alpha_ = alpha;
  formula_ = true;
}

void Display::Convert(const uint16_t* from, uint8_t* to, int count) const {
  if (formula_) {
    ConvertRgb565(from, to, count, formula_alpha_);
  } else if (!colours_.empty()) {
    for (int i = 0; i < count; ++i) {
      const uint32_t colour = colours_[from[i]];
      std::memcpy(to + 4 * i, &colour, 4);
    }
  } else if (texture_format_ == source_format_) {
    std::memcpy(to, from, static_cast<size_t>(count) * 2);
  } else {
    SDL_ConvertPixels(count, 1, source_format_, from, count * 2, texture_format_, to,
                      count * SDL_BYTESPERPIXEL(texture_format_));
  }
}

// Pixel art is scaled by a whole number where that keeps at least 80 % of the size the screen
// could show (1600 x 1200 and up, and windows just larger than the picture): every picture pixel
// is then a square block of the same size. Elsewhere (a 1920 x 1080 screen, say, where the whole
// number would be 1) the picture is as large as fits, each window pixel showing its nearest
// picture pixel. Either way the picture keeps its shape, black bars filling the rest.
void Display::FitPicture() {
  int width = 0, height = 0, logicalWidth = 0, logicalHeight = 0;
  if (SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0) return;
  SDL_RenderGetLogicalSize(renderer_.get(), &logicalWidth, &logicalHeight);
  if (logicalWidth <= 0 || logicalHeight <= 0) return;
  const double fits = std::min(static_cast<double>(width) / logicalWidth,
                               static_cast<double>(height) / logicalHeight);
  const bool whole = fits >= 1 && std::floor(fits) >= 0.8 * fits;
  SDL_RenderSetIntegerScale(renderer_.get(), whole ? SDL_TRUE : SDL_FALSE);
}

void Display::Refresh() {
  if (renderer_ != nullptr) FitPicture();
  needs_clear_ = true;
  if (shown_.empty())
    Show(nullptr);
  else
    Paint(nullptr);
}

void Display::Show(const std::vector<SDL_Rect>* bands) {
  if (!mode_set_) return;
  if (shown_.empty()) {
    // No picture yet: the window is black.
    SDL_RenderClear(renderer_.get());
    SDL_RenderPresent(renderer_.get());
    return;
  }
  if (!EnsureTexture()) return;
  CatchUpTexture();
  // The software renderer keeps the window's pixels between pictures: the black bars beside the
  // picture need drawing only after the window changed, and a picture shown pixel for pixel
  // needs only its changed parts copied. Scaled, the whole picture is drawn again.
  float scaleX = 0, scaleY = 0;
  SDL_RenderGetScale(renderer_.get(), &scaleX, &scaleY);
  const bool partial =
      keeps_texture_ && !needs_clear_ && bands != nullptr && scaleX == 1.0f && scaleY == 1.0f;
  if (needs_clear_ || !keeps_texture_) SDL_RenderClear(renderer_.get());
  needs_clear_ = false;
  if (partial) {
    for (const SDL_Rect& band : *bands)
      SDL_RenderCopy(renderer_.get(), texture_.get(), &band, &band);
  } else {
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  }
  SDL_RenderPresent(renderer_.get());
  if (keeps_texture_ && !partial) drawn_window_ = SDL_GetWindowSurface(window_.get());
}

void Display::PresentWithOverlay(const Overlay& overlay) {
  if (!mode_set_) return;
  // The picture drawn as every other picture is, the overlay over it by the renderer.
  SDL_Rect place;
  if (SDL_Surface* window = DirectWindow(place)) {
    PaintWindow(*window, place, nullptr, false);
  } else {
    if (!EnsureTexture()) return;
    CatchUpTexture();
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  }
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
  mode_set_ = false;
  texture_.reset();
  renderer_.reset();
  window_.reset();
  if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  video_started_ = false;
}
