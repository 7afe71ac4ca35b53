#include "dialogs/settings_window.h"

#include <algorithm>
#include <string>

#include "base/key_names.h"

namespace {

// "Jump: Up, Space (pad A)"
std::string KeysLine(PlayAction action, const ActionKeys& keys) {
  std::string line = std::string(ActionName(action)) + ":";
  bool first = true;
  for (const int key : keys.Keys) {
    if (key == 0) continue;
    line += first ? " " : ", ";
    line += KeyName(key);
    first = false;
  }
  if (first) line += " (no key)";
  if (const std::string_view pad = PadButtonName(keys.PadButton); !pad.empty())
    line += " (pad " + std::string(pad) + ")";
  return line;
}

}  // namespace

frmSettings::frmSettings() : Form(" Settings", 4695, 5295) {
  for (Control* control :
       {static_cast<Control*>(&lblMusic), static_cast<Control*>(&cmdMusicDown),
        static_cast<Control*>(&cmdMusicUp), static_cast<Control*>(&lblEffects),
        static_cast<Control*>(&cmdEffectsDown), static_cast<Control*>(&cmdEffectsUp),
        static_cast<Control*>(&chkSafeTime), static_cast<Control*>(&chkShowPaused),
        static_cast<Control*>(&chkAskBeforeEsc), static_cast<Control*>(&cmdSpeed),
        static_cast<Control*>(&lblKeys), static_cast<Control*>(&lstKeys),
        static_cast<Control*>(&cmdDefaultKeys), static_cast<Control*>(&cmdOK),
        static_cast<Control*>(&cmdCancel)})
    Add(*control);
  cmdMusicDown.Click = [this] { StepVolume(Settings.nMusicVolume, -10); };
  cmdMusicUp.Click = [this] { StepVolume(Settings.nMusicVolume, 10); };
  cmdEffectsDown.Click = [this] { StepVolume(Settings.nEffectsVolume, -10); };
  cmdEffectsUp.Click = [this] { StepVolume(Settings.nEffectsVolume, 10); };
  chkSafeTime.Click = [this] { Settings.bSafeTimeAfterHit = chkSafeTime.Value; };
  chkShowPaused.Click = [this] { Settings.bShowPaused = chkShowPaused.Value; };
  chkAskBeforeEsc.Click = [this] { Settings.bAskBeforeEsc = chkAskBeforeEsc.Value; };
  cmdSpeed.Click = [this] {
    // 100, 90, 80, 70 and round again.
    const auto at = std::find(GAME_SPEEDS.begin(), GAME_SPEEDS.end(), Settings.nGameSpeed);
    Settings.nGameSpeed = at == GAME_SPEEDS.end() || at + 1 == GAME_SPEEDS.end() ? GAME_SPEEDS[0]
                                                                               : *(at + 1);
    ShowSettings();
  };
  cmdDefaultKeys.Click = [this] {
    Settings.Controls = DefaultControls();
    ShowSettings();
  };
  cmdOK.Default = true;
  cmdCancel.Cancel = true;
  cmdOK.Click = [this] {
    bOK = true;
    Unload();
  };
  cmdCancel.Click = [this] { Unload(); };
}

void frmSettings::Load() {
  BeginLoad();
  bOK = false;
  ShowSettings();
}

void frmSettings::ShowSettings() {
  lblMusic.Caption = "Music volume: " + std::to_string(Settings.nMusicVolume) + " %";
  lblEffects.Caption = "Effects volume: " + std::to_string(Settings.nEffectsVolume) + " %";
  chkSafeTime.Value = Settings.bSafeTimeAfterHit;
  chkShowPaused.Value = Settings.bShowPaused;
  chkAskBeforeEsc.Value = Settings.bAskBeforeEsc;
  cmdSpeed.Caption = "Game speed: " + std::to_string(Settings.nGameSpeed) + " %";
  const int selected = lstKeys.ListIndex;
  lstKeys.Items.clear();
  for (int a = 0; a < PLAY_ACTIONS; ++a)
    lstKeys.Items.push_back(
        {KeysLine(static_cast<PlayAction>(a), Settings.Controls[a]), static_cast<int32_t>(a)});
  lstKeys.ListIndex = std::min(selected, PLAY_ACTIONS - 1);
}

void frmSettings::StepVolume(int& nVolume, int nStep) {
  nVolume = std::clamp(nVolume + nStep, 0, 100);
  ShowSettings();
  if (VolumeChanged) VolumeChanged(Settings);
}

frmSettings& SettingsForm() {
  static frmSettings frm;
  return frm;
}
