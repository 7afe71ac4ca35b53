#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>
#include <utility>

#include "engines/display.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#include <unistd.h>
#endif

// The picture scaled into the window's own surface: the black bars around it, and each part of
// the picture written to the window pixels that show it.
namespace {
// Copies `bytes` bytes to `to` with stores that go round the cache where the processor has them,
// so the lines written are not first read in from memory; EndStreaming makes them visible to
// other processors (the X server) in order.
void CopyStreaming(uint8_t* to, const uint8_t* from, size_t bytes) {
#if defined(__SSE2__)
  const size_t head = (16 - reinterpret_cast<uintptr_t>(to) % 16) % 16;
  if (bytes >= head + 16) {
    std::memcpy(to, from, head);
    size_t at = head;
    const auto stream = [&](size_t i) {
      _mm_stream_si128(reinterpret_cast<__m128i*>(to + i),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
    };
    for (; at + 64 <= bytes; at += 64) {
      stream(at);
      stream(at + 16);
      stream(at + 32);
      stream(at + 48);
    }
    for (; at + 16 <= bytes; at += 16) stream(at);
    std::memcpy(to + at, from + at, bytes - at);
    return;
  }
#endif
  std::memcpy(to, from, bytes);
}

void EndStreaming() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

// Hands the whole pages of memory within [begin, end) back to the system, where it promises they
// read as zeros afterwards (the shared memory the X server shows from), and returns the part
// handed back (empty when no whole page lies there); nothing when the system refuses.
std::optional<std::pair<uint8_t*, uint8_t*>> ZeroPages(uint8_t* begin, uint8_t* end) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  if (page == 0) return std::nullopt;
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
  const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
  if (first >= last) return std::pair{begin, begin};
  if (madvise(reinterpret_cast<void*>(first), last - first, MADV_REMOVE) != 0) return std::nullopt;
  return std::pair{reinterpret_cast<uint8_t*>(first), reinterpret_cast<uint8_t*>(last)};
#else
  (void)begin;
  (void)end;
  return std::nullopt;
#endif
}

// Calls `spread` with `width` as a constant where it is one of the usual widths, so that the loop
// writing each colour that many times is unrolled.
template <class Spread>
void WithWidth(int width, const Spread& spread) {
  switch (width) {
    case 2:
      return spread(std::integral_constant<int, 2>());
    case 3:
      return spread(std::integral_constant<int, 3>());
    case 4:
      return spread(std::integral_constant<int, 4>());
    default:
      return spread(width);
  }
}
}  // namespace

// Black that is all zero bits (as in the X server's window formats) is made, where the window lives
// in shared memory, by handing whole pages back to the system rather than writing them: the rows
// above and below the place, and the pages between the end of one picture row and the start of
// the next. At 3840 x 2160 that is 9 MB the game never touches.
void ClearAround(SDL_Surface& window, const SDL_Rect& place) {
  const uint32_t black = SDL_MapRGB(window.format, 0, 0, 0);
  if (black != 0 || place.w <= 0 || place.h <= 0) {
    SDL_FillRect(&window, nullptr, black);  // the place is drawn over straight after
    return;
  }
  auto* const pixels = static_cast<uint8_t*>(window.pixels);
  bool shared = true;  // until the system refuses: then the memory is the game's own, and written
  const auto clear = [&shared](uint8_t* begin, uint8_t* end) {
    if (begin >= end) return;
    const auto zeroed = shared ? ZeroPages(begin, end) : std::nullopt;
    shared = zeroed.has_value();
    const auto [first, last] = zeroed.value_or(std::pair{begin, begin});
    std::memset(begin, 0, static_cast<size_t>(first - begin));
    std::memset(last, 0, static_cast<size_t>(end - last));
  };
  // The bytes before the place's first row, between its rows, and after its last.
  const auto rowStart = [&](int y) {
    return pixels + static_cast<size_t>(place.y + y) * window.pitch +
           static_cast<size_t>(place.x) * 4;
  };
  clear(pixels, rowStart(0));
  for (int y = 0; y + 1 < place.h; ++y)
    clear(rowStart(y) + static_cast<size_t>(place.w) * 4, rowStart(y + 1));
  clear(rowStart(place.h - 1) + static_cast<size_t>(place.w) * 4,
        pixels + static_cast<size_t>(window.h) * window.pitch);
}

