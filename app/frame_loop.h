#pragma once
// The game's one loop. Each pass reads the window's events (the one place that does), lets the
// game run its pass (the wait on top of its screen stack, or the title screen or a frame of play)
// and hands the keys that came during a wait to the main window once the wait is over; the
// desktop loop then sleeps out the rest of the pass's 30 ms (the one place that sleeps); while the
// picture stands still (the title, the pause) it sleeps until the window has an event, at most
// kStillMostMilliseconds. A pass
// can be run on its own, so the desktop loop, the tests, the tools and a browser's main-loop
// callback all run the same code.
#include <cstdint>

class Game;
class MainWindow;

// How long to sleep after a pass that started at nStart and finished its work at nEnd (readings
// of the wrapping millisecond clock) so that the pass lasts 30 ms; 0 when it already did.
uint32_t FramePadding(uint32_t nStart, uint32_t nEnd, uint32_t nPassMilliseconds = 30);

// The longest sleep of a still picture.
constexpr uint32_t kStillMostMilliseconds = 250;

class FrameLoop {
 public:
  // `window` (may be null, as for a test's game) is the main window whose events reach the game.
  explicit FrameLoop(Game& game, MainWindow* window = nullptr);

  // One pass. False when the run must end at once (a frame of play failed).
  bool RunOnePass();
  // Whether the run is over: a quit has come and nothing waits any more.
  bool Finished() const;
  // The end of the run, once it is Finished: the game's termination (its saves, the exit
  // sound, which passes wait for). Nothing to do for a game that never started.
  void BeginEnd();

  // Where a run stands after a step.
  enum class Progress { Running, Ended, Failed };
  // One step of a whole run, for a host that schedules its own passes (the browser's main
  // loop): a pass while the run goes on, then once it is Finished its end, whose passes follow
  // until nothing waits. Ended when the run is over, Failed when a failure ended it at once.
  Progress Advance();

  // The desktop loop: passes 30 ms apart until the run is over, then its end. False when a
  // failure ended it at once (nothing is saved then).
  bool Run();
  // Passes 30 ms apart for as long as the game waits (a test's or a tool's game on the manual
  // clock, where this costs no time). False on a failure, or when it still waits after
  // nMostPasses.
  bool RunWhileWaiting(long nMostPasses = 100000);

 private:
  // Sleeps what is left of the pass that began at nStart.
  void Pace(uint32_t nStart);

  Game& game_;
  MainWindow* window_;
  bool ending_ = false;
};
