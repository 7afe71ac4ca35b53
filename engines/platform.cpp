#include "engines/platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/key_codes.h"
#include "base/settings_text.h"
#include "engines/display.h"
#include "engines/gamepad.h"
#include "engines/raw_events.h"

namespace platform {
namespace {

// Windows virtual-key codes for the keys the main window cares about; everything else is 0.
int VirtualKeyCode(SDL_Keycode key) {
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_ESCAPE:
      return vk::ESCAPE;
    case SDLK_RETURN:
      return vk::RETURN;
    case SDLK_SPACE:
      return vk::SPACE;
    case SDLK_BACKSPACE:
      return vk::BACK;
    case SDLK_TAB:
      return vk::TAB;
    case SDLK_LEFT:
      return vk::LEFT;
    case SDLK_UP:
      return vk::UP;
    case SDLK_RIGHT:
      return vk::RIGHT;
    case SDLK_DOWN:
      return vk::DOWN;
    case SDLK_DELETE:
      return vk::DELETE;
    default:
      break;
  }
  if (key >= SDLK_a && key <= SDLK_z) return vk::KEY_A + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return vk::KEY_0 + (key - SDLK_0);
  return 0;
}

int16_t ButtonMask(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 4;
    default:
      return 0;
  }
}

int16_t ButtonMaskFromState(uint32_t state) {
  int16_t mask = 0;
  if (state & SDL_BUTTON_LMASK) mask |= 1;
  if (state & SDL_BUTTON_RMASK) mask |= 2;
  if (state & SDL_BUTTON_MMASK) mask |= 4;
  return mask;
}

// Shift 1, Ctrl 2, Alt 4, as the old mouse events report them.
int16_t ShiftMask() {
  const SDL_Keymod mod = SDL_GetModState();
  int16_t mask = 0;
  if (mod & KMOD_SHIFT) mask |= 1;
  if (mod & KMOD_CTRL) mask |= 2;
  if (mod & KMOD_ALT) mask |= 4;
  return mask;
}

// The old full-screen mode kept the pointer on the 800 x 600 screen. Scaled to a larger screen
// the pointer can also be over the black bars beside the picture; it counts as at the nearest
// edge, so the editor can still scroll at the screen's edge and never paints off the level.
float PictureX(int x) {
  return static_cast<float>(std::clamp(x, 0, 799));
}
float PictureY(int y) {
  return static_cast<float>(std::clamp(y, 0, 599));
}

EventHandler* g_handler = nullptr;
RawEventSink* g_sink = nullptr;
std::vector<SDL_Event> g_returned;

class SdlBackend : public Backend {
 public:
  uint32_t Ticks() override { return SDL_GetTicks(); }
  void Sleep(uint32_t nMilliseconds) override { SDL_Delay(nMilliseconds); }
  // SDL waits on the window system's connection, where a pad's buttons never arrive: with a pad
  // plugged in, the pass's own sleep keeps the pad read every pass.
  void SleepUnlessEvent(uint32_t nMilliseconds, uint32_t nMost) override {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_NumJoysticks() > 0) {
      SDL_Delay(nMilliseconds);
      return;
    }
    const uint32_t start = SDL_GetTicks();
    SDL_WaitEventTimeout(nullptr, static_cast<int>(nMost));
    // An event early in the pass still waits for the pass's time, as every pass does.
    const uint32_t waited = SDL_GetTicks() - start;
    if (waited < nMilliseconds) SDL_Delay(nMilliseconds - waited);
  }
  void ShowPointer(bool bShow) override { SDL_ShowCursor(bShow ? SDL_ENABLE : SDL_DISABLE); }

  // The one place the program reads its window's events.
  void DoEvents() override {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    gamepad::Tend(SDL_GetTicks());  // the pads' buttons arrive as events too
    std::vector<SDL_Event> returned;
    returned.swap(g_returned);
    for (const SDL_Event& event : returned) Dispatch(event);
    SDL_Event event;
    while (SDL_PollEvent(&event)) Dispatch(event);
    if (g_handler != nullptr) g_handler->OnEventsProcessed();
  }

 private:
  static void Dispatch(const SDL_Event& event) {
    // A window open over the game takes everything but the program's close.
    if (g_sink != nullptr && event.type != SDL_QUIT) return g_sink->TakeEvent(event);
    EventHandler* handler = g_handler;
    if (handler == nullptr) return;
    switch (event.type) {
      case SDL_QUIT:
        handler->OnClose();
        break;
      case SDL_KEYDOWN: {
        // Alt+Enter switches between full screen and a window; the game never sees it.
        if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT)) {
          ToggleFullScreen(SDL_GetWindowFromID(event.key.windowID));
          break;
        }
        const int code = VirtualKeyCode(event.key.keysym.sym);
        if (code != 0) handler->OnKeyDown(code, event.key.repeat != 0);
        break;
      }
      case SDL_CONTROLLERBUTTONDOWN:
        // Start and Back of a gamepad act as F1 and Esc.
        if (const int code = gamepad::WindowKeyOf(event.cbutton.button); code != 0)
          handler->OnKeyDown(code, false);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        handler->OnMouse(event.type == SDL_MOUSEBUTTONDOWN ? 0 : 2, ButtonMask(event.button.button),
                         ShiftMask(), PictureX(event.button.x), PictureY(event.button.y));
        break;
      case SDL_WINDOWEVENT:
        // An uncovered or resized window shows its last picture again at once.
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          if (Display* display = Display::OfWindow(SDL_GetWindowFromID(event.window.windowID)))
            display->Refresh();
        }
        break;
      case SDL_MOUSEMOTION:
        handler->OnMouse(1, ButtonMaskFromState(event.motion.state), ShiftMask(),
                         PictureX(event.motion.x), PictureY(event.motion.y));
        break;
      default:
        break;
    }
  }
};

