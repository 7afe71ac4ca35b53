// Power-ups and the gem. Each is a strip of sixteen 40 x 35 frames (640 x 35) that loops: the
// item bobs gently and moves in a way of its own (a spring that bounces, a heart that beats,
// clock hands that turn, a gem that spins). The first frame is also what bursts into pieces
// when the item is taken, and the heads-up display shows the icons in a 40 x 35 yellow frame
// with a small number over their lower left corner.
#include <cmath>
#include <functional>
#include <string>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

const Rgb kInk = Hex(0x18101C);

double Wave(double t, double cycles = 1, double phase = 0) {
  return std::sin(2 * kPi * (t * cycles + phase));
}

// The items are glossy: a strong light where the shading starts, ink outlines.
const Finish kGloss{0.5, 0.5, -0.45, kInk};

// --- the power-ups ------------------------------------------------------------------------

void HighJump(cairo_t* cr, double t) {
  // A coiled spring under a green pad, springing up and down, with an arrow above.
  const double stretch = 0.5 + 0.5 * Wave(t);  // 0 squashed .. 1 stretched
  const double base = 31.0, pad_y = 20 - 4 * stretch;
  cairo_new_path(cr);
  RoundedRect(cr, 8, base - 2.5, 24, 4.5, 1.5);
  ShadedFill(cr, kGloss, Hex(0x8890A0), 8, base - 2.5, 8, base + 2, 1.2);
  cairo_new_path(cr);
  const int coils = 3;
  for (int i = 0; i <= coils * 2; ++i) {
    const double y = base - 2.5 - (base - 2.5 - pad_y - 4) * i / (coils * 2.0);
    cairo_line_to(cr, i % 2 ? 29 : 11, y);
  }
  OutlinedLine(cr, Hex(0xE4E8F0), 2.0, kInk, 3.8);
  cairo_new_path(cr);
  RoundedRect(cr, 5, pad_y - 1, 30, 5.5, 2);
  ShadedFill(cr, kGloss, Hex(0x30D040), 5, pad_y - 1, 5, pad_y + 4.5, 1.2);
  // Arrow rising above the pad.
  const double ay = pad_y - 1.5 - 1.5 * stretch;
  cairo_new_path(cr);
  cairo_move_to(cr, 20, ay - 10.5);
  cairo_line_to(cr, 29, ay - 4.5);
  cairo_line_to(cr, 24, ay - 4.5);
  cairo_line_to(cr, 24, ay);
  cairo_line_to(cr, 16, ay);
  cairo_line_to(cr, 16, ay - 4.5);
  cairo_line_to(cr, 11, ay - 4.5);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0xFFD020), 11, ay - 10.5, 29, ay, 1.2);
}

void ExtraSpeed(cairo_t* cr, double t) {
  // A winged sneaker dashing forward, speed lines streaming behind it.
  const double flap = Wave(t, 2);
  cairo_translate(cr, 20, 20);
  cairo_scale(cr, 1.06, 1.06);
  cairo_translate(cr, -19.3, -19);
  for (int i = 0; i < 3; ++i) {
    const double phase = std::fmod(t * 2 + i / 3.0, 1.0);
    const double x = 5 + 5 * phase;
    cairo_new_path(cr);
    cairo_move_to(cr, x, 16 + i * 4);
    cairo_line_to(cr, x + 5 + 3 * (1 - phase), 16 + i * 4);
    OutlinedLine(cr, Hex(0xFFD040), 1.2, kInk, 2.6);
  }
  // Wing at the heel, flapping.
  cairo_save(cr);
  cairo_translate(cr, 17.5, 17);
  cairo_rotate(cr, -0.35 - 0.3 * flap);
  cairo_scale(cr, 0.85, 0.85);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, -3, -8, -9, -12, -14, -11);
  cairo_line_to(cr, -10, -8);
  cairo_line_to(cr, -13, -7);
  cairo_line_to(cr, -9, -4);
  cairo_line_to(cr, -11, -2);
  cairo_curve_to(cr, -6, 0, -3, 1, 0, 0);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0xF0F4FF), -14, -11, 0, 0, 1.0);
  cairo_restore(cr);
  // The sneaker.
  cairo_new_path(cr);
  cairo_move_to(cr, 14, 16);
  cairo_line_to(cr, 22, 15);
  cairo_curve_to(cr, 24, 19, 30, 20, 34, 21.5);
  cairo_curve_to(cr, 36, 22.5, 36, 26, 34, 26);
  cairo_line_to(cr, 14, 26);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0xFF4030), 14, 15, 30, 27, 1.2);
  cairo_new_path(cr);
  cairo_rectangle(cr, 14, 24, 21.5, 2.5);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.0);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, 23 + i * 2.5, 17.5 + i * 0.9);
    cairo_line_to(cr, 25 + i * 2.5, 16.5 + i * 0.9);
    Stroke(cr, Hex(0xFFFFFF), 1.0);
  }
  // Lightning flash on the side.
  cairo_new_path(cr);
  cairo_move_to(cr, 19, 18);
  cairo_line_to(cr, 23, 18);
  cairo_line_to(cr, 21, 20.5);
  cairo_line_to(cr, 24, 20.5);
  cairo_line_to(cr, 18.5, 24.5);
  cairo_line_to(cr, 20, 21.5);
  cairo_line_to(cr, 17.5, 21.5);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xFFE040));
  cairo_fill(cr);
}

