#pragma once
// DevInfo, the frame-rate meter of develop mode: counts the game frames drawn and shows the
// average rate over windows of at least three seconds in a box at the bottom left of the back
// buffer.
#include <cstdint>
#include <string>

#include "base/rect.h"
#include "engines/font.h"

class VBGE;

class DevInfo {
 public:
  bool Initialize(VBGE& ge);
  bool Calculate();

  // Where the meter is drawn on the back buffer.
  static constexpr Rect Box{5, 580, 150, 597};

  // The rate as the meter writes it: up to 7 significant digits, no trailing zeros.
  static std::string FormatRate(float nRate);

  uint32_t WindowStart = 0;
  int32_t FrameCount = 0;
  float FramesPerSecond = 0;
  VBGE* GE = nullptr;
  bool Initialized = false;
  Font MeterFont;
};
