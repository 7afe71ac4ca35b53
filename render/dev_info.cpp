#include "render/dev_info.h"

#include <cstdio>

#include "base/failure.h"
#include "engines/platform.h"
#include "engines/vbge.h"

namespace {
constexpr int32_t kWindowMilliseconds = 3000;
}

std::string DevInfo::FormatRate(float nRate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(nRate));
  return text;
}

bool DevInfo::Initialize(VBGE& ge) {
  return Trapped("DevInfo - Initialize - ", [&] {
    GE = &ge;
    WindowStart = platform::Ticks();
    FrameCount = 0;
    MeterFont = Font("Arial", 8);
    Initialized = true;
    return true;
  });
}

bool DevInfo::Calculate() {
  return Trapped("DevInfo - Calculate - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    ++FrameCount;
    const uint32_t now = platform::Ticks();
    const int32_t elapsed = platform::TicksBetween(WindowStart, now);
    if (elapsed >= kWindowMilliseconds) {
      FramesPerSecond = static_cast<float>(FrameCount) / (static_cast<float>(elapsed) / 1000.0f);
      WindowStart = now;
      FrameCount = 0;
    }
    Surface& back = *GE->BackBuffer();
    back.SetFillColor(RGB(0, 0, 0));
    back.SetFillStyle(FILLSTYLE_SOLID);
    back.SetForeColor(RGB(255, 255, 255));
    back.SetFont(MeterFont);
    back.DrawBox(Box.Left, Box.Top, Box.Right, Box.Bottom);
    back.DrawText(10, 582, "FPS: " + FormatRate(FramesPerSecond), false);
    return true;
  });
}
