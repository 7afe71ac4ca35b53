// Backdrop tiles, one per stage: 1 The Factory, 2 Caves Of Chaos, 3 Egypt, 4 The Final Frontier,
// 5 The Machine!.
//
// A level's backdrop is its stage's tile repeated six by three, so a tile must join itself both
// ways and must hold nothing the eye finds again every 200 px. Each tile is therefore a surface
// rather than a scene: broad noise, then plates, blocks, strata or clouds laid out unevenly, then
// many small details spread evenly but irregularly (one in each cell of a grid, anywhere inside
// it), none of them standing out from the rest. Shapes cross the tile's edges at uneven places;
// each is drawn at the nine placings round the tile, so what leaves one side comes back on the
// other. The tiles stay dark and quiet so the sprites and the display's texts stand out.
#include "tools/asset_gen/pictures/backdrop_tiles.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace pictures {
namespace {

// Runs `draw` at the nine placings that cover a wrapped tile.
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

// v brought into 0..200.
double Wrap(double v) {
  return v - kTile * std::floor(v / kTile);
}

// A noise ridge: 1 along the middle line of the noise, falling to 0 away from it.
double Ridge(double n) {
  return 1 - std::abs(2 * n - 1);
}

struct Point {
  double x, y;
};

// n x n points, one anywhere in the middle of each cell of an n x n grid over the tile: spread
// evenly, so nothing clumps into a landmark, yet with no visible pattern.
std::vector<Point> Scattered(Rng& rng, int n) {
  const double cell = static_cast<double>(kTile) / n;
  std::vector<Point> points;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const double x = (i + rng.Range(0.1, 0.9)) * cell;
      const double y = (j + rng.Range(0.1, 0.9)) * cell;
      points.push_back({x, y});
    }
  return points;
}

void Rivet(cairo_t* cr, double x, double y, Rgb base, double r = 1.8) {
  Stud(cr, x, y, r, Shade(base, -0.45), r * 0.6, r * 0.3, Shade(base, 0.35));
}

// --- walls of plates ----------------------------------------------------------------------

// Plates laid in columns of unequal widths, each column with seams at its own heights, so the
// seams never line up into a grid. The whole layout is shifted off the tile's edges.
struct PlateColumn {
  double x, w;
  std::vector<double> seams;  // heights of the seams above the column's plates, ascending
};

struct PlateWall {
  double shift_x, shift_y;
  std::vector<PlateColumn> columns;  // covering x 0..200 of the unshifted layout
};

// Where a point lies on its plate: the plate's number and its distances to the four edges.
struct OnPlate {
  int id;
  double left, right, top, bottom;
};

OnPlate PlateAt(const PlateWall& wall, double x, double y) {
  const double u = Wrap(x - wall.shift_x), v = Wrap(y - wall.shift_y);
  int c = 0;
  while (c + 1 < static_cast<int>(wall.columns.size()) && u >= wall.columns[c + 1].x) ++c;
  const PlateColumn& col = wall.columns[c];
  const std::vector<double>& s = col.seams;
  const int n = static_cast<int>(s.size());
  int row = n - 1;
  double top = s[n - 1] - kTile, bottom = s[0];
  for (int i = 0; i < n; ++i)
    if (v >= s[i]) {
      row = i;
      top = s[i];
      bottom = i + 1 < n ? s[i + 1] : s[0] + kTile;
    }
  return {c * 16 + row, u - col.x, col.x + col.w - u, v - top, bottom - v};
}

// Each plate's own shade, so neighbouring plates differ a little as real ones do.
double PlateTone(std::uint64_t seed, int id, double lo, double hi) {
  Rng rng(seed * 977 + static_cast<std::uint64_t>(id));
  return rng.Range(lo, hi);
}

// The bevel of a plate lit from the upper left: a groove at its lower and right edges, light on
// its upper and left edges.
Rgb Bevelled(Rgb col, const OnPlate& p, Rgb groove, double width) {
  if (p.bottom < 1 || p.right < 1) return groove;
  if (p.top < width) col = Shade(col, 0.22 * (1 - p.top / width));
  if (p.left < width) col = Shade(col, 0.12 * (1 - p.left / width));
  if (p.bottom < width + 1) col = Shade(col, -0.35 * (1 - (p.bottom - 1) / width));
  if (p.right < width + 1) col = Shade(col, -0.3 * (1 - (p.right - 1) / width));
  return col;
}

