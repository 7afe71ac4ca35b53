// The program's icon for desktops and menus: a gem on a night-sky tile with a bomb dropping in
// at its corner, drawn at each size a desktop asks for (16 to 256 px). Below 48 px the bomb is
// left out, so the gem stays readable.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

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

}  // namespace

void DrawIcons(const std::filesystem::path& dir, const std::string& name) {
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::filesystem::path folder =
        dir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::filesystem::create_directories(folder);
    Canvas c(size, size);
    DrawIcon(c.cr(), size);
    cairo_surface_flush(c.surface());
    if (cairo_surface_write_to_png(c.surface(), (folder / (name + ".png")).c_str()) !=
        CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("cannot write the icon into " + folder.string());
  }
}

}  // namespace pictures