void Invulnerable(cairo_t* cr, double t) {
  // A golden shield with a star; a shine sweeps across it.
  auto shield = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 20, 4);
    cairo_curve_to(cr, 24, 6.5, 28, 7, 32, 7);
    cairo_curve_to(cr, 32, 19, 28, 27, 20, 32);
    cairo_curve_to(cr, 12, 27, 8, 19, 8, 7);
    cairo_curve_to(cr, 12, 7, 16, 6.5, 20, 4);
    cairo_close_path(cr);
  };
  shield();
  ShadedFill(cr, kGloss, Hex(0xF0B820), 8, 4, 30, 32, 1.4);
  cairo_new_path(cr);
  cairo_move_to(cr, 20, 7.5);
  cairo_curve_to(cr, 23, 9.2, 26, 9.8, 29, 10);
  cairo_curve_to(cr, 28.6, 19, 25.5, 25, 20, 28.5);
  cairo_curve_to(cr, 14.5, 25, 11.4, 19, 11, 10);
  cairo_curve_to(cr, 14, 9.8, 17, 9.2, 20, 7.5);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0x2878E8), 11, 8, 29, 28, 0.9);
  cairo_new_path(cr);
  StarPath(cr, 20, 17.5, 6.5, 2.8, 5, 0.12 * Wave(t));
  ShadedFill(cr, kGloss, Hex(0xFFF070), 14, 11, 26, 24, 0.9);
  // Sweeping shine, clipped to the shield.
  cairo_save(cr);
  shield();
  cairo_clip(cr);
  const double sx = -10 + 60 * t;
  cairo_new_path(cr);
  cairo_move_to(cr, sx, 34);
  cairo_line_to(cr, sx + 10, 0);
  cairo_line_to(cr, sx + 15, 0);
  cairo_line_to(cr, sx + 5, 34);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_fill(cr);
  cairo_restore(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double s) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx, cy + 10 * s);
  cairo_curve_to(cr, cx - 4 * s, cy + 6 * s, cx - 11 * s, cy + 1 * s, cx - 11 * s, cy - 4.5 * s);
  cairo_curve_to(cr, cx - 11 * s, cy - 9 * s, cx - 7.5 * s, cy - 11 * s, cx - 5.5 * s, cy - 11 * s);
  cairo_curve_to(cr, cx - 2.5 * s, cy - 11 * s, cx - 0.5 * s, cy - 9 * s, cx, cy - 6.5 * s);
  cairo_curve_to(cr, cx + 0.5 * s, cy - 9 * s, cx + 2.5 * s, cy - 11 * s, cx + 5.5 * s,
                 cy - 11 * s);
  cairo_curve_to(cr, cx + 7.5 * s, cy - 11 * s, cx + 11 * s, cy - 9 * s, cx + 11 * s, cy - 4.5 * s);
  cairo_curve_to(cr, cx + 11 * s, cy + 1 * s, cx + 4 * s, cy + 6 * s, cx, cy + 10 * s);
  cairo_close_path(cr);
}

