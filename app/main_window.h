#pragma once
// frmMain, the program's only main window ("Pibo II"): the screen the graphics engine takes over,
// the function keys and Esc, the mouse (handed to the level editor) and the music disc.
#include <memory>

#include "app/music_disc.h"
#include "engines/display.h"
#include "forms/form_screen.h"
#include "engines/host_window.h"
#include "engines/platform.h"


class Game;

class MainWindow final : public HostWindow, public platform::EventHandler {
 public:
  MainWindow();
  ~MainWindow() override;

  // Opens the window, full screen or as an 800 x 600 window, and starts receiving its events.
  // Throws GameError when it cannot.
  void Load(bool bFullScreen);
  // Stops the music and stops receiving events.
  void Unload();
  // The game its keys, clicks and close box go to (nullptr: none).
  void SetGame(Game* game) { game_ = game; }

  Display& Screen() override { return display_; }
  void StartMusic() override;
  void StopMusic() override;
  void NextSong() override;
  void ShowModal(Form& frm) override;

  void OnKeyDown(int nKeyCode, bool bRepeat) override;
  void OnMouse(int nKind, int16_t nButton, int16_t nShift, float X, float Y) override;
  void OnClose() override;
  void OnEventsProcessed() override { cdmusic_.Poll(); }

  MusicDisc& Music() { return cdmusic_; }

 private:
  Display display_;
  // Made when the first modal window opens; it goes before the screen it draws on.
  std::unique_ptr<FormScreen> forms_;
  MusicDisc cdmusic_;
  Game* game_ = nullptr;
  bool loaded_ = false;

  // What a key does, once the game is not waiting inside an operation.
  void HandleKey(int nKeyCode);
};
