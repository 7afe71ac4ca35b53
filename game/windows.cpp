// The game's modal windows: options, stage password and name entry. Each opens over the game,
// which waits until it closes. Outside develop mode the pointer shows only while one is open.
#include "base/failure.h"
#include "dialogs/name_window.h"
#include "dialogs/options_window.h"
#include "dialogs/password_window.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"

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
    ShowWindow(frm);
    // After Cancel the variables still hold the old options.
    Options.nEasyGame = frm.nEasyGame;
    Options.bSoundEffects = frm.bSoundEffects;
    Options.bMusic = frm.bMusic;
    Options.nHighDetailGraphics = frm.nHighDetailGraphics;
    // During a game the music follows the box at once; on the title screen it waits for the
    // next start of a game or stage.
    if (GameMode == GAMEMODE_PLAYING) {
      if (Options.bMusic != 0)
        HostForm->StartMusic();
      else
        HostForm->StopMusic();
    }
    if (!EditorEnabled) platform::ShowPointer(false);
    return true;
  });
}

bool Game::StartFromStage() {
  return Trapped("Game - StartFromStage - ", [&] {
    if (!EditorEnabled) platform::ShowPointer(true);
    if (!Initialized) RaiseNotInitialized();
    frmPassword& frm = PasswordForm();
    frm.Load();
    ShowWindow(frm);
    const std::string entry = frm.sPassword;
    // The stage 1 password is never taken: a game there starts with F1.
    for (int16_t stage = 2; stage <= 5; ++stage)
      if (PasswordMatches(entry, StagePasswords.at(stage))) StartGame(stage);
    if (!EditorEnabled) {
      platform::ShowPointer(false);
      platform::DoEvents();
    }
    return true;
  });
}

bool Game::AskForName(std::string& sName) {
  return Trapped("Game - AskForName - ", [&] {
    if (!EditorEnabled) platform::ShowPointer(true);
    if (!Initialized) RaiseNotInitialized();
    // The name handed in is not shown: the box always starts empty.
    frmHighScore& frm = HighScoreForm();
    frm.Load();
    ShowWindow(frm);
    sName = frm.sName;
    if (!EditorEnabled) platform::ShowPointer(false);
    return true;
  });
}