void ExtraHealth(cairo_t* cr, double t) {
  // A red heart beating twice per loop, a white cross on it.
  const double beat = std::pow(std::max(0.0, Wave(t, 2)), 3.0);
  const double s = 1.05 + 0.16 * beat + 0.02 * Wave(t, 1, 0.25);
  HeartPath(cr, 20, 18.5, s);
  SetRadial(cr, 15, 11, 1, 20, 18, 14 * s,
            {{0, {1.0, 0.65, 0.65}}, {0.4, {0.95, 0.12, 0.18}}, {1, {0.45, 0.0, 0.05}}});
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.3);
  cairo_new_path(cr);
  const double a = 2.0 * s, b = 6.0 * s;
  cairo_rectangle(cr, 20 - a, 17 - b, 2 * a, 2 * b);
  cairo_rectangle(cr, 20 - b, 17 - a, 2 * b, 2 * a);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
  Shine(cr, 13.5, 11, 2.6 * s, 1.8 * s, 0.9);
}

// The five ball-blaster power-ups are steel-rimmed glass badges, each of its own shape and
// colour, hinting at what its balls do: a round one for the single ball, a fan for the
// spread, a double arrow for the two-way balls and a starburst for the exploding ones; the
// bouncing kind is a rubber ball bouncing on a bar. The windows show the balls at work.
//
// `outline` makes the badge's path; the window is the same shape shrunk by `inset` about
// (cx, cy), and `inside` draws in it.
void BlasterBadge(cairo_t* cr, const std::function<void()>& outline, double cx, double cy,
                  double inset, Rgb glass, const std::function<void()>& inside) {
  outline();
  ShadedFill(cr, kGloss, Hex(0xB8C0CC), 6, 3, 34, 32, 1.3);
  auto window = [&] {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, inset, inset);
    cairo_translate(cr, -cx, -cy);
    outline();
    cairo_restore(cr);
  };
  window();
  SetRadial(cr, cx, cy - 4, 2, cx, cy, 15, {{0, Shade(glass, 0.35)}, {1, Shade(glass, -0.5)}});
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.0);
  cairo_save(cr);
  window();
  cairo_clip(cr);
  inside();
  cairo_restore(cr);
}

// A blaster ball with a streak behind it (dx, dy = direction of flight).
void TrailBall(cairo_t* cr, double x, double y, double dx, double dy, Rgb c, double r = 3.2) {
  const double len = std::hypot(dx, dy);
  dx /= len;
  dy /= len;
  cairo_new_path(cr);
  cairo_move_to(cr, x + dy * r * 0.8, y - dx * r * 0.8);
  cairo_line_to(cr, x - dx * 9, y - dy * 9);
  cairo_line_to(cr, x - dy * r * 0.8, y + dx * r * 0.8);
  cairo_close_path(cr);
  SetLinear(cr, x, y, x - dx * 9, y - dy * 9, {{0, {1, 1, 0.8}, 0.95}, {1, {1, 1, 0.8}, 0.0}});
  cairo_fill(cr);
  ShadedBall(cr, x, y, r, c, kInk, 0.9);
  Shine(cr, x - r * 0.35, y - r * 0.4, r * 0.35, r * 0.3, 1.0);
}

const Rgb kBall = Hex(0xA0FF40);

void Shoot(cairo_t* cr, double t) {
  auto disc = [&] {
    cairo_new_path(cr);
    cairo_arc(cr, 20, 17.5, 14.4, 0, 2 * kPi);
  };
  BlasterBadge(cr, disc, 20, 17.5, 0.79, Hex(0x30B040),
               [&] { TrailBall(cr, 10 + 20 * t, 17.5, 1, 0, kBall, 4.4); });
  for (int i = 0; i < 4; ++i) {
    const double a = kPi / 4 + i * kPi / 2;
    Disc(cr, 20 + 12.9 * std::cos(a), 17.5 + 12.9 * std::sin(a), 0.9, Hex(0x505864));
  }
  cairo_new_path(cr);
  cairo_arc(cr, 20, 17.5, 9.8, kPi * 1.1, kPi * 1.6);
  Stroke(cr, Hex(0xFFFFFF), 1.4, 0.6);
}

void ShootSpread(cairo_t* cr, double t) {
  // A fan opening to the right from its hinge at (5, 17.5).
  const double spread = 0.48, reach = 31;
  auto fan = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 5 - 2 * std::cos(spread), 17.5);
    cairo_arc(cr, 5, 17.5, reach, -spread, spread);
    cairo_close_path(cr);
  };
  BlasterBadge(cr, fan, 19, 17.5, 0.74, Hex(0xE08020), [&] {
    const double d = 4 + 24 * t;
    for (int i = -1; i <= 1; ++i) {
      const double a = i * 0.36;
      TrailBall(cr, 8 + d * std::cos(a), 17.5 + d * std::sin(a), std::cos(a), std::sin(a), kBall,
                2.9);
    }
  });
  Disc(cr, 5.5, 17.5, 2.2, Hex(0x505864));
  Disc(cr, 5, 17, 0.9, Hex(0xE8ECF0));
}

