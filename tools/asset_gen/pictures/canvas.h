#pragma once
// Shared tools for drawing the game's pictures with Cairo: a drawing surface, the BMP writer
// that turns it into a picture the game can load, a repeatable random generator and a few
// drawing shapes that every picture family uses.
#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

namespace pictures {

constexpr double kPi = 3.14159265358979323846;

// A colour with components 0..1.
struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to Rgb.
Rgb Hex(std::uint32_t rgb);
// Linear blend: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
// Lighter (f > 0, towards white) or darker (f < 0, towards black).
Rgb Shade(Rgb c, double f);

// An ARGB drawing surface with its Cairo context. Starts fully transparent.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Sprite sheet: pixels less than half covered become the see-through blue, the others
  // keep their own colour at full strength.
  void SaveSprite(const std::filesystem::path& file) const;
  // Full picture: everything opaque (laid over black where something was left uncovered).
  void SaveOpaque(const std::filesystem::path& file) const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Writes a 24-bit uncompressed BMP. `rgb` holds width x height pixels, top row first, three
// bytes (red, green, blue) each.
void WriteBmp24(const std::filesystem::path& file, int width, int height, const std::uint8_t* rgb);

// The game shows pictures in 16-bit colour and treats the pixel value 31 (pure blue after
// dropping the low bits) as see-through. True when an opaque colour would be taken for it.
inline bool LandsOnKey(int r, int g, int b) {
  return (r >> 3) == 0 && (g >> 2) == 0 && (b >> 3) == 31;
}

// Small repeatable generator (splitmix64), so the pictures are the same on every run.
// Take at most one number from it per statement: in f(rng.Next(), rng.Next()) or
// rng.Next() * rng.Next() the compiler picks which call comes first, and gcc and clang differ.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t NextU64();
  double Next();  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }
  int Int(int n) { return static_cast<int>(Next() * n); }  // 0..n-1

 private:
  std::uint64_t state_;
};

// Smooth value noise that repeats every `period` pixels both ways, so tiles made from it join
// without seams. Sum of octaves with lattices of 4, 8, 16, ... cells; result about 0..1.
class TileNoise {
 public:
  TileNoise(std::uint64_t seed, int period, int octaves = 5);
  double At(double x, double y) const;

 private:
  double Lattice(int octave, int ix, int iy) const;
  std::uint64_t seed_;
  int period_, octaves_;
};

// Sets every pixel of the canvas from `colour(x, y)` (opaque).
void PaintPixels(Canvas& canvas, const std::function<Rgb(double x, double y)>& colour);

// --- drawing shapes -----------------------------------------------------------------------

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Star outline with `points` tips, outer radius r1, inner radius r2, first tip at `angle`.
void StarPath(cairo_t* cr, double cx, double cy, double r1, double r2, int points, double angle);
// Shaded ball: radial gradient lit from the upper left, with a dark outline.
void ShadedBall(cairo_t* cr, double cx, double cy, double r, Rgb base, Rgb outline,
                double outline_width = 1.0);
// Small soft white shine spot.
void Shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.9);
// Four-pointed twinkle.
void Twinkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0);
// Fill the current path with a vertical gradient from `top` to `bottom` between y0 and y1,
// keeping the path.
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

// A filled disc.
void Disc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0);
// A round stud lit from the upper left: a dark disc of radius r and a light one of radius
// `r_light`, `lift` up and to the left of the middle.
void Stud(cairo_t* cr, double x, double y, double r, Rgb dark, double r_light, double lift,
          Rgb light);
// Soft glow round (cx, cy): `c` at `alpha` from radius r0, fading out to nothing at r1.
void Glow(cairo_t* cr, double cx, double cy, double r0, double r1, Rgb c, double alpha);

// --- gradients ----------------------------------------------------------------------------

// One colour of a gradient, at `offset` (0..1) along it.
struct Stop {
  double offset;
  Rgb c;
  double alpha = 1.0;
};
// Makes the source a linear gradient from (x0, y0) to (x1, y1).
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops);
// Makes the source a radial gradient from the circle (x0, y0, r0) to the circle (x1, y1, r1).
void SetRadial(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
               std::initializer_list<Stop> stops);
// Paints everything with a vertical gradient running from y0 to y1.
void PaintVertical(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops);

// How a shaded part is finished: its colour lightened by `light` where the gradient starts,
// plain at `middle`, darkened by `dark` (< 0) where it ends, and an outline in `ink`.
struct Finish {
  double light, middle, dark;
  Rgb ink;
};
// Fills the current path with a linear gradient of `c` from (x0, y0) to (x1, y1) in the given
// finish, then outlines it `width` wide with round joins and caps.
void ShadedFill(cairo_t* cr, const Finish& finish, Rgb c, double x0, double y0, double x1,
                double y1, double width);

// --- strokes ------------------------------------------------------------------------------

// Strokes the current path in `c`, `width` wide; line caps and joins stay as they are.
void Stroke(cairo_t* cr, Rgb c, double width, double alpha = 1.0);
// The same with round caps and joins, which stay set afterwards.
void StrokeRound(cairo_t* cr, Rgb c, double width, double alpha = 1.0);
// A line with an outline: strokes the current path `edge_width` wide in `edge`, then `width`
// wide in `c`, with round caps and joins (which stay set).
void OutlinedLine(cairo_t* cr, Rgb c, double width, Rgb edge, double edge_width);

// Text with a thick outline and a vertical gradient fill, left edge at x, baseline at y.
// Returns the width of the text.
struct TextStyle {
  const char* family = "Comic Neue";
  bool bold = true;
  double size = 40;
  Rgb top = Hex(0xFFFFFF), bottom = Hex(0xFFD040);
  Rgb outline = Hex(0x000000);
  double outline_width = 4;
  double shadow = 0;  // drop-shadow offset, 0 for none
};
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style);
// The same, centred on x.
void DrawTextCentered(cairo_t* cr, const std::string& text, double cx, double y,
                      const TextStyle& style);

}  // namespace pictures
