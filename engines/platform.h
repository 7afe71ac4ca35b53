#pragma once
// The platform module: the millisecond clock, sleeping, the window-event pump, the mouse pointer
// and the settings store. The game asks for these through the free functions below; a test puts
// in its own backend (a manual clock and a sleep that only advances it) so that a three-second
// picture costs no real time.
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// Receives the window events the pump dispatches. The main window is the one real handler.
class EventHandler {
 public:
  virtual ~EventHandler() = default;
  // A key went down, or is held and the system's key repeat sends it again (bRepeat). nKeyCode is
  // the Windows virtual-key code (F1 = 112, Esc = 27, ...).
  virtual void OnKeyDown(int nKeyCode, bool bRepeat) = 0;
  // nKind: 0 button down, 1 move, 2 button up. X and Y are in the pixels of the 800 x 600
  // picture; a pointer beside the picture (over a black bar) is at its nearest edge.
  virtual void OnMouse(int nKind, int16_t nButton, int16_t nShift, float X, float Y) = 0;
  // The window was closed by the system (close button, window manager).
  virtual void OnClose() = 0;
  // Called once after every batch of events, for work that follows the clock (the music).
  virtual void OnEventsProcessed() {}
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t nMilliseconds) = 0;
  // Waits nMilliseconds, or up to nMost while nothing happens: until the window has an event.
  // Without a way to wait for one, the same as Sleep(nMilliseconds).
  virtual void SleepUnlessEvent(uint32_t nMilliseconds, uint32_t /*nMost*/) {
    Sleep(nMilliseconds);
  }
  virtual void DoEvents() = 0;
  virtual void ShowPointer(bool bShow) = 0;
};

// Milliseconds since some fixed start, 32-bit, wrapping like the old multimedia timer.
uint32_t Ticks();
void Sleep(uint32_t nMilliseconds);
// While the picture stands still: sleeps until the window has an event, at least nMilliseconds
// and at most nMost (see Backend::SleepUnlessEvent).
void SleepUnlessEvent(uint32_t nMilliseconds, uint32_t nMost);
// Processes every pending window event, dispatching to the installed handler.
void DoEvents();
void ShowPointer(bool bShow);

// The handler DoEvents dispatches to (nullptr: events are dropped).
void SetEventHandler(EventHandler* handler);
EventHandler* CurrentEventHandler();

// Replaces the backend (nullptr restores the real SDL one). The caller keeps ownership.
void InstallBackend(Backend* backend);

// Signed difference b - a of two readings of the wrapping clock.
inline int32_t TicksBetween(uint32_t a, uint32_t b) {
  return static_cast<int32_t>(b - a);
}

// The player's own folders for `sApp`, made when missing: for data, $XDG_DATA_HOME/<sApp>
// (default ~/.local/share/<sApp>); for settings, $XDG_CONFIG_HOME/<sApp> (default
// ~/.config/<sApp>); a relative XDG value is ignored. On Windows both are %APPDATA%\<sApp>.
// Throw std::runtime_error when there is no such folder or it cannot be made.
std::filesystem::path UserDataFolder(const std::string& sApp);
std::filesystem::path UserConfigFolder(const std::string& sApp);
// For what the game keeps only to start faster: $XDG_CACHE_HOME/<sApp> (default
// ~/.cache/<sApp>); on Windows %APPDATA%\<sApp> as well.
std::filesystem::path UserCacheFolder(const std::string& sApp);

// Before the window opens. On X11 the input method reads the locale's whole table of compose
// sequences (half a megabyte on UTF-8 locales) at every start, unless libX11 has a folder to keep
// the table it has read: this gives it $XDG_CACHE_HOME/<sApp>/compose (default
// ~/.cache/<sApp>/compose). libX11 checks a kept table against the file it came from and keeps
// none for root; a folder the player chose (XCOMPOSECACHE) is left as it is. Without a folder
// for it the game starts as before, only slower.
void KeepComposeTable(const std::string& sApp);

// The settings store: an INI file settings.ini in UserConfigFolder(sApp). Writes one key, its value
// escaped to one line, keeping every other line of the file. Throws std::runtime_error on failure,
// GameError among them (a pipe or a folder in the file's place).
void SaveSetting(const std::string& sApp, const std::string& sSection, const std::string& sKey,
                 const std::string& sValue);

// The folder the running executable lives in.
std::string ExecutableFolder();

}  // namespace platform