void ShootBounce(cairo_t* cr, double t) {
  // A rubber ball bouncing on a bar twice per loop, squashing as it lands, its shadow on the
  // bar shrinking as it rises.
  const double hop = std::fmod(t * 2, 1.0);
  const double height = 4 * hop * (1 - hop);  // 0 on the bar, 1 at the top of the hop
  const double squash = std::max(0.0, 1 - height * 5);
  const double r = 8, floor = 27.5;
  const double sx = 1 + 0.2 * squash, sy = 1 - 0.22 * squash;
  const double cy = floor - r * sy - 8 * height;
  cairo_new_path(cr);
  RoundedRect(cr, 5, floor, 30, 4, 2);
  ShadedFill(cr, kGloss, Hex(0x8890A0), 5, floor, 5, floor + 4, 1.2);
  cairo_new_path(cr);
  Ellipse(cr, 20, floor + 1.2, 9 - 4 * height, 1.3);
  SetColor(cr, Hex(0x303640));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 20, cy);
  cairo_scale(cr, sx, sy);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
  cairo_restore(cr);
  SetRadial(cr, 17, cy - 4, 1, 20, cy, r * 1.2,
            {{0, Hex(0xC8FAFF)}, {0.45, Hex(0x20B0D0)}, {1, Hex(0x0A4A68)}});
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 1.3);
  // The rubber's seam, turning as the ball rolls through the hop.
  cairo_save(cr);
  cairo_translate(cr, 20, cy);
  cairo_scale(cr, sx, sy);
  cairo_rotate(cr, 2 * kPi * t);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, r - 2.4, -0.9, 0.9);
  cairo_restore(cr);
  StrokeRound(cr, Hex(0xFFFFFF), 1.6, 0.85);
  Shine(cr, 16.5, cy - 4, 2.6, 1.8, 0.9);
}

void ShootBidi(cairo_t* cr, double t) {
  // A double arrow, pointing both ways along the floor.
  auto arrow = [&] {
    cairo_new_path(cr);
    const double pts[10][2] = {{2, 17.5},  {12, 6.5},  {12, 11}, {28, 11}, {28, 6.5},
                               {38, 17.5}, {28, 28.5}, {28, 24}, {12, 24}, {12, 28.5}};
    for (const auto& p : pts) cairo_line_to(cr, p[0], p[1]);
    cairo_close_path(cr);
  };
  BlasterBadge(cr, arrow, 20, 17.5, 0.72, Hex(0x9040D0), [&] {
    const double d = 2 + 13 * t;
    TrailBall(cr, 20 + d, 17.5, 1, 0, kBall, 3.0);
    TrailBall(cr, 20 - d, 17.5, -1, 0, kBall, 3.0);
  });
}

void ShootExplode(cairo_t* cr, double t) {
  // A starburst turning one point further per loop, with a cluster bursting in its window.
  const double turn = t * 2 * kPi / 10;
  auto burst = [&] {
    cairo_new_path(cr);
    StarPath(cr, 20, 17.5, 15.2, 10.2, 10, turn - kPi / 2);
  };
  BlasterBadge(cr, burst, 20, 17.5, 0.68, Hex(0xD02828), [&] {
    for (int i = 0; i < 8; ++i) {
      const double a = i * kPi / 4 + 0.3;
      const double d = 2 + 9 * t;
      cairo_new_path(cr);
      cairo_move_to(cr, 20 + (d - 4) * std::cos(a), 17.5 + (d - 4) * std::sin(a));
      cairo_line_to(cr, 20 + d * std::cos(a), 17.5 + d * std::sin(a));
      Stroke(cr, Hex(0xFFE060), 1.4, 0.9);
      ShadedBall(cr, 20 + d * std::cos(a), 17.5 + d * std::sin(a), 2.1, kBall, kInk, 0.7);
    }
    ShadedBall(cr, 20, 17.5, 3.6 * (1 - t) + 1.2, Hex(0xFFF080), kInk, 0.8);
  });
}

