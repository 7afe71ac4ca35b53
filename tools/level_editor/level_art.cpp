#include "tools/level_editor/level_art.h"

#include <algorithm>

#include "base/failure.h"
#include "data/cell_codes.h"
#include "tools/simulator/simulator.h"

namespace level_editor {

bool LevelArt::Load(HostWindow& host) {
  Game& g = game_;
  if (!g.GE.Initialize(800, 600, 16, 31, host, 1200, 600)) return false;
  // The editor shows the pictures itself: the game's screen is only a picture to copy from.
  g.GE.PrimarySurface()->SetChangeHook(nullptr);
  if (!g.LoadGraphics()) return false;
  g.Fonts.Medium = Font("Comic Sans MS", 12);
  g.Fonts.Large = Font("Comic Sans MS", 16);
  g.Fonts.Small = Font("Comic Sans MS", 8);
  loaded_ = true;
  return true;
}

bool LevelArt::DrawLevel(const LevelSet& levels, int nLevel, SurfacePtr& picture) {
  if (!loaded_) return false;
  Game& g = game_;
  if (!picture && !g.GE.CreateSurface(picture, 1600, 600, 0)) return false;
  // The level is started on a copy: a level without a gem is given one there, which the editor
  // must not show as the designer's.
  scratch_ = levels;
  still_ = PlayState();
  still_.Levels = &scratch_;
  still_.Randomize(1);
  if (!StartLevel(still_, nLevel, 0)) return false;
  scratch_ = levels;
  const auto slot = levels.Slot(nLevel);
  if (std::find(slot.begin(), slot.end(), GEM_NORMAL) == slot.end()) still_.GemCount = 0;
  for (int i = 0; i < still_.PowerUpCount; ++i) still_.PowerUps[i].Frame = 0;
  for (int i = 0; i < still_.GemCount; ++i) still_.Gems[i].Frame = 0;
  still_.BombCount = 0;
  still_.MachineHealth = 0;
  still_.ExitCountdown = 1;  // no hero

  PlayView& view = g.View;
  view.NewGame();
  view.NewLevel();
  view.ShowHud = false;
  bool drawn = true;
  for (int half = 0; half < 2 && drawn; ++half) {
    EditCursor place;
    place.Active = true;  // only to place the view; no cursor is drawn without the meter
    place.ScrollX = 800 * half;
    drawn = view.DrawGameFrame(still_, g.LevelNames, nullptr, place);
    Rect dest{800 * half, 0, 800 * half + 800, 600};
    Rect source{0, 0, 800, 600};
    drawn = drawn && g.GE.Blit(picture.get(), dest, g.GE.PrimarySurface().get(), source, 0, 0,
                               BLIT_WAIT);
  }
  view.ShowHud = true;
  return drawn;
}

void LevelArt::BeginPlay() {
  game_.View.NewGame();
  game_.View.NewLevel();
}

bool LevelArt::DrawPlay(const PlayState& play, const std::vector<std::string>& names) {
  return loaded_ && game_.View.DrawGameFrame(play, names, nullptr, EditCursor{});
}

}  // namespace level_editor
