// Loaded into the real game with LD_PRELOAD by bench/startup/first_frame.sh: each picture the
// game sends to its window prints the processor time the game has used so far (all its threads)
// and the time since its libraries were loaded, with a hash of the window's pixels. The title
// stands still once it is up, so the first picture that shows what the window shows at the end
// of the first seconds is the first title frame (an uncovered window is sent the same again).
#include <SDL.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

timespec g_started{};
int g_pictures = 0;

[[gnu::constructor]] void Started() {
  clock_gettime(CLOCK_MONOTONIC, &g_started);
}

double g_hashing_ms = 0;  // the probe's own time, left out of the figures

// The fresh pages the game has touched so far (minor page faults): on some virtual machines each
// costs over ten microseconds, and a start touches thousands.
long PageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

double ProcessorMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// A hash of the window's pixels, eight bytes at a time: a picture sent again (the window
// uncovered) hashes the same.
uint64_t HashOf(SDL_Window* window) {
  const double start = ProcessorMs();
  const SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  uint64_t hash = 14695981039346656037ull;
  if (surface != nullptr) {
    const auto* bytes = static_cast<const uint8_t*>(surface->pixels);
    for (size_t i = 0, n = static_cast<size_t>(surface->h) * surface->pitch; i + 8 <= n; i += 8) {
      uint64_t word = 0;
      std::memcpy(&word, bytes + i, 8);
      hash = (hash ^ word) * 1099511628211ull;
    }
  }
  g_hashing_ms += ProcessorMs() - start;
  return hash;
}

void Report(SDL_Window* window) {
  if (++g_pictures > 50) return;
  const double cpu = ProcessorMs() - g_hashing_ms;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const double wall = (now.tv_sec - g_started.tv_sec) * 1e3 +
                      (now.tv_nsec - g_started.tv_nsec) / 1e6 - g_hashing_ms;
  const long faults = PageFaults();
  const uint64_t hash = HashOf(window);
  std::fprintf(stderr,
               "first-frame-probe: picture %d cpu %.1f ms wall %.1f ms screen %016llx faults %ld\n",
               g_pictures, cpu, wall, static_cast<unsigned long long>(hash), faults);
}

template <class Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int SDL_UpdateWindowSurface(SDL_Window* window) {
  static const auto real = Real<int (*)(SDL_Window*)>("SDL_UpdateWindowSurface");
  const int result = real(window);
  Report(window);
  return result;
}

int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
  static const auto real =
      Real<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects");
  const int result = real(window, rects, count);
  Report(window);
  return result;
}

void SDL_RenderPresent(SDL_Renderer* renderer) {
  static const auto real = Real<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
  real(renderer);
  Report(SDL_RenderGetWindow(renderer));
}

}  // extern "C"
