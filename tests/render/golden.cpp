#include "tests/render/golden.h"

#include <SDL.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engines/surface.h"

namespace testing_support {
namespace {

std::filesystem::path GoldenFolder() {
  return std::filesystem::path(PIBO_SOURCE_DIR) / "tests" / "render" / "golden";
}

// The surface as tightly packed 8-bit RGB.
std::vector<uint8_t> RgbPixels(const Surface& surface, int& width, int& height) {
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface.Raw(), SDL_PIXELFORMAT_RGB24, 0);
  width = rgb->w;
  height = rgb->h;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch;
    std::copy(row, row + width * 3, pixels.begin() + static_cast<long>(y) * width * 3);
  }
  SDL_FreeSurface(rgb);
  return pixels;
}

bool WritePng(const std::filesystem::path& file, const std::vector<uint8_t>& pixels, int width,
              int height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, file.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::filesystem::path& file, std::vector<uint8_t>& pixels, int& width,
             int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, file.c_str()) == 0) return false;
  image.format = PNG_FORMAT_RGB;
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  pixels.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

}  // namespace

std::string CompareWithGolden(const Surface& surface, const std::string& name) {
  int width = 0, height = 0;
  const std::vector<uint8_t> actual = RgbPixels(surface, width, height);
  const std::filesystem::path golden = GoldenFolder() / (name + ".png");
  if (const char* update = std::getenv("PIBO_UPDATE_GOLDEN"); update != nullptr && *update == '1') {
    std::filesystem::create_directories(GoldenFolder());
    return WritePng(golden, actual, width, height) ? "" : "cannot write " + golden.string();
  }

  std::vector<uint8_t> expected;
  int expectedWidth = 0, expectedHeight = 0;
  const std::filesystem::path actualFile =
      std::filesystem::path(PIBO_GAME_DIR).parent_path() / (name + ".actual.png");
  if (!ReadPng(golden, expected, expectedWidth, expectedHeight)) {
    WritePng(actualFile, actual, width, height);
    return "no golden image " + golden.string() + " (PIBO_UPDATE_GOLDEN=1 makes it)";
  }
  if (expectedWidth != width || expectedHeight != height)
    return "size " + std::to_string(width) + " x " + std::to_string(height) + ", expected " +
           std::to_string(expectedWidth) + " x " + std::to_string(expectedHeight);
  size_t differing = 0;
  size_t first = 0;
  for (size_t i = 0; i < actual.size(); i += 3) {
    if (actual[i] != expected[i] || actual[i + 1] != expected[i + 1] ||
        actual[i + 2] != expected[i + 2]) {
      if (differing++ == 0) first = i / 3;
    }
  }
  if (differing == 0) return "";
  WritePng(actualFile, actual, width, height);
  return std::to_string(differing) + " pixels differ, the first at (" +
         std::to_string(first % width) + ", " + std::to_string(first / width) + "); see " +
         actualFile.string();
}

}  // namespace testing_support
