#include "dialogs/name_window.h"

frmHighScore::frmHighScore() : Form("High Score!", 2910, 1575) {
  Add(txtName);
  Add(cmdOK);
  Add(lblEnterName);
  cmdOK.Click = [this] {
    sName = txtName.Text();
    Unload();
  };
}

void frmHighScore::Load() {
  BeginLoad();
  txtName.SetText("");
}

frmHighScore& HighScoreForm() {
  static frmHighScore frm;
  return frm;
}
