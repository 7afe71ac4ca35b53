#include "engines/sdl_ptrs.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

void SdlDeleter::operator()(SDL_Window* window) const noexcept {
  SDL_DestroyWindow(window);
}
void SdlDeleter::operator()(SDL_Renderer* renderer) const noexcept {
  SDL_DestroyRenderer(renderer);
}
void SdlDeleter::operator()(SDL_Texture* texture) const noexcept {
  SDL_DestroyTexture(texture);
}
void SdlDeleter::operator()(SDL_Surface* surface) const noexcept {
  SDL_FreeSurface(surface);
}
void SdlDeleter::operator()(Mix_Chunk* chunk) const noexcept {
  Mix_FreeChunk(chunk);
}
void SdlDeleter::operator()(_Mix_Music* music) const noexcept {
  Mix_FreeMusic(music);
}
void SdlDeleter::operator()(_TTF_Font* font) const noexcept {
  TTF_CloseFont(font);
}
