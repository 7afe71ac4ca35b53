// Bombs, blaster balls and the bomb exits.
//
// Bomb strips are sixteen 40 x 40 frames (640 x 40) of a bomb turning clockwise by 1/16 turn
// per frame, as it does rolling to the right; read backwards they roll it to the left. The
// normal bomb is black steel, the hot one (hit by a ball) glows red, and the hit one is the
// white flash shown for a few frames after each ball. The ball strip is sixteen 10 x 10 frames
// of a spinning energy ball. BombExit.bmp is a 20 x 100 doorway; each end of the level shows
// one half of it.
#include <cmath>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

const Rgb kInk = Hex(0x0C0A10);

struct BombColours {
  Rgb core, rim, outline, metal, fuse, seam;
  double shine;
  Rgb halo, back_light;  // the light outline round the body and the rim light on its back
};

BombColours ColoursFor(BombLook look) {
  switch (look) {
    case BombLook::kHot:
      return {Hex(0xFFC040), Hex(0x9A0C04), Hex(0x2A0200), Hex(0x6A3020), Hex(0x3A1A10),
              Hex(0xFFE080), 0.8,           Hex(0xFFD890), Hex(0xFFB040)};
    case BombLook::kHit:
      return {Hex(0xFFFFFF), Hex(0xFFD860), Hex(0x8A3000), Hex(0xF0E0C0), Hex(0xC09060),
              Hex(0xFFFFFF), 1.0,           Hex(0xFFF4D0), Hex(0xFFFFFF)};
    default:
      return {Hex(0x5A6274), Hex(0x101218), kInk,          Hex(0x8A909C), Hex(0x6A4A2A),
              Hex(0x90A0B8), 0.85,          Hex(0xC8D4E8), Hex(0x80B0F0)};
  }
}

}  // namespace

void BombShape(cairo_t* cr, double angle, BombLook look) {
  const BombColours c = ColoursFor(look);
  const double cx = 20, cy = 20, r = 12.4;
  cairo_save(cr);
  // A light outline between two dark ones, so the bomb stands out on dark and light backdrops
  // alike.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r + 1.6, 0, 2 * kPi);
  Stroke(cr, Shade(c.outline, -0.6), 2.6);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r + 1.2, 0, 2 * kPi);
  Stroke(cr, c.halo, 1.2);
  // Fuse and cap turn with the bomb, so they are drawn in its turning frame.
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  // Fuse: a short curl out of the cap, burning at its tip.
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -r - 2);
  cairo_curve_to(cr, 0.5, -r - 4.0, 3.2, -r - 2.8, 2.8, -r - 4.4);
  SetColor(cr, kInk);
  cairo_set_line_width(cr, 3.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke_preserve(cr);
  Stroke(cr, c.fuse, 1.7);
  // Cap.
  cairo_new_path(cr);
  RoundedRect(cr, -4.6, -r - 3.4, 9.2, 5.4, 1.2);
  SetLinear(cr, -4.6, 0, 4.6, 0,
            {{0, Shade(c.metal, 0.5)}, {0.4, c.metal}, {1, Shade(c.metal, -0.5)}});
  cairo_fill_preserve(cr);
  Stroke(cr, c.outline, 1.1);
  cairo_restore(cr);

  // Body: lit from the upper left whichever way it has turned.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetRadial(cr, cx - 4.5, cy - 5, 1, cx, cy, r + 0.5,
            {{0, c.core}, {0.5, Mix(c.core, c.rim, 0.55)}, {1, c.rim}});
  cairo_fill_preserve(cr);
  Stroke(cr, c.outline, 1.4);

  // Turning markings: a riveted band round the middle, bulging away from the fuse, and a
  // painted stripe near the bottom.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r - 0.6, 0, 2 * kPi);
  cairo_clip(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_new_path(cr);
  cairo_move_to(cr, -r, -1.5);
  cairo_curve_to(cr, -r * 0.5, 2.5, r * 0.5, 2.5, r, -1.5);
  cairo_line_to(cr, r, 2.0);
  cairo_curve_to(cr, r * 0.5, 6.0, -r * 0.5, 6.0, -r, 2.0);
  cairo_close_path(cr);
  SetColor(cr, Mix(c.rim, c.seam, 0.45));
  cairo_fill_preserve(cr);
  Stroke(cr, c.outline, 0.9, 0.8);
  for (int i = -2; i <= 2; ++i) {
    const double x = i * r * 0.38;
    const double y = 2.3 - 0.5 * std::abs(i) * std::abs(i) * 0.5 + 1.0;
    Disc(cr, x, y, 1.0, Shade(c.seam, 0.5));
  }
  cairo_new_path(cr);
  cairo_move_to(cr, -r, r * 0.5);
  cairo_curve_to(cr, -r * 0.5, r * 0.72, r * 0.5, r * 0.72, r, r * 0.5);
  Stroke(cr, look == BombLook::kNormal ? Hex(0xE03020) : Shade(c.core, 0.3), 2.2, 0.85);
  cairo_restore(cr);

  // Light from the upper left and the rim catching the light below.
  Shine(cr, cx - 5, cy - 6, 4.2, 3.0, c.shine);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r - 1.5, kPi * 0.05, kPi * 0.65);
  StrokeRound(cr, c.back_light, 1.5, 0.85);

  // Spark at the fuse tip, flickering with the turn.
  const double sx = cx + (r + 4.4) * std::sin(angle) + 2.8 * std::cos(angle);
  const double sy = cy - (r + 4.4) * std::cos(angle) + 2.8 * std::sin(angle);
  const double flicker = 0.5 + 0.5 * std::sin(angle * 5.0);
  cairo_new_path(cr);
  StarPath(cr, sx, sy, 2.2 + 0.8 * flicker, 1.0, 6, angle * 3);
  SetColor(cr, Hex(0xFF8020));
  cairo_fill(cr);
  Disc(cr, sx, sy, 1.1, Hex(0xFFFFA0));
  cairo_restore(cr);
}

