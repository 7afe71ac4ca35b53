// Backdrops and stage previews, one of each per stage: 1 The Factory, 2 Caves Of Chaos,
// 3 Egypt, 4 The Final Frontier, 5 The Machine!.
//
// Background_ZT.bmp is 1000 x 200: the five 200 x 200 tiles side by side, stage s at
// x = 200(s-1); the tiles themselves are drawn in backdrop_tiles.cpp.
//
// StagePreviews.bmp is 320 x 1200: five 320 x 240 pictures in a column, stage 1 at the top.
// The game writes "Next Stage" and the stage's name over the top left of the picture and the
// stage password 210 px down, so the top and bottom bands are darkened.
#include <cmath>

#include "tools/asset_gen/pictures/backdrop_tiles.h"
#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

const Rgb kInk = Hex(0x0A080C);

void GearPath(cairo_t* cr, double cx, double cy, double r, int teeth, double angle) {
  cairo_new_path(cr);
  const double depth = r * 0.16;
  for (int i = 0; i < teeth; ++i) {
    const double a0 = angle + 2 * kPi * i / teeth;
    const double step = 2 * kPi / teeth;
    const double pts[4][2] = {{a0, r - depth},
                              {a0 + step * 0.15, r},
                              {a0 + step * 0.45, r},
                              {a0 + step * 0.6, r - depth}};
    for (const auto& p : pts)
      cairo_line_to(cr, cx + p[1] * std::cos(p[0]), cy + p[1] * std::sin(p[0]));
  }
  cairo_close_path(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double r, int teeth, double angle, Rgb fill,
          Rgb edge) {
  GearPath(cr, cx, cy, r, teeth, angle);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, r * 0.28, 2 * kPi, 0);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  StrokeRound(cr, edge, 1.5);
  for (int i = 0; i < 5; ++i) {
    const double a = angle + 2 * kPi * i / 5;
    Disc(cr, cx + r * 0.55 * std::cos(a), cy + r * 0.55 * std::sin(a), r * 0.12,
         Shade(fill, -0.35));
  }
}

// --- stage previews -----------------------------------------------------------------------

constexpr double kPw = 320, kPh = 240;

void FactoryPreview(cairo_t* cr) {
  PaintVertical(
      cr, 0, kPh,
      {{0, Hex(0x2A1838)}, {0.45, Hex(0xC0502A)}, {0.7, Hex(0xF0A040)}, {1, Hex(0x603020)}});
  // Skyline of sheds and chimneys.
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 170);
  const double roof[][2] = {{0, 120},   {30, 120},  {30, 100},  {50, 120},  {70, 100},  {90, 120},
                            {110, 100}, {130, 120}, {130, 70},  {142, 70},  {142, 120}, {170, 120},
                            {170, 60},  {184, 60},  {184, 110}, {230, 110}, {230, 90},  {260, 90},
                            {260, 50},  {272, 50},  {272, 100}, {320, 100}};
  for (const auto& p : roof) cairo_line_to(cr, p[0], p[1]);
  cairo_line_to(cr, 320, 170);
  cairo_close_path(cr);
  SetColor(cr, Hex(0x2A1C24));
  cairo_fill(cr);
  // Lit windows.
  Rng rng(601);
  for (int i = 0; i < 26; ++i) {
    const double x = 6 + i * 12, y = 128 + rng.Int(3) * 10;
    if (rng.Next() < 0.35) continue;
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, 5, 5);
    SetColor(cr, Hex(0xFFD060), 0.9);
    cairo_fill(cr);
  }
  // Smoke.
  for (const double sx : {136.0, 177.0, 266.0}) {
    for (int k = 0; k < 5; ++k) {
      cairo_new_path(cr);
      cairo_arc(cr, sx + k * 7, (sx == 177 ? 52 : 62) - k * 9 - (sx == 266 ? 10 : 0), 6 + k * 2.5,
                0, 2 * kPi);
      SetColor(cr, Hex(0x605058), 0.55 - k * 0.08);
      cairo_fill(cr);
    }
  }
  // A big cog and the conveyor belt in front.
  Gear(cr, 40, 170, 46, 14, 0.2, Hex(0x4A4A58), Hex(0x1A1A22));
  cairo_new_path(cr);
  RoundedRect(cr, -10, 186, 340, 18, 9);
  SetColor(cr, Hex(0x24242C));
  cairo_fill(cr);
  for (int i = 0; i < 12; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, 10 + i * 28, 195, 6.5, 0, 2 * kPi);
    SetColor(cr, Hex(0x70707C));
    cairo_fill_preserve(cr);
    StrokeRound(cr, Hex(0x18181E), 1.2);
    Disc(cr, 10 + i * 28, 195, 1.8, Hex(0x18181E));
  }
  PlatformsAt(cr, 150, 140, 7, 3, 1.1);
  HeroAt(cr, 196, 98, 1.2, 1);
  BombAt(cr, 70, 140, 1.1, 0.8, BombLook::kNormal);
  BombAt(cr, 282, 60, 0.9, 2.1, BombLook::kHot);
  GemAt(cr, 250, 108, 0.9, 0.2);
}

