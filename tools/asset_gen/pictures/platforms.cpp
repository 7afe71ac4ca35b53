// Platform tiles. Platform_ZT.bmp is 150 x 340: one 20-pixel row per platform code 0..16,
// each row three 50 x 20 pieces: the left end (x 0), the middle piece (x 50) and the right
// end (x 100). A row is drawn as one continuous three-cell platform whose texture repeats
// every 50 pixels, so middle pieces line up with each other and with both ends.
//
// The hero and the bombs stand on the platform's top edge: 2 px down for most kinds, deeper
// for the soft ones (goo 8 px, swamp 13 px), so the surfaces are drawn at those heights.
#include <cmath>
#include <functional>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

constexpr double kPeriod = 50;
constexpr double kLeft = 1.0, kRight = 149.0;  // outer ends of the platform

using Edge = std::function<double(double)>;

// Smooth wobble that repeats every 50 px (only whole waves fit into a period).
double Wobble(double x, double a1, double a2, double a3, double phase) {
  const double t = 2 * kPi * x / kPeriod;
  return a1 * std::sin(t + phase) + a2 * std::sin(2 * t + phase * 1.7) +
         a3 * std::sin(5 * t + phase * 2.3);
}

// Draws `draw(ox)` once for each 50-px repeat that can reach the row.
template <class F>
void Repeat(F draw) {
  for (int ox = -50; ox <= 150; ox += 50) draw(static_cast<double>(ox));
}

// True where a decoration at x may be drawn: everywhere but past the rounded ends.
bool InsideEnds(double x, double margin) {
  return x > kLeft + margin && x < kRight - margin;
}

// The outline of the whole three-cell platform, rounded ends of radius r.
void SlabPath(cairo_t* cr, const Edge& top, const Edge& bottom, double r) {
  const double x0 = kLeft, x1 = kRight;
  cairo_new_path(cr);
  const double tl = top(x0 + r), tr = top(x1 - r), bl = bottom(x0 + r), br = bottom(x1 - r);
  cairo_move_to(cr, x0, tl + r);
  cairo_curve_to(cr, x0, tl + r * 0.45, x0 + r * 0.45, tl, x0 + r, tl);
  for (double x = x0 + r + 1; x < x1 - r; x += 1) cairo_line_to(cr, x, top(x));
  cairo_line_to(cr, x1 - r, tr);
  cairo_curve_to(cr, x1 - r * 0.45, tr, x1, tr + r * 0.45, x1, tr + r);
  cairo_line_to(cr, x1, br - r);
  cairo_curve_to(cr, x1, br - r * 0.45, x1 - r * 0.45, br, x1 - r, br);
  for (double x = x1 - r - 1; x > x0 + r; x -= 1) cairo_line_to(cr, x, bottom(x));
  cairo_line_to(cr, x0 + r, bl);
  cairo_curve_to(cr, x0 + r * 0.45, bl, x0, bl - r * 0.45, x0, bl - r);
  cairo_close_path(cr);
}

Edge Flat(double y) {
  return [y](double) { return y; };
}

// An edge wobbling about y (see Wobble).
Edge Wavy(double y, double a1, double a2, double a3, double phase) {
  return [=](double x) { return y + Wobble(x, a1, a2, a3, phase); };
}

struct Slab {
  Edge top = Flat(2), bottom = Flat(18);
  double radius = 4;
  Rgb light, dark;  // body gradient, top to bottom
  Rgb outline;
  double highlight = 0.45;  // strength of the light rim along the top edge
};

// Fills the slab with its gradient, runs `texture` clipped to it, then outlines it and lights
// its top rim.
void DrawSlab(cairo_t* cr, const Slab& s, const std::function<void()>& texture) {
  cairo_save(cr);
  SlabPath(cr, s.top, s.bottom, s.radius);
  FillVertical(cr, 2, 18, s.light, s.dark);
  cairo_clip(cr);
  texture();
  // Light rim along the top.
  if (s.highlight > 0) {
    cairo_new_path(cr);
    for (double x = kLeft; x <= kRight; x += 1) cairo_line_to(cr, x, s.top(x) + 1.3);
    cairo_set_source_rgba(cr, 1, 1, 1, s.highlight);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  SlabPath(cr, s.top, s.bottom, s.radius);
  SetColor(cr, s.outline);
  cairo_set_line_width(cr, 1.2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

// A layer lying over the top of the body down to `edge` (turf, moss, an oil slick), filled
// with a vertical gradient from `top` at y0 to `bottom` at y1.
void TopLayer(cairo_t* cr, const Edge& edge, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_new_path(cr);
  cairo_move_to(cr, -50, 0);
  for (double x = -50; x <= 200; x += 1) cairo_line_to(cr, x, edge(x));
  cairo_line_to(cr, 200, 0);
  cairo_close_path(cr);
  FillVertical(cr, y0, y1, top, bottom);
  cairo_new_path(cr);
}

// Random grains repeated every 50 px.
void Grains(cairo_t* cr, std::uint64_t seed, int count, double y0, double y1, Rgb a, Rgb b,
            double alpha, double size) {
  Repeat([&](double ox) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
      const double x = rng.Range(0, kPeriod), y = rng.Range(y0, y1);
      const double t = rng.Next();
      SetColor(cr, rng.Next() < 0.5 ? a : b, alpha * (0.5 + 0.5 * t));
      cairo_new_path(cr);
      cairo_rectangle(cr, ox + x, y, size, size);
      cairo_fill(cr);
    }
  });
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double alpha,
          double width) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  Stroke(cr, c, width, alpha);
}

