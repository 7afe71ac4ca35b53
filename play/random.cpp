#include "play/random.h"

void Random::Randomize(uint32_t nSeed) {
  state_ = (nSeed ^ 0x50000u) & 0xFFFFFFu;
}

float Random::Rnd() {
  state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
  return static_cast<float>(state_) / 16777216.0f;
}
