#pragma once
// frmHighScore, "High Score!": asks a player whose score entered the table for a name. The text
// box starts empty at every opening; OK hands its text back through sName, which keeps the name
// confirmed last, so the close box returns that one.
#include <string>

#include "forms/form.h"

constexpr size_t NAME_MAX_LENGTH = 20;

class frmHighScore : public Form {
 public:
  frmHighScore();
  void Load();

  std::string sName;  // public variable, Windows-1252

  TextBox txtName{"txtName", {240, 480, 2415, 285}, 0, NAME_MAX_LENGTH};
  CommandButton cmdOK{"cmdOK", {840, 960, 1095, 375}, 1, "OK"};
  Label lblEnterName{"lblEnterName", {240, 240, 2415, 255}, 2, "Enter your name"};

 private:
  void OnActivate() override { SetFocus(txtName); }
};

// The name entry window of the run: one object from start to end, like every window of the game,
// so its public variables carry over from one opening to the next.
frmHighScore& HighScoreForm();
