#pragma once
// The game's one random-number generator: uniform numbers in [0, 1) from a 24-bit linear
// congruential sequence. Start-up seeds it from the clock; tests and replays seed it themselves.
#include <cstdint>

void Randomize(uint32_t nSeed);
float Rnd();