// Calls `at(x, y)` for points along the top of every plate, `step` apart, `inset` in from the
// plate's corner.
void AlongPlateTops(const PlateWall& wall, double inset, double step,
                    const std::function<void(double, double)>& at) {
  for (const PlateColumn& col : wall.columns)
    for (double seam : col.seams)
      for (double x = col.x + inset; x <= col.x + col.w - inset + 0.01; x += step)
        at(x + wall.shift_x, seam + inset * 0.8 + wall.shift_y);
}

// A cable hanging from (x0, y0) to (x1, y1), sagging `sag` px in the middle, with a bracket
// holding each end.
void Cable(cairo_t* cr, double x0, double y0, double x1, double y1, double sag, double width) {
  const double mx = (x0 + x1) / 2, my = (y0 + y1) / 2 + 2 * sag;
  auto path = [&](double lift) {
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0 - lift);
    cairo_curve_to(cr, x0 + (mx - x0) * 2 / 3, y0 + (my - y0) * 2 / 3 - lift,
                   x1 + (mx - x1) * 2 / 3, y1 + (my - y1) * 2 / 3 - lift, x1, y1 - lift);
  };
  path(0);
  StrokeRound(cr, Hex(0x08090C), width + 1.2);
  path(0);
  StrokeRound(cr, Hex(0x1A1D24), width);
  path(width * 0.25);
  StrokeRound(cr, Hex(0x4A5060), width * 0.3, 0.6);
  for (const auto& [x, y] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
    cairo_new_path(cr);
    RoundedRect(cr, x - 3, y - 2.5, 6, 5, 1);
    SetColor(cr, Hex(0x2A2E38));
    cairo_fill_preserve(cr);
    StrokeRound(cr, Hex(0x0C0E12), 0.8);
    Rivet(cr, x, y, Hex(0x50586A), 1.1);
  }
}

// Yellow and black hazard stripes in a w x h patch.
void HazardPatch(cairo_t* cr, double x, double y, double w, double h, double alpha) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  SetColor(cr, Hex(0x6A5418), alpha);
  cairo_paint(cr);
  for (double sx = x - h; sx < x + w; sx += 2 * h) {
    cairo_new_path(cr);
    cairo_move_to(cr, sx, y + h);
    cairo_line_to(cr, sx + h, y);
    cairo_line_to(cr, sx + 2 * h * 0.75, y);
    cairo_line_to(cr, sx + h * 0.5, y + h);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x14100C), alpha);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// Slots of a vent, `n` of them, in a w-wide panel.
void Vent(cairo_t* cr, double x, double y, double w, int n) {
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, n * 4 + 3, 2);
  SetColor(cr, Hex(0x14171E));
  cairo_fill_preserve(cr);
  StrokeRound(cr, Hex(0x3E4656), 0.9, 0.7);
  for (int i = 0; i < n; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + 3, y + 3.5 + i * 4);
    cairo_line_to(cr, x + w - 3, y + 3.5 + i * 4);
    StrokeRound(cr, Hex(0x080A0E), 1.8);
  }
}

// --- 1 The Factory ------------------------------------------------------------------------

const PlateWall kFactoryWall{23,
                             37,
                             {{0, 46, {0, 64, 137}},
                              {46, 72, {30, 98, 171}},
                              {118, 39, {12, 81, 150}},
                              {157, 43, {50, 119, 176}}}};

