#include "tools/asset_gen/pictures/canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace pictures {

Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Shade(Rgb c, double f) {
  return f >= 0 ? Mix(c, Rgb{1, 1, 1}, f) : Mix(c, Rgb{0, 0, 0}, -f);
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot make a drawing surface");
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {

// Reads the canvas into top-down RGB bytes. `sprite`: half-covered pixels become pure blue,
// the rest keep their un-premultiplied colour; otherwise everything is laid over black.
std::vector<std::uint8_t> ToRgb(cairo_surface_t* surface, int w, int h, bool sprite) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<std::uint8_t> out(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = row[x];
      const int a = p >> 24;
      int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;  // premultiplied
      if (sprite) {
        if (a < 128) {
          r = 0;
          g = 0;
          b = 255;
        } else {
          r = std::min(255, (r * 255 + a / 2) / a);
          g = std::min(255, (g * 255 + a / 2) / a);
          b = std::min(255, (b * 255 + a / 2) / a);
          if (LandsOnKey(r, g, b)) g = 4;  // a shade of blue the eye cannot tell apart
        }
      } else if (LandsOnKey(r, g, b)) {
        g = 4;
      }
      std::uint8_t* o = &out[(static_cast<size_t>(y) * w + x) * 3];
      o[0] = static_cast<std::uint8_t>(r);
      o[1] = static_cast<std::uint8_t>(g);
      o[2] = static_cast<std::uint8_t>(b);
    }
  }
  return out;
}

void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(x & 255);
  v.push_back(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back((x >> (8 * i)) & 255);
}

}  // namespace

void Canvas::SaveSprite(const std::filesystem::path& file) const {
  const auto rgb = ToRgb(surface_, width_, height_, true);
  WriteBmp24(file, width_, height_, rgb.data());
}

void Canvas::SaveOpaque(const std::filesystem::path& file) const {
  const auto rgb = ToRgb(surface_, width_, height_, false);
  WriteBmp24(file, width_, height_, rgb.data());
}

void WriteBmp24(const std::filesystem::path& file, int width, int height, const std::uint8_t* rgb) {
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t image_bytes = row_bytes * height;
  std::vector<std::uint8_t> v;
  v.reserve(54 + image_bytes);
  // File header.
  v.push_back('B');
  v.push_back('M');
  Put32(v, 54 + image_bytes);
  Put32(v, 0);
  Put32(v, 54);
  // BITMAPINFOHEADER.
  Put32(v, 40);
  Put32(v, width);
  Put32(v, height);  // positive: rows stored bottom-up
  Put16(v, 1);
  Put16(v, 24);
  Put32(v, 0);  // BI_RGB
  Put32(v, image_bytes);
  Put32(v, 2835);  // 72 dpi
  Put32(v, 2835);
  Put32(v, 0);
  Put32(v, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::uint8_t* src = rgb + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      v.push_back(src[x * 3 + 2]);
      v.push_back(src[x * 3 + 1]);
      v.push_back(src[x * 3 + 0]);
    }
    for (std::uint32_t pad = width * 3; pad < row_bytes; ++pad) v.push_back(0);
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(v.data()), static_cast<std::streamsize>(v.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::uint64_t Rng::NextU64() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Next() {
  return (NextU64() >> 11) * (1.0 / 9007199254740992.0);
}

TileNoise::TileNoise(std::uint64_t seed, int period, int octaves)
    : seed_(seed), period_(period), octaves_(octaves) {}

double TileNoise::Lattice(int octave, int ix, int iy) const {
  Rng rng(seed_ * 1000003u + static_cast<std::uint64_t>(octave) * 7919u +
          static_cast<std::uint64_t>(ix) * 131071u + static_cast<std::uint64_t>(iy) * 524287u);
  return rng.Next();
}

double TileNoise::At(double x, double y) const {
  double sum = 0, amp = 0.5, norm = 0;
  for (int o = 0; o < octaves_; ++o) {
    const int cells = 4 << o;
    const double fx = x * cells / period_, fy = y * cells / period_;
    const double flx = std::floor(fx), fly = std::floor(fy);
    const double tx = fx - flx, ty = fy - fly;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    auto wrap = [cells](double v) { return ((static_cast<int>(v) % cells) + cells) % cells; };
    const int x0 = wrap(flx), x1 = wrap(flx + 1), y0 = wrap(fly), y1 = wrap(fly + 1);
    const double a = Lattice(o, x0, y0), b = Lattice(o, x1, y0);
    const double c = Lattice(o, x0, y1), d = Lattice(o, x1, y1);
    sum += amp * ((a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy);
    norm += amp;
    amp *= 0.5;
  }
  return sum / norm;
}

void PaintPixels(Canvas& canvas, const std::function<Rgb(double x, double y)>& colour) {
  cairo_surface_t* s = canvas.surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < canvas.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgb c = colour(x + 0.5, y + 0.5);
      auto q = [](double v) {
        return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5);
      };
      row[x] = 0xFF000000u | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    }
  }
  cairo_surface_mark_dirty(s);
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double r1, double r2, int points, double angle) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double a = angle + i * kPi / points;
    const double r = (i % 2 == 0) ? r1 : r2;
    cairo_line_to(cr, cx + r * std::sin(a), cy - r * std::cos(a));
  }
  cairo_close_path(cr);
}