void BombAt(cairo_t* cr, double x, double y, double scale, double angle, BombLook look) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  BombShape(cr, angle, look);
  cairo_restore(cr);
}

namespace {

void DrawBombStrip(const std::filesystem::path& file, BombLook look) {
  Canvas c(640, 40);
  cairo_t* cr = c.cr();
  for (int f = 0; f < 16; ++f) {
    cairo_save(cr);
    cairo_rectangle(cr, 40 * f, 0, 40, 40);
    cairo_clip(cr);
    cairo_translate(cr, 40 * f, 0);
    BombShape(cr, 2 * kPi * f / 16.0, look);
    cairo_restore(cr);
  }
  c.SaveSprite(file);
}

// Energy ball: a green glowing core with a bright band that spins round it.
void DrawAmmoBall(const std::filesystem::path& file) {
  Canvas c(160, 10);
  cairo_t* cr = c.cr();
  for (int f = 0; f < 16; ++f) {
    const double cx = 10 * f + 5, cy = 5, r = 3.9;
    const double a = 2 * kPi * f / 16.0;
    cairo_save(cr);
    cairo_rectangle(cr, 10 * f, 0, 10, 10);
    cairo_clip(cr);
    ShadedBall(cr, cx, cy, r, Hex(0x80F030), Hex(0x1A4008), 0.9);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r - 1.4, a, a + kPi * 0.7);
    Stroke(cr, Hex(0xF8FFC0), 1.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r - 1.4, a + kPi, a + kPi * 1.3);
    SetColor(cr, Hex(0x2A8A10));
    cairo_stroke(cr);
    Disc(cr, cx, cy, 1.1, Hex(0xFFFFFF));
    cairo_restore(cr);
  }
  c.SaveSprite(file);
}

// A steel doorway with hazard-striped posts and a dark shaft behind it. The left end of the
// level shows its right half, the right end its left half, so the shaft always lies outside.
void DrawBombExit(const std::filesystem::path& file) {
  Canvas c(20, 100);
  cairo_t* cr = c.cr();
  // Shaft.
  cairo_new_path(cr);
  cairo_rectangle(cr, 3, 6, 14, 94);
  SetLinear(cr, 3, 0, 17, 0,
            {{0, {0.02, 0.02, 0.03}}, {0.5, {0.16, 0.13, 0.18}}, {1, {0.02, 0.02, 0.03}}});
  cairo_fill(cr);
  // Arrow marks on each half pointing to the middle of the doorway, out of the level.
  for (int i = 0; i < 4; ++i) {
    const double y = 30 + i * 16;
    for (int s = -1; s <= 1; s += 2) {
      const double x = 10 + s * 3.2;
      cairo_new_path(cr);
      cairo_move_to(cr, x + s * 1.6, y - 3);
      cairo_line_to(cr, x - s * 1.6, y);
      cairo_line_to(cr, x + s * 1.6, y + 3);
      Stroke(cr, Hex(0xE0A020), 1.2, 0.8);
    }
  }
  // Posts with hazard stripes.
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 0 : 16;
    cairo_save(cr);
    cairo_rectangle(cr, x, 4, 4, 96);
    cairo_clip(cr);
    SetColor(cr, Hex(0xF0C020));
    cairo_paint(cr);
    for (double y = -4; y < 100; y += 8) {
      cairo_new_path(cr);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + 4, y - 4);
      cairo_line_to(cr, x + 4, y);
      cairo_line_to(cr, x, y + 4);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x181818));
      cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, x + 0.5, 4.5, 3, 95);
    Stroke(cr, kInk, 1.0);
  }
  // Lintel with a red warning lamp split between the two halves.
  cairo_new_path(cr);
  RoundedRect(cr, 0.5, 0.5, 19, 6, 2);
  FillVertical(cr, 0, 7, Hex(0xC8CCD4), Hex(0x5A5E68));
  Stroke(cr, kInk, 1.0);
  Disc(cr, 10, 3.5, 2.2, Hex(0xFF3020));
  Shine(cr, 9.4, 2.8, 1.0, 0.8, 1.0);
  c.SaveSprite(file);
}

}  // namespace

void DrawBombs(const std::filesystem::path& out) {
  DrawBombStrip(out / "NormalBomb_ZT.bmp", BombLook::kNormal);
  DrawBombStrip(out / "HotBomb_ZT.bmp", BombLook::kHot);
  DrawBombStrip(out / "HitBomb_ZT.bmp", BombLook::kHit);
  DrawAmmoBall(out / "AmmoBall_ZT.bmp");
  DrawBombExit(out / "BombExit.bmp");
}

}  // namespace pictures
