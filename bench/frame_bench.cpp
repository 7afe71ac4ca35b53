// The work of one pass of the frame loop, DrawFrame then DoFrame, on a typical level and on the
// heaviest scene the game makes: the machine level with every bomb, every ball and every effect
// slot busy with high-detail pieces. A pass has 30 ms; this should be a small part of it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "game/game.h"
#include "headless/headless.h"

namespace {

struct Scene {
  Scene(int nLevel) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("PIBO_WINDOWED", "1", 1);
    std::filesystem::current_path(PIBO_GAME_DIR);
    keys.Hold({dik::SPACE});  // the stage preview goes on at once, and the hero keeps jumping
    game.IE.SetSource(&keys);
    if (!game.Initialize(host, false)) std::abort();
    game.Options.bSoundEffects = 0;
    game.Play.Randomize(3);
    const int stage = nLevel > 30 ? 4 : (nLevel - 1) / 6 + 1;
    game.BeginGame(static_cast<int16_t>(nLevel - 1), static_cast<int16_t>(stage - 1));
  }
  ~Scene() { game.IE.SetSource(nullptr); }
  void Pass() {
    game.DrawFrame();
    game.DoFrame();
  }

  headless::ManualClock clock;
  headless::HeadlessHost host{"Pibo II bench"};
  headless::ScriptedKeys keys;
  Game game;
};

// Every bomb, every ball and every effect slot in play, pieces of 2 x 2 pixels.
void FillHeaviest(Game& game) {
  game.Options.nHighDetailGraphics = 1;
  PlayState& play = game.Play;
  play.nHighDetailGraphics = 1;
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
  for (int i = 0; i < MAX_EFFECTS; ++i)
    play.StartParticleEffect(static_cast<float>(50 * i), 300, 2.5f, 2.5f, 0.5f, 15, 100,
                             PictureId::HotBomb, 2, 2, 0, 0, 40, 40, 30000);
}

void BM_TypicalLevel(benchmark::State& state) {
  Scene scene(9);
  for (int i = 0; i < 200; ++i) scene.Pass();  // bombs in play, effects running
  for (auto _ : state) scene.Pass();
}
BENCHMARK(BM_TypicalLevel)->Unit(benchmark::kMillisecond);

void BM_HeaviestScene(benchmark::State& state) {
  Scene scene(30);
  for (auto _ : state) {
    state.PauseTiming();
    FillHeaviest(scene.game);
    scene.game.DrawFrame();
    state.ResumeTiming();
    scene.Pass();
  }
}
BENCHMARK(BM_HeaviestScene)->Unit(benchmark::kMillisecond);

void BM_TitleScreen(benchmark::State& state) {
  Scene scene(1);
  scene.game.GameMode = GAMEMODE_TITLE;
  for (auto _ : state) scene.game.DrawFrame();
}
BENCHMARK(BM_TitleScreen)->Unit(benchmark::kMillisecond);

void BM_CopyBackBuffer(benchmark::State& state) {
  Scene scene(1);
  Surface* back = scene.game.GE.BackBuffer().get();
  std::shared_ptr<Surface> copy = Surface::Create(1200, 600);
  for (auto _ : state) {
    Rect dest{0, 0, 1200, 600}, source{0, 0, 1200, 600};
    scene.game.GE.Blit(copy.get(), dest, back, source, 0, 0, BLIT_WAIT);
  }
}
BENCHMARK(BM_CopyBackBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