void FactoryTile(Canvas& c) {
  TileNoise grime(101, kTile), fine(105, kTile, 4), streak(102, kTile, 3), soot(106, kTile, 2);
  PaintPixels(c, [&](double x, double y) {
    const OnPlate p = PlateAt(kFactoryWall, x, y);
    Rgb col = Mix(Hex(0x1C2029), Hex(0x363C4A), grime.At(x, y));
    col = Shade(col, PlateTone(107, p.id, -0.08, 0.06));
    col = Shade(col, 0.12 * (fine.At(x * 2, y * 2) - 0.5));
    // Rust running down from the rivets under each seam, and soot gathered at the plates' feet.
    const double rust = Smooth(0.55, 0.8, streak.At(x * 4, y)) * std::exp(-p.top / 30);
    col = Mix(col, Hex(0x5A3424), 0.55 * rust);
    col = Shade(col, -0.3 * (1 - Smooth(0, 14, p.bottom)));
    col = Shade(col, -0.25 * Smooth(0.5, 0.8, soot.At(x, y)));
    return Bevelled(col, p, Hex(0x0A0C10), 2.5);
  });
  cairo_t* cr = c.cr();
  Rng rng(108);
  Wrapped(cr, [&] {
    AlongPlateTops(kFactoryWall, 5, 11,
                   [&](double x, double y) { Rivet(cr, x, y, Hex(0x444C5C)); });
  });
  // Scratches in the paint, mostly along the plates.
  struct Scratch {
    double x, y, len, angle, alpha;
  };
  std::vector<Scratch> scratches;
  for (int i = 0; i < 46; ++i) {
    const double x = rng.Range(0, kTile);
    const double y = rng.Range(0, kTile);
    const double len = rng.Range(3, 11);
    const double angle = rng.Range(-0.5, 0.5);
    const double alpha = rng.Range(0.08, 0.22);
    scratches.push_back({x, y, len, angle, alpha});
  }
  // Small fittings, one in each cell of a grid, each kept inside its plate.
  const std::vector<Point> spots = Scattered(rng, 3);
  Wrapped(cr, [&] {
    for (const Scratch& s : scratches) {
      cairo_new_path(cr);
      cairo_move_to(cr, s.x, s.y);
      cairo_line_to(cr, s.x + s.len * std::cos(s.angle), s.y + s.len * std::sin(s.angle));
      Stroke(cr, Hex(0x8A94A8), 0.7, s.alpha);
    }
    for (std::size_t i = 0; i < spots.size(); ++i) {
      const OnPlate p = PlateAt(kFactoryWall, spots[i].x, spots[i].y);
      const double half = 12;
      const double x =
          spots[i].x + std::max(0.0, half + 4 - p.left) - std::max(0.0, half + 4 - p.right);
      const double y =
          spots[i].y + std::max(0.0, half + 6 - p.top) - std::max(0.0, half + 4 - p.bottom);
      switch (i % 5) {
        case 0:
          Vent(cr, x - 10, y - 6, 20, 3);
          break;
        case 1:
          HazardPatch(cr, x - 11, y - 3, 22, 6, 0.4);
          break;
        case 2:  // a dim lamp behind a cage
          Glow(cr, x, y, 1, 7, Hex(0xFFA030), 0.1);
          Disc(cr, x, y, 2.2, Hex(0x5A3A18));
          Disc(cr, x - 0.6, y - 0.6, 0.9, Hex(0xA07040));
          cairo_new_path(cr);
          cairo_arc(cr, x, y, 3.6, 0, 2 * kPi);
          Stroke(cr, Hex(0x101216), 0.9);
          break;
        case 3:  // a bolted cover plate
          cairo_new_path(cr);
          RoundedRect(cr, x - 8, y - 6, 16, 12, 1.5);
          SetColor(cr, Hex(0x2C323E));
          cairo_fill_preserve(cr);
          StrokeRound(cr, Hex(0x0E1014), 0.9);
          for (double bx : {-5.5, 5.5})
            for (double by : {-3.5, 3.5}) Rivet(cr, x + bx, y + by, Hex(0x505868), 1.1);
          break;
        default:  // a stencilled arrow, half worn away
          cairo_new_path(cr);
          cairo_move_to(cr, x - 7, y - 2);
          cairo_line_to(cr, x + 2, y - 2);
          cairo_line_to(cr, x + 2, y - 5);
          cairo_line_to(cr, x + 8, y);
          cairo_line_to(cr, x + 2, y + 5);
          cairo_line_to(cr, x + 2, y + 2);
          cairo_line_to(cr, x - 7, y + 2);
          cairo_close_path(cr);
          SetColor(cr, Hex(0xB0A060), 0.22);
          cairo_fill(cr);
      }
    }
    // Cables slung along the wall, crossing the edges at uneven places.
    Cable(cr, 134, 19, 262, 33, 13, 2.2);
    Cable(cr, -38, 103, 71, 95, 8, 1.6);
    Cable(cr, 88, 156, 181, 168, 10, 2.6);
  });
}

// --- 2 Caves Of Chaos ---------------------------------------------------------------------