void Rivet(cairo_t* cr, double x, double y, Rgb c) {
  Stud(cr, x, y, 1.3, Shade(c, -0.5), 0.8, 0.3, Shade(c, 0.6));
}

// --- the seventeen kinds ------------------------------------------------------------------

void Sand(cairo_t* cr) {
  const Slab s{.top = Wavy(2.6, 0.5, 0.3, 0.2, 0.4),
               .bottom = Wavy(17.5, 0.4, 0.6, 0.4, 2.0),
               .radius = 6,
               .light = Hex(0xF6DA96),
               .dark = Hex(0xC08A48),
               .outline = Hex(0x6A4418)};
  DrawSlab(cr, s, [&] {
    // Ripples left by the wind.
    Repeat([&](double ox) {
      for (int i = 0; i < 3; ++i) {
        cairo_new_path(cr);
        const double y = 7 + i * 3.5;
        for (double x = 0; x <= kPeriod; x += 1)
          cairo_line_to(cr, ox + x, y + 0.9 * std::sin(2 * kPi * (x / 25.0 + i * 0.3)));
        Stroke(cr, Hex(0xA87038), 0.9, 0.35);
      }
    });
    Grains(cr, 11, 40, 3, 18, Hex(0xFFF4C8), Hex(0x8A5A28), 0.8, 1);
  });
}

void EgyptRock(cairo_t* cr) {
  const Slab s{
      .radius = 2, .light = Hex(0xEEC884), .dark = Hex(0xB88A4C), .outline = Hex(0x5A3A14)};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Two courses of blocks, the joints of the lower one half a block along.
      Line(cr, ox, 10, ox + 50, 10, Hex(0x7A5424), 0.8, 1);
      for (double jx : {0.0, 25.0}) Line(cr, ox + jx, 2, ox + jx, 10, Hex(0x7A5424), 0.8, 1);
      for (double jx : {12.5, 37.5}) Line(cr, ox + jx, 10, ox + jx, 18, Hex(0x7A5424), 0.8, 1);
      for (double jx : {1.0, 26.0}) Line(cr, ox + jx, 3, ox + jx, 10, Hex(0xFFF0C0), 0.5, 0.8);
      // Carved signs: an eye on one block, a reed on the other, wavy water below.
      const Rgb carve = Hex(0x8A5E28);
      cairo_new_path(cr);
      Ellipse(cr, ox + 8, 6.2, 3.2, 1.6);
      Stroke(cr, carve, 0.9);
      cairo_new_path(cr);
      cairo_arc(cr, ox + 8, 6.2, 0.9, 0, 2 * kPi);
      cairo_fill(cr);
      Line(cr, ox + 9, 7.8, ox + 10.5, 9.2, carve, 1, 0.8);
      Line(cr, ox + 38, 3.5, ox + 38, 9, carve, 1, 0.9);
      Line(cr, ox + 38, 4.5, ox + 40.5, 3.2, carve, 1, 0.8);
      Line(cr, ox + 38, 6.5, ox + 40.5, 5.2, carve, 1, 0.8);
      cairo_new_path(cr);
      for (double x = 0; x <= 8; x += 0.5)
        cairo_line_to(cr, ox + 20 + x, 14 + 0.8 * std::sin(x * 1.6));
      SetColor(cr, carve);
      cairo_stroke(cr);
      // Ankh.
      cairo_new_path(cr);
      Ellipse(cr, ox + 45, 12.5, 1.3, 1.5);
      cairo_stroke(cr);
      Line(cr, ox + 45, 14, ox + 45, 17, carve, 1, 0.9);
      Line(cr, ox + 43.3, 14.6, ox + 46.7, 14.6, carve, 1, 0.9);
    });
    Grains(cr, 21, 25, 2, 18, Hex(0xFFF0C0), Hex(0x805828), 0.5, 1);
  });
}

