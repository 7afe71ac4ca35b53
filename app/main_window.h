#pragma once
// frmMain, the program's only main window ("Pibo II"): the screen the graphics engine takes over,
// the function keys and Esc, the mouse (handed to the level editor) and the music disc.
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/music_disc.h"
#include "engines/display.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "forms/form_screen.h"

class Game;

class MainWindow final : public HostWindow, public platform::EventHandler {
 public:
  MainWindow();
  ~MainWindow() override;

  // Opens the window, full screen or as an 800 x 600 window, with its title, and starts
  // receiving its events. Throws GameError when it cannot.
  void Load(bool bFullScreen, const std::string& sCaption = "Pibo II");
  // Stops the music and stops receiving events.
  void Unload();
  // The game its keys, clicks and close box go to (nullptr: none).
  void SetGame(Game* game) { game_ = game; }

  Display& Screen() override { return display_; }
  void StartMusic(int nStage) override;
  void SetMusicVolume(int nPercent) override { cdmusic_.SetVolume(nPercent); }
  void StopMusic() override;
  void NextSong() override;
  void OpenWindow(Form& frm) override;
  void WindowPass(Form& frm) override;

  // Keys and clicks act at once, or, while the game waits (a stage preview, the level screen,
  // the pause, the game-over picture), once the wait is over: so nothing the main window does
  // can start or stop a game in the middle of starting a level.
  void OnKeyDown(int nKeyCode, bool bRepeat) override;
  void OnMouse(int nKind, int16_t nButton, int16_t nShift, float X, float Y) override;
  void OnClose() override;
  void OnEventsProcessed() override { cdmusic_.Poll(); }
  // What came during a wait that is over, in the order it came. A closing program drops it.
  void ActOnHeldInput();

  MusicDisc& Music() { return cdmusic_; }

 private:
  Display display_;
  // Made when the first modal window opens; it goes before the screen it draws on.
  std::unique_ptr<FormScreen> forms_;
  MusicDisc cdmusic_;
  Game* game_ = nullptr;
  bool loaded_ = false;

  // What a key does, once the game is not waiting.
  void HandleKey(int nKeyCode);
  // Runs `action` now, or keeps it until the game's wait is over.
  void WhenNotWaiting(std::function<void()> action);
  std::deque<std::function<void()>> held_;
};
