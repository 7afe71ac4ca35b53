// pibo-contact-sheet PROGRAM_FOLDER OUT.png
// One picture for reviewing the game's art: every picture of the catalogue enlarged 2x on a
// checkerboard where it is see-through, its animation frames outlined, then the first level of
// every stage (and the machine's level and the finale) as the game draws them.
#include <SDL.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "engines/font.h"
#include "engines/surface.h"
#include "game/game.h"
#include "headless/headless.h"

namespace {

constexpr int kSheetWidth = 1660;
constexpr int kMargin = 20;
constexpr int kLabel = 22;  // the height of a caption line
constexpr uint32_t kBackground = 0x202428;

// Frame outlines of the animated sheets: frame width and height (0: one picture).
struct Frames {
  int w, h;
};
Frames FramesOf(PictureId picture) {
  switch (picture) {
    case PictureId::Character:
      return {40, 36};
    case PictureId::NormalBomb:
    case PictureId::HotBomb:
    case PictureId::HitBomb:
      return {40, 40};
    case PictureId::AmmoBall:
      return {10, 10};
    case PictureId::Fireworks:
      return {20, 20};
    case PictureId::Platform:
      return {150, 20};
    default:
      return PictureSizeOf(picture).Height == 35 ? Frames{40, 35} : Frames{0, 0};
  }
}

// Laid out twice: once with no canvas to learn its height, then drawn.
struct Sheet {
  SDL_Surface* canvas = nullptr;
  int x = kMargin, y = kMargin, row_height = 0;

  // Room for a w x h block (with its caption) at the current place, a new row when it does not fit.
  SDL_Rect Place(int w, int h) {
    if (x + w > kSheetWidth - kMargin && x > kMargin) NewRow();
    SDL_Rect where{x, y + kLabel, w, h};
    x += w + kMargin;
    row_height = std::max(row_height, h + kLabel);
    return where;
  }
  void NewRow() {
    x = kMargin;
    y += row_height + kMargin;
    row_height = 0;
  }
  void Caption(const std::string& text, int at_x, int at_y, uint32_t color = 0xE0E0E0) {
    if (canvas == nullptr) return;
    SDL_Surface* drawn = Font("Arial", 10).Rendered(text, color);
    SDL_Rect where{at_x, at_y, drawn->w, drawn->h};
    SDL_BlitSurface(drawn, nullptr, canvas, &where);
  }
  void Heading(const std::string& text) {
    if (x > kMargin) NewRow();
    SDL_Surface* drawn = Font("Arial", 16).Rendered(text, 0xFFFFFF);
    SDL_Rect where{kMargin, y, drawn->w, drawn->h};
    if (canvas != nullptr) SDL_BlitSurface(drawn, nullptr, canvas, &where);
    y += drawn->h + kMargin / 2;
  }
};

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

// A 16-bit picture of the game filling `where`, see-through where it has the key.
void Paste(Sheet& sheet, SDL_Surface* picture, const SDL_Rect& where, bool keyed) {
  SDL_Surface* wide = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_Surface* large =
      SDL_CreateRGBSurfaceWithFormat(0, where.w, where.h, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_BlitScaled(wide, nullptr, large, nullptr);
  // Copied pixel by pixel, leaving the key's pure blue out.
  for (int y = 0; y < where.h && where.y + y < sheet.canvas->h; ++y) {
    const auto* from =
        reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(large->pixels) + y * large->pitch);
    auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(sheet.canvas->pixels) +
                                           (where.y + y) * sheet.canvas->pitch) +
               where.x;
    for (int x = 0; x < where.w; ++x) {
      if (!keyed || (from[x] & 0xFFFFFF) != 0x0000FF) to[x] = from[x];
    }
  }
  SDL_FreeSurface(large);
  SDL_FreeSurface(wide);
}