void CaveTile(Canvas& c) {
  TileNoise rock(201, kTile), crack(202, kTile, 4), warp(203, kTile, 3), grit(205, kTile, 4);
  PaintPixels(c, [&](double x, double y) {
    const double n = rock.At(x, y);
    // Wavy strata, three to a tile, bent by noise so no two look alike.
    const double layer = y + 10 * std::sin(2 * kPi * x / kTile) +
                         6 * std::sin(4 * kPi * x / kTile + 1.3) + 44 * (warp.At(x, y) - 0.5);
    const double band = 0.5 + 0.5 * std::sin(2 * kPi * layer * 3 / kTile);
    Rgb col = Mix(Hex(0x160C1A), Hex(0x3A2A3E), Smooth(0.3, 0.75, n));
    col = Mix(col, Hex(0x322218), 0.45 * Smooth(0.6, 0.95, band));
    col = Mix(col, Hex(0x0C0812), 0.4 * Smooth(0.65, 0.98, 1 - band));
    // Lumpy rock lit from the upper left: the slope of the noise brightens or darkens it.
    const double slope = rock.At(x - 1.5, y - 1.5) - rock.At(x + 1.5, y + 1.5);
    col = Shade(col, std::clamp(slope * 4.0, -0.4, 0.16));
    col = Shade(col, 0.14 * (grit.At(x * 2, y * 2) - 0.5));
    // Thin dark cracks along the middle line of a second noise.
    col = Mix(col, Hex(0x06030A), 0.6 * Smooth(0.985, 1.0, Ridge(crack.At(x, y))));
    return col;
  });
  cairo_t* cr = c.cr();
  Rng rng(206);
  // Crystal shards grown out of the rock here and there: small, of three colours, most of them
  // dim, a few catching more light.
  struct Shard {
    Point at;
    double size, angle, light;
    Rgb colour;
    int spikes;
  };
  const Rgb colours[3] = {Hex(0x30E0F0), Hex(0xF050D0), Hex(0x70F0A0)};
  std::vector<Shard> shards;
  for (const Point& p : Scattered(rng, 4)) {
    if (rng.Next() < 0.3) continue;
    const double size = rng.Range(0.3, 0.8);
    const double angle = rng.Range(-0.7, 0.7);
    const double light = rng.Range(0.2, 0.75);
    const Rgb colour = colours[rng.Int(3)];
    const int spikes = 1 + rng.Int(3);
    shards.push_back({p, size, angle, light, colour, spikes});
  }
  // Wet glints on the rock.
  std::vector<std::pair<Point, double>> glints;
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Range(0, kTile);
    const double y = rng.Range(0, kTile);
    glints.push_back({{std::floor(x), std::floor(y)}, rng.Range(0.15, 0.5)});
  }
  Wrapped(cr, [&] {
    for (const auto& [p, alpha] : glints) {
      cairo_new_path(cr);
      cairo_rectangle(cr, p.x, p.y, 1, 1);
      SetColor(cr, Hex(0xC8B0E0), alpha);
      cairo_fill(cr);
    }
    for (const Shard& s : shards) {
      const Rgb col = Shade(s.colour, -0.55 * (1 - s.light));
      Glow(cr, s.at.x, s.at.y, 1, 8 + 10 * s.size, s.colour, 0.04 + 0.08 * s.light);
      for (int k = 0; k < s.spikes; ++k) {
        const double spread = (k - (s.spikes - 1) / 2.0) * 0.5;
        const double len = (14 - 4 * std::abs(spread)) * s.size, w = 3.4 * s.size;
        cairo_save(cr);
        cairo_translate(cr, s.at.x + spread * 5 * s.size, s.at.y);
        cairo_rotate(cr, s.angle + spread);
        cairo_new_path(cr);
        cairo_move_to(cr, -w, 0);
        cairo_line_to(cr, -w, -len);
        cairo_line_to(cr, 0, -len - w * 1.4);
        cairo_line_to(cr, w, -len);
        cairo_line_to(cr, w, 0);
        cairo_close_path(cr);
        SetLinear(cr, -w, 0, w, 0, {{0, Shade(col, 0.25)}, {1, Shade(col, -0.55)}});
        cairo_fill_preserve(cr);
        StrokeRound(cr, Shade(s.colour, -0.8), 0.7);
        cairo_restore(cr);
      }
      // The rock the shards break out of.
      cairo_new_path(cr);
      Ellipse(cr, s.at.x, s.at.y + 0.5, 5 * s.size + 2, 1.6 + s.size);
      SetColor(cr, Hex(0x120A14), 0.8);
      cairo_fill(cr);
    }
  });
}

