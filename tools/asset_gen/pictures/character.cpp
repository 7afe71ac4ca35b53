// Pibo, the hero: a small round-headed runner in a red cap, carrying his ball blaster.
//
// Character.bmp is 680 x 72: two rows of seventeen 40 x 36 frames. The bottom row faces right
// and is read from the right (frame f at x = 640 - 40f); the top row faces left and is read
// from the left (frame f at x = 40f), so the top row is the bottom row mirrored. The blaster's
// muzzle sits at the front edge, 18 px down, where the balls come out.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

const Rgb kOutline = Hex(0x1E1420);
const Rgb kSkin = Hex(0xFFD2A6);
const Rgb kCap = Hex(0xE0282C);
const Rgb kShirt = Hex(0xFFC21C);
const Rgb kJeans = Hex(0x3656C8);
const Rgb kShoe = Hex(0xF4F4F4);
const Rgb kSole = Hex(0xD02828);
const Rgb kMetal = Hex(0xA8B0BC);
const Rgb kGlow = Hex(0x60FF70);

// A limb of two segments with a dark outline: hip/shoulder -> knee/elbow -> foot/hand.
// (Every part is drawn after the first limb, so all of Pibo has round caps and joins.)
void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2,
          double width, Rgb colour) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  OutlinedLine(cr, colour, width, kOutline, width + 1.6);
}

// Fills the current path with `c` and outlines it.
void FillOutlined(cairo_t* cr, Rgb c, double width) {
  SetColor(cr, c);
  cairo_fill_preserve(cr);
  Stroke(cr, kOutline, width);
}

void Hand(cairo_t* cr, double x, double y, double r, Rgb skin) {
  cairo_new_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  FillOutlined(cr, skin, 0.8);
}

struct Leg {
  double angle = 0;  // thigh from straight down, positive = forward
  double bend = 0;   // knee bend, shin swings back
};

// A leg from the hip, ending in a sneaker that points forward (+x).
void DrawLeg(cairo_t* cr, double hx, double hy, Leg leg, bool far) {
  const double l1 = 4.2, l2 = 4.2;
  const double kx = hx + l1 * std::sin(leg.angle), ky = hy + l1 * std::cos(leg.angle);
  const double sa = leg.angle - leg.bend;
  const double fx = kx + l2 * std::sin(sa), fy = ky + l2 * std::cos(sa);
  const Rgb jeans = far ? Shade(kJeans, -0.3) : kJeans;
  Limb(cr, hx, hy, kx, ky, fx, fy, 4.2, jeans);
  // Sneaker, tilted with the shin.
  cairo_save(cr);
  cairo_translate(cr, fx, fy + 0.6);
  cairo_rotate(cr, -(sa)*0.5);
  cairo_new_path(cr);
  RoundedRect(cr, -2.4, -1.6, 6.4, 3.2, 1.5);
  FillOutlined(cr, far ? Shade(kShoe, -0.25) : kShoe, 0.9);
  cairo_new_path(cr);
  cairo_rectangle(cr, -2.2, 0.6, 6.0, 0.9);
  SetColor(cr, kSole);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Torso: a yellow shirt with a red stripe.
void DrawTorso(cairo_t* cr, double cx, double top) {
  cairo_new_path(cr);
  RoundedRect(cr, cx - 6.5, top, 13, 10.5, 4);
  FillVertical(cr, top, top + 10.5, Shade(kShirt, 0.25), Shade(kShirt, -0.2));
  Stroke(cr, kOutline, 1.0);
  cairo_new_path(cr);
  cairo_rectangle(cr, cx - 5.8, top + 4.2, 11.6, 1.6);
  SetColor(cr, kSole);
  cairo_fill(cr);
  // Belt.
  cairo_new_path(cr);
  cairo_rectangle(cr, cx - 6.0, top + 8.4, 12.0, 1.6);
  SetColor(cr, Hex(0x4A2A18));
  cairo_fill(cr);
}

enum class Eyes { kOpen, kClosed, kWink, kWide };

// The round face, lit from (cx + light_dx, cy - 2).
void Face(cairo_t* cr, double cx, double cy, double r, double light_dx) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetRadial(cr, cx + light_dx, cy - 2, 1, cx, cy, r + 1,
            {{0, {1.0, 0.9, 0.8}}, {0.6, kSkin}, {1, {0.9, 0.66, 0.5}}});
  cairo_fill_preserve(cr);
  Stroke(cr, kOutline, 1.0);
}

