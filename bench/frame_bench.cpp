// The work of the frame loop on steady scenes: the title screen, a typical level, the heaviest
// scene the game makes (the machine level with every bomb, every ball and every effect slot busy
// with high-detail pieces), the rules alone, the copy to the screen, pixel for pixel and scaled
// to large screens, and the start of the game up to its first title frame. A pass has 30 ms.
//
// Every figure of our own is processor time of the thread, not the clock on the wall, so a busy
// machine does not inflate it; each is also given as a ratio to one 800 x 600 copy measured the
// same way in the same run (the counter "yardsticks"), so runs on different machines compare.
// Under callgrind (bench/instructions.sh) only the timed passes are counted, for instruction
// counts that repeat exactly.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "game/game.h"
#include "headless/headless.h"

namespace {

// Every benchmark runs headless, whoever starts it.
[[maybe_unused]] const bool kHeadless = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return true;
}();

// Passes timed in this run; under callgrind they are all the run counts, and bench/instructions.sh
// divides by them.
long g_timed_passes = 0;
[[maybe_unused]] const int kReportPasses = std::atexit([] {
  if (RUNNING_ON_VALGRIND) std::fprintf(stderr, "timed passes: %ld\n", g_timed_passes);
});

// Under callgrind a benchmark runs a fixed number of passes: how many a run of a second makes
// depends on the machine, and the scene, which plays on, costs more or less as it goes.
template <int Passes>
void CountedUnderCallgrind(benchmark::internal::Benchmark* benchmark) {
  if (RUNNING_ON_VALGRIND) benchmark->Iterations(Passes);
}

// Nanoseconds of processor time this thread has used.
double ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Nanoseconds of one 800 x 600 RGB565 copy, as measured in this run.
double g_yardstick_ns = 0;

double MeasureYardstick(int nCopies) {
  SDL_Surface* from = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  const double start = ThreadCpuNs();
  for (int i = 0; i < nCopies; ++i) SDL_BlitSurface(from, nullptr, to, nullptr);
  const double ns = ThreadCpuNs() - start;
  SDL_FreeSurface(from);
  SDL_FreeSurface(to);
  return ns / nCopies;
}

// Times the passes of a benchmark itself, so the ratio leaves out what the benchmark pauses.
class PassTimer {
 public:
  template <class Pass>
  void Time(Pass&& pass) {
    CALLGRIND_TOGGLE_COLLECT;
    const double start = ThreadCpuNs();
    pass();
    total_ns_ += ThreadCpuNs() - start;
    CALLGRIND_TOGGLE_COLLECT;
    ++passes_;
    ++g_timed_passes;
  }
  double MeanNs() const { return passes_ > 0 ? total_ns_ / passes_ : 0; }
  void Report(benchmark::State& state) const {
    if (passes_ == 0) return;
    if (g_yardstick_ns == 0) g_yardstick_ns = MeasureYardstick(500);
    state.counters["yardsticks"] = MeanNs() / g_yardstick_ns;
    state.counters["cpu_ms"] = MeanNs() / 1e6;
  }

 private:
  double total_ns_ = 0;
  long passes_ = 0;
};

struct Scene {
  // A game at the title screen, or (nLevel > 0) started at nLevel with its preview passed.
  explicit Scene(int nLevel) {
    std::filesystem::current_path(PIBO_GAME_DIR);
    keys.Hold({dik::SPACE});  // the stage preview goes on at once
    game.IE.SetSource(&keys);
    if (!game.Initialize(host, false)) std::abort();
    game.Options.bSoundEffects = 0;
    game.Play.Randomize(3);
    if (nLevel > 0) {
      const int stage = nLevel > 30 ? 4 : (nLevel - 1) / 6 + 1;
      game.BeginGame(static_cast<int16_t>(nLevel - 1), static_cast<int16_t>(stage - 1));
      FrameLoop(game).RunWhileWaiting();
    }
    keys.Hold({});
  }
  ~Scene() { game.IE.SetSource(nullptr); }
  void Pass() {
    game.DrawFrame();
    game.DoFrame();
  }
  // The hero never dies, so the level plays on.
  void KeepHeroAlive() { game.Play.CharHealth = 5; }
  bool Playing(int nLevel) const { return game.IsRunning() && game.Play.Level == nLevel; }

