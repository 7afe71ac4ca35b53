#pragma once
// The keyboard as the game reads it: one snapshot of the whole keyboard, 256 bytes indexed by the
// DirectInput key numbers (bit 7 set while the key is down).
#include <array>
#include <cstdint>

using KeyboardSnapshot = std::array<uint8_t, 256>;

// DirectInput key numbers of the keys the game reads.
namespace dik {
constexpr int ESCAPE = 0x01;
constexpr int RETURN = 0x1C;
constexpr int LCONTROL = 0x1D;
constexpr int LSHIFT = 0x2A;
constexpr int RSHIFT = 0x36;
constexpr int SPACE = 0x39;
constexpr int F1 = 0x3B;
constexpr int F10 = 0x44;
constexpr int F11 = 0x57;
constexpr int F12 = 0x58;
constexpr int P = 0x19;
constexpr int MULTIPLY = 0x37;
constexpr int NUMPAD4 = 0x4B;
constexpr int NUMPAD0 = 0x52;
constexpr int NUMPADENTER = 0x9C;
constexpr int RCONTROL = 0x9D;
constexpr int DIVIDE = 0xB5;
constexpr int UP = 0xC8;
constexpr int LEFT = 0xCB;
constexpr int RIGHT = 0xCD;
constexpr int DOWN = 0xD0;
}  // namespace dik

// Windows virtual-key codes: how the main window's key events name a key (F1 = 112, Esc = 27).
namespace vk {
constexpr int BACK = 8;
constexpr int TAB = 9;
constexpr int RETURN = 13;
constexpr int ESCAPE = 27;
constexpr int SPACE = 32;
constexpr int LEFT = 37;
constexpr int UP = 38;
constexpr int RIGHT = 39;
constexpr int DOWN = 40;
constexpr int DELETE = 46;
constexpr int KEY_0 = '0';  // the digits and letters are their own capitals
constexpr int KEY_A = 'A';
constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int F3 = 114;
constexpr int F4 = 115;
constexpr int F5 = 116;
constexpr int F6 = 117;
constexpr int F7 = 118;
constexpr int F8 = 119;
}  // namespace vk
