#pragma once
// The waits of the game as states of the one frame loop. The stage preview (until SPACE), the
// level screen and the game-over picture (three seconds), the pause (until P) and every window
// over the game were once small loops inside the operations that showed them; now an operation
// that has to wait puts a state on this stack and hands over what is to follow it, and the loop
// runs the state on top once a pass until it is over. So the loop is the only place that reads
// events and sleeps, and a closed window or SIGTERM is seen in every state.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// What a pass found: the state still waits, it is over (what follows it runs), or it failed (its
// failure is logged, and the flow that waited on it is given up).
enum class StateResult { Waiting, Over, Failed };

class ScreenState {
 public:
  virtual ~ScreenState() = default;
  // The state's name, for tests and the error log ("stage preview").
  virtual const char* Name() const = 0;
  // One pass of the loop with this state on top.
  virtual StateResult Pass() = 0;
  // The program is closing: the wait ends now (a window as by its close box).
  virtual void Close() {}
  // Whether nothing changes while this state waits until a key or a click comes (the pause): the
  // loop may then sleep until the window has an event.
  virtual bool Still() const { return false; }
  // Whether a closing program ends this wait at once. The exit sound's does not: it is what the
  // end of the run waits for, and only a second close cuts it short.
  virtual bool EndsWhenClosing() const { return true; }
};

// A state that is over after nMilliseconds of the game's clock (the level screen, the game-over
// picture, the exit sound).
class TimedState : public ScreenState {
 public:
  TimedState(const char* sName, uint32_t nMilliseconds);
  const char* Name() const override { return name_; }
  StateResult Pass() override;

 private:
  const char* name_;
  uint32_t start_;
  uint32_t duration_;
};

class ScreenStack {
 public:
  // What follows a state. False: it failed (and logged why); the flow it belonged to stops there.
  using Then = std::function<bool()>;

  // Puts `state` on top. When it is over, `then` runs; when that fails and bEndsRunOnFailure is
  // set (the rest of a frame of play), the run ends, as after any failed frame.
  void Push(std::unique_ptr<ScreenState> state, Then then, bool bEndsRunOnFailure = false);
  bool Empty() const { return entries_.empty(); }
  // The state on top (nullptr: none waits).
  const ScreenState* Top() const {
    return entries_.empty() ? nullptr : entries_.back().state.get();
  }

  // One pass of the state on top. False when the run must end.
  bool Pass();
  // The program is closing: every state that ends so ends now, top first, and what follows each
  // runs (and ends at once too, should it wait again). False when the run must end.
  bool Close();

 private:
  struct Entry {
    std::unique_ptr<ScreenState> state;
    Then then;
    bool ends_run_on_failure = false;
  };
  // Takes the top state away and runs what follows it.
  bool Finish();

  std::vector<Entry> entries_;
};