void CavePreview(cairo_t* cr) {
  PaintVertical(cr, 0, kPh, {{0, Hex(0x0C0810)}, {0.6, Hex(0x2A1830)}, {1, Hex(0x7A2A10)}});
  // Rock mass with an opening: ceiling stalactites and floor stalagmites.
  auto fangs = [&](double base, int dir, Rgb col, std::uint64_t seed, double size) {
    Rng rng(seed);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, base - dir * 60);
    double x = 0;
    while (x < kPw) {
      const double w = rng.Range(14, 30) * size, h = rng.Range(20, 60) * size;
      cairo_line_to(cr, x, base);
      cairo_line_to(cr, x + w / 2, base + dir * h);
      x += w;
    }
    cairo_line_to(cr, kPw, base);
    cairo_line_to(cr, kPw, base - dir * 60);
    cairo_close_path(cr);
    SetColor(cr, col);
    cairo_fill_preserve(cr);
    StrokeRound(cr, Shade(col, -0.5), 1.5);
  };
  fangs(20, 1, Hex(0x3A2640), 611, 1.0);
  fangs(40, 1, Hex(0x24162A), 612, 0.7);
  // Lava glow at the bottom.
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 200, kPw, 40);
  SetLinear(cr, 0, 200, 0, 240, {{0, {1.0, 0.6, 0.1}}, {1, {0.6, 0.1, 0.0}}});
  cairo_fill(cr);
  fangs(215, -1, Hex(0x2A1A2E), 613, 0.8);
  // Crystals glowing in the walls.
  const double crystals[][3] = {{40, 150, 0}, {270, 160, 1}, {180, 60, 0}, {100, 70, 1}};
  for (const auto& c : crystals) {
    const Rgb col = c[2] == 0 ? Hex(0x30E0F0) : Hex(0xF050D0);
    SetRadial(cr, c[0], c[1], 1, c[0], c[1], 30, {{0, col, 0.5}, {1, col, 0}});
    cairo_paint(cr);
    for (int k = -1; k <= 1; ++k) {
      cairo_save(cr);
      cairo_translate(cr, c[0] + k * 5, c[1]);
      cairo_rotate(cr, k * 0.4);
      cairo_new_path(cr);
      cairo_move_to(cr, -3, 6);
      cairo_line_to(cr, -3, -8 + std::abs(k) * 4);
      cairo_line_to(cr, 0, -13 + std::abs(k) * 4);
      cairo_line_to(cr, 3, -8 + std::abs(k) * 4);
      cairo_line_to(cr, 3, 6);
      cairo_close_path(cr);
      SetColor(cr, Shade(col, 0.2));
      cairo_fill_preserve(cr);
      StrokeRound(cr, Shade(col, -0.6), 1);
      cairo_restore(cr);
    }
  }
  // Bats.
  for (const auto& b : {std::pair{230.0, 80.0}, std::pair{255.0, 95.0}, std::pair{210.0, 100.0}}) {
    cairo_new_path(cr);
    const double x = b.first, y = b.second;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x - 4, y - 6, x - 9, y - 5, x - 12, y - 2);
    cairo_curve_to(cr, x - 9, y - 2, x - 7, y, x - 6, y + 2);
    cairo_curve_to(cr, x - 4, y, x - 2, y + 1, x, y + 3);
    cairo_curve_to(cr, x + 2, y + 1, x + 4, y, x + 6, y + 2);
    cairo_curve_to(cr, x + 7, y, x + 9, y - 2, x + 12, y - 2);
    cairo_curve_to(cr, x + 9, y - 5, x + 4, y - 6, x, y);
    SetColor(cr, Hex(0x0A060C));
    cairo_fill(cr);
  }
  PlatformsAt(cr, 90, 150, 13, 3, 1.0);
  HeroAt(cr, 130, 104, 1.2, 8);
  BombAt(cr, 200, 110, 1.0, 1.2, BombLook::kNormal);
  GemAt(cr, 60, 110, 0.9, 0.5);
}

