// The machine of the last stage, its sparks and the finale's fireworks.
//
// Machine.bmp is 360 x 280: a flying armoured furnace with a scowling face. Its body fills the
// part that balls can hit (x 20..340, y 0..228); three chutes hang below it and open at the
// hatch points (54, 270), (176, 274) and (302, 270), where the bombs drop out. When it is
// destroyed the whole picture breaks into 20 x 20 pieces.
// MachineHit.bmp is the 8 x 8 spark a ball strikes from it; Fireworks.bmp holds five 20 x 20
// bursts of colour side by side, which the finale breaks into flying sparks.
#include <cmath>

#include "tools/asset_gen/pictures/canvas.h"
#include "tools/asset_gen/pictures/families.h"

namespace pictures {
namespace {

const Rgb kInk = Hex(0x0C0A10);
const Rgb kSteel = Hex(0x5A6070);
const Rgb kDark = Hex(0x2E323C);

// Brushed armour plate, outlined in ink. (The machine is drawn with round caps and joins.)
const Finish kArmour{0.45, 0.45, -0.5, kInk};

void Rivet(cairo_t* cr, double x, double y, double r = 2.2) {
  Stud(cr, x, y, r, Hex(0x22252C), r * 0.65, r * 0.25, Hex(0xB8C0CC));
}

void HazardBand(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  cairo_clip_preserve(cr);
  SetColor(cr, Hex(0xF0C020));
  cairo_fill(cr);
  const double h = y1 - y0;
  for (double x = x0 - h; x < x1 + h; x += 2 * h) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, y1);
    cairo_line_to(cr, x + h, y0);
    cairo_line_to(cr, x + 2 * h, y0);
    cairo_line_to(cr, x + h, y1);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x1A1A1A));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  StrokeRound(cr, kInk, 1.5);
}

// A chute under the body, opening at (hx, hy).
void Chute(cairo_t* cr, double hx, double hy) {
  const double top = 200;
  cairo_new_path(cr);
  cairo_move_to(cr, hx - 26, top);
  cairo_line_to(cr, hx + 26, top);
  cairo_line_to(cr, hx + 21, hy - 6);
  cairo_line_to(cr, hx - 21, hy - 6);
  cairo_close_path(cr);
  ShadedFill(cr, kArmour, kSteel, hx - 26, 0, hx + 26, 0, 2);
  HazardBand(cr, hx - 22.5, hy - 20, hx + 22.5, hy - 12);
  // Mouth with the dark shaft inside.
  cairo_new_path(cr);
  Ellipse(cr, hx, hy - 5, 23, 6.5);
  ShadedFill(cr, kArmour, Hex(0x8A909C), hx - 23, hy - 11, hx + 23, hy + 1, 2);
  cairo_new_path(cr);
  Ellipse(cr, hx, hy - 4.5, 18, 4.2);
  SetColor(cr, Hex(0x120C08));
  cairo_fill(cr);
  cairo_new_path(cr);
  Ellipse(cr, hx, hy - 3.4, 12, 2.2);
  SetColor(cr, Hex(0xFF6A10), 0.8);
  cairo_fill(cr);
  for (int s = -1; s <= 1; s += 2) Rivet(cr, hx + s * 18, top + 10, 2.0);
}

// One eye: an armoured socket, a glowing red lens and an angry brow plate.
void Eye(cairo_t* cr, double x, double y, int side) {
  cairo_new_path(cr);
  cairo_arc(cr, x, y, 30, 0, 2 * kPi);
  ShadedFill(cr, kArmour, Hex(0x767C8A), x - 30, y - 30, x + 30, y + 30, 2.5);
  Disc(cr, x, y, 22, Hex(0x140608));
  cairo_new_path(cr);
  cairo_arc(cr, x, y + 2, 18, 0, 2 * kPi);
  SetRadial(cr, x, y + 2, 2, x, y + 2, 18,
            {{0, {1.0, 1.0, 0.7}},
             {0.25, {1.0, 0.55, 0.1}},
             {0.7, {0.85, 0.05, 0.05}},
             {1, {0.35, 0.0, 0.02}}});
  cairo_fill(cr);
  Shine(cr, x - 7, y - 6, 5, 3.5, 0.8);
  // Brow plate slanting down towards the middle of the face.
  cairo_new_path(cr);
  cairo_move_to(cr, x - 36 * side, y - 36);
  cairo_line_to(cr, x + 34 * side, y - 14);
  cairo_line_to(cr, x + 34 * side, y - 4);
  cairo_line_to(cr, x - 36 * side, y - 24);
  cairo_close_path(cr);
  ShadedFill(cr, kArmour, Hex(0x4A4E58), x - 30, y - 36, x + 30, y - 4, 2);
  Rivet(cr, x - 28 * side, y - 28);
  Rivet(cr, x + 26 * side, y - 12);
}

}  // namespace

