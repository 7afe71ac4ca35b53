// Backdrops and stage previews, one of each per stage: 1 The Factory, 2 Caves Of Chaos,
// 3 Egypt, 4 The Final Frontier, 5 The Machine!.
//
// Background_ZT.bmp is 1000 x 200: five 200 x 200 tiles side by side, stage s at x = 200(s-1).
// A level's backdrop is six by three copies of its tile, so every tile wraps round seamlessly
// both ways: each element is drawn again one tile over wherever it crosses an edge. Tiles are
// kept dark and quiet so the sprites and the white and yellow texts of the display stand out.
//
// StagePreviews.bmp is 320 x 1200: five 320 x 240 pictures in a column, stage 1 at the top.
// The game writes "Next Stage" and the stage's name over the top left of the picture and the
// stage password 210 px down, so the top and bottom bands are darkened.
#include <cmath>
#include <functional>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

constexpr int kTile = 200;
const Rgb kInk = Hex(0x0A080C);

// Runs `draw` at the nine placings that cover a wrapped 200 x 200 tile.
void Wrapped(cairo_t* cr, const std::function<void()>& draw) {
  for (int dy = -kTile; dy <= kTile; dy += kTile)
    for (int dx = -kTile; dx <= kTile; dx += kTile) {
      cairo_save(cr);
      cairo_translate(cr, dx, dy);
      draw();
      cairo_restore(cr);
    }
}