// Window pixel (X, Y) of the picture's place shows picture pixel (X * width / place width,
// Y * height / place height), the nearest one, so a part drawn again matches the whole exactly.
SDL_Rect Display::Scale(SDL_Surface& window, const SDL_Rect& place, const SDL_Rect& part) {
  if (place.w == shown_width_ && place.h == shown_height_) {
    // At the picture's own size (an 800 x 600 window) each row of the part is converted straight
    // into the window's row.
    for (int y = part.y; y < part.y + part.h; ++y) {
      const size_t at = static_cast<size_t>(y) * shown_width_ + part.x;
      uint8_t* const out = static_cast<uint8_t*>(window.pixels) +
                           static_cast<size_t>(place.y + y) * window.pitch +
                           static_cast<size_t>(place.x + part.x) * 4;
      Convert(reinterpret_cast<const uint16_t*>(&shown_[at * 2]), out, part.w);
    }
    return SDL_Rect{place.x + part.x, place.y + part.y, part.w, part.h};
  }
  const auto first = [](int at, int placed, int size) { return (at * placed + size - 1) / size; };
  const int x0 = first(part.x, place.w, shown_width_);
  const int x1 = first(part.x + part.w, place.w, shown_width_);
  const int y0 = first(part.y, place.h, shown_height_);
  const int y1 = first(part.y + part.h, place.h, shown_height_);
  if (columns_.size() != static_cast<size_t>(place.w) ||
      starts_.size() != static_cast<size_t>(shown_width_) + 1) {
    columns_.resize(static_cast<size_t>(place.w));
    for (int x = 0; x < place.w; ++x) columns_[x] = x * shown_width_ / place.w;
    starts_.resize(static_cast<size_t>(shown_width_) + 1);
    widest_ = 0;
    for (int s = 0; s <= shown_width_; ++s) {
      starts_[s] = first(s, place.w, shown_width_);
      if (s > 0) widest_ = std::max(widest_, starts_[s] - starts_[s - 1]);
    }
  }
  row_colours_.resize(static_cast<size_t>(shown_width_));
  const auto rowOut = [&](int y) {
    return static_cast<uint8_t*>(window.pixels) + static_cast<size_t>(place.y + y) * window.pitch +
           static_cast<size_t>(place.x) * 4;
  };
  const int whole = place.w % shown_width_ == 0 ? place.w / shown_width_ : 0;
  const size_t bytes = static_cast<size_t>(x1 - x0) * 4;
  const auto sourceOf = [&](int y) { return y * shown_height_ / place.h; };
  const auto pictureRow = [&](int y) {
    return reinterpret_cast<const uint16_t*>(
        &shown_[static_cast<size_t>(sourceOf(y)) * shown_width_ * 2]);
  };
  // A window row showing the same picture row as the one above it.
  const auto repeats = [&](int y) { return y > y0 && sourceOf(y) == sourceOf(y - 1); };
  if (whole > 1) {
    // Twice the size and more (1600 x 1200 and up), the window's picture is larger than the
    // processor's caches keep from one pass to the next: each row is worked out once in a row of
    // our own, which stays in the cache, and streamed to its window rows.
    scaled_row_.resize(static_cast<size_t>(place.w));
    const auto* scaled = reinterpret_cast<const uint8_t*>(scaled_row_.data()) + x0 * 4;
    for (int y = y0; y < y1; ++y) {
      if (!repeats(y))
        ScaleRowWhole(pictureRow(y), scaled_row_.data(), x0 / whole, x1 / whole, whole);
      CopyStreaming(rowOut(y) + x0 * 4, scaled, bytes);
    }
    EndStreaming();
  } else {
    // Smaller, the rows are written straight to the window, a repeated one copied from the row
    // above.
    for (int y = y0; y < y1; ++y) {
      uint8_t* out = rowOut(y);
      if (repeats(y)) {
        std::memcpy(out + x0 * 4, rowOut(y - 1) + x0 * 4, bytes);
      } else {
        // Each picture pixel's colour once, then spread over the window's columns.
        const int s0 = columns_[x0], s1 = columns_[x1 - 1] + 1;
        Convert(pictureRow(y) + s0, reinterpret_cast<uint8_t*>(row_colours_.data() + s0), s1 - s0);
        if (place.w > shown_width_) {
          ScaleRowFitted(out, x0, x1);
        } else {
          for (int x = x0; x < x1; ++x) std::memcpy(out + x * 4, &row_colours_[columns_[x]], 4);
        }
      }
    }
  }
  return SDL_Rect{place.x + x0, place.y + y0, x1 - x0, y1 - y0};
}

