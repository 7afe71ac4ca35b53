#include "game/random.h"

namespace {
uint32_t g_state = 0x50000;
}

void Randomize(uint32_t nSeed) {
  g_state = (nSeed ^ 0x50000u) & 0xFFFFFFu;
}

float Rnd() {
  g_state = (g_state * 1140671485u + 12820163u) & 0xFFFFFFu;
  return static_cast<float>(g_state) / 16777216.0f;
}
