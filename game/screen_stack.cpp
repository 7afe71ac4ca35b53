#include "game/screen_stack.h"

#include <exception>
#include <string>

#include "base/error_log.h"
#include "engines/platform.h"

namespace {
// A closing program whose states keep pushing new ones is a fault; this many is plenty for the
// longest flow (name entry, game-over picture, title).
constexpr int kMostStatesClosed = 64;
}  // namespace

TimedState::TimedState(const char* sName, uint32_t nMilliseconds)
    : name_(sName), start_(platform::Ticks()), duration_(nMilliseconds) {}

StateResult TimedState::Pass() {
  const int32_t elapsed = platform::TicksBetween(start_, platform::Ticks());
  return elapsed >= static_cast<int32_t>(duration_) ? StateResult::Over : StateResult::Waiting;
}

void ScreenStack::Push(std::unique_ptr<ScreenState> state, Then then, bool bEndsRunOnFailure) {
  entries_.push_back(Entry{std::move(state), std::move(then), bEndsRunOnFailure});
}

bool ScreenStack::Pass() {
  if (entries_.empty()) return true;
  StateResult result = StateResult::Failed;
  try {
    result = entries_.back().state->Pass();
  } catch (const std::exception& e) {
    LogError(std::string("Game - ") + entries_.back().state->Name() + " - " + e.what());
  }
  switch (result) {
    case StateResult::Waiting:
      return true;
    case StateResult::Over:
      return Finish();
    case StateResult::Failed:
      entries_.pop_back();
      return true;
  }
  return true;
}

bool ScreenStack::Close() {
  for (int closed = 0; !entries_.empty() && entries_.back().state->EndsWhenClosing(); ++closed) {
    if (closed == kMostStatesClosed) {
      LogError("Game - Close - The waits of the game do not end");
      return false;
    }
    entries_.back().state->Close();
    if (!Finish()) return false;
  }
  return true;
}

bool ScreenStack::Finish() {
  Entry entry = std::move(entries_.back());
  entries_.pop_back();
  bool ok = true;
  if (entry.then) {
    try {
      ok = entry.then();
    } catch (const std::exception& e) {
      LogError(std::string("Game - ") + entry.state->Name() + " - " + e.what());
      ok = false;
    }
  }
  return ok || !entry.ends_run_on_failure;
}