SdlBackend g_sdl_backend;
Backend* g_backend = &g_sdl_backend;

// The player's folder of one kind for `sApp`, made when missing. Windows keeps both kinds in the
// roaming application data (%APPDATA%\<sApp>); elsewhere they follow the base-directory rules
// ($XDG_DATA_HOME or ~/.local/share, $XDG_CONFIG_HOME or ~/.config), where a relative value is
// ignored.
std::filesystem::path UserFolder(const char* sXdgVariable, const char* sDefault,
                                 const std::string& sApp) {
  namespace fs = std::filesystem;
#ifdef _WIN32
  (void)sXdgVariable;
  (void)sDefault;
  char* prefs = SDL_GetPrefPath(nullptr, sApp.c_str());
  if (prefs == nullptr)
    throw std::runtime_error(std::string("No folder for the player's files: ") + SDL_GetError());
  fs::path folder = PathFromText(prefs);
  SDL_free(prefs);
  return folder.parent_path();  // SDL ends it with a separator
#else
  fs::path folder;
  if (const char* xdg = std::getenv(sXdgVariable); xdg != nullptr && *xdg == '/')
    folder = xdg;
  else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    folder = fs::path(home) / sDefault;
  else
    throw std::runtime_error(std::string("Neither ") + sXdgVariable + " nor HOME is set.");
  folder /= sApp;
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) throw std::runtime_error("Cannot make " + folder.string() + ": " + error.message());
  return folder;
#endif
}

}  // namespace

uint32_t Ticks() {
  return g_backend->Ticks();
}
void Sleep(uint32_t nMilliseconds) {
  g_backend->Sleep(nMilliseconds);
}
void SleepUnlessEvent(uint32_t nMilliseconds, uint32_t nMost) {
  g_backend->SleepUnlessEvent(nMilliseconds, nMost);
}
void DoEvents() {
  g_backend->DoEvents();
}
void ShowPointer(bool bShow) {
  g_backend->ShowPointer(bShow);
}
void SetEventHandler(EventHandler* handler) {
  g_handler = handler;
}
EventHandler* CurrentEventHandler() {
  return g_handler;
}
void SetRawEventSink(RawEventSink* sink) {
  g_sink = sink;
}
RawEventSink* CurrentRawEventSink() {
  return g_sink;
}
void ReturnEvents(const std::vector<SDL_Event>& events) {
  g_returned.insert(g_returned.end(), events.begin(), events.end());
}
void InstallBackend(Backend* backend) {
  g_backend = backend ? backend : &g_sdl_backend;
}

void SaveSetting(const std::string& sApp, const std::string& sSection, const std::string& sKey,
                 const std::string& sValue) {
  namespace fs = std::filesystem;
  const fs::path folder = UserConfigFolder(sApp);
  const fs::path file = folder / "settings.ini";

  // Every other line stays as it was; a file too large to be anybody's settings is replaced.
  std::string old;
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(file, SETTINGS_FILE_LIMIT);
    old.assign(bytes.begin(), bytes.end());
  } catch (const GameError& e) {
    if (e.Number() != ERR_FILE_NOT_FOUND && e.Number() != ERR_FILE_TOO_LARGE)
      throw GameError(e.Number(), PathText(file) + ": " + e.what());
  }
  const std::string text = SettingsTextWith(old, sSection, sKey, sValue);
  // A temporary file of its own, so two games starting at once never write over each other's,
  // on the disk before it takes the old file's place.
  static constexpr std::string_view kSettingsFile[] = {"settings.ini"};
  RemoveStaleTemporaries(folder, kSettingsFile);
  // Saved at every start, and mostly the same: a file that already says it is left alone.
  if (text == old) return;
  try {
    WriteFileAtomically(file,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  } catch (const GameError& e) {
    throw GameError(e.Number(), PathText(file) + ": " + e.what());
  }
}

std::filesystem::path UserDataFolder(const std::string& sApp) {
  return UserFolder("XDG_DATA_HOME", ".local/share", sApp);
}

std::filesystem::path UserConfigFolder(const std::string& sApp) {
  return UserFolder("XDG_CONFIG_HOME", ".config", sApp);
}

std::filesystem::path UserCacheFolder(const std::string& sApp) {
  return UserFolder("XDG_CACHE_HOME", ".cache", sApp);
}

void KeepComposeTable(const std::string& sApp) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  if (std::getenv("XCOMPOSECACHE") != nullptr) return;
  try {
    const std::filesystem::path folder = UserCacheFolder(sApp) / "compose";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) setenv("XCOMPOSECACHE", folder.c_str(), 0);
  } catch (const std::runtime_error&) {
    // No home: the table is read at every start.
  }
#else
  (void)sApp;
#endif
}

std::string ExecutableFolder() {
  const std::filesystem::path running = RunningProgramFolder();
  if (!running.empty()) return PathText(running);
  char* base = SDL_GetBasePath();
  if (base == nullptr) throw std::runtime_error("Cannot find the program's folder.");
  std::string folder = base;
  SDL_free(base);
  return folder;
}

}  // namespace platform
