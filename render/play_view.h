#pragma once
// PlayView: a frame of play on the screen. The backdrop of the level is composed once into
// SurfLevel; the backdrop scrolls at half the speed of the play field. While the view stands
// still, a frame repaints only what the sprites covered last time and the cells that changed, draws
// the sprites again in layers with the platforms they touch, draws the heads-up display again only
// where it changed or was drawn over, and sends only those places to the screen; a sprite that
// shows the same picture at the same place as last frame, with nothing else near it, is left
// standing as it is. When the view moves, the window is drawn whole.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/rect.h"
#include "play/play_state.h"
#include "render/canvas.h"
#include "render/dirty_tiles.h"

class DevInfo;

constexpr int DIRTY_RECT_CAPACITY = 5000;
// The heads-up display's blocks: its three lines of text (the health, the score, the level), and
// the five power-up icons.
constexpr size_t HUD_BLOCKS = 8;

// What the level editor shows of itself while it paints: its own scroll position and the cursor
// on the cell last painted, labelled with the drawing code.
struct EditCursor {
  bool Active = false;
  int32_t ScrollX = 0;
  int32_t Col = 0, Row = 0;
  int32_t Byte = 0;
};

class PlayView {
 public:
  explicit PlayView(Canvas& canvas) : art_(canvas) {}

  // A new game: the list of places to repaint, empty.
  void NewGame();
  // A new level: its backdrop is made again when it is first drawn.
  void NewLevel();

  // The frame of `play`, named from `names`. With a meter (develop mode) the frame rate is shown,
  // and with an active editor its cursor, the view following the editor's scroll position.
  bool DrawGameFrame(const PlayState& play, const std::vector<std::string>& names, DevInfo* meter,
                     const EditCursor& editor);

  // Whether frames show the heads-up display: the level editor's picture of a level goes without.
  bool ShowHud = true;

  // The places the sprites of the last frame covered, to be repainted from the backdrop.
  std::vector<Rect> DirtyRects;
  int16_t DirtyCount = 0;
  int16_t ViewX = 0;
  int16_t BackdropX = 0;
  // The level's backdrop (the stage's tile, repeated), made the first time a level is drawn.
  SurfacePtr SurfLevel;

  // A place drawn this frame, to be repainted next frame; past the list's capacity the next
  // frame is drawn whole.
  void AddDirtyRect(const Rect& rect) {
    if (DirtyCount < DIRTY_RECT_CAPACITY && static_cast<size_t>(DirtyCount) < DirtyRects.size())
      DirtyRects[DirtyCount++] = rect;
    else
      Overflowed = true;
  }

  // Over the frozen frame of a pause: the picture dimmed and "Paused" on it (the show-paused
  // assist). The next frame is drawn whole again.
  void DrawPaused();

 private:
  // The layers of a frame's sprites, drawn in this order between the platforms and the effects'
  // pieces.
  enum class Layer : uint8_t { BehindPlatforms, InFrontOfPlatforms, OverEffects };
  // A sprite of a frame: which picture is drawn where, cut to the screen, in which layer.
  struct SpriteDraw {
    Surface* Sheet = nullptr;  // nullptr: the place is only repainted
    Rect Source{}, Dest{};
    Layer In = Layer::BehindPlatforms;
    bool Standing = false;  // as the last frame left it on the back buffer: not drawn again
    bool operator==(const SpriteDraw& other) const {
      return Sheet == other.Sheet && Source == other.Source && Dest == other.Dest && In == other.In;
    }
  };
  // Lists a sprite at a play-field position for this frame, in the layer `Listing`.
  void ListSprite(Surface* sheet, Rect source, Rect dest);
  void ListSprite(PictureId sheet, Rect source, Rect dest) {
    ListSprite(art_.Picture(sheet), source, dest);
  }
  // `source` and `dest` cut to the part the screen shows; false when that is nothing.
  bool CutToScreen(Rect& source, Rect& dest) const;
  // A piece of a sheet onto the back buffer, with the colour key, the display lifted first.
  void DrawPiece(Surface* sheet, Rect source, Rect dest);
  // This frame's sprites, listed in drawing order.
  void ListSprites(const PlayState& play);
  // Draws the listed sprites of one layer, except those left standing, and lists their places.
  void DrawLayer(Layer layer);
  void KeepStandingSprites(const PlayState& play);
  bool IsStanding(const Rect& place) const {
    return std::find(StandingPlaces.begin(), StandingPlaces.end(), place) != StandingPlaces.end();
  }
  bool BuildLevelBackdrop(int16_t nStage);
  void Repaint(const Rect& place);
  void RepaintWindows(int32_t nOldBackdropX);
  void RepaintChanges(const PlayState& play, bool bMayKeep);
  void RememberShown(const PlayState& play);
  void UpdateView(const PlayState& play, const EditCursor& editor);
  void ListCharacter(const PlayState& play);
  void ListMovers(const PlayState& play);
  void DrawPlatforms(const PlayState& play, const std::vector<Rect>* places);
  void ListPickups(const PlayState& play);
  void DrawEffects(const PlayState& play);
  void ListBombExits(const PlayState& play);
  void DrawHud(const PlayState& play, const std::string& sLevelName);
  // Before anything is drawn at `place` in a frame: a heads-up display standing there since an
  // earlier frame is taken off (the pixels beneath it put back), to be drawn again on top.
  void LiftHud(const Rect& place);
  // Whether a block of the display may still stand at `place` this frame (cheap enough to ask
  // for every piece of an explosion).
  bool HudMayStandAt(const Rect& place) const {
    return HudLiftable && IntersectRect(place, HudStanding);
  }
  void LiftHudBlock(size_t nBlock);
  // The heads-up display's blocks still standing this frame: HudStanding goes around them.
  void StandHud();
  // The heads-up display taken off for good (a frame without it).
  void DropHud();
  bool DrawDevelopOverlay(DevInfo& meter, const EditCursor& editor);

  Canvas& art_;
  // What the back buffer holds since the last frame: the level `ShownLevel` with the view at
  // `ShownViewX` (-1: the bare backdrop) and the cells `ShownCells`.
  int32_t ShownViewX = -1;
  int16_t ShownLevel = 0;
  std::array<uint8_t, LEVEL_SLOT_SIZE> ShownCells{};
  bool Overflowed = false;    // a place was not listed: the next frame is drawn whole
  std::vector<Rect> Changes;  // this frame: where the back buffer's window changed
  // The sprites of this frame and of the last, in drawing order; the places of this frame's
  // standing ones.
  std::vector<SpriteDraw> Sprites, ShownSprites;
  std::vector<Rect> StandingPlaces;
  Layer Listing = Layer::BehindPlatforms;  // the layer of the sprites being listed
  DirtyTiles EffectTiles;                  // this frame: where the effects' pieces are
  // The heads-up display stays on the back buffer from frame to frame, block by block (each line
  // of text on the left, each power-up icon on the right), while nothing is drawn over a block and
  // it shows the same. HudLiftable: this frame has not drawn the display yet.
  struct HudBlock {
    Rect Place{};                 // where it stands (empty: not there)
    std::vector<uint16_t> Under;  // the back buffer's pixels beneath it
    std::string Shown;            // what it shows
    bool Lifted = true;           // not on the back buffer: to be drawn this frame
  };
  std::array<HudBlock, HUD_BLOCKS> HudBlocks;
  Rect HudStanding{};
  bool HudLiftable = false;
};
