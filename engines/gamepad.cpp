#include "engines/gamepad.h"

#include <SDL.h>

#include <array>
#include <vector>

namespace gamepad {
namespace {

// A stick or trigger counts as pressed past about half its travel.
constexpr Sint16 kAxisPressed = 16000;

std::vector<SDL_GameController*> g_pads;
std::array<bool, SDL_CONTROLLER_BUTTON_MAX> g_tapped{};
bool g_started = false;

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

// The snapshot key a held button stands for (0: none).
int HeldKeyOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
    case SDL_CONTROLLER_BUTTON_A:
      return dik::UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return dik::DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return dik::LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return dik::RIGHT;
    case SDL_CONTROLLER_BUTTON_B:
      return dik::LCONTROL;
    case SDL_CONTROLLER_BUTTON_X:
      return dik::LSHIFT;
    case SDL_CONTROLLER_BUTTON_START:
      return dik::P;
    default:
      return 0;
  }
}

}  // namespace

bool Start() {
  if (g_started) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  g_started = true;
  SDL_AddEventWatch(WatchPads, nullptr);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
  return true;
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
    if (x <= -kAxisPressed) state[dik::LEFT] = 0x80;
    if (x >= kAxisPressed) state[dik::RIGHT] = 0x80;
    if (y <= -kAxisPressed) state[dik::UP] = 0x80;
    if (y >= kAxisPressed) state[dik::DOWN] = 0x80;
    if (SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kAxisPressed)
      state[dik::LCONTROL] = 0x80;
  }
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
    if (g_tapped[button] && HeldKeyOf(button) != 0) state[HeldKeyOf(button)] = 0x80;
  g_tapped.fill(false);
}

int WindowKeyOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_START:
      return vk::F1;
    case SDL_CONTROLLER_BUTTON_BACK:
      return vk::ESCAPE;
    default:
      return 0;
  }
}

}  // namespace gamepad
