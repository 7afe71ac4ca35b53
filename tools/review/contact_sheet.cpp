// pibo-contact-sheet PROGRAM_FOLDER OUT.png
// One picture for reviewing the game's art: every picture of the catalogue enlarged 2x on a
// checkerboard where it is see-through, its animation frames outlined, then the first level of
// every stage (and the machine's level and the finale) as the game draws them.
#include <SDL.h>
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
#include "tools/review/sheet.h"

namespace {

using review::kLabel;
using review::Sheet;

constexpr int kSheetWidth = 1660;

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

void AddPictures(Sheet& sheet) {
  sheet.Heading("Every picture, 2x, frames outlined");
  for (int i = 0; i <= PICTURE_COUNT; ++i) {
    // The extra set's title picture comes after the catalogue's own.
    const bool extraTitle = i == PICTURE_COUNT;
    const auto picture = extraTitle ? PictureId::Title : static_cast<PictureId>(i);
    const PictureSize size = PictureSizeOf(picture);
    const std::string file = PictureFile(picture, extraTitle);
    const SDL_Rect where = sheet.Place(2 * size.Width, 2 * size.Height);
    const auto loaded = Surface::Load(file, size.Width, size.Height);
    const bool keyed = picture >= PictureId::Platform;
    if (keyed) review::Checkerboard(sheet.canvas, where);
    review::Paste(sheet, loaded->Raw(), where, keyed);
    const Frames frames = FramesOf(picture);
    if (frames.w != 0) review::Outline(sheet.canvas, where, 2 * frames.w, 2 * frames.h, 0xFF40C0);
    sheet.Caption(file + "  " + std::to_string(size.Width) + " x " + std::to_string(size.Height),
                  where.x, where.y - kLabel + 4);
  }
}

// The level as the game draws it once play has begun.
void AddLevels(Sheet& sheet, review::HeadlessGame& headless) {
  Game& game = headless.game;
  sheet.Heading("The first level of every stage, the machine's level and the finale");
  for (const int level : {1, 7, 13, 19, 25, 30, 31}) {
    const int stage = level > 30 ? 4 : (level - 1) / 6 + 1;
    const SDL_Rect where = sheet.Place(800, 600);
    if (!headless.BeginGame(level - 1, stage - 1)) {
      std::fprintf(stderr, "pibo-contact-sheet: level %d could not be started\n", level);
      continue;
    }
    // The finale plays on until several fireworks are in the air.
    const int frames = level == 31 ? 260 : 40;
    for (int frame = 0; frame < frames; ++frame) {
      game.DrawFrame();
      game.DoFrame();
    }
    game.DrawFrame();
    review::Paste(sheet, game.GE.PrimarySurface()->Raw(), where, false);
    const std::string name = level <= static_cast<int>(game.LevelNames.size())
                                 ? game.LevelNames[static_cast<size_t>(level - 1)]
                                 : std::string();
    sheet.Caption("Level " + std::to_string(level) + " (" + game.StageNames[stage] + "): " + name,
                  where.x, where.y - kLabel + 4);
  }
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
    review::HeadlessGame headless;
    if (!headless.Start()) {
      std::fprintf(stderr, "pibo-contact-sheet: the game could not start; see Errors.txt\n");
      return 1;
    }
    Sheet sheet(kSheetWidth, 16000);
    AddPictures(sheet);
    AddLevels(sheet, headless);
    if (!sheet.WritePng(out)) {
      std::fprintf(stderr, "pibo-contact-sheet: cannot write %s\n", out.c_str());
      status = 1;
    } else {
      std::printf("%s: %d x %d\n", out.c_str(), kSheetWidth, sheet.y);
    }
  }
  Font::CloseAll();
  SDL_Quit();
  return status;
}
