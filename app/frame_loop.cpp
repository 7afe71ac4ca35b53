#include "app/frame_loop.h"

#include "app/main_window.h"
#include "engines/platform.h"
#include "game/game.h"

uint32_t FramePadding(uint32_t nStart, uint32_t nEnd, uint32_t nPassMilliseconds) {
  const int32_t elapsed = platform::TicksBetween(nStart, nEnd);
  const auto pass = static_cast<int32_t>(nPassMilliseconds);
  return elapsed < pass ? static_cast<uint32_t>(pass - elapsed) : 0;
}

FrameLoop::FrameLoop(Game& game, MainWindow* window) : game_(game), window_(window) {}

bool FrameLoop::RunOnePass() {
  platform::DoEvents();
  if (!game_.Pass()) return false;
  // What the player pressed or clicked during a wait acts once the wait is over, in this pass.
  if (window_ != nullptr) window_->ActOnHeldInput();
  return true;
}

bool FrameLoop::Finished() const {
  return game_.QuitRequested && !game_.IsWaiting();
}

void FrameLoop::BeginEnd() {
  if (game_.Initialized && !game_.Terminating) game_.Terminate();
}

FrameLoop::Progress FrameLoop::Advance() {
  // A quit that came while the game loaded ends the run before the first pass.
  if (!ending_ && Finished()) {
    BeginEnd();
    ending_ = true;
  }
  if (ending_ && !game_.IsWaiting()) return Progress::Ended;
  return RunOnePass() ? Progress::Running : Progress::Failed;
}

bool FrameLoop::Run() {
  for (;;) {
    const uint32_t start = platform::Ticks();
    const Progress progress = Advance();
    if (progress != Progress::Running) return progress == Progress::Ended;
    if (!Finished()) Pace(start);
  }
}

bool FrameLoop::RunWhileWaiting(long nMostPasses) {
  for (long pass = 0; game_.IsWaiting(); ++pass) {
    if (pass == nMostPasses) return false;
    const uint32_t start = platform::Ticks();
    if (!RunOnePass()) return false;
    if (game_.IsWaiting()) Pace(start);
  }
  return true;
}

void FrameLoop::Pace(uint32_t nStart) {
  const uint32_t pause = FramePadding(nStart, platform::Ticks(), game_.PassMilliseconds());
  // A still picture (the title, the pause) needs no pass until something happens; one comes now
  // and then anyway, for the music's and the sounds' housekeeping.
  if (game_.IsStill())
    platform::SleepUnlessEvent(pause, kStillMostMilliseconds);
  else if (pause > 0)
    platform::Sleep(pause);
}