void Rock(cairo_t* cr) {
  const Slab s{.top = Wavy(2.4, 0.4, 0.5, 0.3, 1.0),
               .bottom = Wavy(17.0, 0.6, 0.8, 0.6, 0.3),
               .radius = 5,
               .light = Hex(0xB8B8C0),
               .dark = Hex(0x6A6A74),
               .outline = Hex(0x2A2A30)};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      const Rgb crack = Hex(0x3A3A42);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 6, 18);
      cairo_line_to(cr, ox + 9, 13);
      cairo_line_to(cr, ox + 8, 9);
      cairo_line_to(cr, ox + 12, 6);
      Stroke(cr, crack, 0.9, 0.8);
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 30, 2);
      cairo_line_to(cr, ox + 28, 7);
      cairo_line_to(cr, ox + 32, 10);
      cairo_line_to(cr, ox + 31, 14);
      cairo_stroke(cr);
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 32, 10);
      cairo_line_to(cr, ox + 37, 11);
      cairo_stroke(cr);
      // Lit facets.
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 14, 5);
      cairo_line_to(cr, ox + 24, 4);
      cairo_line_to(cr, ox + 21, 9);
      cairo_close_path(cr);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
      cairo_fill(cr);
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 40, 6);
      cairo_line_to(cr, ox + 48, 5);
      cairo_line_to(cr, ox + 46, 10);
      cairo_close_path(cr);
      cairo_fill(cr);
    });
    Grains(cr, 31, 30, 3, 18, Hex(0xE0E0E8), Hex(0x404048), 0.6, 1);
  });
}

void Goo(cairo_t* cr) {
  // Sticky pink ooze: the surface sits low and thick drops hang from the underside.
  const Slab s{.top = Wavy(7.0, 0.6, 0.4, 0.2, 0.8),
               .bottom = Wavy(16.5, 0.5, 0.7, 0.0, 1.4),
               .radius = 4,
               .light = Hex(0xF070E0),
               .dark = Hex(0x8A1C90),
               .outline = Hex(0x400848),
               .highlight = 0.7};
  // Drips below, drawn first so the outline of the body crosses their roots.
  Repeat([&](double ox) {
    const double drips[3][2] = {{8, 3.2}, {27, 2.0}, {41, 3.6}};
    for (const auto& d : drips) {
      const double x = ox + d[0];
      if (!InsideEnds(x, 5)) continue;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 2.2, 15);
      cairo_curve_to(cr, x - 2.0, 17, x - 1.6, 16.5 + d[1] - 1.5, x, 16.5 + d[1]);
      cairo_curve_to(cr, x + 1.6, 16.5 + d[1] - 1.5, x + 2.0, 17, x + 2.2, 15);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x9A249E));
      cairo_fill_preserve(cr);
      Stroke(cr, s.outline, 1.0);
    }
  });
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      const double bubbles[5][3] = {
          {6, 11, 1.6}, {17, 13.5, 1.0}, {24, 10, 1.3}, {35, 12.5, 1.8}, {45, 10.5, 0.9}};
      for (const auto& b : bubbles) {
        Disc(cr, ox + b[0], b[1], b[2], Hex(0xFFB0F8), 0.55);
        Disc(cr, ox + b[0] - b[2] * 0.35, b[1] - b[2] * 0.35, b[2] * 0.35, Hex(0xFFFFFF), 0.9);
      }
    });
  });
}

void Space(cairo_t* cr) {
  const Slab s{
      .radius = 1.5, .light = Hex(0xC8D4E4), .dark = Hex(0x56647A), .outline = Hex(0x1A2230)};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Panel seams and a glowing light strip.
      Line(cr, ox + 0.5, 2, ox + 0.5, 18, Hex(0x2A3444), 0.9, 1);
      Line(cr, ox + 1.5, 2, ox + 1.5, 18, Hex(0xFFFFFF), 0.35, 1);
      cairo_new_path(cr);
      cairo_rectangle(cr, ox + 6, 9, 38, 3.2);
      SetColor(cr, Hex(0x182030));
      cairo_fill(cr);
      for (int i = 0; i < 5; ++i) {
        cairo_new_path(cr);
        cairo_rectangle(cr, ox + 7 + i * 7.5, 9.6, 5.5, 2.0);
        SetColor(cr, i % 2 ? Hex(0x40E8FF) : Hex(0xA0F8FF));
        cairo_fill(cr);
      }
      for (double y : {5.0, 15.0})
        for (double x : {4.0, 46.0}) Rivet(cr, ox + x, y, Hex(0x8A96AA));
    });
  });
}

