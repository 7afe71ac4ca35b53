#pragma once
// The game's number conversions: reals become integers by rounding halves to the even neighbour
// unless a rule takes the integer part; 16-bit values wrap.
#include <cmath>
#include <cstdint>

// Nearest integer, halves to even.
inline int32_t CInt(double x) {
  return static_cast<int32_t>(std::nearbyint(x));
}
// The integer part, rounded down.
inline int32_t IntPart(double x) {
  return static_cast<int32_t>(std::floor(x));
}
// The low 16 bits as a signed number.
inline int16_t Wrap16(int32_t x) {
  return static_cast<int16_t>(static_cast<uint16_t>(x));
}

// Game booleans are 16-bit with True = -1.
constexpr int16_t VB_TRUE = -1;
constexpr int16_t VB_FALSE = 0;
