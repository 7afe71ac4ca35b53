#pragma once
// The game's random-number generator: uniform numbers in [0, 1) from a 24-bit linear congruential
// sequence. Each play state has its own; start-up seeds it from the clock, tests and replays
// seed it themselves.
#include <cstdint>

class Random {
 public:
  void Randomize(uint32_t nSeed);
  float Rnd();
  // The whole state of the sequence, for recordings: set back, the same numbers follow.
  uint32_t State() const { return state_; }
  void SetState(uint32_t nState) { state_ = nState & 0xFFFFFFu; }

 private:
  uint32_t state_ = 0x50000;
};