// --- 3 Egypt ------------------------------------------------------------------------------

// Sandstone courses 25 px high, their lines 11 px off the tile's edge; each course has blocks of
// its own widths, started at its own place.
constexpr double kCourse = 25, kCourseShift = 11;

struct Block {
  double start, width, tone, red;
};

struct Courses {
  std::vector<Block> rows[8];

  // The block under (x, y) and the distances to its edges.
  struct Spot {
    const Block* block;
    double left, right, top, bottom;
  };
  Spot At(double x, double y) const {
    const double v = Wrap(y - kCourseShift);
    const int row = std::min(7, static_cast<int>(v / kCourse));
    const double top = v - row * kCourse;
    for (const Block& b : rows[row]) {
      const double u = Wrap(x - b.start);
      if (u < b.width) return {&b, u, b.width - u, top, kCourse - top};
    }
    return {&rows[row][0], 0, 0, top, kCourse - top};
  }
};

Courses LayCourses(Rng& rng) {
  Courses courses;
  for (auto& row : courses.rows) {
    double at = rng.Range(0, kTile), left = kTile;
    while (left > 0) {
      double w = left;
      if (left > 72) w = rng.Range(30, std::min(64.0, left - 30));
      const double tone = rng.Range(-0.12, 0.1);
      const double red = rng.Range(0, 0.5);
      row.push_back({at, w, tone, red});
      at = Wrap(at + w);
      left -= w;
    }
  }
  return courses;
}

// Hieroglyphs, each within about 10 x 9 px of the origin, as paths to be carved.
void GlyphPath(cairo_t* cr, int kind) {
  cairo_new_path(cr);
  switch (kind) {
    case 0:  // eye
      cairo_move_to(cr, -9, 0);
      cairo_curve_to(cr, -4, -6, 4, -6, 9, 0);
      cairo_curve_to(cr, 4, 5, -4, 5, -9, 0);
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0, 0, 2.5, 0, 2 * kPi);
      cairo_move_to(cr, -2, 4);
      cairo_line_to(cr, -4, 9);
      break;
    case 1:  // ankh
      Ellipse(cr, 0, -5, 3.2, 4);
      cairo_move_to(cr, 0, -1);
      cairo_line_to(cr, 0, 9);
      cairo_move_to(cr, -6, 1);
      cairo_line_to(cr, 6, 1);
      break;
    case 2:  // bird
      cairo_move_to(cr, -8, 4);
      cairo_curve_to(cr, -5, -4, 2, -6, 5, -2);
      cairo_line_to(cr, 9, -3);
      cairo_line_to(cr, 6, 1);
      cairo_curve_to(cr, 7, 6, 1, 8, -6, 6);
      cairo_move_to(cr, 0, 7);
      cairo_line_to(cr, -1, 9);
      break;
    case 3:  // water
      for (double x = -9; x <= 9; x += 1) cairo_line_to(cr, x, 2.2 * std::sin(x * 1.05));
      break;
    case 4:  // sun with rays
      cairo_arc(cr, 0, -3, 4.5, 0, 2 * kPi);
      for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, -6 + i * 3, 4);
        cairo_line_to(cr, -7 + i * 3, 8);
      }
      break;
    case 5:  // reed
      cairo_move_to(cr, 0, 9);
      cairo_line_to(cr, 0, -8);
      cairo_move_to(cr, 0, -4);
      cairo_line_to(cr, 5, -8);
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, 5, -4);
      break;
    case 6:  // snake
      cairo_move_to(cr, -9, 6);
      cairo_curve_to(cr, -5, 2, -2, 8, 2, 4);
      cairo_curve_to(cr, 5, 1, 4, -5, 7, -7);
      cairo_line_to(cr, 9, -5);
      break;
    default:  // pillar
      cairo_move_to(cr, 0, 9);
      cairo_line_to(cr, 0, -8);
      for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -4, -7 + i * 3);
        cairo_line_to(cr, 4, -7 + i * 3);
      }
  }
}

