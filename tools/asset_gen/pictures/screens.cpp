// Full-screen pictures, each 800 x 600 and shown centred on the 800 x 600 screen:
// - Loading_ZT.bmp while the game starts;
// - Title_ZT.bmp / Title_ZTE.bmp (the extra set) under the title screen, which frames a help
//   panel at (0, 155)-(200, 420) and a high-score panel at (600, 155)-(800, 420) and writes
//   into them: those two areas are kept dark and plain;
// - GetReady_ZT.bmp before each level; the game frames (190, 200)-(610, 340) and writes the
//   level's name there, so that area is darkened;
// - GameOver_ZT.bmp at the end of a game, lost or won.
#include <cmath>
#include <functional>
#include <string>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

constexpr double kW = 800, kH = 600;

// Each number is taken from the generator in a statement of its own: the order in which a
// call's arguments or an operator's operands are worked out is the compiler's choice, and the
// sky must not change with it.
void Stars(cairo_t* cr, std::uint64_t seed, int count, double y_max) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const double x = rng.Range(0, kW);
    const double height = rng.Range(0, y_max);
    const double y = height * rng.Range(0.3, 1.0);  // more stars high up than low down
    const double b = rng.Range(0.3, 1.0);
    cairo_new_path(cr);
    cairo_rectangle(cr, std::floor(x), std::floor(y), 1.5, 1.5);
    cairo_set_source_rgba(cr, 1, 1, 1, b);
    cairo_fill(cr);
  }
  for (int i = 0; i < 10; ++i) {
    // Size first, then height, then across: the order the twinkles have always been placed in.
    const double r = rng.Range(3, 6);
    const double y = rng.Range(0, y_max * 0.8);
    const double x = rng.Range(0, kW);
    Twinkle(cr, x, y, r, Hex(0xFFFFFF), 0.9);
  }
}

// The game's name: chunky letters with a deep shadow, an outline and a golden fill.
void Logo(cairo_t* cr, double cx, double baseline, double size, Rgb top, Rgb bottom, Rgb depth) {
  const std::string text = "Pibo II";
  const TextStyle s{.size = size, .outline_width = 0};
  const double x = cx - TextWidth(cr, text, s) / 2;
  cairo_save(cr);
  cairo_select_font_face(cr, s.family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Extruded depth.
  const int steps = static_cast<int>(size / 12);
  for (int i = steps; i >= 1; --i) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + i * 0.8, baseline + i);
    cairo_text_path(cr, text.c_str());
    SetColor(cr, Shade(depth, -0.3 * i / steps));
    cairo_set_line_width(cr, size * 0.09);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  // Outline and fill.
  cairo_new_path(cr);
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, text.c_str());
  SetColor(cr, Hex(0x1A0C20));
  cairo_set_line_width(cr, size * 0.09);
  cairo_stroke_preserve(cr);
  FillVertical(cr, baseline - size * 0.75, baseline, top, bottom);
  // Shine across the upper half of the letters.
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, x - 10, baseline - size * 0.8, size * 5, size * 0.32);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
  Twinkle(cr, x + size * 0.18, baseline - size * 0.62, size * 0.12, Hex(0xFFFFFF));
}

// A blaster ball in flight with its glow.
void Ball(cairo_t* cr, double x, double y, double r) {
  Glow(cr, x, y, r * 0.5, r * 2.6, {0.7, 1, 0.3}, 0.6);
  ShadedBall(cr, x, y, r, Hex(0x90FF40), Hex(0x1A4008), r * 0.2);
  Shine(cr, x - r * 0.35, y - r * 0.4, r * 0.35, r * 0.28, 1);
}

// Rolling hills along the bottom of a picture.
void Hills(cairo_t* cr, double base, double height, Rgb c, double phase) {
  cairo_new_path(cr);
  cairo_move_to(cr, 0, kH);
  for (double x = 0; x <= kW; x += 4)
    cairo_line_to(cr, x,
                  base - height * (0.5 + 0.3 * std::sin(x / 90 + phase) +
                                   0.2 * std::sin(x / 37 + phase * 2)));
  cairo_line_to(cr, kW, kH);
  cairo_close_path(cr);
  SetColor(cr, c);
  cairo_fill(cr);
}