void Wood(cairo_t* cr) {
  const Slab s{.top = Flat(2.5),
               .bottom = Flat(17.5),
               .radius = 2,
               .light = Hex(0xD89A50),
               .dark = Hex(0x8A5420),
               .outline = Hex(0x3E2008)};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Grain.
      for (int i = 0; i < 4; ++i) {
        cairo_new_path(cr);
        const double y = 5 + i * 3.3;
        for (double x = 0; x <= kPeriod; x += 1)
          cairo_line_to(cr, ox + x,
                        y + 0.7 * std::sin(2 * kPi * x / 25 + i * 1.3) +
                            0.4 * std::sin(2 * kPi * x / 10 + i));
        Stroke(cr, Hex(0x6A3A10), 0.8, 0.45);
      }
      // A knot and the plank joint with its nails.
      cairo_new_path(cr);
      Ellipse(cr, ox + 33, 11, 2.6, 1.4);
      Stroke(cr, Hex(0x5A2E0A), 0.9, 0.8);
      Line(cr, ox + 0.5, 2.5, ox + 0.5, 17.5, Hex(0x3E2008), 0.9, 1);
      Line(cr, ox + 1.5, 3, ox + 1.5, 17, Hex(0xF0C080), 0.5, 0.8);
      Rivet(cr, ox + 4.5, 6, Hex(0xA0A0A0));
      Rivet(cr, ox + 4.5, 14, Hex(0xA0A0A0));
    });
  });
}

void Oil(cairo_t* cr) {
  // Steel soaked in black oil: a glossy slick with a rainbow sheen, drops running off.
  const Slab s{.top = Flat(2),
               .bottom = Flat(17.5),
               .radius = 2,
               .light = Hex(0x6A6E78),
               .dark = Hex(0x2E3038),
               .outline = Hex(0x08080C),
               .highlight = 0};
  Repeat([&](double ox) {
    for (double dx : {14.0, 39.0}) {
      const double x = ox + dx;
      if (!InsideEnds(x, 5)) continue;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 1.6, 16);
      cairo_curve_to(cr, x - 1.5, 18, x - 1.2, 18.3, x, 19.6);
      cairo_curve_to(cr, x + 1.2, 18.3, x + 1.5, 18, x + 1.6, 16);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x101014));
      cairo_fill(cr);
    }
  });
  DrawSlab(cr, s, [&] {
    // The slick: a black layer over the top with round runs hanging from it.
    auto slick = [](double x) {
      const double m = std::fmod(x + 500, 25.0);
      const double run = m < 6 ? 3.5 * std::sin(kPi * m / 6) : 0;
      return 8.0 + Wobble(x, 0.5, 0.4, 0.0, 0.7) + run;
    };
    TopLayer(cr, slick, 2, 12, Hex(0x2A2A34), Hex(0x060608));
    // Rainbow sheen and wet highlights.
    Repeat([&](double ox) {
      for (double sx : {12.0, 37.0}) {
        cairo_save(cr);
        cairo_translate(cr, ox + sx, 5.2);
        cairo_scale(cr, 6.5, 1.6);
        SetRadial(cr, 0, 0, 0, 0, 0, 1,
                  {{0.0, {0.5, 1.0, 0.8}, 0.0},
                   {0.35, {0.6, 1.0, 0.7}, 0.45},
                   {0.6, {1.0, 0.85, 0.3}, 0.45},
                   {0.8, {1.0, 0.35, 0.8}, 0.45},
                   {1.0, {0.5, 0.4, 1.0}, 0.0}});
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_restore(cr);
      }
      Shine(cr, ox + 24, 3.6, 3.5, 0.9, 0.9);
      for (double dx : {0.0, 25.0}) {
        Disc(cr, ox + dx + 2.2, 9.5, 0.8, Hex(0xFFFFFF), 0.6);
      }
    });
    Repeat([&](double ox) { Rivet(cr, ox + 22, 14.5, Hex(0x70747C)); });
  });
}

void Machine(cairo_t* cr) {
  // A steel girder with a hazard-striped face.
  const Slab s{
      .radius = 1.5, .light = Hex(0xB0B4BC), .dark = Hex(0x50545C), .outline = Hex(0x14161A)};
  DrawSlab(cr, s, [&] {
    cairo_new_path(cr);
    cairo_rectangle(cr, -50, 6.5, 250, 7);
    SetColor(cr, Hex(0xF0C020));
    cairo_fill(cr);
    Repeat([&](double ox) {
      for (int i = 0; i < 5; ++i) {
        const double x = ox + i * 10;
        cairo_new_path(cr);
        cairo_move_to(cr, x, 13.5);
        cairo_line_to(cr, x + 5, 6.5);
        cairo_line_to(cr, x + 10, 6.5);
        cairo_line_to(cr, x + 5, 13.5);
        cairo_close_path(cr);
        SetColor(cr, Hex(0x181818));
        cairo_fill(cr);
      }
      for (double y : {4.2, 15.8})
        for (double x : {12.5, 37.5}) Rivet(cr, ox + x, y, Hex(0x9098A4));
    });
    Line(cr, -50, 6.5, 200, 6.5, Hex(0x202020), 1, 0.8);
    Line(cr, -50, 13.5, 200, 13.5, Hex(0x202020), 1, 0.8);
  });
}