// The dome of the cap over the top of the head, from angle a0 to a1.
void CapDome(cairo_t* cr, double cx, double cy, double r, double a0, double a1) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy - 0.5, r + 0.6, a0, a1);
  cairo_close_path(cr);
  FillVertical(cr, cy - r, cy, Shade(kCap, 0.3), Shade(kCap, -0.15));
  Stroke(cr, kOutline, 1.0);
}

// An open eye with its glint.
void OpenEye(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_new_path(cr);
  Ellipse(cr, x, y, rx, ry);
  SetColor(cr, Hex(0x141018));
  cairo_fill(cr);
  Disc(cr, x + 0.4, y - 0.9, 0.55, Hex(0xFFFFFF));
}

// The head seen from the side (looking right): cap with its peak in front, two eyes towards
// the front in cartoon three-quarter view.
void DrawHeadSide(cairo_t* cr, double cx, double cy, Eyes eyes, bool mouth_open) {
  const double r = 9.0;
  // Hair tuft behind.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 8, cy - 1);
  cairo_line_to(cr, cx - 11.5, cy - 3);
  cairo_line_to(cr, cx - 9, cy + 1.5);
  cairo_line_to(cr, cx - 11, cy + 3);
  cairo_line_to(cr, cx - 7, cy + 4);
  cairo_close_path(cr);
  FillOutlined(cr, Hex(0x7A4418), 0.9);
  Face(cr, cx, cy, r, 2);
  // Ear.
  cairo_new_path(cr);
  Ellipse(cr, cx - 3.2, cy + 1.5, 1.8, 2.3);
  FillOutlined(cr, Hex(0xF0B088), 0.8);
  // Cap: dome over the top half, peak to the front.
  CapDome(cr, cx, cy, r, kPi * 1.02, kPi * 1.98);
  cairo_new_path(cr);
  cairo_move_to(cr, cx + 5, cy - 1.6);
  cairo_curve_to(cr, cx + 9, cy - 2.6, cx + 12.5, cy - 1.8, cx + 13.5, cy - 0.2);
  cairo_line_to(cr, cx + 5, cy + 0.2);
  cairo_close_path(cr);
  FillOutlined(cr, Shade(kCap, -0.2), 0.9);
  // Badge on the cap.
  Disc(cr, cx + 1.5, cy - 5.3, 1.7, Hex(0xFFFFFF));
  // Eyes.
  const double ex[2] = {cx + 2.6, cx + 6.6};
  const double ey = cy + 2.4;
  for (int i = 0; i < 2; ++i) {
    const bool closed = eyes == Eyes::kClosed || (eyes == Eyes::kWink && i == 1);
    if (closed) {
      cairo_new_path(cr);
      cairo_move_to(cr, ex[i] - 1.5, ey);
      cairo_curve_to(cr, ex[i] - 0.5, ey + 1.2, ex[i] + 0.5, ey + 1.2, ex[i] + 1.5, ey);
      Stroke(cr, kOutline, 0.9);
      continue;
    }
    OpenEye(cr, ex[i], ey, 1.3, eyes == Eyes::kWide ? 2.7 : 2.3);
  }
  // Mouth.
  cairo_new_path(cr);
  if (mouth_open) {
    Ellipse(cr, cx + 6.2, cy + 6.3, 1.3, 1.2);
    SetColor(cr, Hex(0x701018));
    cairo_fill(cr);
  } else {
    cairo_move_to(cr, cx + 3.8, cy + 5.8);
    cairo_curve_to(cr, cx + 5, cy + 7.2, cx + 7, cy + 7.0, cx + 8.0, cy + 5.4);
    Stroke(cr, kOutline, 0.9);
  }
}

