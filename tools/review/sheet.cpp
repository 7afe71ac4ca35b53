#include "tools/review/sheet.h"

#include <png.h>

#include <algorithm>

#include "engines/font.h"

namespace review {

Sheet::Sheet(int width_, int max_height) : width(width_) {
  canvas = SDL_CreateRGBSurfaceWithFormat(0, width, max_height, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_FillRect(canvas, nullptr, kBackground);
}

Sheet::~Sheet() {
  SDL_FreeSurface(canvas);
}

SDL_Rect Sheet::Place(int w, int h) {
  if (x + w > width - kMargin && x > kMargin) NewRow();
  SDL_Rect where{x, y + kLabel, w, h};
  x += w + kMargin;
  row_height = std::max(row_height, h + kLabel);
  return where;
}

void Sheet::NewRow() {
  x = kMargin;
  y += row_height + kMargin;
  row_height = 0;
}

void Sheet::Caption(const std::string& text, int at_x, int at_y, uint32_t color) {
  SDL_Surface* drawn = Font("Arial", 10).Rendered(text, color);
  SDL_Rect where{at_x, at_y, drawn->w, drawn->h};
  SDL_BlitSurface(drawn, nullptr, canvas, &where);
}

void Sheet::Heading(const std::string& text) {
  if (x > kMargin) NewRow();
  SDL_Surface* drawn = Font("Arial", 16).Rendered(text, 0xFFFFFF);
  SDL_Rect where{kMargin, y, drawn->w, drawn->h};
  SDL_BlitSurface(drawn, nullptr, canvas, &where);
  y += drawn->h + kMargin / 2;
}

bool Sheet::WritePng(const std::filesystem::path& file) {
  if (x > kMargin) NewRow();
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(canvas, SDL_PIXELFORMAT_RGB24, 0);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(rgb->w);
  image.height = static_cast<png_uint_32>(std::min(y, canvas->h));
  image.format = PNG_FORMAT_RGB;
  const bool written =
      png_image_write_to_file(&image, file.c_str(), 0, rgb->pixels, rgb->pitch, nullptr) != 0;
  SDL_FreeSurface(rgb);
  return written;
}

void Checkerboard(SDL_Surface* canvas, const SDL_Rect& area) {
  for (int cy = 0; cy < area.h; cy += 8) {
    for (int cx = 0; cx < area.w; cx += 8) {
      SDL_Rect cell{area.x + cx, area.y + cy, std::min(8, area.w - cx), std::min(8, area.h - cy)};
      const bool light = ((cx + cy) / 8) % 2 == 0;
      SDL_FillRect(canvas, &cell, light ? 0x5A5F66 : 0x44484E);
    }
  }
}

void Outline(SDL_Surface* canvas, const SDL_Rect& area, int step_x, int step_y, uint32_t color) {
  for (int gx = 0; gx <= area.w; gx += step_x) {
    SDL_Rect line{area.x + std::min(gx, area.w - 1), area.y, 1, area.h};
    SDL_FillRect(canvas, &line, color);
  }
  for (int gy = 0; gy <= area.h; gy += step_y) {
    SDL_Rect line{area.x, area.y + std::min(gy, area.h - 1), area.w, 1};
    SDL_FillRect(canvas, &line, color);
  }
}

namespace {

uint32_t* Row(SDL_Surface* s, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}

}  // namespace

void Paste(Sheet& sheet, SDL_Surface* picture, const SDL_Rect& where, bool keyed) {
  SDL_Surface* wide = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_Surface* large =
      SDL_CreateRGBSurfaceWithFormat(0, where.w, where.h, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_BlitScaled(wide, nullptr, large, nullptr);
  // Copied pixel by pixel, leaving the key's pure blue out.
  for (int y = 0; y < where.h && where.y + y < sheet.canvas->h; ++y) {
    const uint32_t* from = Row(large, y);
    uint32_t* to = Row(sheet.canvas, where.y + y) + where.x;
    for (int x = 0; x < where.w; ++x) {
      if (!keyed || (from[x] & 0xFFFFFF) != 0x0000FF) to[x] = from[x];
    }
  }
  SDL_FreeSurface(large);
  SDL_FreeSurface(wide);
}

void PasteShrunk(Sheet& sheet, SDL_Surface* picture, int x, int y, int factor) {
  SDL_Surface* wide = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_XRGB8888, 0);
  const int w = wide->w / factor, h = wide->h / factor;
  for (int ty = 0; ty < h && y + ty < sheet.canvas->h; ++ty) {
    uint32_t* to = Row(sheet.canvas, y + ty) + x;
    for (int tx = 0; tx < w && x + tx < sheet.canvas->w; ++tx) {
      uint32_t r = 0, g = 0, b = 0;
      for (int sy = 0; sy < factor; ++sy) {
        const uint32_t* from = Row(wide, ty * factor + sy) + tx * factor;
        for (int sx = 0; sx < factor; ++sx) {
          r += (from[sx] >> 16) & 0xFF;
          g += (from[sx] >> 8) & 0xFF;
          b += from[sx] & 0xFF;
        }
      }
      const uint32_t n = static_cast<uint32_t>(factor * factor);
      to[tx] = ((r / n) << 16) | ((g / n) << 8) | (b / n);
    }
  }
  SDL_FreeSurface(wide);
}

}  // namespace review
