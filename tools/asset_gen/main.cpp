// pibo-assets [--pictures] OUTDIR
// pibo-assets --icons DIR NAME
// pibo-assets --windows-icon FILE
// Draws the game's pictures, synthesises its waves and composes its music into OUTDIR (the
// program's folder). With --pictures it only draws the pictures, which is quick while
// working on them.
// Everything is computed, nothing is read, so the output is the same on every machine.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "tools/asset_gen/music.h"
#include "tools/asset_gen/pictures.h"
#include "tools/asset_gen/sounds.h"

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--icons") {
    // The desktop icons, as DIR/NxN/apps/NAME.png (the hicolor theme's layout).
    try {
      pictures::DrawIcons(argv[2], argv[3]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "pibo-assets: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--windows-icon") {
    try {
      pictures::WriteWindowsIcon(argv[2]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "pibo-assets: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  const bool pictures_only = argc == 3 && std::string(argv[1]) == "--pictures";
  if (argc != 2 && !pictures_only) {
    std::fprintf(stderr,
                 "usage: pibo-assets [--pictures] OUTDIR\n       pibo-assets --icons DIR NAME\n"
                 "       pibo-assets --windows-icon FILE\n");
    return 2;
  }
  try {
    std::filesystem::path out = argv[argc - 1];
    std::filesystem::create_directories(out);
    DrawAllPictures(out);
    if (pictures_only) return 0;
    SynthesizeAllSounds(out);
    ComposeAllMusic(out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
