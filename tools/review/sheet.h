#pragma once
// A review sheet: pictures and screenshots of the game laid out in rows with captions on one
// large canvas, written out as a PNG. Used by the contact sheet and the level sheets.
#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "game/game.h"
#include "headless/headless.h"

namespace review {

// The game on the headless display, in the current folder, silent: what the sheets draw. The
// keys are the test's own, so a held Space passes the screens between levels.
struct HeadlessGame {
  HeadlessGame() { game.IE.SetSource(&keys); }
  ~HeadlessGame() { game.IE.SetSource(nullptr); }
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;
  // Loads every picture and file; false (the reason in Errors.txt) when the game cannot start.
  bool Start() {
    if (!game.Initialize(host, false)) return false;
    game.Options.bSoundEffects = 0;
    game.Options.bMusic = 0;
    return true;
  }
  // A new game that goes on from level nLevelBefore + 1 (nStageBefore: see Game::BeginGame), its
  // stage preview and level screen passed (SPACE held, the manual clock): play is about to begin.
  bool BeginGame(int nLevelBefore, int nStageBefore) {
    keys.Hold({dik::SPACE});
    game.Play.Randomize(7);
    const bool started =
        game.BeginGame(static_cast<int16_t>(nLevelBefore), static_cast<int16_t>(nStageBefore)) &&
        FrameLoop(game).RunWhileWaiting();
    keys.Hold({});
    return started;
  }
  headless::ManualClock clock;
  headless::HeadlessHost host;
  headless::ScriptedKeys keys;
  Game game;
};

constexpr int kMargin = 20;
constexpr int kLabel = 22;  // the height of a caption line
constexpr uint32_t kBackground = 0x202428;

// Blocks are placed left to right, a new row when one does not fit. Laid out on a canvas of
// `width` x `max_height`; `y` ends as the height used.
struct Sheet {
  Sheet(int width, int max_height);
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  // Room for a w x h block (with its caption above it) at the current place.
  SDL_Rect Place(int w, int h);
  void NewRow();
  void Caption(const std::string& text, int at_x, int at_y, uint32_t color = 0xE0E0E0);
  void Heading(const std::string& text);
  // Writes the used part of the canvas; false when the file cannot be written.
  bool WritePng(const std::filesystem::path& file);

  SDL_Surface* canvas = nullptr;
  int width;
  int x = kMargin, y = kMargin, row_height = 0;
};

void Checkerboard(SDL_Surface* canvas, const SDL_Rect& area);
// Lines every step_x and step_y pixels over `area`, its edges included.
void Outline(SDL_Surface* canvas, const SDL_Rect& area, int step_x, int step_y, uint32_t color);
// A 16-bit picture of the game stretched (nearest pixel) to fill `where`, see-through where it
// has the key when `keyed`.
void Paste(Sheet& sheet, SDL_Surface* picture, const SDL_Rect& where, bool keyed);
// A picture shrunk `factor` times both ways, each pixel the average of the block it stands for,
// with its top left at (x, y).
void PasteShrunk(Sheet& sheet, SDL_Surface* picture, int x, int y, int factor);

}  // namespace review