double Smooth(double e0, double e1, double x) {
  const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A cog with `teeth` teeth, filled with `fill`, a hub hole of radius hole.
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

void Rivet(cairo_t* cr, double x, double y, Rgb base, double r = 1.8) {
  Stud(cr, x, y, r, Shade(base, -0.45), r * 0.6, r * 0.3, Shade(base, 0.35));
}

// A pipe between two points (horizontal or vertical), shaded across its width.
void Pipe(cairo_t* cr, double x0, double y0, double x1, double y1, double w, Rgb c) {
  const bool horizontal = std::abs(y1 - y0) < std::abs(x1 - x0);
  cairo_new_path(cr);
  if (horizontal)
    cairo_rectangle(cr, std::min(x0, x1), y0 - w / 2, std::abs(x1 - x0), w);
  else
    cairo_rectangle(cr, x0 - w / 2, std::min(y0, y1), w, std::abs(y1 - y0));
  const Rgb hi = Shade(c, 0.35), lo = Shade(c, -0.55);
  if (horizontal)
    SetLinear(cr, 0, y0 - w / 2, 0, y0 + w / 2, {{0, lo}, {0.3, hi}, {1, lo}});
  else
    SetLinear(cr, x0 - w / 2, 0, x0 + w / 2, 0, {{0, lo}, {0.3, hi}, {1, lo}});
  cairo_fill(cr);
}

// --- backdrop tiles -----------------------------------------------------------------------

void FactoryTile(Canvas& c) {
  TileNoise grime(101, kTile), streak(102, kTile, 3);
  PaintPixels(c, [&](double x, double y) {
    const double n = grime.At(x, y);
    const double s = streak.At(x * 4, y * 0.25);
    Rgb col = Mix(Hex(0x20242E), Hex(0x343A48), n);
    col = Mix(col, Hex(0x4A3428), 0.35 * Smooth(0.55, 0.8, s));  // rust runs
    return col;
  });
  cairo_t* cr = c.cr();
  // Riveted wall panels, four per tile; their seams lie on the tile edges, so they wrap.
  Wrapped(cr, [&] {
    for (int i = 0; i < 2; ++i) {
      const double v = i * 100;
      cairo_new_path(cr);
      cairo_move_to(cr, v + 0.5, 0);
      cairo_line_to(cr, v + 0.5, kTile);
      cairo_move_to(cr, 0, v + 0.5);
      cairo_line_to(cr, kTile, v + 0.5);
      StrokeRound(cr, Hex(0x12151C), 2);
      cairo_new_path(cr);
      cairo_move_to(cr, v + 2, 0);
      cairo_line_to(cr, v + 2, kTile);
      cairo_move_to(cr, 0, v + 2);
      cairo_line_to(cr, kTile, v + 2);
      StrokeRound(cr, Hex(0x5A6272), 1, 0.6);
      for (int k = 0; k < 10; ++k) {
        Rivet(cr, v + 6, k * 20 + 10, Hex(0x444C5C));
        Rivet(cr, k * 20 + 10, v + 6, Hex(0x444C5C));
      }
    }
  });
  // Big cogs turning in the dark behind the pipes.
  Wrapped(cr, [&] {
    Gear(cr, 140, 62, 46, 14, 0.1, Hex(0x1E222C), Hex(0x14171E));
    Gear(cr, 58, 150, 30, 10, 0.3, Hex(0x22262F), Hex(0x14171E));
  });
  // Pipes: one across, one down, joined by a flanged elbow.
  Pipe(cr, 0, 124, kTile, 124, 14, Hex(0x4E3C32));
  Pipe(cr, 84, 0, 84, kTile, 12, Hex(0x3E4A54));
  for (double fx : {30.0, 150.0}) {
    cairo_new_path(cr);
    cairo_rectangle(cr, fx - 3, 115, 6, 18);
    SetLinear(cr, 0, 115, 0, 133, {{0, {0.55, 0.45, 0.38}}, {1, {0.2, 0.14, 0.1}}});
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_rectangle(cr, 76, 116, 16, 16);
  SetColor(cr, Hex(0x3A4048));
  cairo_fill_preserve(cr);
  StrokeRound(cr, Hex(0x14171E), 1.2);
  Rivet(cr, 80, 120, Hex(0x707880));
  Rivet(cr, 88, 128, Hex(0x707880));
  // Valve wheel.
  cairo_new_path(cr);
  cairo_arc(cr, 84, 60, 9, 0, 2 * kPi);
  StrokeRound(cr, Hex(0x8A2A20), 2.5);
  for (int i = 0; i < 3; ++i) {
    const double a = i * kPi / 3;
    cairo_new_path(cr);
    cairo_move_to(cr, 84 - 9 * std::cos(a), 60 - 9 * std::sin(a));
    cairo_line_to(cr, 84 + 9 * std::cos(a), 60 + 9 * std::sin(a));
    StrokeRound(cr, Hex(0x8A2A20), 1.5);
  }
  // Vent grille.
  cairo_new_path(cr);
  RoundedRect(cr, 118, 150, 60, 34, 3);
  SetColor(cr, Hex(0x1A1E26));
  cairo_fill_preserve(cr);
  StrokeRound(cr, Hex(0x4A5262), 1.2);
  for (int i = 0; i < 6; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, 124, 155 + i * 5);
    cairo_line_to(cr, 172, 155 + i * 5);
    StrokeRound(cr, Hex(0x3A4250), 2);
  }
}

void CaveTile(Canvas& c) {
  TileNoise rock(201, kTile), vein(202, kTile, 4), tint(203, kTile, 2);
  PaintPixels(c, [&](double x, double y) {
    const double n = rock.At(x, y);
    const double v = vein.At(x, y);
    const double t = tint.At(x, y);
    // Lumpy rock lit from the upper left: the slope of the noise brightens or darkens it.
    const double slope = rock.At(x - 1.5, y - 1.5) - rock.At(x + 1.5, y + 1.5);
    Rgb col = Mix(Hex(0x180E1C), Hex(0x3E2C40), Smooth(0.3, 0.75, n));
    col = Mix(col, Hex(0x2A1E14), 0.4 * t);
    col = Shade(col, std::clamp(slope * 4.0, -0.4, 0.15));
    // Thin dark cracks along the middle line of a second noise.
    const double crack = std::abs(v - 0.5);
    col = Mix(col, Hex(0x08040A), 0.55 * (1 - Smooth(0.0, 0.01, crack)));
    return col;
  });
  cairo_t* cr = c.cr();
  // Crystal clusters with their glow.
  struct Cluster {
    double x, y;
    Rgb colour;
    double angle;
  };
  const Cluster clusters[3] = {{46, 152, Hex(0x30E0F0), -0.2},
                               {158, 58, Hex(0xF050D0), 0.3},
                               {130, 178, Hex(0x70F0A0), 0.1}};
  Wrapped(cr, [&] {
    for (const auto& cl : clusters) {
      Glow(cr, cl.x, cl.y, 2, 34, cl.colour, 0.22);
      const double spikes[4][3] = {{-0.5, 16, 4}, {0.0, 22, 5}, {0.45, 14, 3.5}, {0.9, 9, 3}};
      for (const auto& s : spikes) {
        cairo_save(cr);
        cairo_translate(cr, cl.x, cl.y + 6);
        cairo_rotate(cr, cl.angle + s[0]);
        const double len = s[1] * 0.75, w = s[2] * 0.8;
        cairo_new_path(cr);
        cairo_move_to(cr, -w, 0);
        cairo_line_to(cr, -w, -len);
        cairo_line_to(cr, 0, -len - w * 1.4);
        cairo_line_to(cr, w, -len);
        cairo_line_to(cr, w, 0);
        cairo_close_path(cr);
        SetLinear(cr, -w, 0, w, 0, {{0, Shade(cl.colour, 0.2)}, {1, Shade(cl.colour, -0.55)}});
        cairo_fill_preserve(cr);
        StrokeRound(cr, Shade(cl.colour, -0.75), 0.8);
        cairo_restore(cr);
      }
    }
  });
}

void EgyptTile(Canvas& c) {
  TileNoise grain(301, kTile), stain(302, kTile, 3);
  PaintPixels(c, [&](double x, double y) {
    const double n = grain.At(x * 2, y * 2);
    const double s = stain.At(x, y);
    Rgb col = Mix(Hex(0x3A2814), Hex(0x574022), n);
    return Mix(col, Hex(0x3E2A16), 0.35 * Smooth(0.5, 0.8, s));
  });
  cairo_t* cr = c.cr();
  // Block courses: 8 rows of 25 px, blocks 50 wide, every other row half a block along.
  const Rgb mortar = Hex(0x1E1408), lit = Hex(0x8A6A3C);
  Wrapped(cr, [&] {
    for (int row = 0; row < 8; ++row) {
      const double y = row * 25;
      cairo_new_path(cr);
      cairo_move_to(cr, 0, y + 0.5);
      cairo_line_to(cr, kTile, y + 0.5);
      StrokeRound(cr, mortar, 1.6);
      cairo_new_path(cr);
      cairo_move_to(cr, 0, y + 2);
      cairo_line_to(cr, kTile, y + 2);
      StrokeRound(cr, lit, 0.8, 0.5);
      for (int k = 0; k < 4; ++k) {
        const double x = k * 50 + (row % 2) * 25;
        cairo_new_path(cr);
        cairo_move_to(cr, x + 0.5, y);
        cairo_line_to(cr, x + 0.5, y + 25);
        StrokeRound(cr, mortar, 1.6);
        cairo_new_path(cr);
        cairo_move_to(cr, x + 2, y + 2);
        cairo_line_to(cr, x + 2, y + 24);
        StrokeRound(cr, lit, 0.8, 0.4);
      }
    }
  });
  // Carved signs on some blocks (carved: a dark cut with a light lower edge).
  auto carve = [&](const std::function<void()>& path) {
    cairo_save(cr);
    cairo_translate(cr, 0.8, 0.8);
    path();
    StrokeRound(cr, lit, 1.4, 0.55);
    cairo_restore(cr);
    path();
    StrokeRound(cr, Hex(0x2A1A0A), 1.4);
  };
  // Eye (block at row 1, x 0..50 shifted: row 1 starts at 25).
  carve([&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 36, 37);
    cairo_curve_to(cr, 42, 30, 54, 30, 62, 37);
    cairo_curve_to(cr, 54, 43, 42, 43, 36, 37);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 49, 37, 3, 0, 2 * kPi);
    cairo_move_to(cr, 46, 41);
    cairo_line_to(cr, 44, 47);
    cairo_curve_to(cr, 43, 48, 41, 47, 42, 45);
  });
  // Ankh.
  carve([&] {
    cairo_new_path(cr);
    Ellipse(cr, 125, 81, 4, 5);
    cairo_move_to(cr, 125, 86);
    cairo_line_to(cr, 125, 97);
    cairo_move_to(cr, 118, 88);
    cairo_line_to(cr, 132, 88);
  });
  // Bird.
  carve([&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 160, 143);
    cairo_curve_to(cr, 163, 135, 170, 133, 174, 137);
    cairo_line_to(cr, 179, 136);
    cairo_line_to(cr, 175, 140);
    cairo_curve_to(cr, 176, 146, 170, 148, 162, 146);
    cairo_line_to(cr, 156, 148);
    cairo_move_to(cr, 167, 147);
    cairo_line_to(cr, 166, 148.5);
  });
  // Water.
  carve([&] {
    cairo_new_path(cr);
    for (double x = 0; x <= 30; x += 1) cairo_line_to(cr, 60 + x, 187 + 2.2 * std::sin(x * 0.63));
  });
  // Sun disc with rays.
  carve([&] {
    cairo_new_path(cr);
    cairo_arc(cr, 25, 112, 5, 0, 2 * kPi);
    for (int i = 0; i < 5; ++i) {
      const double x = 17 + i * 4;
      cairo_move_to(cr, x, 119);
      cairo_line_to(cr, x - 1, 122);
    }
  });
  // Reed.
  carve([&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 125, 3 + 4);
    cairo_line_to(cr, 125, 21);
    cairo_move_to(cr, 125, 9);
    cairo_line_to(cr, 130, 6);
    cairo_move_to(cr, 125, 13);
    cairo_line_to(cr, 130, 10);
  });
}