// Grass blades along the top edge at height `y`, repeated every 50 px.
void GrassBlades(cairo_t* cr, std::uint64_t seed, double y, Rgb light, Rgb dark, int count,
                 double height) {
  Repeat([&](double ox) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
      const double x = ox + rng.Range(0, kPeriod);
      const double h = height * rng.Range(0.55, 1.0);
      const double lean = rng.Range(-1.6, 1.6);
      const Rgb c = Mix(dark, light, rng.Next());
      if (!InsideEnds(x, 3)) continue;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 1.0, y + 1.5);
      cairo_curve_to(cr, x - 0.6 + lean * 0.2, y - h * 0.4, x + lean * 0.6, y - h * 0.8, x + lean,
                     y - h);
      cairo_curve_to(cr, x + 0.3 + lean * 0.6, y - h * 0.8, x + 0.8 + lean * 0.2, y - h * 0.4,
                     x + 1.2, y + 1.5);
      cairo_close_path(cr);
      SetColor(cr, c);
      cairo_fill(cr);
    }
  });
}

void Grass(cairo_t* cr) {
  const Slab s{.top = Wavy(3.2, 0.4, 0.3, 0.2, 2.2),
               .bottom = Wavy(17.2, 0.7, 0.6, 0.5, 0.9),
               .radius = 5,
               .light = Hex(0xA06A38),
               .dark = Hex(0x5A3414),
               .outline = Hex(0x2A1806),
               .highlight = 0};
  DrawSlab(cr, s, [&] {
    // Turf band over the earth, with a wavy lower edge.
    TopLayer(cr, Wavy(7.0, 0.5, 0.6, 0.6, 1.9), 2, 8, Hex(0x8CE048), Hex(0x3C9A1C));
    Grains(cr, 81, 14, 9, 17, Hex(0x2E1A08), Hex(0xC08858), 0.7, 1.2);
    Repeat([&](double ox) {
      cairo_new_path(cr);
      Ellipse(cr, ox + 28, 13, 1.8, 1.2);
      SetColor(cr, Hex(0x9A9088));
      cairo_fill(cr);
    });
  });
  GrassBlades(cr, 88, 3.5, Hex(0xA8F060), Hex(0x2E8A18), 16, 3.5);
}

void Swamp(cairo_t* cr) {
  // Murky water with its surface low down; reeds and a lily pad stick out of it.
  Repeat([&](double ox) {
    const double reeds[3][2] = {{9, 11}, {12, 8}, {33, 10}};
    for (const auto& r : reeds) {
      const double x = ox + r[0];
      if (!InsideEnds(x, 4)) continue;
      Line(cr, x, 14, x + 0.6, 12 - r[1], Hex(0x2A4A10), 1, 1.6);
      Line(cr, x, 14, x + 0.6, 12 - r[1], Hex(0x7AA030), 1, 0.8);
    }
    // Cattail heads.
    for (double dx : {9.6, 33.6}) {
      if (!InsideEnds(ox + dx, 4)) continue;
      cairo_new_path(cr);
      RoundedRect(cr, ox + dx - 1.2, dx < 20 ? 2.0 : 3.0, 2.4, 4.5, 1.2);
      SetColor(cr, Hex(0x5A3414));
      cairo_fill(cr);
    }
  });
  const Slab s{.top = Wavy(12.2, 0.3, 0.2, 0.15, 0.5),
               .bottom = Wavy(18.0, 0.4, 0.5, 0.3, 1.1),
               .radius = 3,
               .light = Hex(0x6A8A38),
               .dark = Hex(0x2E3A14),
               .outline = Hex(0x141C06),
               .highlight = 0.35};
  DrawSlab(cr, s, [&] {
    Grains(cr, 91, 18, 13, 18, Hex(0xA0B060), Hex(0x1C2008), 0.7, 1);
    Repeat([&](double ox) {
      cairo_new_path(cr);
      Ellipse(cr, ox + 22, 13.4, 4.5, 1.3);
      SetColor(cr, Hex(0x48B030));
      cairo_fill(cr);
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 22, 13.4);
      cairo_line_to(cr, ox + 26.5, 13.0);
      cairo_line_to(cr, ox + 26.5, 13.9);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x2E3A14));
      cairo_fill(cr);
    });
  });
  // Lily flower above the surface.
  Repeat([&](double ox) {
    const double x = ox + 20;
    if (!InsideEnds(x, 4)) return;
    cairo_new_path(cr);
    StarPath(cr, x, 11.6, 2.0, 0.9, 5, 0);
    SetColor(cr, Hex(0xFFD0E8));
    cairo_fill(cr);
    Disc(cr, x, 11.6, 0.6, Hex(0xFFE040));
  });
}