void EgyptPreview(cairo_t* cr) {
  PaintVertical(
      cr, 0, kPh,
      {{0, Hex(0x1A3A8A)}, {0.5, Hex(0x5AA0E0)}, {0.62, Hex(0xF8D890)}, {1, Hex(0xC88A40)}});
  // Sun.
  SetRadial(cr, 250, 70, 5, 250, 70, 60,
            {{0, {1, 1, 0.85}, 1}, {0.3, {1, 0.9, 0.5}, 0.9}, {1, {1, 0.8, 0.4}, 0}});
  cairo_paint(cr);
  // Pyramids with a lit and a shaded face.
  const double pyramids[][3] = {{90, 150, 80}, {200, 155, 60}, {40, 160, 40}};
  for (const auto& p : pyramids) {
    const double x = p[0], base = p[1], h = p[2];
    cairo_new_path(cr);
    cairo_move_to(cr, x - h * 1.3, base);
    cairo_line_to(cr, x, base - h);
    cairo_line_to(cr, x + h * 0.2, base);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xF0C070));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + h * 0.2, base);
    cairo_line_to(cr, x, base - h);
    cairo_line_to(cr, x + h * 1.3, base);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xA8763A));
    cairo_fill(cr);
    for (int k = 1; k < 6; ++k) {
      const double y = base - h * k / 6.0;
      const double half = h * 1.3 * (1 - k / 6.0);
      cairo_new_path(cr);
      cairo_move_to(cr, x - half, y);
      cairo_line_to(cr, x + half, y);
      StrokeRound(cr, Hex(0x7A5020), 0.8, 0.5);
    }
  }
  // Dunes.
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 170);
  cairo_curve_to(cr, 80, 150, 160, 185, 240, 160);
  cairo_curve_to(cr, 280, 150, 300, 155, 320, 160);
  cairo_line_to(cr, 320, 240);
  cairo_line_to(cr, 0, 240);
  cairo_close_path(cr);
  FillVertical(cr, 150, 240, Hex(0xE8B860), Hex(0x9A6A30));
  cairo_new_path(cr);
  // Palm tree.
  cairo_new_path(cr);
  cairo_move_to(cr, 280, 200);
  cairo_curve_to(cr, 284, 170, 292, 140, 300, 118);
  StrokeRound(cr, Hex(0x5A3A18), 6);
  for (int i = 0; i < 6; ++i) {
    const double a = -kPi * 0.95 + i * kPi * 0.38;
    cairo_new_path(cr);
    cairo_move_to(cr, 300, 118);
    cairo_curve_to(cr, 300 + 14 * std::cos(a), 112 + 14 * std::sin(a) - 6, 300 + 26 * std::cos(a),
                   118 + 26 * std::sin(a) - 2, 300 + 30 * std::cos(a), 124 + 30 * std::sin(a));
    StrokeRound(cr, Hex(0x2A7A20), 4);
  }
  PlatformsAt(cr, 110, 176, 1, 3, 1.0);
  HeroAt(cr, 170, 130, 1.2, 12);
  BombAt(cr, 120, 130, 1.0, 0.3, BombLook::kNormal);
  GemAt(cr, 40, 150, 1.0, 0.8);
}

