#include "dialogs/end_game_window.h"

frmEndGame::frmEndGame() : Form(" End Game?", 3360, 1455) {
  for (Control* control : {static_cast<Control*>(&lblQuestion), static_cast<Control*>(&cmdEndGame),
                           static_cast<Control*>(&cmdKeepPlaying)})
    Add(*control);
  cmdKeepPlaying.Cancel = true;
  cmdEndGame.Click = [this] {
    bEndGame = true;
    Unload();
  };
  cmdKeepPlaying.Click = [this] { Unload(); };
}

void frmEndGame::Load() {
  BeginLoad();
  bEndGame = false;
}

frmEndGame& EndGameForm() {
  static frmEndGame frm;
  return frm;
}
