#pragma once
// The program window's events as SDL gives them, for what reads them itself: a window open over
// the game (forms/) takes every event but the program's close while it is open. The event pump in
// platform.cpp is the one place that reads events; it hands them here instead of to the main
// window while a sink is set.
#include <vector>

union SDL_Event;

namespace platform {

class RawEventSink {
 public:
  virtual ~RawEventSink() = default;
  virtual void TakeEvent(const SDL_Event& event) = 0;
};

// While set (nullptr: none), the pump hands every event but SDL_QUIT to `sink`.
void SetRawEventSink(RawEventSink* sink);
RawEventSink* CurrentRawEventSink();

// Events a sink took but did not use (they came after its window had closed): the pump hands them
// on first, in order, at its next run.
void ReturnEvents(const std::vector<SDL_Event>& events);

}  // namespace platform
