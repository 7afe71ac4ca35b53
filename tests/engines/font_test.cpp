// The font cache: closed before SDL shuts down, and opened again by the next text.
#include "engines/font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engines/surface.h"

namespace {

std::vector<uint16_t> Drawn(const Font& font) {
  auto surface = Surface::Create(120, 30);
  surface->SetFont(font);
  surface->SetForeColor(RGB(255, 255, 0));
  surface->DrawText(2, 2, "Score: 120", false);
  std::vector<uint16_t> pixels;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) pixels.push_back(surface->Pixel(x, y));
  return pixels;
}

}  // namespace

TEST(FontCache, TextAfterClosingTheCacheIsDrawnAsBefore) {
  const Font font("Comic Sans MS", 12);
  const std::vector<uint16_t> before = Drawn(font);
  Font::CloseAll();
  Font::CloseAll();  // closing an empty cache is harmless
  EXPECT_EQ(Drawn(font), before);
  int lit = 0;
  for (uint16_t pixel : before) lit += pixel != 0;
  EXPECT_GT(lit, 50) << "the text was drawn at all";
}

// The browser build ships font files and maps the game's names itself; the map must name the
// faces fontconfig picks on the desktop, or text would be drawn differently there.
TEST(FontFiles, TheShippedFacesAreTheOnesFontconfigPicks) {
  const auto fileName = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
  for (const char* name : {"Comic Sans MS", "Arial", "Liberation Sans"}) {
    const std::string picked = Font::ResolveFile(name);
    ASSERT_FALSE(picked.empty()) << name;
    EXPECT_EQ(fileName(picked), fileName(Font::ShippedFile(name))) << name;
  }
}
