// pibo-levels render: a whole level set drawn on one sheet for review.
#include "tools/review/level_sheet.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

struct Png {
  int w = 0, h = 0;
  std::vector<uint8_t> rgb;
};

Png ReadPng(const fs::path& file) {
  Png p;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return p;
  image.format = PNG_FORMAT_RGB;
  p.w = static_cast<int>(image.width);
  p.h = static_cast<int>(image.height);
  p.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr)) p = Png{};
  return p;
}

int Render(const std::vector<std::string>& args, std::string* messages = nullptr) {
  std::ostringstream err;
  const int status = RenderLevelSheet(args, err);
  if (messages != nullptr) *messages = err.str();
  return status;
}

}  // namespace

// Thirty-one levels in rows of three, each a third of its 1600 x 600: the sheet is as wide as
// three of them and tall enough for eleven rows, and every level's place holds a drawn level
// (many colours), not the bare background.
TEST(LevelSheet, DrawsEveryLevelOfTheSetAThirdOfItsSize) {
  const fs::path out =
      fs::temp_directory_path() / ("pibo-sheet-" + std::to_string(getpid()) + ".png");
  const fs::path set = fs::path(PIBO_GAME_DIR) / "Levels_e.dat";
  ASSERT_EQ(Render({set.string(), out.string()}), 0);
  const Png png = ReadPng(out);
  fs::remove(out);
  ASSERT_EQ(png.w, 3 * 533 + 4 * 20);
  ASSERT_GT(png.h, 11 * 200);
  // The last level (31) sits alone in the last row, at the left.
  for (int level = 0; level < 31; ++level) {
    const int x0 = 20 + (level % 3) * 553, y0 = png.h - 20 - 200 - (10 - level / 3) * 242;
    std::set<uint32_t> colours;
    for (int y = y0; y < y0 + 200; y += 3)
      for (int x = x0; x < x0 + 533; x += 3) {
        const uint8_t* p = &png.rgb[(static_cast<size_t>(y) * png.w + x) * 3];
        colours.insert(static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]);
      }
    EXPECT_GT(colours.size(), 200u) << "level " << level + 1;
  }
}

// A damaged level file is named and nothing is written; a wrong command line shows the usage.
TEST(LevelSheet, RefusesADamagedSetAndAWrongCommandLine) {
  const fs::path dir = fs::temp_directory_path() / ("pibo-sheet-bad-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<uint8_t> bytes = testing_support::ReadBytes(fs::path(PIBO_GAME_DIR) / "Levels.dat");
  bytes.resize(1000);
  testing_support::WriteBytes(dir / "Levels.dat", bytes);
  std::string messages;
  EXPECT_EQ(
      Render({(dir / "Levels.dat").string(), (dir / "out.png").string(), "--folder", PIBO_GAME_DIR},
             &messages),
      1);
  EXPECT_NE(messages.find("pibo-levels"), std::string::npos) << messages;
  EXPECT_FALSE(fs::exists(dir / "out.png"));
  // Far larger than any level file (sparse): refused unread, naming the file.
  fs::resize_file(dir / "Levels.dat", 1ULL << 30);
  EXPECT_EQ(
      Render({(dir / "Levels.dat").string(), (dir / "out.png").string(), "--folder", PIBO_GAME_DIR},
             &messages),
      1);
  EXPECT_NE(messages.find("Levels.dat: File too large (1073741824 bytes"), std::string::npos)
      << messages;
  fs::remove_all(dir);
  EXPECT_EQ(Render({"only-one-file.dat"}, &messages), 2);
  EXPECT_NE(messages.find("usage: pibo-levels render"), std::string::npos);
  EXPECT_EQ(Render({"a.dat", "b.png", "--shrink", "2"}, &messages), 2);
}