void Burst(cairo_t* cr, double cx, double cy, double r, Rgb outer, Rgb inner) {
  cairo_new_path(cr);
  StarPath(cr, cx, cy, r, r * 0.55, 10, 0.1);
  SetColor(cr, outer);
  cairo_fill(cr);
  cairo_new_path(cr);
  StarPath(cr, cx, cy, r * 0.6, r * 0.35, 8, 0.3);
  SetColor(cr, inner);
  cairo_fill(cr);
  Disc(cr, cx, cy, r * 0.22, Hex(0xFFFFF0));
}

void DarkPanel(cairo_t* cr, double x0, double y0, double x1, double y1, double alpha) {
  cairo_new_path(cr);
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  cairo_set_source_rgba(cr, 0, 0, 0.02, alpha);
  cairo_fill(cr);
}

// A rounded panel of translucent `shade` with a border.
void FramedPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb shade,
                 double alpha, Rgb border, double width) {
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, h, r);
  SetColor(cr, shade, alpha);
  cairo_fill_preserve(cr);
  Stroke(cr, border, width);
}

struct TitlePalette {
  Rgb sky_top, sky_mid, sky_low, hill_far, hill_near, logo_top, logo_bottom, logo_depth;
  int platform;
};

void DrawTitle(Canvas& c, const TitlePalette& pal, bool extra) {
  cairo_t* cr = c.cr();
  PaintVertical(cr, 0, 470, {{0, pal.sky_top}, {0.55, pal.sky_mid}, {1, pal.sky_low}});
  Stars(cr, extra ? 702 : 701, 160, 300);
  // Moon.
  cairo_new_path(cr);
  cairo_arc(cr, 660, 90, 34, 0, 2 * kPi);
  SetRadial(cr, 650, 80, 4, 660, 90, 36, {{0, {1, 1, 0.92}}, {1, {0.85, 0.82, 0.7}}});
  cairo_fill(cr);
  Hills(cr, 470, 90, pal.hill_far, extra ? 2.0 : 0.5);
  Hills(cr, 520, 70, pal.hill_near, extra ? 0.3 : 3.1);
  // Ground row of platforms right across the bottom.
  PlatformsAt(cr, -25, 540, pal.platform, 10, 1.7);
  // The two text panels: plain dark areas under the game's frames.
  DarkPanel(cr, 0, 155, 200, 420, 0.72);
  DarkPanel(cr, 600, 155, 800, 420, 0.72);
  // Middle: Pibo on a platform, blasting at a bomb, gems about.
  PlatformsAt(cr, 215, 386, pal.platform, 3, 2.4);
  const double hero_x = extra ? 354 : 246;
  HeroAt(cr, hero_x, 200, 5.0, 2, extra);
  const double muzzle_x = extra ? hero_x + 200 - 39.5 * 5 : hero_x + 39.5 * 5;
  const double ball_y = 200 + 18 * 5;
  for (int i = 0; i < 3; ++i) {
    const double bx = extra ? muzzle_x - 30 - i * 42 : muzzle_x + 30 + i * 42;
    if (bx > 200 && bx < 600) Ball(cr, bx, ball_y - i * 6, 9 - i);
  }
  BombAt(cr, extra ? 210 : 506, extra ? 176 : 214, 2.1, 0.7, BombLook::kHot);
  if (extra)
    BombAt(cr, 546, 310, 1.2, 2.4, BombLook::kNormal);
  else
    BombAt(cr, 222, 176, 1.6, 2.4, BombLook::kNormal);
  GemAt(cr, 394, 168, 1.6, 0.1);
  GemAt(cr, extra ? 222 : 220, 316, 1.2, 0.6);
  // Bottom: more gems and power-ups strewn about, and a tagline.
  GemAt(cr, 60, 500, 1.0, 0.3);
  GemAt(cr, 700, 495, 1.0, 0.7);
  BombAt(cr, 120, 480, 1.3, 1.0, BombLook::kNormal);
  BombAt(cr, 630, 474, 1.3, 3.0, BombLook::kNormal);
  const TextStyle tag{.size = 30,
                      .top = Hex(0xFFFFFF),
                      .bottom = Hex(0xA8E8FF),
                      .outline = Hex(0x101030),
                      .outline_width = 3};
  DrawTextCentered(cr, extra ? "More levels, more bombs!" : "Collect the gems, blast the bombs!",
                   400, 455, tag);
  // Logo over everything at the top.
  Logo(cr, 400, 128, 124, pal.logo_top, pal.logo_bottom, pal.logo_depth);
  if (extra) {
    // "Extra" ribbon across the lower right of the logo.
    cairo_save(cr);
    cairo_translate(cr, 600, 122);
    cairo_rotate(cr, -0.22);
    cairo_new_path(cr);
    cairo_move_to(cr, -92, -24);
    cairo_line_to(cr, 92, -24);
    cairo_line_to(cr, 80, 0);
    cairo_line_to(cr, 92, 24);
    cairo_line_to(cr, -92, 24);
    cairo_line_to(cr, -80, 0);
    cairo_close_path(cr);
    FillVertical(cr, -24, 24, Hex(0xFF4A4A), Hex(0xA01020));
    Stroke(cr, Hex(0x2A0408), 3);
    const TextStyle r{.size = 34,
                      .top = Hex(0xFFFFFF),
                      .bottom = Hex(0xFFE080),
                      .outline = Hex(0x400810),
                      .outline_width = 2.5};
    DrawTextCentered(cr, "EXTRA", 0, 12, r);
    cairo_restore(cr);
  }
}

