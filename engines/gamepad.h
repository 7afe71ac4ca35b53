#pragma once
// Gamepads, through SDL's game-controller support, plugged in and out at any time. The game never
// sees a pad: its buttons become the keys they stand for.
//   Held, they join the keyboard snapshot: by default the d-pad and the left stick as the arrow
//   keys, A as Up (jump), B and the right trigger as Ctrl (fire), X as Shift (the next ball
//   type), Start as P (pause); the player's settings may bind the buttons otherwise.
//   Pressed, Start reaches the main window as F1 (a new game, on the title screen) and Back as
//   Esc, or as F4 (the settings) while the left shoulder button is held. The windows read the pad's buttons themselves (forms/form_screen.cpp).
#include <cstdint>

#include "base/key_codes.h"
#include "base/play_keys.h"

namespace gamepad {

// Starts SDL's game-controller support and opens every pad already plugged in; pads plugged in
// later are opened as SDL reports them. False when the system has none (the game plays on with
// the keyboard alone).
bool Start();
// Starts them at the pass's first reading of the pads (Tend) rather than now: reading SDL's
// list of known pads and looking for any plugged in costs some 3 ms of processor, which the
// game's start then pays after its first title frame instead of before it.
void StartAtFirstPass();

// Reads the pads, before the window's events are read each pass (`nNow` in milliseconds): every
// pass while a pad is open, and otherwise only a look for one plugged in, four times a second.
// Looking costs a pass a quarter of what reading the window's events costs, for a pad that is
// almost never there.
void Tend(uint32_t nNow);
// Reads the open pads and looks for pads plugged in or out, now.
void Look();

// Sets bit 7 of the keys the held buttons stand for, and of those whose button was pressed and
// let go since the last snapshot, so a quick tap between two frames is not lost.
void AddHeldKeys(KeyboardSnapshot& state);
// A press of `button` that worked a window is not kept as a tap for the game's next snapshot:
// A that pressed OK does not make the hero jump, nor B that cancelled fire, once the window closes.
void ForgetTap(int button);

// The keys the pad's buttons, stick and trigger stand for from now on (the player's settings).
void SetPadKeys(const PadKeys& keys);

// The main window's key (a virtual-key code) that pressing `button` stands for, or 0.
int WindowKeyOf(int button);

}  // namespace gamepad