void MysteryBox(cairo_t* cr, double t) {
  // A golden crate that wobbles, its question mark cycling through colours.
  cairo_save(cr);
  cairo_translate(cr, 20, 30);
  cairo_rotate(cr, 0.12 * Wave(t));
  cairo_translate(cr, -20, -30);
  cairo_new_path(cr);
  RoundedRect(cr, 7, 5, 26, 25, 3);
  ShadedFill(cr, kGloss, Hex(0xF0B020), 7, 5, 33, 30, 1.4);
  cairo_new_path(cr);
  RoundedRect(cr, 10, 8, 20, 19, 2);
  StrokeRound(cr, Hex(0x7A4A08), 0.9);
  for (double x : {9.5, 30.5})
    for (double y : {7.0, 28.0}) {
      Disc(cr, x, y, 1.0, Hex(0x7A4A08));
    }
  const Rgb colours[4] = {Hex(0xFFFFFF), Hex(0xFF5050), Hex(0x50FF80), Hex(0x60C0FF)};
  const double ct = t * 4;
  const int ci = static_cast<int>(ct) % 4;
  const Rgb q = Mix(colours[ci], colours[(ci + 1) % 4], ct - std::floor(ct));
  const TextStyle style{
      .size = 22, .top = Shade(q, 0.4), .bottom = q, .outline = kInk, .outline_width = 1.6};
  DrawTextCentered(cr, "?", 20, 25.5, style);
  cairo_restore(cr);
}

void FreezeBombs(cairo_t* cr, double t) {
  // An icy alarm clock; its hands race round once per loop.
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    cairo_arc(cr, 20 + s * 8.5, 6.5, 4, 0, 2 * kPi);
    ShadedFill(cr, kGloss, Hex(0xA0D8F8), 20 + s * 8.5 - 4, 2.5, 20 + s * 8.5 + 4, 10.5, 1.1);
  }
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    cairo_move_to(cr, 20 + s * 8, 27);
    cairo_line_to(cr, 20 + s * 11, 32);
    StrokeRound(cr, kInk, 2.2);
  }
  cairo_new_path(cr);
  cairo_arc(cr, 20, 18.5, 12, 0, 2 * kPi);
  ShadedFill(cr, kGloss, Hex(0x50A8E8), 8, 6, 32, 31, 1.4);
  cairo_new_path(cr);
  cairo_arc(cr, 20, 18.5, 9.3, 0, 2 * kPi);
  SetColor(cr, Hex(0xF0FAFF));
  cairo_fill_preserve(cr);
  StrokeRound(cr, kInk, 0.9);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    const double r0 = i % 3 == 0 ? 6.6 : 7.6;
    cairo_new_path(cr);
    cairo_move_to(cr, 20 + r0 * std::sin(a), 18.5 - r0 * std::cos(a));
    cairo_line_to(cr, 20 + 8.6 * std::sin(a), 18.5 - 8.6 * std::cos(a));
    Stroke(cr, Hex(0x305070), i % 3 == 0 ? 1.2 : 0.7);
  }
  const double minute = 2 * kPi * t, hour = 2 * kPi * (t / 12 + 0.3);
  auto clock_hand = [&](double angle, double length, Rgb c, double width) {
    cairo_new_path(cr);
    cairo_move_to(cr, 20, 18.5);
    cairo_line_to(cr, 20 + length * std::sin(angle), 18.5 - length * std::cos(angle));
    StrokeRound(cr, c, width);
  };
  clock_hand(hour, 4.5, kInk, 1.8);
  clock_hand(minute, 7.2, Hex(0xD02020), 1.2);
  Disc(cr, 20, 18.5, 1.3, kInk);
  // Frost on the rim.
  for (int i = 0; i < 3; ++i) {
    const double a = -2.4 + i * 0.5;
    Twinkle(cr, 20 + 12 * std::cos(a), 18.5 + 12 * std::sin(a), 2.4, Hex(0xFFFFFF));
  }
}