void SpacePreview(cairo_t* cr) {
  PaintVertical(cr, 0, kPh, {{0, Hex(0x02020A)}, {0.6, Hex(0x10082A)}, {1, Hex(0x2A0A40)}});
  // One number from the generator per statement (down before across), so the stars do not
  // move with the order a compiler works out a call's arguments in.
  Rng rng(641);
  for (int i = 0; i < 160; ++i) {
    const int y = rng.Int(240);
    const int x = rng.Int(320);
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, 1, 1);
    SetColor(cr, Hex(0xFFFFFF), rng.Range(0.3, 1));
    cairo_fill(cr);
  }
  for (int i = 0; i < 6; ++i) {
    const double y = rng.Range(10, 230);
    const double x = rng.Range(10, 310);
    Twinkle(cr, x, y, 4, Hex(0xFFFFFF));
  }
  // Nebula haze.
  for (const auto& [x, y, c] :
       {std::tuple{80.0, 90.0, Hex(0xA030C0)}, std::tuple{240.0, 160.0, Hex(0x2060E0)}}) {
    SetRadial(cr, x, y, 5, x, y, 90, {{0, c, 0.35}, {1, c, 0}});
    cairo_paint(cr);
  }
  // Ringed planet: the far side of the ring, the planet, then the near side.
  auto ring = [&](double from, double to, Rgb c, double width, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, 240, 80);
    cairo_rotate(cr, -0.3);
    cairo_scale(cr, 1, 0.25);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 72, from, to);
    cairo_restore(cr);
    StrokeRound(cr, c, width, alpha);
  };
  ring(kPi, 2 * kPi, Hex(0xB09870), 4, 0.8);
  cairo_new_path(cr);
  cairo_arc(cr, 240, 80, 42, 0, 2 * kPi);
  SetRadial(cr, 222, 62, 4, 240, 80, 44,
            {{0, {1.0, 0.85, 0.6}}, {0.55, {0.85, 0.45, 0.25}}, {1, {0.25, 0.06, 0.1}}});
  cairo_fill(cr);
  ring(0.0, kPi, Hex(0xF0D8A0), 5, 0.9);
  // Rocket.
  cairo_save(cr);
  cairo_translate(cr, 70, 80);
  cairo_rotate(cr, 0.6);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -26);
  cairo_curve_to(cr, 10, -14, 10, 6, 8, 16);
  cairo_line_to(cr, -8, 16);
  cairo_curve_to(cr, -10, 6, -10, -14, 0, -26);
  cairo_close_path(cr);
  SetLinear(cr, -10, 0, 10, 0, {{0, {1, 1, 1}}, {1, {0.55, 0.6, 0.7}}});
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.5);
  cairo_new_path(cr);
  cairo_arc(cr, 0, -6, 4, 0, 2 * kPi);
  SetColor(cr, Hex(0x40C0FF));
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.2);
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    cairo_move_to(cr, s * 8, 6);
    cairo_line_to(cr, s * 15, 20);
    cairo_line_to(cr, s * 7, 16);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xE03030));
    cairo_fill_preserve(cr);
    StrokeRound(cr, kInk, 1.2);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, -6, 17);
  cairo_curve_to(cr, -4, 28, 0, 36, 0, 40);
  cairo_curve_to(cr, 0, 36, 4, 28, 6, 17);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xFFB030));
  cairo_fill(cr);
  cairo_restore(cr);
  PlatformsAt(cr, 60, 180, 4, 2, 1.0);
  PlatformsAt(cr, 190, 150, 16, 2, 1.0);
  HeroAt(cr, 80, 136, 1.2, 8);
  BombAt(cr, 210, 104, 1.0, 2.4, BombLook::kHot);
  GemAt(cr, 150, 120, 0.9, 0.3);
}