void AddPictures(Sheet& sheet) {
  sheet.Heading("Every picture, 2x, frames outlined");
  for (int i = 0; i <= PICTURE_COUNT; ++i) {
    // The extra set's title picture comes after the catalogue's own.
    const bool extraTitle = i == PICTURE_COUNT;
    const auto picture = extraTitle ? PictureId::Title : static_cast<PictureId>(i);
    const PictureSize size = PictureSizeOf(picture);
    const std::string file = PictureFile(picture, extraTitle);
    const SDL_Rect where = sheet.Place(2 * size.Width, 2 * size.Height);
    if (sheet.canvas == nullptr) continue;
    const auto loaded = Surface::Load(file, size.Width, size.Height);
    const bool keyed = picture >= PictureId::Platform;
    if (keyed) Checkerboard(sheet.canvas, where);
    Paste(sheet, loaded->Raw(), where, keyed);
    const Frames frames = FramesOf(picture);
    if (frames.w != 0) Outline(sheet.canvas, where, 2 * frames.w, 2 * frames.h, 0xFF40C0);
    sheet.Caption(file + "  " + std::to_string(size.Width) + " x " + std::to_string(size.Height),
                  where.x, where.y - kLabel + 4);
  }
}

// The level as the game draws it once play has begun.
void AddLevels(Sheet& sheet, Game& game, headless::ScriptedKeys& keys) {
  sheet.Heading("The first level of every stage, the machine's level and the finale");
  for (const int level : {1, 7, 13, 19, 25, 30, 31}) {
    const int stage = level > 30 ? 4 : (level - 1) / 6 + 1;
    const SDL_Rect where = sheet.Place(800, 600);
    if (sheet.canvas == nullptr) continue;
    keys.Hold({dik::SPACE});  // past the stage preview at once
    game.Play.Randomize(7);
    if (!game.BeginGame(static_cast<int16_t>(level - 1), static_cast<int16_t>(stage - 1))) {
      std::fprintf(stderr, "pibo-contact-sheet: level %d could not be started\n", level);
      continue;
    }
    keys.Hold({});
    // The finale plays on until several fireworks are in the air.
    const int frames = level == 31 ? 260 : 40;
    for (int frame = 0; frame < frames; ++frame) {
      game.DrawFrame();
      game.DoFrame();
    }
    game.DrawFrame();
    Paste(sheet, game.GE.PrimarySurface()->Raw(), where, false);
    const std::string name = level <= static_cast<int>(game.LevelNames.size())
                                 ? game.LevelNames[static_cast<size_t>(level - 1)]
                                 : std::string();
    sheet.Caption("Level " + std::to_string(level) + " (" + game.StageNames[stage] + "): " + name,
                  where.x, where.y - kLabel + 4);
  }
}

bool WritePng(const std::filesystem::path& file, SDL_Surface* canvas, int height) {
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(canvas, SDL_PIXELFORMAT_RGB24, 0);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(rgb->w);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const bool written =
      png_image_write_to_file(&image, file.c_str(), 0, rgb->pixels, rgb->pitch, nullptr) != 0;
  SDL_FreeSurface(rgb);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pibo-contact-sheet PROGRAM_FOLDER OUT.png\n");
    return 2;
  }
  const std::filesystem::path out = std::filesystem::absolute(argv[2]);
  if (chdir(argv[1]) != 0) {
    std::fprintf(stderr, "pibo-contact-sheet: cannot enter %s\n", argv[1]);
    return 1;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  int status = 0;
  {
    headless::ManualClock clock;
    headless::HeadlessHost host;
    headless::ScriptedKeys keys;
    Game game;
    game.IE.SetSource(&keys);
    if (!game.Initialize(host, false)) {
      std::fprintf(stderr, "pibo-contact-sheet: the game could not start; see Errors.txt\n");
      return 1;
    }
    game.Options.bSoundEffects = 0;
    Sheet sheet;
    sheet.canvas =
        SDL_CreateRGBSurfaceWithFormat(0, kSheetWidth, 16000, 32, SDL_PIXELFORMAT_XRGB8888);
    SDL_FillRect(sheet.canvas, nullptr, kBackground);
    AddPictures(sheet);
    AddLevels(sheet, game, keys);
    sheet.NewRow();
    if (!WritePng(out, sheet.canvas, std::min(sheet.y, sheet.canvas->h))) {
      std::fprintf(stderr, "pibo-contact-sheet: cannot write %s\n", out.c_str());
      status = 1;
    } else {
      std::printf("%s: %d x %d\n", out.c_str(), kSheetWidth, sheet.y);
    }
    SDL_FreeSurface(sheet.canvas);
    game.IE.SetSource(nullptr);
  }
  Font::CloseAll();
  SDL_Quit();
  return status;
}