// Each picture pixel spans one window column more or fewer than its neighbour. The ones inside
// the part are written as wide as the widest, with no test, the next one covering the excess;
// the first and the last, which the part may cut, are written exactly.
void Display::ScaleRowFitted(uint8_t* out, int x0, int x1) const {
  auto* const to = reinterpret_cast<uint32_t*>(out);
  const int first = columns_[x0], last = columns_[x1 - 1];
  if (first == last) {
    std::fill(to + x0, to + x1, row_colours_[first]);
    return;
  }
  std::fill(to + x0, to + starts_[first + 1], row_colours_[first]);
  const auto spread = [&](auto width) {
    for (int s = first + 1; s < last; ++s) {
      uint32_t* const at = to + starts_[s];
      const uint32_t colour = row_colours_[s];
      for (int i = 0; i < width; ++i) at[i] = colour;
    }
  };
  WithWidth(widest_, spread);
  std::fill(to + starts_[last], to + x1, row_colours_[last]);
}

// Picture pixels `from[s0]` to `from[s1 - 1]`, each `k` window pixels wide: the row's colours
// worked out once, then each written k times.
void Display::ScaleRowWhole(const uint16_t* from, uint32_t* row, int s0, int s1, int k) {
  Convert(from + s0, reinterpret_cast<uint8_t*>(row_colours_.data() + s0), s1 - s0);
  uint32_t* to = row + static_cast<size_t>(s0) * k;
  int sx = s0;
#if defined(__SSE2__)
  // At the usual scales, four colours at a time, each spread over k window pixels by shuffling.
  for (; k >= 2 && k <= 4 && sx + 4 <= s1; sx += 4, to += 4 * k) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&row_colours_[sx]));
    auto* const v = reinterpret_cast<__m128i*>(to);
    if (k == 2) {
      _mm_storeu_si128(v, _mm_unpacklo_epi32(c, c));
      _mm_storeu_si128(v + 1, _mm_unpackhi_epi32(c, c));
    } else if (k == 3) {
      _mm_storeu_si128(v, _mm_shuffle_epi32(c, _MM_SHUFFLE(1, 0, 0, 0)));
      _mm_storeu_si128(v + 1, _mm_shuffle_epi32(c, _MM_SHUFFLE(2, 2, 1, 1)));
      _mm_storeu_si128(v + 2, _mm_shuffle_epi32(c, _MM_SHUFFLE(3, 3, 3, 2)));
    } else {
      _mm_storeu_si128(v, _mm_shuffle_epi32(c, _MM_SHUFFLE(0, 0, 0, 0)));
      _mm_storeu_si128(v + 1, _mm_shuffle_epi32(c, _MM_SHUFFLE(1, 1, 1, 1)));
      _mm_storeu_si128(v + 2, _mm_shuffle_epi32(c, _MM_SHUFFLE(2, 2, 2, 2)));
      _mm_storeu_si128(v + 3, _mm_shuffle_epi32(c, _MM_SHUFFLE(3, 3, 3, 3)));
    }
  }
#endif
  const auto spread = [&](auto width) {
    for (; sx < s1; ++sx) {
      const uint32_t colour = row_colours_[sx];
      for (int i = 0; i < width; ++i) *to++ = colour;
    }
  };
  WithWidth(k, spread);
}