  headless::ManualClock clock;
  headless::HeadlessHost host{"Pibo II bench"};
  headless::ScriptedKeys keys;
  Game game;
};

// A few seconds into level 9: bombs falling and rolling, the hero hit now and then, effects
// running.
constexpr int kTypicalLevel = 9;
constexpr int kWarmUpPasses = 150;

// Every bomb, every ball and every effect slot in play, pieces of 2 x 2 pixels, the machine
// whole: the same scene before every pass.
void FillHeaviest(Game& game) {
  game.Options.nHighDetailGraphics = 1;
  PlayState& play = game.Play;
  play.nHighDetailGraphics = 1;
  play.CharHealth = 5;
  play.MachineHealth = 700;
  play.BombCount = MAX_BOMBS;
  for (int i = 0; i < MAX_BOMBS; ++i) {
    play.Bombs[i] = BombRec{};
    play.Bombs[i].X = static_cast<float>(30 * i);
    play.Bombs[i].Y = static_cast<float>(100 + 8 * i);
    play.Bombs[i].VX = i % 2 ? 8.0f : -8.0f;
  }
  for (int i = 0; i < MAX_SHOTS; ++i) {
    ShotRec& shot = play.Shots[i];
    shot = ShotRec{};
    shot.Active = VB_TRUE;
    shot.X = static_cast<int16_t>(200 + 20 * i);
    shot.Y = static_cast<float>(50 + 10 * i);
    shot.VX = i % 2 ? 20.0f : -20.0f;
  }
  for (EffectRec& effect : play.Effects) effect.Active = VB_FALSE;
  for (int i = 0; i < MAX_EFFECTS; ++i)
    play.StartParticleEffect(static_cast<float>(50 * i), 300, 2.5f, 2.5f, 0.5f, 15, 100,
                             PictureId::HotBomb, 2, 2, 0, 0, 40, 40, 30000);
}

bool EffectSlotsFull(const Game& game) {
  for (const EffectRec& effect : game.Play.Effects)
    if (effect.Active == VB_FALSE || effect.CountX * effect.CountY != 400) return false;
  return true;
}

void BM_Yardstick800x600(benchmark::State& state) {
  SDL_Surface* from = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
  PassTimer timer;
  for (auto _ : state) timer.Time([&] { SDL_BlitSurface(from, nullptr, to, nullptr); });
  SDL_FreeSurface(from);
  SDL_FreeSurface(to);
  g_yardstick_ns = timer.MeanNs();
  timer.Report(state);
}
BENCHMARK(BM_Yardstick800x600)->Unit(benchmark::kMillisecond);

void BM_TitlePass(benchmark::State& state) {
  Scene scene(0);
  scene.Pass();  // the title goes up; from then on it stands still
  PassTimer timer;
  for (auto _ : state) {
    timer.Time([&] { scene.Pass(); });
    if (scene.game.GameMode != GAMEMODE_TITLE) state.SkipWithError("left the title screen");
  }
  timer.Report(state);
}
BENCHMARK(BM_TitlePass)->Apply(CountedUnderCallgrind<2000>)->Unit(benchmark::kMillisecond);

// Level 9 a few seconds in; then `step` is timed pass after pass with the hero kept alive.
template <class Step>
void TimeTypicalLevel(benchmark::State& state, Step&& step) {
  Scene scene(kTypicalLevel);
  for (int i = 0; i < kWarmUpPasses; ++i) {
    scene.KeepHeroAlive();
    scene.Pass();
  }
  PassTimer timer;
  for (auto _ : state) {
    scene.KeepHeroAlive();
    timer.Time([&] { step(scene); });
    if (!scene.Playing(kTypicalLevel)) state.SkipWithError("no longer playing level 9");
  }
  timer.Report(state);
}

// Level 1 from its start with the hero standing where it begins: the first thing a player sees
// of play (until the bombs wear the hero down, which the benchmark does not let happen).
void BM_StandingPass(benchmark::State& state) {
  Scene scene(1);
  for (int i = 0; i < 10; ++i) scene.Pass();  // past the first frame, drawn whole
  PassTimer timer;
  for (auto _ : state) {
    scene.KeepHeroAlive();
    timer.Time([&] { scene.Pass(); });
    if (!scene.Playing(1)) state.SkipWithError("no longer playing level 1");
  }
  timer.Report(state);
}
BENCHMARK(BM_StandingPass)->Apply(CountedUnderCallgrind<600>)->Unit(benchmark::kMillisecond);