void ShadedBall(cairo_t* cr, double cx, double cy, double r, Rgb base, Rgb outline,
                double outline_width) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetRadial(cr, cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05,
            {{0, Shade(base, 0.55)}, {0.45, base}, {1, Shade(base, -0.55)}});
  cairo_fill_preserve(cr);
  if (outline_width > 0) Stroke(cr, outline, outline_width);
  cairo_new_path(cr);
}

void Shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  const Rgb white = Hex(0xFFFFFF);
  SetRadial(cr, 0, 0, 0, 0, 0, 1, {{0, white, alpha}, {0.6, white, alpha * 0.7}, {1, white, 0}});
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Twinkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
  cairo_new_path(cr);
  StarPath(cr, cx, cy, r, r * 0.22, 4, 0);
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  SetLinear(cr, 0, y0, 0, y1, {{0, top}, {1, bottom}});
  cairo_fill_preserve(cr);
}

void Disc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

void Stud(cairo_t* cr, double x, double y, double r, Rgb dark, double r_light, double lift,
          Rgb light) {
  Disc(cr, x, y, r, dark);
  Disc(cr, x - lift, y - lift, r_light, light);
}

void Glow(cairo_t* cr, double cx, double cy, double r0, double r1, Rgb c, double alpha) {
  SetRadial(cr, cx, cy, r0, cx, cy, r1, {{0, c, alpha}, {1, c, 0}});
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r1, 0, 2 * kPi);
  cairo_fill(cr);
}

namespace {
void SetGradient(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(p, s.offset, s.c.r, s.c.g, s.c.b, s.alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}
}  // namespace

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops) {
  SetGradient(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void SetRadial(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
               std::initializer_list<Stop> stops) {
  SetGradient(cr, cairo_pattern_create_radial(x0, y0, r0, x1, y1, r1), stops);
}

void PaintVertical(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops) {
  SetLinear(cr, 0, y0, 0, y1, stops);
  cairo_paint(cr);
}

void ShadedFill(cairo_t* cr, const Finish& finish, Rgb c, double x0, double y0, double x1,
                double y1, double width) {
  SetLinear(cr, x0, y0, x1, y1,
            {{0, Shade(c, finish.light)}, {finish.middle, c}, {1, Shade(c, finish.dark)}});
  cairo_fill_preserve(cr);
  StrokeRound(cr, finish.ink, width);
}

void Stroke(cairo_t* cr, Rgb c, double width, double alpha) {
  SetColor(cr, c, alpha);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void StrokeRound(cairo_t* cr, Rgb c, double width, double alpha) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Stroke(cr, c, width, alpha);
}

void OutlinedLine(cairo_t* cr, Rgb c, double width, Rgb edge, double edge_width) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, edge);
  cairo_set_line_width(cr, edge_width);
  cairo_stroke_preserve(cr);
  Stroke(cr, c, width);
}

namespace {
void SelectFont(cairo_t* cr, const TextStyle& s) {
  cairo_select_font_face(cr, s.family, CAIRO_FONT_SLANT_NORMAL,
                         s.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, s.size);
}
}  // namespace

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_save(cr);
  SelectFont(cr, style);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_restore(cr);
  return e.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& s) {
  cairo_save(cr);
  SelectFont(cr, s);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (s.shadow > 0) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + s.shadow, y + s.shadow);
    cairo_text_path(cr, text.c_str());
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_set_line_width(cr, s.outline_width * 2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
  if (s.outline_width > 0) {
    SetColor(cr, s.outline);
    cairo_set_line_width(cr, s.outline_width * 2);
    cairo_stroke_preserve(cr);
  }
  FillVertical(cr, y - s.size * 0.75, y + s.size * 0.05, s.top, s.bottom);
  cairo_new_path(cr);
  cairo_restore(cr);
}

void DrawTextCentered(cairo_t* cr, const std::string& text, double cx, double y,
                      const TextStyle& style) {
  DrawText(cr, text, cx - TextWidth(cr, text, style) / 2, y, style);
}

}  // namespace pictures
