#pragma once
// Shared helpers of the test suites: a scratch folder that becomes the current directory, a
// manual clock, a main window on the headless display, and the program's folder from the build.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "engines/display.h"
#include "engines/form.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "engines/vbie.h"

namespace testing_support {

// The program's folder the build fills with pictures, sounds and levels.
std::filesystem::path GameFolder();

// A fresh empty folder that is the current directory while the object lives.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& Path() const { return path_; }
  // Links every file of the program's folder in, except the options, scores and error log the
  // game writes there, and those named in `skip`.
  void LinkGameFiles(const std::vector<std::string>& skip = {});
  // The error log's content so far ("" when there is none).
  std::string ErrorLog() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// A clock that only moves when the game sleeps; events and the pointer do nothing.
class ManualClock : public platform::Backend {
 public:
  ManualClock() { platform::InstallBackend(this); }
  ~ManualClock() override { platform::InstallBackend(nullptr); }
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

// A main window on the headless display, with a music disc that only counts its commands. A
// modal window is activated and handed to `player`, who works it as a player would through its
// keys and clicks; a window the player leaves open is closed with its close box.
class TestHost : public HostWindow {
 public:
  TestHost();
  Display& Screen() override { return display_; }
  void StartMusic() override { ++music_starts; }
  void StopMusic() override { ++music_stops; }
  void NextSong() override { ++music_nexts; }
  void ShowModal(Form& frm) override;

  int music_starts = 0;
  int music_stops = 0;
  int music_nexts = 0;
  int windows_shown = 0;
  std::function<void(Form&)> player;

 private:
  Display display_;
};

// Keys held until changed.
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

// Runs a shell command and keeps what it printed (standard error too when asked for).
struct ProgramRun {
  int status = -1;  // the exit status, -1 when it did not exit normally
  std::string output;
  std::vector<std::string> Lines() const;
};
ProgramRun RunProgram(const std::string& sCommand);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

}  // namespace testing_support