void Magnet(cairo_t* cr, double t) {
  // A red horseshoe magnet swinging, its pull shown by arcs that run out of its poles.
  cairo_save(cr);
  cairo_translate(cr, 20, 14);
  cairo_scale(cr, 0.86, 0.86);
  cairo_rotate(cr, 0.25 * Wave(t));
  cairo_translate(cr, -20, -12);
  cairo_new_path(cr);
  cairo_arc(cr, 20, 12, 10, kPi, 2 * kPi);
  cairo_line_to(cr, 30, 26);
  cairo_line_to(cr, 24, 26);
  cairo_line_to(cr, 24, 12);
  cairo_arc_negative(cr, 20, 12, 4, 0, kPi);
  cairo_line_to(cr, 16, 26);
  cairo_line_to(cr, 10, 26);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0xE02828), 10, 2, 30, 26, 1.3);
  for (int s = 0; s < 2; ++s) {
    cairo_new_path(cr);
    cairo_rectangle(cr, s ? 24 : 10, 26, 6, 5);
    ShadedFill(cr, kGloss, Hex(0xD8DCE4), s ? 24 : 10, 26, s ? 30 : 16, 31, 1.1);
  }
  Shine(cr, 13, 9, 1.4, 3.0, 0.7);
  // Pull arcs below the poles.
  for (int i = 0; i < 2; ++i) {
    const double k = std::fmod(t * 2 + i * 0.5, 1.0);
    cairo_new_path(cr);
    cairo_arc(cr, 20, 29, 2 + 3 * k, 0.15 * kPi, 0.85 * kPi);
    Stroke(cr, Hex(0xFFF080), 1.3, 1 - k * 0.6);
  }
  cairo_restore(cr);
}

void Skull(cairo_t* cr, double t) {
  // A grinning skull whose eyes glow and whose jaw chatters.
  const double jaw = 1.5 + 1.5 * std::abs(Wave(t, 2));
  // Crossbones behind.
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    cairo_move_to(cr, 20 - 12 * s, 28.5);
    cairo_line_to(cr, 20 + 12 * s, 9);
    OutlinedLine(cr, Hex(0xE8E0C8), 2.4, kInk, 4.6);
    for (int e = -1; e <= 1; e += 2) {
      const double ex = 20 + 12 * s * e, ey = e < 0 ? 28.5 : 9;
      for (int k = -1; k <= 1; k += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, ex + k * 1.4, ey + k * 1.4 * s * e, 1.9, 0, 2 * kPi);
        SetColor(cr, Hex(0xF0E8D4));
        cairo_fill_preserve(cr);
        StrokeRound(cr, kInk, 0.8);
      }
    }
  }
  // Jaw.
  cairo_new_path(cr);
  RoundedRect(cr, 14, 19 + jaw, 12, 7, 3);
  ShadedFill(cr, kGloss, Hex(0xF0E8D4), 14, 19, 26, 28, 1.1);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_move_to(cr, 17 + i * 3, 20 + jaw);
    cairo_line_to(cr, 17 + i * 3, 22.5 + jaw);
    StrokeRound(cr, kInk, 0.8);
  }
  // Cranium.
  cairo_new_path(cr);
  cairo_arc(cr, 20, 14, 10, kPi * 0.8, kPi * 2.2);
  cairo_line_to(cr, 26, 22);
  cairo_line_to(cr, 14, 22);
  cairo_close_path(cr);
  ShadedFill(cr, kGloss, Hex(0xF6F0E0), 10, 4, 30, 24, 1.3);
  // Glowing eyes.
  const double glow = 0.5 + 0.5 * Wave(t, 2, 0.25);
  const Rgb eye = Mix(Hex(0x801010), Hex(0xFF4020), glow);
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    Ellipse(cr, 20 + s * 4.3, 14.5, 3.0, 3.4);
    SetColor(cr, kInk);
    cairo_fill(cr);
    Disc(cr, 20 + s * 4.3, 15, 1.0 + 0.6 * glow, eye);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 20, 18);
  cairo_line_to(cr, 21.3, 20.5);
  cairo_line_to(cr, 18.7, 20.5);
  cairo_close_path(cr);
  SetColor(cr, kInk);
  cairo_fill(cr);
  Shine(cr, 15, 8.5, 3, 1.6, 0.8);
}

using ItemFn = void (*)(cairo_t*, double);

void DrawStrip(const std::filesystem::path& file, ItemFn item, double bob = 1.0) {
  Canvas c(640, 35);
  cairo_t* cr = c.cr();
  for (int f = 0; f < 16; ++f) {
    const double t = f / 16.0;
    cairo_save(cr);
    cairo_rectangle(cr, 40 * f, 0, 40, 35);
    cairo_clip(cr);
    cairo_translate(cr, 40 * f, bob * Wave(t, 1, 0.5));
    item(cr, t);
    cairo_restore(cr);
  }
  c.SaveSprite(file);
}

}  // namespace

