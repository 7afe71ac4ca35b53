#include "dialogs/password_window.h"

#include <algorithm>

// The client area ends a margin below the buttons.
frmPassword::frmPassword() : Form("Enter Stage Password", 2820, 2535) {
  Add(Label1);
  Add(txtPassword);
  Add(cmdStartGame);
  Add(cmdCancel);
  cmdStartGame.Click = [this] {
    sPassword = txtPassword.Text();
    Unload();
  };
  cmdCancel.Click = [this] {
    sPassword.clear();
    Unload();
  };
  // A player presses Esc to cancel: it must never start the game confirmed last time, as the
  // close box does.
  cmdCancel.Cancel = true;
}

void frmPassword::Load() {
  BeginLoad();
  txtPassword.SetText("");
}

// The passwords are six capital letters of the plain alphabet, so only a to z need raising: no
// other character of an entry can ever match one.
bool PasswordMatches(std::string_view sEntry, std::string_view sPassword) {
  return std::equal(sEntry.begin(), sEntry.end(), sPassword.begin(), sPassword.end(),
                    [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; });
}

frmPassword& PasswordForm() {
  static frmPassword frm;
  return frm;
}
