// The game's modal windows: options, stage password and name entry. Each opens over the game,
// which waits until it closes: the window is a wait of the frame loop, and what the operation
// does with the window's answer follows when it closes. Outside develop mode the pointer shows
// only while one is open.
#include "base/failure.h"
#include "dialogs/name_window.h"
#include "dialogs/options_window.h"
#include "dialogs/password_window.h"
#include "dialogs/settings_window.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "forms/form.h"
#include "game/game.h"

namespace {

// A window over the game, open until it is unloaded. The main window gives it the player's keys
// and clicks and draws it once a pass; a closing program closes it with its close box.
class WindowState : public ScreenState {
 public:
  WindowState(HostWindow& host, Form& frm) : host_(host), frm_(frm) {}
  const char* Name() const override { return "window"; }
  StateResult Pass() override {
    host_.WindowPass(frm_);
    return frm_.IsLoaded() ? StateResult::Waiting : StateResult::Over;
  }
  void Close() override {
    frm_.CloseBox();
    host_.WindowPass(frm_);
  }

 private:
  HostWindow& host_;
  Form& frm_;
};

}  // namespace

bool Game::ShowWindow(Form& frm, Then then) {
  Then closed = [this, then = std::move(then)] {
    IE.ForgetKeyPresses();
    return Continue(then);
  };
  HostForm->OpenWindow(frm);
  // A window answered at once (a script's) needs no wait.
  if (!frm.IsLoaded()) return closed();
  Wait(std::make_unique<WindowState>(*HostForm, frm), std::move(closed));
  return true;
}

bool Game::ShowOptions() {
  return Trapped("Game - ShowOptions - ", [&] {
    if (!EditorEnabled) platform::ShowPointer(true);
    if (!Initialized) RaiseNotInitialized();
    frmOptions& frm = OptionsForm();
    frm.Load();
    frm.nEasyGame = Options.nEasyGame;
    frm.bSoundEffects = Options.bSoundEffects;
    frm.bMusic = Options.bMusic;
    frm.nHighDetailGraphics = Options.nHighDetailGraphics;
    frm.bExtraMode = ExtraMode;
    frm.bGameRunning = IsRunning();
    return ShowWindow(frm, [this, &frm] {
      // After Cancel the variables still hold the old options.
      const GameOptions before = Options;
      Options.nEasyGame = frm.nEasyGame;
      Options.bSoundEffects = frm.bSoundEffects;
      Options.bMusic = frm.bMusic;
      Options.nHighDetailGraphics = frm.nHighDetailGraphics;
      // Changed options are kept at once: a run that ends without its saves (a power cut, a
      // closed browser tab) does not lose them.
      if (OptionsBytes(Options) != OptionsBytes(before)) SaveGameOptions();
      // During a game the music follows the box at once; on the title screen it waits for the
      // next start of a game or stage.
      if (GameMode == GAMEMODE_PLAYING) {
        if (Options.bMusic != 0)
          HostForm->StartMusic(Play.Stage);
        else
          HostForm->StopMusic();
      }
      if (!EditorEnabled) platform::ShowPointer(false);
      return true;
    });
  });
}

bool Game::ShowSettings() {
  return Trapped("Game - ShowSettings - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (!EditorEnabled) platform::ShowPointer(true);
    frmSettings& frm = SettingsForm();
    frm.Settings = Settings;
    frm.Load();
    frm.VolumeChanged = [this](const PlayerSettings& shown) {
      SE.SetEffectsVolume(shown.nEffectsVolume);
      HostForm->SetMusicVolume(shown.nMusicVolume);
    };
    return ShowWindow(frm, [this, &frm] {
      frm.VolumeChanged = nullptr;
      if (frm.bOK && frm.Settings != Settings) {
        Settings = frm.Settings;
        // Kept at once, as the options are.
        SavePlayerSettings();
      }
      ApplyVolumes();
      ApplyControls();
      if (!EditorEnabled) platform::ShowPointer(false);
      return true;
    });
  });
}

bool Game::StartFromStage() {
  return Trapped("Game - StartFromStage - ", [&] {
    if (!EditorEnabled) platform::ShowPointer(true);
    if (!Initialized) RaiseNotInitialized();
    frmPassword& frm = PasswordForm();
    frm.Load();
    // The stage 1 password is never taken: a game there starts with F1.
    return ShowWindow(frm, [this, &frm] { return TryPassword(frm.sPassword, 2); });
  });
}

// A game started here has run its first stage preview and level screen before the pointer hides
// again.
bool Game::TryPassword(const std::string& sEntry, int16_t nStage) {
  for (int16_t stage = nStage; stage <= 5; ++stage) {
    if (!PasswordMatches(sEntry, StagePasswords.at(stage))) continue;
    Then next = [this, sEntry, stage] {
      return TryPassword(sEntry, static_cast<int16_t>(stage + 1));
    };
    if (!StartGame(stage, next)) return next();
    return true;
  }
  if (!EditorEnabled) platform::ShowPointer(false);
  return true;
}

bool Game::AskForName(std::function<bool(const std::string&)> then) {
  return Trapped("Game - AskForName - ", [&] {
    if (!EditorEnabled) platform::ShowPointer(true);
    if (!Initialized) RaiseNotInitialized();
    frmHighScore& frm = HighScoreForm();
    frm.Load();
    return ShowWindow(frm, [this, &frm, then = std::move(then)] {
      if (!EditorEnabled) platform::ShowPointer(false);
      return then(frm.sName);
    });
  });
}
