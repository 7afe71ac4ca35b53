#pragma once
// The player's own keys in play: each key the player holds counts as the key the rules read for
// its action (W held counts as Up, for a player who jumps with W). The map is made from the
// player's settings; the rules only ever see the keys of the original game.
#include <array>
#include <cstdint>

#include "base/key_codes.h"

struct PlayKeyMap {
  // A key held counts as To[k]; a key of the original game that the player moved to another action
  // or left unbound (Taken) counts for nothing by itself; any other key counts as itself.
  std::array<uint8_t, 256> To{};
  std::array<bool, 256> Taken{};
  // The original keys: the snapshot passes unchanged.
  bool bIdentity = true;
};

// The keys a game pad's controls stand for (0: none): its buttons by SDL's game-controller
// numbers, the left stick's four directions and the right trigger. They join the snapshot as
// these keys, which MapPlayKeys then maps like the keyboard's.
constexpr int PAD_BUTTONS = 15;
struct PadKeys {
  std::array<int, PAD_BUTTONS> Buttons{};
  int StickLeft = 0, StickRight = 0, StickUp = 0, StickDown = 0, RightTrigger = 0;
};

// The snapshot the rules read for the keys held in `device`.
KeyboardSnapshot MapPlayKeys(const KeyboardSnapshot& device, const PlayKeyMap& map);