// The ball blaster, held level, its muzzle at (mx, my).
void DrawBlaster(cairo_t* cr, double mx, double my) {
  // Body.
  cairo_new_path(cr);
  RoundedRect(cr, mx - 12, my - 3.2, 10, 6.0, 2);
  FillVertical(cr, my - 3.2, my + 2.8, Shade(kMetal, 0.4), Shade(kMetal, -0.35));
  Stroke(cr, kOutline, 0.9);
  // Barrel.
  cairo_new_path(cr);
  cairo_rectangle(cr, mx - 3, my - 1.9, 3.0, 3.6);
  FillVertical(cr, my - 2, my + 2, Shade(kMetal, 0.2), Shade(kMetal, -0.5));
  Stroke(cr, kOutline, 0.9);
  // Grip.
  cairo_new_path(cr);
  cairo_rectangle(cr, mx - 10, my + 2.4, 2.6, 3.2);
  SetColor(cr, Hex(0x3A3A44));
  cairo_fill(cr);
  // Power cell.
  cairo_new_path(cr);
  RoundedRect(cr, mx - 9.5, my - 1.8, 4.5, 2.6, 1);
  SetColor(cr, kGlow);
  cairo_fill(cr);
}

struct Pose {
  Leg near, far;
  double bob = 0;    // body moved down by this much
  double arm = 0.3;  // free (far) arm angle from straight down, positive = forward
  Eyes eyes = Eyes::kOpen;
  bool mouth_open = false;
  double head_tilt = 0;  // radians, positive = nodding forward
};

void DrawSide(cairo_t* cr, const Pose& p) {
  const double cx = 18.5;
  const double hip_y = 26.0 + p.bob;
  const double chest = 17.0 + p.bob;
  // Free arm behind the body.
  {
    const double sx = cx - 1, sy = chest + 2.5;
    const double ex = sx + 4.0 * std::sin(p.arm), ey = sy + 4.0 * std::cos(p.arm);
    const double hx = ex + 3.6 * std::sin(p.arm + 0.5), hy = ey + 3.6 * std::cos(p.arm + 0.5);
    Limb(cr, sx, sy, ex, ey, hx, hy, 3.0, Shade(kShirt, -0.3));
    Hand(cr, hx, hy, 1.7, Shade(kSkin, -0.15));
  }
  DrawLeg(cr, cx - 1.0, hip_y, p.far, true);
  DrawTorso(cr, cx, chest);
  DrawLeg(cr, cx + 1.0, hip_y, p.near, false);
  cairo_save(cr);
  cairo_translate(cr, cx, 10.0 + p.bob * 0.7);
  cairo_rotate(cr, p.head_tilt);
  DrawHeadSide(cr, 0, 0, p.eyes, p.mouth_open);
  cairo_restore(cr);
  // Near arm holding the blaster out in front; the muzzle ends at the front edge.
  const double my = 18.0 + p.bob * 0.5;
  Limb(cr, cx + 1, chest + 2.5, cx + 4.5, chest + 6.0, cx + 8.5, my + 1.5, 3.0, kShirt);
  DrawBlaster(cr, 39.5, my);
  Hand(cr, cx + 9.5, my + 1.6, 1.8, kSkin);
}

