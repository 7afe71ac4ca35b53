// Loaded into the real game with LD_PRELOAD by bench/startup/first_frame.sh: each picture the
// game sends to its window prints the processor time the game has used so far (all its threads)
// and the time since its libraries were loaded. The title stands still once it is up, so the
// last picture of the first seconds is the first title frame.
#include <SDL.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {

timespec g_started{};
int g_pictures = 0;

[[gnu::constructor]] void Started() { clock_gettime(CLOCK_MONOTONIC, &g_started); }

void Report() {
  if (++g_pictures > 50) return;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  const double wall =
      (now.tv_sec - g_started.tv_sec) * 1e3 + (now.tv_nsec - g_started.tv_nsec) / 1e6;
  std::fprintf(stderr, "first-frame-probe: picture %d cpu %.1f ms wall %.1f ms\n", g_pictures,
               cpu, wall);
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
  Report();
  return result;
}

int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
  static const auto real =
      Real<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects");
  const int result = real(window, rects, count);
  Report();
  return result;
}

void SDL_RenderPresent(SDL_Renderer* renderer) {
  static const auto real = Real<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
  real(renderer);
  Report();
}

}  // extern "C"