void MachineShape(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Smoke stacks and antennas on top.
  for (int i = 0; i < 3; ++i) {
    const double x = 110 + i * 70, w = i == 1 ? 26 : 20, top = i == 1 ? 4 : 12;
    cairo_new_path(cr);
    cairo_rectangle(cr, x - w / 2, top, w, 60);
    ShadedFill(cr, kArmour, Hex(0x6A5048), x - w / 2, 0, x + w / 2, 0, 2);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - w / 2 - 3, top, w + 6, 7);
    ShadedFill(cr, kArmour, Hex(0x8A6A5A), x - w / 2 - 3, 0, x + w / 2 + 3, 0, 2);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - w / 2 + 2, top + 1.5, w - 4, 4);
    SetColor(cr, Hex(0x100808));
    cairo_fill(cr);
    HazardBand(cr, x - w / 2, top + 30, x + w / 2, top + 37);
  }
  for (int s = -1; s <= 1; s += 2) {
    const double x = 180 + s * 125;
    cairo_new_path(cr);
    cairo_move_to(cr, x, 60);
    cairo_line_to(cr, x + s * 8, 14);
    OutlinedLine(cr, Hex(0xA0A8B4), 2.0, kInk, 4.5);
    cairo_new_path(cr);
    cairo_arc(cr, x + s * 8, 12, 5, 0, 2 * kPi);
    SetRadial(cr, x + s * 8 - 1.5, 10.5, 0.5, x + s * 8, 12, 5,
              {{0, {1, 1, 0.8}}, {0.5, {1, 0.2, 0.1}}, {1, {0.5, 0, 0}}});
    cairo_fill_preserve(cr);
    StrokeRound(cr, kInk, 1.5);
  }
  // Side thrusters, reaching a little beyond the body.
  for (int s = -1; s <= 1; s += 2) {
    const double x = 180 + s * 160;
    cairo_new_path(cr);
    RoundedRect(cr, x - 20, 88, 40, 80, 16);
    ShadedFill(cr, kArmour, Hex(0x70505A), x - 20, 88, x + 20, 168, 2);
    for (int i = 0; i < 4; ++i) {
      cairo_new_path(cr);
      cairo_move_to(cr, x - 16, 102 + i * 16);
      cairo_line_to(cr, x + 16, 102 + i * 16);
      StrokeRound(cr, Hex(0x2A1C20), 2.5);
    }
    cairo_new_path(cr);
    Ellipse(cr, x, 170, 14, 6);
    SetColor(cr, Hex(0x201010));
    cairo_fill(cr);
    // Exhaust flame.
    cairo_new_path(cr);
    cairo_move_to(cr, x - 11, 171);
    cairo_curve_to(cr, x - 8, 185, x - 3, 192, x, 200);
    cairo_curve_to(cr, x + 3, 192, x + 8, 185, x + 11, 171);
    cairo_close_path(cr);
    SetLinear(cr, 0, 171, 0, 200, {{0, {1, 1, 0.8}}, {0.4, {1, 0.7, 0.1}}, {1, {0.9, 0.2, 0.0}}});
    cairo_fill(cr);
  }
  // Chutes under the body.
  Chute(cr, 54, 270);
  Chute(cr, 176, 274);
  Chute(cr, 302, 270);
  // Body: a broad armoured hull, wider at the shoulders.
  auto hull = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 60, 52);
    cairo_line_to(cr, 300, 52);
    cairo_curve_to(cr, 325, 52, 338, 70, 340, 95);
    cairo_line_to(cr, 338, 196);
    cairo_curve_to(cr, 336, 214, 326, 226, 306, 226);
    cairo_line_to(cr, 54, 226);
    cairo_curve_to(cr, 34, 226, 24, 214, 22, 196);
    cairo_line_to(cr, 20, 95);
    cairo_curve_to(cr, 22, 70, 35, 52, 60, 52);
    cairo_close_path(cr);
  };
  hull();
  ShadedFill(cr, kArmour, kSteel, 20, 52, 200, 260, 3);
  // Plates and rivets.
  cairo_save(cr);
  hull();
  cairo_clip(cr);
  for (double x : {100.0, 180.0, 260.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, 52);
    cairo_line_to(cr, x, 226);
    StrokeRound(cr, Hex(0x30343C), 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 1.5, 52);
    cairo_line_to(cr, x + 1.5, 226);
    StrokeRound(cr, Hex(0x8A909C), 1.0);
  }
  for (double y : {62.0, 216.0})
    for (double x = 34; x < 330; x += 18) Rivet(cr, x, y);
  HazardBand(cr, 10, 190, 350, 204);
  cairo_restore(cr);
  // Face.
  Eye(cr, 118, 112, 1);
  Eye(cr, 242, 112, -1);
  // Furnace mouth with teeth.
  cairo_new_path(cr);
  RoundedRect(cr, 118, 142, 124, 40, 8);
  ShadedFill(cr, kArmour, kDark, 118, 142, 242, 182, 2.5);
  cairo_new_path(cr);
  RoundedRect(cr, 126, 148, 108, 28, 5);
  SetLinear(cr, 0, 148, 0, 176,
            {{0, {1.0, 0.9, 0.3}}, {0.5, {1.0, 0.45, 0.05}}, {1, {0.6, 0.05, 0.0}}});
  cairo_fill(cr);
  for (int i = 0; i < 7; ++i) {
    const double x = 130 + i * 16;
    for (int row = 0; row < 2; ++row) {
      cairo_new_path(cr);
      if (row == 0) {
        cairo_move_to(cr, x - 6, 148);
        cairo_line_to(cr, x + 6, 148);
        cairo_line_to(cr, x, 158);
      } else {
        cairo_move_to(cr, x + 2, 176);
        cairo_line_to(cr, x + 14, 176);
        cairo_line_to(cr, x + 8, 166);
      }
      cairo_close_path(cr);
      ShadedFill(cr, kArmour, Hex(0xC8CCD4), x - 6, 148, x + 6, 176, 1.2);
    }
  }
  // Nose vent between the eyes.
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    RoundedRect(cr, 168, 100 + i * 10, 24, 5, 2);
    SetColor(cr, Hex(0x181A20));
    cairo_fill(cr);
  }
  // Warning lights along the shoulders.
  for (int i = 0; i < 5; ++i) {
    const double x = 100 + i * 40;
    cairo_new_path(cr);
    cairo_arc(cr, x, 70, 5, 0, 2 * kPi);
    SetColor(cr, i % 2 ? Hex(0x40FF60) : Hex(0xFFD020));
    cairo_fill_preserve(cr);
    StrokeRound(cr, kInk, 1.5);
    Shine(cr, x - 1.5, 68.5, 2, 1.5, 0.9);
  }
  cairo_restore(cr);
}

