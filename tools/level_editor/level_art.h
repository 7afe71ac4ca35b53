#pragma once
// The game's own drawing, set up for the editor: the graphics engine on the editor's window, the
// game's pictures and fonts loaded from the program's folder as the game loads them, and its play
// view, which draws a level whole for editing and frames of play for a play-test.
#include <string>
#include <vector>

#include "data/level_set.h"
#include "engines/host_window.h"
#include "game/game.h"
#include "play/play_state.h"

namespace level_editor {

class LevelArt {
 public:
  // Starts the graphics engine on the screen of `host` and loads the pictures and fonts from the
  // current directory (the program's folder). False, the reason in the error log, when a picture
  // is missing or damaged.
  bool Load(HostWindow& host);
  bool IsLoaded() const { return loaded_; }

  Surface* Picture(PictureId nPicture) const { return game_.Picture(nPicture); }

  // Level nLevel of `levels` as the game draws it when the level starts (the stage's backdrop,
  // the platforms with their end pieces, the power-ups and gems at their first frame, the bomb
  // exits), without the hero, the bombs, the machine and the heads-up display; 1600 x 600 pixels
  // into `picture`. Nothing of `levels` changes.
  bool DrawLevel(const LevelSet& levels, int nLevel, SurfacePtr& picture);

  // The level last drawn, as play starts it: its platforms, and the hero where it starts.
  const PlayState& LevelPlay() const { return still_; }

  // Before the first frame of a play-test: the play view starts afresh.
  void BeginPlay();
  // One frame of play as the game shows it; the picture is then Screen().
  bool DrawPlay(const PlayState& play, const std::vector<std::string>& names);
  const Surface& Screen() const { return *game_.GE.PrimarySurface(); }

 private:
  Game game_;
  LevelSet scratch_;
  PlayState still_;
  bool loaded_ = false;
};

}  // namespace level_editor
