#include "tools/asset_gen/pictures.h"

#include "tools/asset_gen/pictures/families.h"

// Every bitmap the game loads, drawn from scratch: nothing is read, so the files come out the
// same on every run and every machine.
void DrawAllPictures(const std::filesystem::path& out) {
  pictures::DrawScreens(out);
  pictures::DrawBackdrops(out);
  pictures::DrawPlatforms(out);
  pictures::DrawCharacter(out);
  pictures::DrawItems(out);
  pictures::DrawBombs(out);
  pictures::DrawMachine(out);
}
