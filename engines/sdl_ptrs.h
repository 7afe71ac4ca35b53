#pragma once
// Every SDL handle the engines hold, owned by a unique_ptr that frees it with SDL's own function.
// The deleter is defined beside SDL, so a header can hold these without including SDL.
#include <memory>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
struct Mix_Chunk;
struct _Mix_Music;
struct _TTF_Font;

struct SdlDeleter {
  void operator()(SDL_Window* window) const noexcept;
  void operator()(SDL_Renderer* renderer) const noexcept;
  void operator()(SDL_Texture* texture) const noexcept;
  void operator()(SDL_Surface* surface) const noexcept;
  void operator()(Mix_Chunk* chunk) const noexcept;
  void operator()(_Mix_Music* music) const noexcept;
  void operator()(_TTF_Font* font) const noexcept;
};

using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, SdlDeleter>;
using MusicPtr = std::unique_ptr<_Mix_Music, SdlDeleter>;
using FontFacePtr = std::unique_ptr<_TTF_Font, SdlDeleter>;
