#pragma once
// frmPassword, "Enter Stage Password": the text the player typed goes back through sPassword.
// "Start Game!" hands it over, "Cancel" (and Esc) hands back nothing, the close box leaves what was
// handed over last time.
#include <array>
#include <string>
#include <string_view>

#include "forms/form.h"

class frmPassword : public Form {
 public:
  frmPassword();
  void Load();

  std::string sPassword;  // public variable, Windows-1252

  // Top to bottom, all at the left margin: the text box 105 twips below the label, the buttons
  // 75 below the text box.
  Label Label1{"Label1",
               {240, 240, 2415, 1215},
               2,
               "At the start of each new stage (after every 6 levels), a password is displayed "
               "on the stage preview screen. Use these passwords to start the game at any stage "
               "that you have previously reached."};
  TextBox txtPassword{"txtPassword", {240, 1560, 2295, 285}, 0, 0};
  CommandButton cmdStartGame{"cmdStartGame", {240, 1920, 1335, 375}, 1, "Start Game!"};
  CommandButton cmdCancel{"cmdCancel", {1680, 1920, 855, 375}, 4, "Cancel"};

 private:
  void OnActivate() override { SetFocus(txtPassword); }
};

// Whether an entry opens the stage of a password: the entry in capital letters is exactly the
// password, same length, nothing trimmed.
bool PasswordMatches(std::string_view sEntry, std::string_view sPassword);

// The stage password window of the run: one object from start to end, like every window of the
// game, so its public variables carry over from one opening to the next.
frmPassword& PasswordForm();