void SpaceTile(Canvas& c) {
  TileNoise neb(401, kTile), neb2(402, kTile), dust(403, kTile, 5);
  PaintPixels(c, [&](double x, double y) {
    const double a = neb.At(x, y), b = neb2.At(x, y), d = dust.At(x * 2, y * 2);
    Rgb col = Hex(0x04040C);
    col = Mix(col, Hex(0x3A1050), 0.8 * Smooth(0.45, 0.75, a));
    col = Mix(col, Hex(0x0C2A5A), 0.7 * Smooth(0.5, 0.8, b));
    col = Mix(col, Hex(0x000000), 0.5 * Smooth(0.5, 0.7, d));
    return col;
  });
  cairo_t* cr = c.cr();
  Rng rng(404);
  struct Star {
    double x, y, b, r;
  };
  Star stars[90];
  for (auto& s : stars)
    s = {rng.Range(0, kTile), rng.Range(0, kTile), rng.Range(0.3, 1), rng.Next()};
  Wrapped(cr, [&] {
    for (const auto& s : stars) {
      cairo_new_path(cr);
      cairo_rectangle(cr, std::floor(s.x), std::floor(s.y), 1, 1);
      const Rgb tint = s.r < 0.3 ? Hex(0xFFE0C0) : (s.r < 0.6 ? Hex(0xC0D8FF) : Hex(0xFFFFFF));
      SetColor(cr, tint, s.b);
      cairo_fill(cr);
    }
    const double bright[4][2] = {{30, 40}, {120, 20}, {178, 120}, {60, 170}};
    for (const auto& b : bright) Twinkle(cr, b[0], b[1], 3.5, Hex(0xFFFFFF), 0.9);
    // A small ringed planet far away.
    cairo_save(cr);
    cairo_translate(cr, 140, 150);
    cairo_scale(cr, 0.5, 0.5);
    cairo_translate(cr, -140, -150);
    cairo_new_path(cr);
    Ellipse(cr, 140, 150, 26, 6);
    StrokeRound(cr, Hex(0xC0A070), 2.2, 0.8);
    cairo_new_path(cr);
    cairo_arc(cr, 140, 150, 15, 0, 2 * kPi);
    SetRadial(cr, 134, 144, 1, 140, 150, 16,
              {{0, {0.95, 0.75, 0.5}}, {0.6, {0.7, 0.4, 0.25}}, {1, {0.2, 0.08, 0.08}}});
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 140, 150);
    cairo_scale(cr, 1, 6.0 / 26);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 26, 0.02 * kPi, 0.98 * kPi);
    cairo_restore(cr);
    StrokeRound(cr, Hex(0xE0C890), 2.2);
    cairo_restore(cr);
    // A far moon.
    Disc(cr, 50, 95, 6, Hex(0x8890A8));
    Disc(cr, 52.5, 93, 5.5, Hex(0x101020));
  });
}