// Facing the player: used while Pibo stands idle and waves. `wave` < 0 keeps the free hand
// down; otherwise it is the raised hand's swing (-1..1). `glance` shifts the eyes sideways.
void DrawFront(cairo_t* cr, double wave, Eyes eyes, double glance, bool grin) {
  const double cx = 20;
  // Legs and sneakers.
  for (int s = -1; s <= 1; s += 2) {
    Limb(cr, cx + s * 2.6, 26, cx + s * 2.9, 30, cx + s * 3.0, 33.3, 4.0, kJeans);
    cairo_new_path(cr);
    RoundedRect(cr, cx + s * 3.0 - 2.8 + s * 1.2, 32.3, 5.6, 3.2, 1.5);
    FillOutlined(cr, kShoe, 0.9);
  }
  DrawTorso(cr, cx, 17);
  // Right hand (screen left) holds the blaster across the body, muzzle up.
  cairo_save(cr);
  cairo_translate(cr, cx - 6, 24);
  cairo_rotate(cr, -kPi / 2.6);
  DrawBlaster(cr, 8, 0);
  cairo_restore(cr);
  Limb(cr, cx - 6, 19.5, cx - 8, 23, cx - 6, 25.5, 3.0, kShirt);
  Hand(cr, cx - 5.8, 25.6, 1.8, kSkin);
  // Free arm: down at the side, or raised and waving.
  double hx, hy;
  if (wave < 0) {
    Limb(cr, cx + 6, 19.5, cx + 8.2, 23, cx + 8.4, 26.5, 3.0, kShirt);
    hx = cx + 8.4;
    hy = 27;
  } else {
    const double a = -0.35 + 0.45 * wave;  // forearm lean
    const double ex = cx + 10, ey = 18.5;
    hx = ex + 6.5 * std::sin(a + 0.15);
    hy = ey - 6.5 * std::cos(a + 0.15);
    Limb(cr, cx + 6, 19.5, ex, ey, hx, hy, 3.0, kShirt);
  }
  Hand(cr, hx, hy, wave < 0 ? 1.8 : 2.3, kSkin);
  // Head.
  const double hcx = cx, hcy = 10.0, r = 9.0;
  Face(cr, hcx, hcy, r, -1);
  // Cap with its peak towards the player.
  CapDome(cr, hcx, hcy, r, kPi * 1.03, kPi * 1.97);
  cairo_new_path(cr);
  Ellipse(cr, hcx, hcy - 0.6, 10.0, 2.0);
  FillOutlined(cr, Shade(kCap, -0.25), 0.9);
  Disc(cr, hcx, hcy - 5.4, 1.8, Hex(0xFFFFFF));
  // Eyes.
  for (int i = 0; i < 2; ++i) {
    const double ex = hcx + (i == 0 ? -3.3 : 3.3), ey = hcy + 3.0;
    const bool closed = eyes == Eyes::kClosed || (eyes == Eyes::kWink && i == 1);
    if (closed) {
      cairo_new_path(cr);
      cairo_move_to(cr, ex - 1.6, ey + 0.2);
      cairo_curve_to(cr, ex - 0.6, ey - 1.0, ex + 0.6, ey - 1.0, ex + 1.6, ey + 0.2);
      Stroke(cr, kOutline, 0.9);
      continue;
    }
    OpenEye(cr, ex + glance, ey, 1.35, 2.3);
  }
  // Cheeks and mouth.
  for (int s = -1; s <= 1; s += 2) {
    cairo_new_path(cr);
    Ellipse(cr, hcx + s * 6.2, hcy + 4.6, 1.3, 0.8);
    SetColor(cr, Hex(0xFF9090), 0.6);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  if (grin) {
    cairo_move_to(cr, hcx - 2.2, hcy + 5.8);
    cairo_curve_to(cr, hcx - 1.2, hcy + 8.2, hcx + 1.2, hcy + 8.2, hcx + 2.2, hcy + 5.8);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xB83040));
    cairo_fill(cr);
  } else {
    cairo_move_to(cr, hcx - 2.2, hcy + 6.0);
    cairo_curve_to(cr, hcx - 1, hcy + 7.4, hcx + 1, hcy + 7.4, hcx + 2.2, hcy + 6.0);
    Stroke(cr, kOutline, 0.9);
  }
}

