#pragma once
// The full-screen pictures between the frames of play: the title screen with the keyboard help and
// the high scores, the preview of a new stage, the "Next Level" screen and the game-over picture.
// Each is drawn on the back buffer and shown; the waits that follow belong to the game.
#include <cstdint>
#include <string>

#include "data/high_scores.h"
#include "render/canvas.h"

bool DrawTitleScreen(Canvas& art, const HighScoreTable& scores);

// The title screen as the frame loop shows it, every pass: drawn when it comes up or its high
// scores change, and left alone while the screen still shows it.
class TitleScreen {
 public:
  void Draw(Canvas& art, const HighScoreTable& scores);

 private:
  bool drawn_ = false;
  HighScoreTable scores_{};
  unsigned long shown_ = 0;  // the primary surface's change count once the title was on it
};
// Stage nStage's picture, its name and, past the first stage, its password.
bool DrawStagePreview(Canvas& art, int16_t nStage, const std::string& sStageName,
                      const std::string& sPassword);
bool DrawLevelScreen(Canvas& art, const std::string& sLevelName);
bool DrawGameOver(Canvas& art);