void DrawLoading(Canvas& c) {
  cairo_t* cr = c.cr();
  PaintVertical(cr, 0, kH, {{0, Hex(0x060818)}, {0.6, Hex(0x1A1448)}, {1, Hex(0x2A1040)}});
  Stars(cr, 711, 120, 600);
  Logo(cr, 400, 250, 140, Hex(0xFFF6A0), Hex(0xF08A10), Hex(0x8A3A08));
  const TextStyle t{.size = 44,
                    .top = Hex(0xFFFFFF),
                    .bottom = Hex(0xB8D8FF),
                    .outline = Hex(0x0A0A28),
                    .outline_width = 3.5};
  DrawTextCentered(cr, "Loading...", 400, 370, t);
  // A bar of gems filling up.
  FramedPanel(cr, 230, 400, 340, 52, 14, {0, 0, 0}, 0.45, Hex(0xE0B040), 3);
  for (int i = 0; i < 7; ++i) {
    cairo_save(cr);
    if (i >= 4) cairo_push_group(cr);
    GemAt(cr, 240 + i * 46, 406, 1.1, i * 0.13);
    if (i >= 4) {
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, 0.25);
    }
    cairo_restore(cr);
  }
  PlatformsAt(cr, 60, 548, 8, 14, 1.0);
  HeroAt(cr, 90, 476, 2.0, 1);
  for (int i = 0; i < 3; ++i) Ball(cr, 190 + i * 34, 512, 5);
  BombAt(cr, 640, 470, 1.8, 0.6, BombLook::kNormal);
}