void GemShape(cairo_t* cr, double t) {
  // A brilliant-cut diamond turning about its upright axis: the outline stays, the facet
  // edges slide round. Table at y 9, girdle at y 15, point at y 31.
  const double top = 7, girdle = 14, tip = 31, half = 14, table = 8;
  auto stone = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 20 - table, top);
    cairo_line_to(cr, 20 + table, top);
    cairo_line_to(cr, 20 + half, girdle);
    cairo_line_to(cr, 20, tip);
    cairo_line_to(cr, 20 - half, girdle);
    cairo_close_path(cr);
  };
  stone();
  SetLinear(cr, 8, top, 32, tip, {{0, Hex(0xB8F4FF)}, {0.5, Hex(0x30C8F0)}, {1, Hex(0x0A5AA8)}});
  cairo_fill(cr);
  // Facets: six edges spaced round the stone; their x follows the turn.
  cairo_save(cr);
  stone();
  cairo_clip(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = 2 * kPi * (i / 6.0 + t / 3.0);  // six-fold stone: a third turn repeats
    const double s = std::sin(a), c = std::cos(a);
    if (c < -0.05) continue;  // edge on the far side
    const double xg = 20 + half * s, xt = 20 + table * s;
    // Facet shading between this edge and the next.
    const double a2 = a + 2 * kPi / 6;
    const double xg2 = 20 + half * std::sin(a2), xt2 = 20 + table * std::sin(a2);
    const double lum = 0.5 + 0.5 * std::cos(a + kPi / 6 - 0.6);
    cairo_new_path(cr);
    cairo_move_to(cr, xt, top);
    cairo_line_to(cr, xt2, top);
    cairo_line_to(cr, xg2, girdle);
    cairo_line_to(cr, xg, girdle);
    cairo_close_path(cr);
    SetColor(cr, Mix(Hex(0x1890D8), Hex(0xE8FFFF), lum), 0.85);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, xg, girdle);
    cairo_line_to(cr, xg2, girdle);
    cairo_line_to(cr, 20, tip);
    cairo_close_path(cr);
    SetColor(cr, Mix(Hex(0x0A4A98), Hex(0x80E8FF), lum), 0.8);
    cairo_fill(cr);
    // The edge itself.
    cairo_new_path(cr);
    cairo_move_to(cr, xt, top);
    cairo_line_to(cr, xg, girdle);
    cairo_line_to(cr, 20, tip);
    Stroke(cr, Hex(0xE8FCFF), 0.7, 0.8);
  }
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 20 - half, girdle);
  cairo_line_to(cr, 20 + half, girdle);
  Stroke(cr, Hex(0xFFFFFF), 0.8, 0.8);
  stone();
  StrokeRound(cr, Hex(0x06305A), 1.3);
  // Sparkles: one on the table that flares twice per loop, one orbiting.
  const double flare = std::max(0.0, Wave(t, 2));
  Twinkle(cr, 15 + 10 * t, 11, 1.5 + 3.5 * flare, Hex(0xFFFFFF));
}

void GemAt(cairo_t* cr, double x, double y, double scale, double phase) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  GemShape(cr, phase);
  cairo_restore(cr);
}

void DrawItems(const std::filesystem::path& out) {
  DrawStrip(out / "HighJump.bmp", HighJump, 0.5);
  DrawStrip(out / "ExtraSpeed.bmp", ExtraSpeed);
  DrawStrip(out / "Invulnerable.bmp", Invulnerable);
  DrawStrip(out / "ExtraHealth.bmp", ExtraHealth);
  DrawStrip(out / "Shoot.bmp", Shoot);
  DrawStrip(out / "ShootSpread.bmp", ShootSpread);
  DrawStrip(out / "ShootBounce.bmp", ShootBounce);
  DrawStrip(out / "ShootBidi.bmp", ShootBidi);
  DrawStrip(out / "ShootExplode.bmp", ShootExplode);
  DrawStrip(out / "MysteryBox.bmp", MysteryBox);
  DrawStrip(out / "FreezeBombs.bmp", FreezeBombs);
  DrawStrip(out / "Magnet.bmp", Magnet);
  DrawStrip(out / "Skull.bmp", Skull);
  DrawStrip(out / "GemNormal.bmp", GemShape);
}

}  // namespace pictures
