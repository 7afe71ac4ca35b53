#pragma once
// frmMain, the program's only main window ("Pibo II"): the screen the graphics engine takes over,
// the function keys and Esc, the mouse (handed to the level editor) and the music disc.
#include <memory>

#include "app/music_disc.h"
#include "engines/display.h"
#include "engines/form_screen.h"
#include "engines/host_window.h"
#include "engines/platform.h"

// Virtual-key codes of the keys the main window handles.
constexpr int VK_ESCAPE = 27;
constexpr int VK_F1 = 112;
constexpr int VK_F2 = 113;
constexpr int VK_F3 = 114;
constexpr int VK_F5 = 116;
constexpr int VK_F6 = 117;
constexpr int VK_F7 = 118;
constexpr int VK_F8 = 119;

class Game;

class MainWindow final : public HostWindow, public platform::EventHandler {
 public:
  MainWindow();
  ~MainWindow() override;

  // Opens the window and starts receiving its events. Throws GameError when it cannot.
  void Load();
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
