#pragma once
// The picture families of the game. Each Draw... function writes its files into `out`; the
// shape functions below are shared between the sprites and the big full-screen pictures.
#include <cairo.h>

#include <filesystem>

namespace pictures {

void DrawScreens(const std::filesystem::path& out);    // loading, title, get ready, game over
void DrawBackdrops(const std::filesystem::path& out);  // backdrop tiles and stage previews
void DrawPlatforms(const std::filesystem::path& out);  // platform tiles
void DrawCharacter(const std::filesystem::path& out);  // the hero
void DrawItems(const std::filesystem::path& out);      // power-ups and the gem
void DrawBombs(const std::filesystem::path& out);      // bombs, balls, bomb exit
void DrawMachine(const std::filesystem::path& out);    // the machine, its sparks, fireworks

// Pibo facing right in a 40 x 36 box at the origin of the current transformation.
// `frame` is the sheet's frame number: 0..7 running (2 standing), 8 jumping, 9 landing,
// 10 blinking, 11..16 turning to the player and waving.
void HeroShape(cairo_t* cr, int frame);

// A bomb 40 x 40 at the origin, turned by `angle` radians clockwise as it rolls.
enum class BombLook { kNormal, kHot, kHit };
void BombShape(cairo_t* cr, double angle, BombLook look);

// The gem, 40 x 35 at the origin, at animation position `phase` (0..1).
void GemShape(cairo_t* cr, double phase);

// The machine, 360 x 280 at the origin.
void MachineShape(cairo_t* cr);

// One platform tile row (code 0..16) 150 x 20 at the origin: left end, middle, right end.
void PlatformRowShape(cairo_t* cr, int code);

// The same shapes drawn big in the full pictures: placed with the top left of their box at
// (x, y) and drawn `scale` times the sprite size.
void HeroAt(cairo_t* cr, double x, double y, double scale, int frame, bool facing_left = false);
void BombAt(cairo_t* cr, double x, double y, double scale, double angle, BombLook look);
void GemAt(cairo_t* cr, double x, double y, double scale, double phase);
// A run of `cells` platform cells of kind `code`: left end, middles, right end.
void PlatformsAt(cairo_t* cr, double x, double y, int code, int cells, double scale);

}  // namespace pictures