void MachineTile(Canvas& c) {
  TileNoise grime(501, kTile);
  PaintPixels(c, [&](double x, double y) {
    const double n = grime.At(x, y);
    return Mix(Hex(0x1E1418), Hex(0x3A2A2E), n);
  });
  cairo_t* cr = c.cr();
  // Heavy plates, offset like bricks.
  Wrapped(cr, [&] {
    for (int row = 0; row < 4; ++row) {
      const double y = row * 50;
      cairo_new_path(cr);
      cairo_move_to(cr, 0, y + 0.5);
      cairo_line_to(cr, kTile, y + 0.5);
      StrokeRound(cr, Hex(0x0C080A), 2);
      for (int k = 0; k < 2; ++k) {
        const double x = k * 100 + (row % 2) * 50;
        cairo_new_path(cr);
        cairo_move_to(cr, x + 0.5, y);
        cairo_line_to(cr, x + 0.5, y + 50);
        StrokeRound(cr, Hex(0x0C080A), 2);
        for (double ry : {6.0, 44.0})
          for (double rx : {6.0, 94.0}) Rivet(cr, x + rx, y + ry, Hex(0x4A3A3E), 1.6);
      }
    }
  });
  // Glowing circuit traces with their nodes.
  struct Trace {
    double pts[4][2];
    Rgb colour;
  };
  const Trace traces[4] = {{{{10, 30}, {60, 30}, {60, 80}, {110, 80}}, Hex(0x30FF70)},
                           {{{120, 20}, {120, 60}, {170, 60}, {170, 110}}, Hex(0xFF4030)},
                           {{{30, 120}, {30, 170}, {90, 170}, {90, 140}}, Hex(0xFFC020)},
                           {{{140, 130}, {190, 130}, {190, 180}, {150, 180}}, Hex(0x30FF70)}};
  Wrapped(cr, [&] {
    for (const auto& t : traces) {
      cairo_new_path(cr);
      for (const auto& p : t.pts) cairo_line_to(cr, p[0], p[1]);
      StrokeRound(cr, Shade(t.colour, -0.6), 4, 0.45);
      cairo_new_path(cr);
      for (const auto& p : t.pts) cairo_line_to(cr, p[0], p[1]);
      StrokeRound(cr, Shade(t.colour, -0.25), 1.2, 0.6);
      for (int e = 0; e < 4; e += 3) {
        Disc(cr, t.pts[e][0], t.pts[e][1], 3.2, Shade(t.colour, -0.5));
        Disc(cr, t.pts[e][0], t.pts[e][1], 1.8, Shade(t.colour, 0.5));
      }
    }
    Gear(cr, 150, 90, 22, 9, 0.2, Hex(0x2A1E22), Hex(0x120C0E));
  });
  // Warning stripes across the lower plate row.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 100, kTile, 8);
  cairo_clip(cr);
  SetColor(cr, Hex(0x6A5418));
  cairo_paint(cr);
  for (double x = -8; x < kTile; x += 16) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, 108);
    cairo_line_to(cr, x + 8, 100);
    cairo_line_to(cr, x + 16, 100);
    cairo_line_to(cr, x + 8, 108);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x14100C));
    cairo_fill(cr);
  }
  cairo_restore(cr);
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
    void (*tiles[5])(Canvas&) = {FactoryTile, CaveTile, EgyptTile, SpaceTile, MachineTile};
    for (int s = 0; s < 5; ++s) {
      Canvas tile(kTile, kTile);
      tiles[s](tile);
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
