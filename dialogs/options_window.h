#pragma once
// frmOptions, " Options": the four options as check boxes. OK takes the boxes, Cancel and the
// close box keep what was there. The window's variables carry the options in and out and keep
// their values from one opening to the next.
#include <cstdint>

#include "forms/form.h"

class frmOptions : public Form {
 public:
  frmOptions();
  // Makes the controls anew; the variables keep their values.
  void Load();

  // Public variables, with the types of the option fields.
  uint8_t nEasyGame = 0;
  int16_t bSoundEffects = 0;
  int16_t bMusic = 0;
  uint8_t nHighDetailGraphics = 0;

  // What activation looks at: the difficulty cannot change in the EXTRA set or during a game.
  bool bExtraMode = false;
  bool bGameRunning = false;

  CheckBox chkEasyGame{"chkEasyGame", {240, 240, 2295, 255}, 5, "Easy Game"};
  CheckBox chkSoundEffects{"chkSoundEffects", {240, 480, 2295, 255}, 0, "Sound Effects"};
  CheckBox chkMusic{"chkMusic", {240, 720, 2295, 255}, 1, "Play CD Music"};
  CheckBox chkHighDetailGraphics{
      "chkHighDetailGraphics", {240, 960, 2295, 255}, 4, "High Detail Graphics"};
  CommandButton cmdOK{"cmdOK", {240, 1440, 1095, 375}, 2, "OK"};
  CommandButton cmdCancel{"cmdCancel", {1560, 1440, 1095, 375}, 3, "Cancel"};

 private:
  void OnActivate() override;
  void cmdOK_Click();
};

// The options window of the run: one object from start to end, like every window of the game,
// so its public variables carry over from one opening to the next.
frmOptions& OptionsForm();
