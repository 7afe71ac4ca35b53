#pragma once
// frmEndGame, " End Game?": asked before Esc ends a game when the player's settings want it (an
// assist; the classic game ends at once). "End Game" ends it; "Keep Playing", Esc and the close
// box go back to the game.
#include "forms/form.h"

class frmEndGame : public Form {
 public:
  frmEndGame();
  // Makes the controls anew, with nothing chosen.
  void Load();

  // Whether "End Game" was pressed.
  bool bEndGame = false;

  Label lblQuestion{"lblQuestion", {240, 240, 2880, 255}, 0,
                    "End this game? Its score is not kept."};
  CommandButton cmdEndGame{"cmdEndGame", {240, 840, 1335, 375}, 1, "End Game"};
  CommandButton cmdKeepPlaying{"cmdKeepPlaying", {1785, 840, 1335, 375}, 2, "Keep Playing"};
};

// The window of the run (one object from start to end, like every window of the game).
frmEndGame& EndGameForm();
