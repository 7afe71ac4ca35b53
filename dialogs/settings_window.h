#pragma once
// frmSettings, " Settings": the player's settings beyond the options (F4, or Back with the left
// shoulder button held on a pad). The volumes step by 10 % and are heard at once; the assists are boxes and a
// button that steps through the game speeds. The keys of play are listed: "Change Keys" waits for
// up to two keys and a pad button for the chosen action, and refuses one another action has or
// the game's window keeps; "Default Keys" gives the original keys back. OK (and Enter, unless a
// button has the focus) keeps the settings; Cancel, Esc and the close box leave them as they were.
#include <functional>

#include "data/player_settings.h"
#include "forms/form.h"

class frmSettings : public Form {
 public:
  frmSettings();
  // Makes the controls anew from `Settings`.
  void Load();

  // The settings shown, changed as the player works the window; OK sets bOK.
  PlayerSettings Settings;
  bool bOK = false;
  // Called whenever a volume changes, so the player hears it at once.
  std::function<void(const PlayerSettings&)> VolumeChanged;

  Label lblMusic{"lblMusic", {240, 285, 3000, 255}, 0, ""};
  CommandButton cmdMusicDown{"cmdMusicDown", {3360, 240, 495, 330}, 1, "-"};
  CommandButton cmdMusicUp{"cmdMusicUp", {3960, 240, 495, 330}, 2, "+"};
  Label lblEffects{"lblEffects", {240, 705, 3000, 255}, 3, ""};
  CommandButton cmdEffectsDown{"cmdEffectsDown", {3360, 660, 495, 330}, 4, "-"};
  CommandButton cmdEffectsUp{"cmdEffectsUp", {3960, 660, 495, 330}, 5, "+"};
  CheckBox chkSafeTime{"chkSafeTime", {240, 1200, 4215, 255}, 6, "Safe time after a hit"};
  CheckBox chkShowPaused{"chkShowPaused", {240, 1500, 4215, 255}, 7, "Show \"Paused\""};
  CheckBox chkAskBeforeEsc{"chkAskBeforeEsc", {240, 1800, 4215, 255}, 8,
                           "Ask before Esc ends a game"};
  CommandButton cmdSpeed{"cmdSpeed", {240, 2100, 2535, 375}, 9, ""};
  Label lblKeys{"lblKeys", {240, 2640, 4215, 255}, 10, "Keys of play:"};
  ListBox lstKeys{"lstKeys", {240, 2940, 4215, 1560}, 11};
  Label lblKeysNote{"lblKeysNote", {240, 4560, 4215, 450}, 12, ""};
  CommandButton cmdChangeKeys{"cmdChangeKeys", {240, 5100, 2055, 375}, 13, "Change Keys"};
  CommandButton cmdDefaultKeys{"cmdDefaultKeys", {2400, 5100, 2055, 375}, 14, "Default Keys"};
  CommandButton cmdOK{"cmdOK", {2160, 5640, 1095, 375}, 15, "OK"};
  CommandButton cmdCancel{"cmdCancel", {3360, 5640, 1095, 375}, 16, "Cancel"};

  // While "Change Keys" waits, every key and pad button comes here as it is.
  bool WaitsForAnyKey() const override { return binding_ != Binding::None; }
  void TakeAnyKey(int nKey) override;
  void TakeAnyPadButton(int nButton) override;

 protected:
  void OnClickControl(Control& control) override;

 private:
  // What "Change Keys" waits for: the action's first key, then a second one.
  enum class Binding { None, FirstKey, SecondKey };

  void ShowSettings();
  void StepVolume(int& nVolume, int nStep);
  void StartBinding();
  void StopBinding(std::string sNote);
  PlayAction BoundAction() const;
  // Why the key or button cannot serve the action being bound; "" when it can.
  std::string KeyRefusal(int nKey) const;
  std::string PadButtonRefusal(int nButton) const;

  Binding binding_ = Binding::None;
};

// The window of the run (one object from start to end, like every window of the game).
frmSettings& SettingsForm();