void Bouncy(cairo_t* cr) {
  // A springy rubber cushion, red with white bands and a glossy top.
  const Slab s{.top = Flat(2.2),
               .bottom = Flat(17.5),
               .radius = 7,
               .light = Hex(0xFF6A5A),
               .dark = Hex(0xA0141C),
               .outline = Hex(0x4A0408),
               .highlight = 0};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      for (double bx : {12.5, 37.5}) {
        cairo_new_path(cr);
        cairo_rectangle(cr, ox + bx - 3, 0, 6, 20);
        FillVertical(cr, 2, 18, Hex(0xFFFFFF), Hex(0xC8C0C8));
        cairo_new_path(cr);
      }
      // Seam.
      Line(cr, ox, 10, ox + 50, 10, Hex(0x600810), 0.25, 0.8);
    });
    // Gloss along the top.
    cairo_new_path(cr);
    RoundedRect(cr, 4, 3.5, 142, 3.5, 1.7);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_fill(cr);
    Repeat([&](double ox) { Shine(cr, ox + 25, 4.5, 5, 1.2, 0.8); });
  });
}

void Ice(cairo_t* cr) {
  // Clear blue-white ice with glints, icicles hanging from the underside.
  Repeat([&](double ox) {
    const double icicles[4][2] = {{6, 4}, {17, 2.5}, {29, 5}, {42, 3}};
    for (const auto& c : icicles) {
      const double x = ox + c[0];
      if (!InsideEnds(x, 4)) continue;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 2, 16.5);
      cairo_line_to(cr, x + 0.2, 15.5 + c[1]);
      cairo_line_to(cr, x + 2, 16.5);
      cairo_close_path(cr);
      SetLinear(cr, x - 2, 0, x + 2, 0, {{0, {0.95, 1, 1}}, {1, {0.55, 0.8, 0.95}}});
      cairo_fill_preserve(cr);
      Stroke(cr, Hex(0x3A78A8), 0.8);
    }
  });
  const Slab s{.top = Wavy(2.3, 0.3, 0.2, 0.0, 0.2),
               .bottom = Flat(17.0),
               .radius = 4,
               .light = Hex(0xF0FCFF),
               .dark = Hex(0x7AB8E0),
               .outline = Hex(0x2A6090),
               .highlight = 0.9};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Diagonal glints and faint cracks.
      for (double gx : {8.0, 14.0, 33.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, ox + gx, 16);
        cairo_line_to(cr, ox + gx + 7, 4);
        cairo_line_to(cr, ox + gx + 9, 4);
        cairo_line_to(cr, ox + gx + 2, 16);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, gx == 14 ? 0.25 : 0.5);
        cairo_fill(cr);
      }
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 25, 3);
      cairo_line_to(cr, ox + 27, 8);
      cairo_line_to(cr, ox + 24, 12);
      Stroke(cr, Hex(0x4A90C0), 0.7, 0.6);
      Twinkle(cr, ox + 44, 6, 2.2, Hex(0xFFFFFF));
    });
  });
}