void MachinePreview(cairo_t* cr) {
  PaintVertical(cr, 0, kPh, {{0, Hex(0x100408)}, {0.5, Hex(0x501018)}, {1, Hex(0x200808)}});
  // Lightning behind the machine: a wide violet glow, then the white-hot bolt along it.
  for (int k = 0; k < 2; ++k) {
    auto bolt = [&] {
      cairo_new_path(cr);
      Rng rng(650 + k);
      double x = k ? 40 : 290, y = 0;
      cairo_move_to(cr, x, y);
      while (y < 200) {
        x += rng.Range(-16, 16);
        y += rng.Range(12, 24);
        cairo_line_to(cr, x, y);
      }
    };
    bolt();
    StrokeRound(cr, Hex(0xB080FF), 5, 0.35);
    bolt();
    StrokeRound(cr, Hex(0xF0E8FF), 1.5);
  }
  cairo_save(cr);
  cairo_translate(cr, 65, 34);
  cairo_scale(cr, 0.52, 0.52);
  MachineShape(cr);
  cairo_restore(cr);
  // Floor of machine plating.
  PlatformsAt(cr, 0, 200, 7, 7, 1.0);
  BombAt(cr, 88, 150, 1.0, 0.4, BombLook::kNormal);
  BombAt(cr, 150, 176, 1.0, 1.9, BombLook::kHot);
  BombAt(cr, 220, 150, 1.0, 3.3, BombLook::kNormal);
  HeroAt(cr, 260, 166, 1.0, 3, true);
}

// Darkens the bands the game writes its texts on, and frames the picture.
void PreviewFrame(cairo_t* cr) {
  const Rgb black = Hex(0x000000);
  PaintVertical(cr, 0, kPh,
                {{0, black, 0.75},
                 {44 / kPh, black, 0.55},
                 {62 / kPh, black, 0},
                 {188 / kPh, black, 0},
                 {205 / kPh, black, 0.6},
                 {1, black, 0.75}});
  cairo_new_path(cr);
  cairo_rectangle(cr, 1.5, 1.5, kPw - 3, kPh - 3);
  StrokeRound(cr, Hex(0xE0B040), 3);
  cairo_new_path(cr);
  cairo_rectangle(cr, 4.5, 4.5, kPw - 9, kPh - 9);
  StrokeRound(cr, Hex(0x5A3A10), 1);
}

}  // namespace

void DrawBackdrops(const std::filesystem::path& out) {
  {
    Canvas sheet(1000, 200);
    for (int s = 0; s < 5; ++s) {
      Canvas tile(kTile, kTile);
      DrawBackdropTile(tile, s + 1);
      cairo_set_source_surface(sheet.cr(), tile.surface(), 200 * s, 0);
      cairo_paint(sheet.cr());
    }
    sheet.SaveOpaque(out / "Background_ZT.bmp");
  }
  {
    Canvas sheet(320, 1200);
    void (*scenes[5])(cairo_t*) = {FactoryPreview, CavePreview, EgyptPreview, SpacePreview,
                                   MachinePreview};
    for (int s = 0; s < 5; ++s) {
      Canvas pic(320, 240);
      SetColor(pic.cr(), Hex(0x000000));
      cairo_paint(pic.cr());
      scenes[s](pic.cr());
      PreviewFrame(pic.cr());
      cairo_set_source_surface(sheet.cr(), pic.surface(), 0, 240 * s);
      cairo_paint(sheet.cr());
    }
    sheet.SaveOpaque(out / "StagePreviews.bmp");
  }
}

}  // namespace pictures