void EgyptTile(Canvas& c) {
  TileNoise grain(301, kTile), stain(302, kTile, 3), chip(303, kTile, 3), dust(304, kTile, 3),
      pits(305, kTile, 5);
  Rng rng(306);
  const Courses courses = LayCourses(rng);
  const Rgb mortar = Hex(0x1E1408);
  PaintPixels(c, [&](double x, double y) {
    const Courses::Spot s = courses.At(x, y);
    Rgb col = Mix(Hex(0x3A2814), Hex(0x5A4224), grain.At(x * 2, y * 2));
    col = Mix(col, Hex(0x4A2616), s.block->red * 0.5);
    col = Shade(col, s.block->tone);
    col = Mix(col, Hex(0x2E1E0E), 0.4 * Smooth(0.5, 0.8, stain.At(x, y)));
    // Weathering: pitted hollows and worn, chipped corners.
    col = Shade(col, -0.22 * Smooth(0.62, 0.72, pits.At(x * 2, y * 2)));
    const double edge = std::min({s.left, s.right, s.top, s.bottom});
    if (edge < 1.1 + 2.8 * Smooth(0.55, 0.85, chip.At(x * 4, y * 4)))
      return Mix(mortar, col, 0.25 * Smooth(0, 1.5, edge));
    // Sand settled on the tops of the blocks.
    if (s.top < 5) col = Mix(col, Hex(0x8A6A3C), 0.5 * (1 - s.top / 5) * dust.At(x * 2, y));
    if (s.top < 3) col = Shade(col, 0.18 * (1 - s.top / 3));
    if (s.left < 2.5) col = Shade(col, 0.1 * (1 - s.left / 2.5));
    if (s.bottom < 3.5) col = Shade(col, -0.3 * (1 - (s.bottom - 1) / 2.5));
    if (s.right < 3) col = Shade(col, -0.22 * (1 - (s.right - 1) / 2));
    return col;
  });
  cairo_t* cr = c.cr();
  // Worn carvings on some blocks, no two alike side by side: a dark cut with a light lower edge.
  struct Carving {
    Point at;
    int kind;
    double alpha, scale;
  };
  std::vector<Carving> carvings;
  const int first_kind = rng.Int(8);
  int n = 0;
  for (const Point& p : Scattered(rng, 3)) {
    const Courses::Spot s = courses.At(p.x, p.y);
    const double alpha = rng.Range(0.5, 0.9);
    const double scale = rng.Range(0.75, 0.95);
    if (s.block->width < 30) continue;
    const double x = p.x - s.left + s.block->width / 2, y = p.y - s.top + kCourse / 2;
    carvings.push_back({{x, y}, (first_kind + 3 * n++) % 8, alpha, scale});
  }
  // Cracks running across blocks and joints alike.
  std::vector<std::vector<Point>> cracks;
  for (int k = 0; k < 4; ++k) {
    std::vector<Point> crack;
    double x = rng.Range(0, kTile);
    double y = rng.Range(0, kTile);
    double heading = rng.Range(0, 2 * kPi);
    const int steps = 5 + rng.Int(6);
    for (int i = 0; i < steps; ++i) {
      crack.push_back({x, y});
      heading += rng.Range(-0.8, 0.8);
      const double step = rng.Range(3, 7);
      x += step * std::cos(heading);
      y += step * std::sin(heading);
    }
    cracks.push_back(crack);
  }
  const Rgb lit = Hex(0x8A6A3C), cut = Hex(0x24160A);
  Wrapped(cr, [&] {
    for (const Carving& k : carvings) {
      for (int pass = 0; pass < 2; ++pass) {
        cairo_save(cr);
        cairo_translate(cr, k.at.x + (pass == 0 ? 0.8 : 0), k.at.y + (pass == 0 ? 0.8 : 0));
        cairo_scale(cr, k.scale, k.scale);
        GlyphPath(cr, k.kind);
        cairo_restore(cr);
        StrokeRound(cr, pass == 0 ? lit : cut, 1.3, pass == 0 ? k.alpha * 0.6 : k.alpha);
      }
    }
    for (const auto& crack : cracks) {
      for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        for (const Point& p : crack) cairo_line_to(cr, p.x + pass * 0.7, p.y + pass * 0.7);
        StrokeRound(cr, pass == 0 ? cut : lit, 0.8, pass == 0 ? 0.7 : 0.25);
      }
    }
  });
}

// --- 4 The Final Frontier -----------------------------------------------------------------

