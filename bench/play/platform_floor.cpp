// What a pass costs before the game draws anything: an SDL program that does only what every
// pass of play does around its drawing, at the game's rates, for share_of_core.sh to measure
// beside the game ("floor"). Each 30 ms it reads the window's events and sends a 60 x 60 square of
// its 800 x 600 window (its colour changing, so the window system has something to take), then
// sleeps; meanwhile a sound device of 1 024 frames at 44.1 kHz, as the game opens it, mixes
// silence on SDL's thread. On a virtual machine where waking a thread costs tens of
// microseconds, this is a large part of standing play's share.
#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {
constexpr Uint32 kPassMilliseconds = 30;
constexpr int kSquare = 60;

void Silence(void*, Uint8* stream, int bytes) {
  std::memset(stream, 0, static_cast<size_t>(bytes));
}

bool OpenSound() {
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  wanted.callback = Silence;
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device == 0) return false;
  SDL_PauseAudioDevice(device, 0);
  return true;
}
}  // namespace

int main(int, char**) {
  // The window's own surface in the X server's shared memory, as the game draws it, not through
  // an OpenGL renderer.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "platform_floor: %s\n", SDL_GetError());
    return 1;
  }
  if (!OpenSound()) std::fprintf(stderr, "platform_floor: no sound device: %s\n", SDL_GetError());
  SDL_Window* window =
      SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, 0);
  SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  if (surface == nullptr) {
    std::fprintf(stderr, "platform_floor: %s\n", SDL_GetError());
    return 1;
  }
  const SDL_Rect square{370, 270, kSquare, kSquare};
  for (Uint32 pass = 0;; ++pass) {
    const Uint32 start = SDL_GetTicks();
    for (SDL_Event event; SDL_PollEvent(&event);)
      if (event.type == SDL_QUIT) return 0;
    SDL_FillRect(surface, &square, SDL_MapRGB(surface->format, 0, pass % 2 != 0 ? 255 : 0, 0));
    SDL_UpdateWindowSurfaceRects(window, &square, 1);
    const Uint32 spent = SDL_GetTicks() - start;
    if (spent < kPassMilliseconds) SDL_Delay(kPassMilliseconds - spent);
  }
}
