#include "dialogs/settings_window.h"

#include <algorithm>
#include <string>

#include "base/key_codes.h"
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

constexpr std::string_view kChooseNote = "Choose an action, then Change Keys.";

}  // namespace

frmSettings::frmSettings() : Form(" Settings", 4695, 6255) {
  Add({&lblMusic, &cmdMusicDown, &cmdMusicUp, &lblEffects, &cmdEffectsDown, &cmdEffectsUp,
       &chkSafeTime, &chkShowPaused, &chkAskBeforeEsc, &cmdSpeed, &lblKeys, &lstKeys, &lblKeysNote,
       &cmdChangeKeys, &cmdDefaultKeys, &cmdOK, &cmdCancel});
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
    Settings.nGameSpeed =
        at == GAME_SPEEDS.end() || at + 1 == GAME_SPEEDS.end() ? GAME_SPEEDS[0] : *(at + 1);
    ShowSettings();
  };
  cmdChangeKeys.Click = [this] { StartBinding(); };
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
  binding_ = Binding::None;
  lblKeysNote.Caption = kChooseNote;
  lstKeys.ListIndex = 0;
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

PlayAction frmSettings::BoundAction() const {
  return static_cast<PlayAction>(std::clamp(lstKeys.ListIndex, 0, PLAY_ACTIONS - 1));
}

void frmSettings::StartBinding() {
  if (lstKeys.ListIndex < 0) lstKeys.ListIndex = 0;
  binding_ = Binding::FirstKey;
  lblKeysNote.Caption = "Press a key or pad button for " + std::string(ActionName(BoundAction())) +
                        ". Esc keeps the keys.";
}

void frmSettings::StopBinding(std::string sNote) {
  binding_ = Binding::None;
  lblKeysNote.Caption = std::move(sNote);
  ShowSettings();
}

// Clicking anything else while a key is awaited gives up waiting; the keys stay as they are now.
void frmSettings::OnClickControl(Control& control) {
  if (binding_ != Binding::None && &control != &cmdChangeKeys)
    StopBinding(std::string(kChooseNote));
}

std::string frmSettings::KeyRefusal(int nKey) const {
  if (nKey == 0) return "The game cannot read that key.";
  const std::string name(KeyName(nKey));
  if (KeyKeptByGame(nKey)) return name + " belongs to the game's window.";
  PlayAction user{};
  if (KeyInUse(Settings, nKey, BoundAction(), &user))
    return name + " is already in use for " + std::string(ActionName(user)) + ".";
  return "";
}

std::string frmSettings::PadButtonRefusal(int nButton) const {
  const std::string name = "Pad " + std::string(PadButtonName(nButton));
  if (PadButtonName(nButton).empty()) return "The game cannot read that button.";
  if (PadButtonKeptByGame(nButton)) return name + " belongs to the game's window.";
  PlayAction user{};
  if (PadButtonInUse(Settings, nButton, BoundAction(), &user))
    return name + " is already in use for " + std::string(ActionName(user)) + ".";
  return "";
}

// The first key replaces the action's keys; a second key joins it, and Esc or the same key again
// leaves it alone. A key that cannot serve is refused, and the window goes on waiting.
void frmSettings::TakeAnyKey(int nKey) {
  const PlayAction action = BoundAction();
  ActionKeys& keys = Settings.Controls[static_cast<int>(action)];
  const std::string name(ActionName(action));
  if (nKey == dik::ESCAPE || (binding_ == Binding::SecondKey && nKey == keys.Keys[0])) {
    StopBinding(std::string(kChooseNote));
    return;
  }
  if (const std::string refusal = KeyRefusal(nKey); !refusal.empty()) {
    lblKeysNote.Caption = refusal + " Press another key for " + name + ".";
    return;
  }
  if (binding_ == Binding::FirstKey) {
    keys.Keys = {nKey, 0};
    binding_ = Binding::SecondKey;
    ShowSettings();
    lblKeysNote.Caption =
        "Press a second key for " + name + ", or Esc for " + std::string(KeyName(nKey)) + " alone.";
    return;
  }
  keys.Keys[1] = nKey;
  StopBinding(std::string(kChooseNote));
}

// A pad button binds at once and ends the waiting; Back gives it up.
void frmSettings::TakeAnyPadButton(int nButton) {
  const PlayAction action = BoundAction();
  if (nButton == PAD_BUTTON_BACK) {
    StopBinding(std::string(kChooseNote));
    return;
  }
  if (const std::string refusal = PadButtonRefusal(nButton); !refusal.empty()) {
    lblKeysNote.Caption =
        refusal + " Press another button for " + std::string(ActionName(action)) + ".";
    return;
  }
  Settings.Controls[static_cast<int>(action)].PadButton = nButton;
  StopBinding(std::string(kChooseNote));
}

frmSettings& SettingsForm() {
  static frmSettings frm;
  return frm;
}