void SpaceTile(Canvas& c) {
  TileNoise neb(401, kTile), neb2(402, kTile), warp(403, kTile, 3), lanes(404, kTile, 4),
      wisps(405, kTile, 5);
  PaintPixels(c, [&](double x, double y) {
    // The clouds are bent by a third noise, so they curl instead of sitting on a lattice.
    const double wx = 46 * (warp.At(x, y) - 0.5), wy = 46 * (warp.At(y + 37, x + 91) - 0.5);
    const double a = neb.At(x + wx, y + wy), b = neb2.At(x - wy, y + wx);
    Rgb col = Hex(0x03030A);
    col = Mix(col, Hex(0x2C0E44), 0.65 * Smooth(0.4, 0.8, a));
    col = Mix(col, Hex(0x0A2650), 0.6 * Smooth(0.45, 0.85, b));
    // Bright wisps inside the clouds, and dark lanes of dust across them.
    const double w = Ridge(wisps.At(x + wx, y + wy));
    col = Mix(col, Hex(0x7A4A9A), 0.3 * Smooth(0.86, 0.98, w) * Smooth(0.45, 0.75, a));
    col = Mix(col, Hex(0x3A7AA0), 0.25 * Smooth(0.88, 0.98, w) * Smooth(0.5, 0.8, b));
    col = Shade(col, -0.65 * Smooth(0.55, 0.75, lanes.At(x * 2 + wy, y * 2 + wx)));
    return col;
  });
  cairo_t* cr = c.cr();
  Rng rng(406);
  const Rgb tints[4] = {Hex(0xFFFFFF), Hex(0xC0D8FF), Hex(0xFFE0C0), Hex(0xFFC8C8)};
  struct Star {
    double x, y, alpha;
    Rgb tint;
  };
  // Three depths of stars: a dust of faint ones, a sprinkling of middling ones with a soft
  // halo, and a few bright ones that twinkle, each of its own size.
  std::vector<Star> faint, middling;
  for (int i = 0; i < 380; ++i) {
    const double x = std::floor(rng.Range(0, kTile));
    const double y = std::floor(rng.Range(0, kTile));
    const double r = rng.Next();
    const Rgb tint = tints[rng.Int(4)];
    faint.push_back({x, y, 0.1 + 0.45 * r * r, tint});
  }
  for (int i = 0; i < 48; ++i) {
    const double x = rng.Range(0, kTile);
    const double y = rng.Range(0, kTile);
    const double alpha = rng.Range(0.5, 0.95);
    const Rgb tint = tints[rng.Int(4)];
    middling.push_back({x, y, alpha, tint});
  }
  struct Bright {
    Point at;
    double r;
    Rgb tint;
  };
  std::vector<Bright> bright;
  for (const Point& p : Scattered(rng, 3)) {
    const double r = rng.Range(1.8, 3.6);
    const Rgb tint = tints[rng.Int(4)];
    if (rng.Next() < 0.4) continue;
    bright.push_back({p, r, tint});
  }
  Wrapped(cr, [&] {
    for (const Star& s : faint) {
      cairo_new_path(cr);
      cairo_rectangle(cr, s.x, s.y, 1, 1);
      SetColor(cr, s.tint, s.alpha);
      cairo_fill(cr);
    }
    for (const Star& s : middling) {
      Glow(cr, s.x, s.y, 0, 2.4, s.tint, 0.3 * s.alpha);
      Disc(cr, s.x, s.y, 0.75, s.tint, s.alpha);
    }
    for (const Bright& b : bright) {
      Glow(cr, b.at.x, b.at.y, 0, b.r * 1.6, b.tint, 0.3);
      Twinkle(cr, b.at.x, b.at.y, b.r, b.tint, 0.75);
      Disc(cr, b.at.x, b.at.y, 0.9, Hex(0xFFFFFF));
    }
  });
}

// --- 5 The Machine! -----------------------------------------------------------------------

const PlateWall kMachineWall{
    61, 29, {{0, 64, {0, 70, 141}}, {64, 52, {35, 106, 168}}, {116, 84, {18, 92, 153}}}};

