#include "engines/gamepad.h"

#include <SDL.h>

#include <array>
#include <vector>

namespace gamepad {
namespace {

// A stick or trigger counts as pressed past about half its travel.
constexpr Sint16 kAxisPressed = 16000;
// With no pad open, how often SDL looks for one plugged in.
constexpr uint32_t kLookMilliseconds = 250;

std::vector<SDL_GameController*> g_pads;
std::array<bool, SDL_CONTROLLER_BUTTON_MAX> g_tapped{};
bool g_started = false;
bool g_start_at_pass = false;
uint32_t g_last_look = 0;

void Open(int index) {
  if (!SDL_IsGameController(index)) return;
  SDL_GameController* pad = SDL_GameControllerOpen(index);
  if (pad == nullptr) return;
  for (SDL_GameController* open : g_pads)
    if (open == pad) return;  // SDL gives the same pad back when it is already open
  g_pads.push_back(pad);
}

void Close(SDL_JoystickID id) {
  for (size_t i = 0; i < g_pads.size(); ++i)
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(g_pads[i])) == id) {
      SDL_GameControllerClose(g_pads[i]);
      g_pads.erase(g_pads.begin() + static_cast<long>(i));
      return;
    }
}

int SDLCALL WatchPads(void*, SDL_Event* event) {
  switch (event->type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event->cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event->cdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      if (event->cbutton.button < SDL_CONTROLLER_BUTTON_MAX) g_tapped[event->cbutton.button] = true;
      break;
    default:
      break;
  }
  return 1;
}

// The keys the pad stands for: the original game's until the player's settings say otherwise.
PadKeys OriginalPadKeys() {
  PadKeys pad;
  pad.Buttons[SDL_CONTROLLER_BUTTON_DPAD_UP] = dik::UP;
  pad.Buttons[SDL_CONTROLLER_BUTTON_A] = dik::UP;
  pad.Buttons[SDL_CONTROLLER_BUTTON_DPAD_DOWN] = dik::DOWN;
  pad.Buttons[SDL_CONTROLLER_BUTTON_DPAD_LEFT] = dik::LEFT;
  pad.Buttons[SDL_CONTROLLER_BUTTON_DPAD_RIGHT] = dik::RIGHT;
  pad.Buttons[SDL_CONTROLLER_BUTTON_B] = dik::LCONTROL;
  pad.Buttons[SDL_CONTROLLER_BUTTON_X] = dik::LSHIFT;
  pad.Buttons[SDL_CONTROLLER_BUTTON_START] = dik::P;
  pad.StickLeft = dik::LEFT;
  pad.StickRight = dik::RIGHT;
  pad.StickUp = dik::UP;
  pad.StickDown = dik::DOWN;
  pad.RightTrigger = dik::LCONTROL;
  return pad;
}
PadKeys g_keys = OriginalPadKeys();

// The snapshot key a held button stands for (0: none).
int HeldKeyOf(int button) {
  return button >= 0 && button < PAD_BUTTONS ? g_keys.Buttons[button] : 0;
}

}  // namespace

bool Start() {
  if (g_started) return true;
  // SDL would read the pads, and look for new ones, every time the window's events are read; the
  // pass does it itself (Tend), as often as it is worth.
  SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  g_started = true;
  g_last_look = SDL_GetTicks();
  SDL_AddEventWatch(WatchPads, nullptr);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
  return true;
}

void StartAtFirstPass() {
  g_start_at_pass = !g_started;
}

void Look() {
  if (g_started) SDL_JoystickUpdate();
}

void Tend(uint32_t nNow) {
  if (g_start_at_pass) {
    g_start_at_pass = false;  // tried once: without controller support the keyboard plays alone
    Start();
  }
  if (!g_started || (g_pads.empty() && nNow - g_last_look < kLookMilliseconds)) return;
  g_last_look = nNow;
  Look();
}

void AddHeldKeys(KeyboardSnapshot& state) {
  if (!g_started) return;
  for (SDL_GameController* pad : g_pads) {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
      const int key = HeldKeyOf(button);
      if (key != 0 &&
          SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button)) != 0)
        state[key] = 0x80;
    }
    const Sint16 x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const Sint16 y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    const auto hold = [&](bool bHeld, int key) {
      if (bHeld && key != 0) state[key] = 0x80;
    };
    hold(x <= -kAxisPressed, g_keys.StickLeft);
    hold(x >= kAxisPressed, g_keys.StickRight);
    hold(y <= -kAxisPressed, g_keys.StickUp);
    hold(y >= kAxisPressed, g_keys.StickDown);
    hold(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kAxisPressed,
         g_keys.RightTrigger);
  }
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
    if (g_tapped[button] && HeldKeyOf(button) != 0) state[HeldKeyOf(button)] = 0x80;
  g_tapped.fill(false);
}

void ForgetTap(int button) {
  if (button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX) g_tapped[button] = false;
}

void SetPadKeys(const PadKeys& keys) {
  g_keys = keys;
}

int WindowKeyOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_START:
      return vk::F1;
    case SDL_CONTROLLER_BUTTON_BACK:
      // With the left shoulder held, Back opens the settings instead.
      for (SDL_GameController* pad : g_pads)
        if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) != 0)
          return vk::F4;
      return vk::ESCAPE;
    default:
      return 0;
  }
}

}  // namespace gamepad
