#pragma once
// The headless kit: what the tests, the benchmarks and the developer tools put in place of a
// player and a desk — a clock that moves only when the game sleeps, a main window on the dummy
// display whose music is only counted and whose windows a script answers, and keys held by a
// script.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "base/key_codes.h"
#include "engines/display.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "engines/vbie.h"

namespace headless {

// Installed while it lives: time passes only when the game sleeps; events and the pointer do
// nothing.
class ManualClock : public platform::Backend {
 public:
  ManualClock() { platform::InstallBackend(this); }
  ~ManualClock() override { platform::InstallBackend(nullptr); }
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;
  uint32_t Ticks() override { return now; }
  void Sleep(uint32_t nMilliseconds) override {
    now += nMilliseconds;
    slept += nMilliseconds;
  }
  void DoEvents() override {}
  void ShowPointer(bool) override {}

  uint32_t now = 0;
  uint64_t slept = 0;
};

// A main window on the dummy display, with a music disc that only counts its commands. A window
// is activated and handed to `player` as it opens, who works it as a player would through its keys
// and clicks; a window the player leaves open (or every window, without a player) is closed with
// its close box, so it is over before the game waits for it.
class HeadlessHost : public HostWindow {
 public:
  explicit HeadlessHost(const char* sTitle = "Pibo II headless");
  Display& Screen() override { return display_; }
  void StartMusic(int nStage) override {
    ++music_starts;
    music_start_stage = nStage;
  }
  void StopMusic() override { ++music_stops; }
  void NextSong() override { ++music_nexts; }
  void SetMusicVolume(int nPercent) override { music_volume = nPercent; }
  // The player works the window at once; a window left open is closed with its close box.
  void OpenWindow(Form& frm) override;
  void WindowPass(Form&) override {}

  int music_starts = 0;
  int music_start_stage = 0;
  int music_stops = 0;
  int music_nexts = 0;
  int music_volume = 100;
  int windows_shown = 0;
  std::function<void(Form&)> player;

 private:
  Display display_;
};

// Keys held until changed; every read is counted.
class ScriptedKeys : public KeyStateSource {
 public:
  void Hold(std::initializer_list<int> keys) {
    held_.fill(0);
    for (int key : keys) held_[key] = 0x80;
  }
  void Read(KeyboardSnapshot& state) override {
    ++reads;
    state = held_;
  }
  int reads = 0;

 private:
  KeyboardSnapshot held_{};
};

}  // namespace headless
