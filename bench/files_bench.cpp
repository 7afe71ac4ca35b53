// What refusing a hostile picture or wave costs: the header checks alone decide, before SDL
// allocates anything, so each costs microseconds and no memory to speak of (the counter
// `peak_rss_mb` is the whole benchmark program's peak).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <vector>

#include "base/failure.h"
#include "engines/surface.h"
#include "engines/vbse.h"
#include "tests/engines/hostile_files.h"

namespace {

using namespace hostile_files;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_RefuseHostilePictures(benchmark::State& state) {
  const std::vector<std::vector<uint8_t>> files = {
      Bitmap(65536, 65536, 8, 0, 4096), Bitmap(100000, 100000, 8, 1, 4096),
      Bitmap(1, 2147483647, 24, 0, 4096), Bitmap(640, 35, 8, 1), Bitmap(640, 350, 24)};
  for (auto _ : state) {
    for (const std::vector<uint8_t>& file : files) {
      try {
        Surface::FromBytes(file, 640, 35);
        state.SkipWithError("a hostile picture was accepted");
      } catch (const GameError&) {
      }
    }
  }
  state.counters["peak_rss_mb"] = PeakMegabytes();
}
BENCHMARK(BM_RefuseHostilePictures)->Unit(benchmark::kMicrosecond);

void BM_RefuseHostileWaves(benchmark::State& state) {
  std::vector<uint8_t> boing = Wave(1, 1, 8, 800);
  Put32(boing, 40, 256 * 1024);
  std::vector<uint8_t> huge = Wave(1, 8000, 8, 800);
  Put32(huge, 40, 0x7FFFFFFF);
  const std::vector<std::vector<uint8_t>> files = {boing, huge, Wave(3, 8000, 8, 900),
                                                   Wave(1, 4000, 8, 4000 * 61)};
  for (auto _ : state) {
    for (const std::vector<uint8_t>& file : files) {
      try {
        VBSE::DecodeWave(file, false);
        state.SkipWithError("a hostile wave was accepted");
      } catch (const GameError&) {
      }
    }
  }
  state.counters["peak_rss_mb"] = PeakMegabytes();
}
BENCHMARK(BM_RefuseHostileWaves)->Unit(benchmark::kMicrosecond);

}  // namespace
