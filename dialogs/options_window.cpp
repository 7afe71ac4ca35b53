#include "dialogs/options_window.h"

#include "base/numbers.h"

frmOptions::frmOptions() : Form(" Options", 2895, 2055) {
  Add({&chkEasyGame, &chkSoundEffects, &chkMusic, &chkHighDetailGraphics, &cmdOK, &cmdCancel});
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { Unload(); };
}

void frmOptions::Load() {
  BeginLoad();
  for (CheckBox* box : {&chkEasyGame, &chkSoundEffects, &chkMusic, &chkHighDetailGraphics}) {
    box->Value = false;
    box->Enabled = true;
  }
}

// Each time the window becomes active the boxes show the variables.
void frmOptions::OnActivate() {
  chkEasyGame.Value = nEasyGame == 1;
  if (bExtraMode) chkEasyGame.Enabled = false;
  if (bGameRunning) chkEasyGame.Enabled = false;
  chkSoundEffects.Value = bSoundEffects != VB_FALSE;
  chkMusic.Value = bMusic != VB_FALSE;
  chkHighDetailGraphics.Value = nHighDetailGraphics == 1;
}

// A disabled box still holds what activation gave it, so its option stays as it was.
void frmOptions::cmdOK_Click() {
  nEasyGame = chkEasyGame.Value ? 1 : 0;
  bSoundEffects = chkSoundEffects.Value ? VB_TRUE : VB_FALSE;
  bMusic = chkMusic.Value ? VB_TRUE : VB_FALSE;
  nHighDetailGraphics = chkHighDetailGraphics.Value ? 1 : 0;
  Unload();
}

frmOptions& OptionsForm() {
  static frmOptions frm;
  return frm;
}
