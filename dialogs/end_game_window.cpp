#include "dialogs/end_game_window.h"

frmEndGame::frmEndGame() : Form(" End Game?", 3360, 1455) {
  Add({&lblQuestion, &cmdEndGame, &cmdKeepPlaying});
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