void DrawMachine(const std::filesystem::path& out) {
  {
    Canvas c(360, 280);
    MachineShape(c.cr());
    c.SaveSprite(out / "Machine.bmp");
  }
  {
    // Spark struck from the armour: a white-hot star with an orange glow.
    Canvas c(8, 8);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    cairo_arc(cr, 4, 4, 3.6, 0, 2 * kPi);
    SetRadial(cr, 4, 4, 0, 4, 4, 3.8, {{0, {1, 1, 1}}, {0.35, {1, 1, 0.5}}, {1, {1, 0.45, 0.05}}});
    cairo_fill(cr);
    cairo_new_path(cr);
    StarPath(cr, 4, 4, 4.2, 1.2, 4, kPi / 4);
    SetColor(cr, Hex(0xFFF0A0));
    cairo_fill(cr);
    c.SaveSprite(out / "MachineHit.bmp");
  }
  {
    // Five bursts: red, green, gold, violet and ice blue. The finale cuts a burst into small
    // squares that fly apart as sparks, so every pixel of it is bright: a solid disc with a
    // white-hot heart, rays of pale light and glitter over full colour right out to its rim.
    Canvas c(100, 20);
    cairo_t* cr = c.cr();
    const Rgb colours[5] = {Hex(0xFF3040), Hex(0x40FF60), Hex(0xFFD030), Hex(0xD050FF),
                            Hex(0x60E0FF)};
    Rng rng(2901);
    for (int m = 0; m < 5; ++m) {
      const double cx = 20 * m + 10, cy = 10;
      const Rgb col = colours[m];
      cairo_save(cr);
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, 9, 0, 2 * kPi);
      cairo_clip(cr);
      SetRadial(cr, cx, cy, 0, cx, cy, 9,
                {{0, Hex(0xFFFFFF)},
                 {0.22, Mix(col, Hex(0xFFFFFF), 0.7)},
                 {0.55, Shade(col, 0.15)},
                 {1, col}});
      cairo_paint(cr);
      for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6 + m * 0.25;
        cairo_new_path(cr);
        cairo_move_to(cr, cx + 2 * std::cos(a), cy + 2 * std::sin(a));
        cairo_line_to(cr, cx + 9 * std::cos(a), cy + 9 * std::sin(a));
        StrokeRound(cr, Mix(col, Hex(0xFFFFFF), 0.6), 1.2);
      }
      for (int i = 0; i < 14; ++i) {
        const double x = 20 * m + std::floor(rng.Range(3, 17));
        const double y = std::floor(rng.Range(3, 17));
        cairo_new_path(cr);
        cairo_rectangle(cr, x, y, 1, 1);
        SetColor(cr, Hex(0xFFFFF0));
        cairo_fill(cr);
      }
      cairo_restore(cr);
    }
    c.SaveSprite(out / "Fireworks.bmp");
  }
}

}  // namespace pictures