Pose RunPose(int f) {
  Pose p;
  if (f == 2) {  // also the standing frame: feet together, arm relaxed
    p.near = {0.12, 0};
    p.far = {-0.15, 0.05};
    p.arm = 0.15;
    return p;
  }
  const double t = 2 * kPi * f / 8.0;
  p.near = {0.75 * std::cos(t), 1.3 * std::max(0.0, -std::sin(t))};
  p.far = {-0.75 * std::cos(t), 1.3 * std::max(0.0, std::sin(t))};
  p.bob = 1.3 * std::abs(std::cos(t)) - 0.4;
  p.arm = 0.9 * std::cos(t);
  p.head_tilt = 0.08;
  return p;
}

}  // namespace

void HeroShape(cairo_t* cr, int frame) {
  cairo_save(cr);
  if (frame <= 7) {
    DrawSide(cr, RunPose(frame));
  } else if (frame == 8) {  // jumping: knee up, arm flung back, mouth open
    DrawSide(cr, {.near = {1.1, 1.9},
                  .far = {-0.35, 0.7},
                  .bob = -1.0,
                  .arm = -2.3,
                  .eyes = Eyes::kWide,
                  .mouth_open = true});
  } else if (frame == 9) {  // landing: legs braced apart
    DrawSide(
        cr, {.near = {0.55, 0.5}, .far = {-0.5, 0.4}, .bob = 1.2, .arm = -1.2, .mouth_open = true});
  } else if (frame == 10) {  // blink while standing
    Pose p = RunPose(2);
    p.eyes = Eyes::kClosed;
    DrawSide(cr, p);
  } else {
    // Turned to the player: hand down, waving, waving, winking, waving, then a last look.
    struct Front {
      double wave;
      Eyes eyes;
      double glance;
      bool grin;
    };
    static constexpr Front kFronts[6] = {
        {-1, Eyes::kOpen, 0, true},    {0.0, Eyes::kOpen, 0.3, true},
        {1.0, Eyes::kOpen, 0.5, true}, {-0.6, Eyes::kWink, 0.3, true},
        {0.9, Eyes::kOpen, 0.5, true}, {-1, Eyes::kOpen, 0.6, false}};
    const Front& f = kFronts[std::min(frame, 16) - 11];
    DrawFront(cr, f.wave, f.eyes, f.glance, f.grin);
  }
  cairo_restore(cr);
}

void HeroAt(cairo_t* cr, double x, double y, double scale, int frame, bool facing_left) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  if (facing_left) {
    cairo_translate(cr, 40 * scale, 0);
    cairo_scale(cr, -scale, scale);
  } else {
    cairo_scale(cr, scale, scale);
  }
  HeroShape(cr, frame);
  cairo_restore(cr);
}

void DrawCharacter(const std::filesystem::path& out) {
  Canvas c(680, 72);
  cairo_t* cr = c.cr();
  // Facing right: bottom row, frame f at 640 - 40f.
  for (int f = 0; f <= 16; ++f) {
    cairo_save(cr);
    cairo_rectangle(cr, 640 - 40 * f, 36, 40, 36);
    cairo_clip(cr);
    cairo_translate(cr, 640 - 40 * f, 36);
    HeroShape(cr, f);
    cairo_restore(cr);
  }
  // Facing left: the top row is the bottom row mirrored pixel for pixel, which puts frame f
  // at 40f.
  cairo_surface_t* s = c.surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < 36; ++y) {
    auto* top = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    const auto* bottom =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y + 36) * stride);
    for (int x = 0; x < 680; ++x) top[x] = bottom[679 - x];
  }
  cairo_surface_mark_dirty(s);
  c.SaveSprite(out / "Character.bmp");
}

}  // namespace pictures