void DrawGetReady(Canvas& c) {
  cairo_t* cr = c.cr();
  SetColor(cr, Hex(0x101838));
  cairo_paint(cr);
  // Sun-burst rays from the middle.
  for (int i = 0; i < 24; ++i) {
    const double a0 = 2 * kPi * i / 24, a1 = a0 + kPi / 24;
    cairo_new_path(cr);
    cairo_move_to(cr, 400, 300);
    cairo_line_to(cr, 400 + 800 * std::cos(a0), 300 + 800 * std::sin(a0));
    cairo_line_to(cr, 400 + 800 * std::cos(a1), 300 + 800 * std::sin(a1));
    cairo_close_path(cr);
    SetColor(cr, Hex(0x1C2A5A));
    cairo_fill(cr);
  }
  SetRadial(cr, 400, 300, 120, 400, 300, 520, {{0, Hex(0x000000), 0}, {1, Hex(0x000000), 0.7}});
  cairo_paint(cr);
  const TextStyle t{.size = 96,
                    .top = Hex(0xFFFFA0),
                    .bottom = Hex(0xFF8A10),
                    .outline = Hex(0x2A0A00),
                    .outline_width = 6,
                    .shadow = 6};
  DrawTextCentered(cr, "Get Ready!", 400, 160, t);
  // Calm panel where the game writes the level's name.
  FramedPanel(cr, 176, 186, 448, 168, 18, {0, 0, 0.03}, 0.78, Hex(0x3A4A8A), 2);
  // Pibo dashing along the bottom, balls flying ahead, bombs waiting.
  PlatformsAt(cr, 100, 540, 5, 6, 2.0);
  HeroAt(cr, 210, 398, 4.0, 1);
  for (int i = 0; i < 3; ++i) Ball(cr, 400 + i * 60, 398 + 18 * 4, 7);
  BombAt(cr, 590, 440, 2.4, 0.9, BombLook::kNormal);
  GemAt(cr, 60, 420, 1.6, 0.4);
  GemAt(cr, 690, 300, 1.3, 0.8);
  BombAt(cr, 40, 230, 1.6, 2.3, BombLook::kHot);
}

void DrawGameOver(Canvas& c) {
  cairo_t* cr = c.cr();
  SetRadial(cr, 400, 300, 40, 400, 300, 560,
            {{0, {0.35, 0.06, 0.08}}, {0.6, {0.12, 0.02, 0.05}}, {1, {0.02, 0.0, 0.02}}});
  cairo_paint(cr);
  Stars(cr, 721, 70, 600);
  // Bursts of spent bombs round the words.
  Burst(cr, 130, 170, 70, Hex(0xC02010), Hex(0xFFA020));
  Burst(cr, 680, 420, 80, Hex(0xC02010), Hex(0xFFA020));
  Burst(cr, 650, 150, 40, Hex(0x902010), Hex(0xFFC040));
  Burst(cr, 170, 460, 46, Hex(0x902010), Hex(0xFFC040));
  const TextStyle t{.size = 130,
                    .top = Hex(0xFFE0A0),
                    .bottom = Hex(0xE02010),
                    .outline = Hex(0x1A0204),
                    .outline_width = 8,
                    .shadow = 8};
  DrawTextCentered(cr, "Game Over", 400, 345, t);
  // A row of bombs rolling off, and Pibo's cap left behind.
  for (int i = 0; i < 5; ++i)
    BombAt(cr, 200 + i * 84, 392, 1.6, 0.5 + i * 0.9, i % 2 ? BombLook::kHot : BombLook::kNormal);
  HeroAt(cr, 360, 470, 2.0, 16);
  const TextStyle s{.size = 30,
                    .top = Hex(0xFFFFFF),
                    .bottom = Hex(0xFFD0A0),
                    .outline = Hex(0x200408),
                    .outline_width = 3};
  DrawTextCentered(cr, "Thanks for playing!", 400, 580, s);
}

}  // namespace

void DrawScreens(const std::filesystem::path& out) {
  auto save = [&](const char* file, const std::function<void(Canvas&)>& draw) {
    Canvas c(800, 600);
    draw(c);
    c.SaveOpaque(out / file);
  };
  save("Loading_ZT.bmp", DrawLoading);
  save("Title_ZT.bmp", [](Canvas& c) {
    DrawTitle(c,
              {Hex(0x060A2A), Hex(0x2A1A5A), Hex(0xB0507A), Hex(0x2A2050), Hex(0x1A2A3A),
               Hex(0xFFF6A0), Hex(0xF08A10), Hex(0x8A3A08), 8},
              false);
  });
  save("Title_ZTE.bmp", [](Canvas& c) {
    DrawTitle(c,
              {Hex(0x12041A), Hex(0x5A1030), Hex(0xE07A30), Hex(0x4A1830), Hex(0x2A1020),
               Hex(0xC8FFF0), Hex(0x20C0A0), Hex(0x0A4A50), 12},
              true);
  });
  save("GetReady_ZT.bmp", DrawGetReady);
  save("GameOver_ZT.bmp", DrawGameOver);
}

}  // namespace pictures