void MachineTile(Canvas& c) {
  TileNoise grime(501, kTile), fine(502, kTile, 4), heat(503, kTile, 2);
  PaintPixels(c, [&](double x, double y) {
    const OnPlate p = PlateAt(kMachineWall, x, y);
    Rgb col = Mix(Hex(0x1C1216), Hex(0x3A2A2E), grime.At(x, y));
    col = Shade(col, PlateTone(504, p.id, -0.09, 0.05));
    col = Shade(col, 0.1 * (fine.At(x * 2, y * 2) - 0.5));
    // Heat has blued and browned the plates in broad patches.
    col = Mix(col, Hex(0x2A1C34), 0.35 * Smooth(0.5, 0.8, heat.At(x, y)));
    col = Shade(col, -0.25 * (1 - Smooth(0, 12, p.bottom)));
    return Bevelled(col, p, Hex(0x0A0608), 2.5);
  });
  cairo_t* cr = c.cr();
  Rng rng(505);
  // Circuit traces: straight runs joined by 45-degree bends, of many lengths, most of them
  // dim green, a few amber or red.
  struct Trace {
    std::vector<Point> pts;
    Rgb colour;
    double light;
  };
  std::vector<Trace> traces;
  for (int k = 0; k < 11; ++k) {
    Trace t;
    double x = std::floor(rng.Range(0, kTile));
    double y = std::floor(rng.Range(0, kTile));
    int dir = 2 * rng.Int(4);  // eighths of a turn: 0 right, 2 down, 4 left, 6 up
    t.pts.push_back({x, y});
    const int runs = 2 + rng.Int(3);
    for (int r = 0; r < runs; ++r) {
      const double len = rng.Range(10, 40);
      x += len * std::cos(dir * kPi / 4);
      y += len * std::sin(dir * kPi / 4);
      t.pts.push_back({x, y});
      if (r + 1 == runs) break;
      const int turn = rng.Next() < 0.5 ? 1 : -1;
      dir = (dir + turn + 8) % 8;
      const double bend = rng.Range(4, 9);
      x += bend * std::cos(dir * kPi / 4);
      y += bend * std::sin(dir * kPi / 4);
      t.pts.push_back({x, y});
      dir = (dir + (rng.Next() < 0.7 ? turn : -turn) + 8) % 8;
    }
    const double pick = rng.Next();
    t.colour = pick < 0.72 ? Hex(0x30E070) : (pick < 0.9 ? Hex(0xE0A020) : Hex(0xE04030));
    t.light = rng.Range(0.25, 0.65);
    traces.push_back(t);
  }
  std::vector<Point> chips = Scattered(rng, 2);
  chips.erase(chips.begin() + rng.Int(4));
  Wrapped(cr, [&] {
    AlongPlateTops(kMachineWall, 6, 14,
                   [&](double x, double y) { Rivet(cr, x, y, Hex(0x4A3A3E), 1.6); });
    for (const Trace& t : traces) {
      const Rgb col = Shade(t.colour, -0.75 * (1 - t.light));
      auto path = [&] {
        cairo_new_path(cr);
        for (const Point& p : t.pts) cairo_line_to(cr, p.x, p.y);
      };
      path();
      StrokeRound(cr, Shade(t.colour, -0.7), 3.6, 0.3 * t.light);
      path();
      StrokeRound(cr, col, 1.1, 0.55);
      for (const Point* p : {&t.pts.front(), &t.pts.back()}) {
        Disc(cr, p->x, p->y, 2.6, Shade(t.colour, -0.6));
        Disc(cr, p->x, p->y, 1.3, Shade(col, 0.4));
      }
    }
    for (const Point& p : chips) {
      cairo_new_path(cr);
      RoundedRect(cr, p.x - 8, p.y - 5, 16, 10, 1);
      SetColor(cr, Hex(0x120C10));
      cairo_fill_preserve(cr);
      StrokeRound(cr, Hex(0x4A3A40), 0.8);
      for (int i = 0; i < 4; ++i)
        for (int s = -1; s <= 1; s += 2) {
          cairo_new_path(cr);
          cairo_rectangle(cr, p.x - 6 + i * 4, p.y + s * 5 - (s < 0 ? 2 : 0), 1.4, 2);
          SetColor(cr, Hex(0x8A7A60), 0.7);
          cairo_fill(cr);
        }
      Disc(cr, p.x - 5, p.y - 2, 0.9, Hex(0x3A3034));
    }
    HazardPatch(cr, 8, 88, 26, 6, 0.5);
    HazardPatch(cr, 131, 187, 20, 6, 0.5);
  });
}

}  // namespace

void DrawBackdropTile(Canvas& tile, int stage) {
  void (*tiles[5])(Canvas&) = {FactoryTile, CaveTile, EgyptTile, SpaceTile, MachineTile};
  tiles[stage - 1](tile);
}

}  // namespace pictures