void Grass2(cairo_t* cr) {
  // Mossy stone with a meadow on top, dotted with flowers.
  const Slab s{.top = Wavy(3.5, 0.3, 0.3, 0.2, 1.2),
               .bottom = Flat(17.5),
               .radius = 3,
               .light = Hex(0xA8A898),
               .dark = Hex(0x5C5C50),
               .outline = Hex(0x202418),
               .highlight = 0};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Stone blocks.
      Line(cr, ox, 11.5, ox + 50, 11.5, Hex(0x3A3A30), 0.8, 1);
      Line(cr, ox + 20, 11.5, ox + 20, 18, Hex(0x3A3A30), 0.8, 1);
      Line(cr, ox + 45, 11.5, ox + 45, 18, Hex(0x3A3A30), 0.8, 1);
      Line(cr, ox, 12.5, ox + 50, 12.5, Hex(0xD0D0C0), 0.4, 0.8);
    });
    TopLayer(cr, Wavy(8.5, 0.8, 0.9, 0.7, 0.4), 2, 9, Hex(0x60C860), Hex(0x1E7A3A));
    // Moss drips over the stone.
    Repeat([&](double ox) {
      for (double mx : {7.0, 31.0}) {
        cairo_new_path(cr);
        Ellipse(cr, ox + mx, 10.5, 2.2, 2.5);
        SetColor(cr, Hex(0x2E8A40));
        cairo_fill(cr);
      }
    });
  });
  GrassBlades(cr, 121, 4.5, Hex(0x80E070), Hex(0x1E7A3A), 12, 3.2);
  Repeat([&](double ox) {
    const double flowers[3][3] = {{10, 3.0, 0}, {24, 2.5, 1}, {40, 3.2, 2}};
    const Rgb petal[3] = {Hex(0xFFFFFF), Hex(0xFFE040), Hex(0xFF80C0)};
    for (const auto& f : flowers) {
      const double x = ox + f[0];
      if (!InsideEnds(x, 4)) continue;
      cairo_new_path(cr);
      StarPath(cr, x, f[1], 1.8, 1.0, 5, f[2]);
      SetColor(cr, petal[static_cast<int>(f[2])]);
      cairo_fill(cr);
      Disc(cr, x, f[1], 0.6, Hex(0xE07010));
    }
  });
}

void Rock2(cairo_t* cr) {
  // Dark cave rock studded with glowing crystals.
  const Slab s{.top = Wavy(2.5, 0.5, 0.4, 0.3, 2.6),
               .bottom = Wavy(17.0, 0.8, 0.7, 0.5, 1.7),
               .radius = 5,
               .light = Hex(0x8A6A8C),
               .dark = Hex(0x3A2440),
               .outline = Hex(0x140818)};
  DrawSlab(cr, s, [&] {
    Grains(cr, 131, 25, 3, 18, Hex(0xC0A0C8), Hex(0x201028), 0.6, 1);
    Repeat([&](double ox) {
      const double crystals[3][4] = {{10, 12, 3.2, 0}, {30, 9, 2.6, 1}, {42, 14, 2.2, 0}};
      for (const auto& c : crystals) {
        const Rgb col = c[3] == 0 ? Hex(0x40F0F0) : Hex(0xFF70E0);
        const double x = ox + c[0], y = c[1], r = c[2];
        cairo_new_path(cr);
        cairo_move_to(cr, x, y - r * 1.6);
        cairo_line_to(cr, x + r, y);
        cairo_line_to(cr, x, y + r * 1.2);
        cairo_line_to(cr, x - r, y);
        cairo_close_path(cr);
        const Rgb hi = Shade(col, 0.6), lo = Shade(col, -0.45);
        SetLinear(cr, x - r, y - r, x + r, y + r, {{0, hi}, {1, lo}});
        cairo_fill_preserve(cr);
        Stroke(cr, Shade(col, -0.7), 0.7);
        Line(cr, x, y - r * 1.5, x, y + r * 1.1, Hex(0xFFFFFF), 0.5, 0.6);
      }
    });
  });
}

void Wood2(cairo_t* cr) {
  // A round log with bark; the ends show the cut rings.
  const Slab s{.top = Flat(2.2),
               .bottom = Flat(17.8),
               .radius = 7.5,
               .light = Hex(0xA0643A),
               .dark = Hex(0x4A2410),
               .outline = Hex(0x221006),
               .highlight = 0.25};
  DrawSlab(cr, s, [&] {
    cairo_new_path(cr);
    cairo_rectangle(cr, -50, 0, 250, 20);
    SetLinear(cr, 0, 2, 0, 18,
              {{0, {0, 0, 0}, 0}, {0.35, {1, 0.9, 0.7}, 0.22}, {1, {0, 0, 0}, 0.3}});
    cairo_fill(cr);
    // Bark furrows.
    Repeat([&](double ox) {
      Rng rng(141);
      for (int i = 0; i < 9; ++i) {
        const double x = ox + rng.Range(0, 50), y = rng.Range(4, 16), len = rng.Range(5, 12);
        Line(cr, x, y, x + len, y + rng.Range(-0.6, 0.6), Hex(0x2A1408), 0.7, 0.9);
        Line(cr, x + 1, y + 1, x + len - 1, y + 1, Hex(0xD09060), 0.35, 0.6);
      }
    });
    // Cut faces at both ends.
    for (int side = 0; side < 2; ++side) {
      const double cx = side == 0 ? kLeft + 6.5 : kRight - 6.5;
      cairo_new_path(cr);
      Ellipse(cr, cx, 10, 5.2, 7.4);
      SetColor(cr, Hex(0xE8B878));
      cairo_fill(cr);
      for (double r = 1.5; r < 5.5; r += 1.6) {
        cairo_new_path(cr);
        Ellipse(cr, cx, 10, r * 0.7, r);
        Stroke(cr, Hex(0xA06A30), 0.6);
      }
    }
  });
}

