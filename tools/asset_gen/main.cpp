// pibo-assets OUTDIR
// Draws the game's pictures, synthesises its waves and composes its music into OUTDIR (the
// program's folder).
// Everything is computed, nothing is read, so the output is the same on every machine.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/asset_gen/music.h"
#include "tools/asset_gen/pictures.h"
#include "tools/asset_gen/sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pibo-assets OUTDIR\n");
    return 2;
  }
  try {
    std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    DrawAllPictures(out);
    SynthesizeAllSounds(out);
    ComposeAllMusic(out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
