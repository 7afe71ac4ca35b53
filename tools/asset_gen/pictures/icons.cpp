// The program's icon for desktops and menus: a gem on a night-sky tile with a bomb dropping in
// at its corner, drawn at each size a desktop asks for (16 to 256 px). Below 48 px the bomb is
// left out, so the gem stays readable. The same sizes make the Windows program's .ico file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/asset_gen/pictures.h"
#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

void DrawIcon(cairo_t* cr, int size) {
  const double s = size;
  cairo_new_path(cr);
  RoundedRect(cr, s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.18);
  SetLinear(cr, 0, 0, 0, s, {{0, Hex(0x2A1860)}, {0.6, Hex(0x5A2A80)}, {1, Hex(0xC0502A)}});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, std::max(1.0, s / 48));
  SetColor(cr, Hex(0x120A20));
  cairo_stroke(cr);
  if (size >= 48)
    for (int i = 0; i < 6; ++i) {
      const double a = i * 1.7 + 0.4;
      Twinkle(cr, s * (0.2 + 0.6 * (0.5 + 0.5 * std::sin(a * 3.1))),
              s * (0.12 + 0.25 * (0.5 + 0.5 * std::cos(a * 2.3))), s * 0.025, Hex(0xFFFFFF), 0.8);
    }
  // The gem fills the middle of the tile.
  const double gem = s * 0.72 / 40;
  GemAt(cr, s * 0.5 - 20 * gem, s * 0.56 - 17.5 * gem, gem, 0.1);
  if (size >= 48) BombAt(cr, s * 0.64, s * 0.04, s * 0.34 / 40, 0.6, BombLook::kNormal);
}

// One size of the icon as PNG bytes.
std::vector<uint8_t> IconPng(int size) {
  Canvas c(size, size);
  DrawIcon(c.cr(), size);
  cairo_surface_flush(c.surface());
  std::vector<uint8_t> png;
  const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
  };
  if (cairo_surface_write_to_png_stream(c.surface(), append, &png) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot draw the icon at " + std::to_string(size) + " px");
  return png;
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int nBytes) {
  for (int i = 0; i < nBytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

void WriteWindowsIcon(const std::filesystem::path& file) {
  // An .ico file: a directory of the sizes, then each one as PNG (which Windows reads since
  // Vista); 256 px is written as 0 in the directory's one-byte sizes.
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  std::vector<std::vector<uint8_t>> images;
  for (const int size : sizes) images.push_back(IconPng(size));
  std::vector<uint8_t> ico;
  PutLittleEndian(ico, 0, 2);
  PutLittleEndian(ico, 1, 2);
  PutLittleEndian(ico, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    ico.push_back(static_cast<uint8_t>(sizes[i] % 256));
    ico.push_back(static_cast<uint8_t>(sizes[i] % 256));
    PutLittleEndian(ico, 0, 2);   // no palette
    PutLittleEndian(ico, 1, 2);   // planes
    PutLittleEndian(ico, 32, 2);  // bits per pixel
    PutLittleEndian(ico, static_cast<uint32_t>(images[i].size()), 4);
    PutLittleEndian(ico, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::vector<uint8_t>& image : images) ico.insert(ico.end(), image.begin(), image.end());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

void DrawIcons(const std::filesystem::path& dir, const std::string& name) {
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::filesystem::path folder =
        dir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::filesystem::create_directories(folder);
    const std::vector<uint8_t> png = IconPng(size);
    std::ofstream out(folder / (name + ".png"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out.flush()) throw std::runtime_error("cannot write the icon into " + folder.string());
  }
}

}  // namespace pictures