void Green(cairo_t* cr) {
  // Polished green glass tiles, each with a bevel and a shine.
  const Slab s{.radius = 2.5,
               .light = Hex(0x70F090),
               .dark = Hex(0x0E7A38),
               .outline = Hex(0x043018),
               .highlight = 0.6};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      for (double tx : {0.0, 25.0}) {
        const double x = ox + tx;
        cairo_new_path(cr);
        RoundedRect(cr, x + 1.5, 3.5, 22, 13, 2);
        Stroke(cr, Hex(0x0A5028), 1.0, 0.7);
        cairo_new_path(cr);
        cairo_move_to(cr, x + 3, 5);
        cairo_line_to(cr, x + 13, 5);
        cairo_line_to(cr, x + 6, 12);
        cairo_line_to(cr, x + 3, 12);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
        cairo_fill(cr);
        Shine(cr, x + 6, 6.5, 2.5, 1.2, 0.9);
      }
    });
  });
}

void Space2(cairo_t* cr) {
  // Alien hull: dark violet plating, a vent grille and blinking lights.
  const Slab s{.top = Flat(2),
               .bottom = Flat(17.5),
               .radius = 3.5,
               .light = Hex(0x9A70D0),
               .dark = Hex(0x2A1848),
               .outline = Hex(0x0C0618)};
  DrawSlab(cr, s, [&] {
    Repeat([&](double ox) {
      // Angled plates.
      cairo_new_path(cr);
      cairo_move_to(cr, ox + 2, 17.5);
      cairo_line_to(cr, ox + 8, 7);
      cairo_line_to(cr, ox + 42, 7);
      cairo_line_to(cr, ox + 48, 17.5);
      Stroke(cr, Hex(0x160A2A), 1.0, 0.7);
      for (int i = 0; i < 6; ++i)
        Line(cr, ox + 14 + i * 4, 9.5, ox + 14 + i * 4, 15.5, Hex(0x120822), 0.9, 1.4);
      for (int i = 0; i < 2; ++i) {
        const double lx = ox + 5 + i * 40;
        Disc(cr, lx, 4.8, 1.6, i == 0 ? Hex(0x50FF80) : Hex(0xFF50D0));
        Shine(cr, lx - 0.4, 4.4, 0.7, 0.7, 1);
      }
      cairo_new_path(cr);
      cairo_rectangle(cr, ox + 12, 3.6, 26, 1.6);
      SetColor(cr, Hex(0xC0A0FF), 0.7);
      cairo_fill(cr);
    });
  });
}

}  // namespace

void PlatformRowShape(cairo_t* cr, int code) {
  cairo_save(cr);
  switch (code) {
    case 0:
      Sand(cr);
      break;
    case 1:
      EgyptRock(cr);
      break;
    case 2:
      Rock(cr);
      break;
    case 3:
      Goo(cr);
      break;
    case 4:
      Space(cr);
      break;
    case 5:
      Wood(cr);
      break;
    case 6:
      Oil(cr);
      break;
    case 7:
      Machine(cr);
      break;
    case 8:
      Grass(cr);
      break;
    case 9:
      Swamp(cr);
      break;
    case 10:
      Bouncy(cr);
      break;
    case 11:
      Ice(cr);
      break;
    case 12:
      Grass2(cr);
      break;
    case 13:
      Rock2(cr);
      break;
    case 14:
      Wood2(cr);
      break;
    case 15:
      Green(cr);
      break;
    default:
      Space2(cr);
      break;
  }
  cairo_restore(cr);
}

void PlatformsAt(cairo_t* cr, double x, double y, int code, int cells, double scale) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  for (int i = 0; i < cells; ++i) {
    const double piece = i == 0 ? 0 : (i == cells - 1 ? 100 : 50);
    cairo_save(cr);
    cairo_rectangle(cr, i * 50, 0, 50, 20);
    cairo_clip(cr);
    cairo_translate(cr, i * 50 - piece, 0);
    PlatformRowShape(cr, code);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

void DrawPlatforms(const std::filesystem::path& out) {
  Canvas c(150, 340);
  for (int code = 0; code <= 16; ++code) {
    cairo_save(c.cr());
    cairo_rectangle(c.cr(), 0, 20 * code, 150, 20);
    cairo_clip(c.cr());
    cairo_translate(c.cr(), 0, 20 * code);
    PlatformRowShape(c.cr(), code);
    cairo_restore(c.cr());
  }
  c.SaveSprite(out / "Platform_ZT.bmp");
}

}  // namespace pictures