void BM_TypicalPass(benchmark::State& state) {
  TimeTypicalLevel(state, [](Scene& scene) { scene.Pass(); });
}
BENCHMARK(BM_TypicalPass)->Apply(CountedUnderCallgrind<600>)->Unit(benchmark::kMillisecond);

// The same level with the hero carried to and fro across the middle of the level, so the view
// scrolls every pass and every frame is drawn whole.
// One pass with the hero carried a step across the middle of the level, turning at its ends.
void ScrollingPass(Scene& scene, float& step) {
  float& x = scene.game.Play.CharX;
  if (x < 500 || x > 1100) {
    x = std::clamp(x, 500.0f, 1100.0f);
    step = -step;
  }
  x += step;
  scene.Pass();
}

void BM_ScrollingPass(benchmark::State& state) {
  float step = 6;
  TimeTypicalLevel(state, [&step](Scene& scene) { ScrollingPass(scene, step); });
}
BENCHMARK(BM_ScrollingPass)->Apply(CountedUnderCallgrind<200>)->Unit(benchmark::kMillisecond);

void BM_HeaviestPass(benchmark::State& state) {
  Scene scene(30);
  PassTimer timer;
  for (auto _ : state) {
    state.PauseTiming();
    FillHeaviest(scene.game);
    state.ResumeTiming();
    timer.Time([&] { scene.Pass(); });
    if (!scene.Playing(30) || scene.game.Play.MachineHealth <= 0)
      state.SkipWithError("no longer fighting the machine");
    if (!EffectSlotsFull(scene.game)) state.SkipWithError("the effect slots are not full");
  }
  timer.Report(state);
}
BENCHMARK(BM_HeaviestPass)->Apply(CountedUnderCallgrind<100>)->Unit(benchmark::kMillisecond);

void BM_Simulation(benchmark::State& state) {
  TimeTypicalLevel(state, [](Scene& scene) { scene.game.DoFrame(); });
}
BENCHMARK(BM_Simulation)->Unit(benchmark::kMillisecond);

void BM_Present(benchmark::State& state) {
  Scene scene(kTypicalLevel);
  scene.Pass();
  Display& screen = scene.host.Screen();
  Surface& primary = *scene.game.GE.PrimarySurface();
  auto* pixels = static_cast<uint16_t*>(primary.Raw()->pixels);
  PassTimer timer;
  for (auto _ : state) {
    // A wholly new picture every time: the most a present can cost.
    state.PauseTiming();
    for (int i = 0; i < 800 * 600; ++i) pixels[i] = static_cast<uint16_t>(~pixels[i]);
    state.ResumeTiming();
    timer.Time([&] { screen.Present(primary); });
  }
  timer.Report(state);
}
BENCHMARK(BM_Present)->Unit(benchmark::kMillisecond);

// Level 9 played running in a window of the given size (full screen on such a screen): the
// picture scaled by a whole number where that fits (2400 x 1800 on 3840 x 2160), else as large
// as fits (1440 x 1080 on 1920 x 1080); the view scrolls every pass, so all of it is drawn.
void BM_ScaledScrollingPass(benchmark::State& state) {
  Scene scene(kTypicalLevel);
  Display& screen = scene.host.Screen();
  SDL_SetWindowSize(screen.Window(), static_cast<int>(state.range(0)),
                    static_cast<int>(state.range(1)));
  for (SDL_Event event; SDL_PollEvent(&event);) {
  }
  screen.Refresh();
  for (int i = 0; i < kWarmUpPasses; ++i) {
    scene.KeepHeroAlive();
    scene.Pass();
  }
  PassTimer timer;
  float step = 6;
  for (auto _ : state) {
    scene.KeepHeroAlive();
    timer.Time([&] { ScrollingPass(scene, step); });
  }
  timer.Report(state);
}
BENCHMARK(BM_ScaledScrollingPass)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

// The start of a game run up to its first title frame on the screen: the files read, the
// pictures and fonts made, the screen opened, the title drawn.
void BM_StartUp(benchmark::State& state) {
  PassTimer timer;
  for (auto _ : state) {
    timer.Time([] {
      Scene scene(0);
      scene.game.DrawFrame();
    });
  }
  timer.Report(state);
}
BENCHMARK(BM_StartUp)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
