#include "app/browser.h"

#include <emscripten.h>

#include <cstdio>
#include <exception>
#include <string>

#include "app/frame_loop.h"
#include "app/startup.h"

namespace {

constexpr int kPassMilliseconds = 30;

struct BrowserRun {
  std::unique_ptr<GameRun> run;
  FrameLoop loop;
  int pass_milliseconds = kPassMilliseconds;
  explicit BrowserRun(std::unique_ptr<GameRun> started)
      : run(std::move(started)), loop(*run->game, run->window.get()) {}
};

BrowserRun* current = nullptr;

void EndRun(int nStatus) {
  emscripten_cancel_main_loop();
  current->run->nStatus = nStatus;
  const int status = FinishRun(*current->run);
  delete current;
  current = nullptr;
  // The page offers to play again.
  EM_ASM({ if (Module.onGameEnd) Module.onGameEnd($0); }, status);
}

void Pass(void*) {
  try {
    switch (current->loop.Advance()) {
      case FrameLoop::Progress::Running:
        // A game slowed by the speed assist has longer passes.
        if (const int pass = static_cast<int>(current->run->game->PassMilliseconds());
            pass != current->pass_milliseconds) {
          current->pass_milliseconds = pass;
          emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, pass);
        }
        return;
      case FrameLoop::Progress::Ended:
        return EndRun(0);
      case FrameLoop::Progress::Failed:
        std::fprintf(stderr, "pibo2: stopped after an error; see Errors.txt\n");
        return EndRun(1);
    }
  } catch (const std::exception& e) {
    // Only a failure of the error log itself gets here.
    std::fprintf(stderr, "pibo2: %s\n", e.what());
    EndRun(1);
  }
}

}  // namespace

void RunInBrowser(std::unique_ptr<GameRun> run) {
  current = new BrowserRun(std::move(run));
  // Timed passes rather than the display's frames: a pass every 30 ms, each timer set from the
  // start of the pass before, so the pace stays even whatever the screen's refresh rate.
  emscripten_set_main_loop_arg(Pass, nullptr, 0, false);
  emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, kPassMilliseconds);
}

// For the page: where the game stands, as one line of JSON, so the tab can name the level and
// the page's own tests can follow the play.
extern "C" EMSCRIPTEN_KEEPALIVE const char* pibo_status() {
  static std::string text;
  if (current == nullptr) return "{\"running\":false}";
  const Game& game = *current->run->game;
  const ScreenState* top = game.Screens.Top();
  text = "{\"running\":true,\"playing\":" + std::string(game.IsRunning() ? "true" : "false") +
         ",\"waiting\":\"" + (top != nullptr ? top->Name() : "") + "\",\"level\":" +
         std::to_string(game.Play.Level) + ",\"score\":" + std::to_string(game.Play.CharScore) +
         ",\"x\":" + std::to_string(static_cast<int>(game.Play.CharX)) + "}";
  return text.c_str();
}

// For the page, when it is hidden or closed: the saves a run cut short would lose.
extern "C" EMSCRIPTEN_KEEPALIVE void pibo_save_now() {
  if (current != nullptr) current->run->game->SaveForSuddenEnd();
}
