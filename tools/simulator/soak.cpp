#include "tools/simulator/soak.h"


#include <cstdio>
#include <filesystem>
#include <ostream>
#include <random>
#include <sstream>

#include "base/failure.h"
#include "base/paths.h"
#include "data/file_io.h"
#include "data/level_set.h"
#include "data/options.h"
#include "play/play_state.h"
#include "tools/simulator/process_memory.h"
#include "tools/simulator/simulator.h"

namespace {

constexpr double kFramesPerHour = 3600.0 * 1000.0 / 30.0;

// A restless player: every few frames a new set of keys, mostly running and jumping, often
// firing, now and then switching the ball type or pressing down.
class RandomPlayer {
 public:
  explicit RandomPlayer(uint32_t nSeed) : rng_(nSeed) {}

  KeyboardSnapshot Next() {
    if (held_for_-- <= 0) {
      held_for_ = Chance(5, 40);
      keys_.fill(0);
      const int run = Chance(0, 9);
      if (run < 4) keys_[dik::LEFT] = 0x80;
      if (run >= 4 && run < 8) keys_[dik::RIGHT] = 0x80;
      if (Chance(0, 9) < 4) keys_[dik::UP] = 0x80;
      if (Chance(0, 9) < 3) keys_[dik::LCONTROL] = 0x80;
      if (Chance(0, 29) == 0) keys_[dik::LSHIFT] = 0x80;
      if (Chance(0, 19) == 0) keys_[dik::DOWN] = 0x80;
    }
    return keys_;
  }

 private:
  // The generator's numbers are the same everywhere, but the standard libraries spread them over a
  // range each their own way; this spreading is ours, so a seed plays the same soak on every
  // system (the browser build's simulator included). The bias of a remainder is of no matter here.
  int Chance(int nLow, int nHigh) {
    return nLow + static_cast<int>(rng_() % static_cast<uint32_t>(nHigh - nLow + 1));
  }

  std::mt19937 rng_;
  KeyboardSnapshot keys_{};
  int held_for_ = 0;
};

struct LevelTally {
  long nFrames = 0;
  int nFinished = 0;
  int nLost = 0;
};

// Plays one level for nFrames, from its start and again after every game over; a finished level
// goes on into the next, as in the game.
bool PlayLevel(PlayState& play, int nLevel, long nFrames, RandomPlayer& player, LevelTally& tally) {
  if (!StartLevel(play, nLevel, 0)) return false;
  for (; tally.nFrames < nFrames; ++tally.nFrames) {
    play.KeyboardState = player.Next();
    play.TurnChar();
    const PlayStep step = play.Step(false);
    if (step == PlayStep::Failed) return false;
    if (step == PlayStep::LevelDone) {
      ++tally.nFinished;
      if (!Trapped("Game - StartNextLevel - ", [&] { return play.EnterNextLevel(0), true; }))
        return false;
    }
    if (step == PlayStep::GameOver) {
      ++tally.nLost;
      if (!StartLevel(play, nLevel, 0)) return false;
    }
  }
  return true;
}

}  // namespace

int RunSoak(const SoakOptions& options, std::ostream& out) {
  if (!EnterFolder(PathFromText(options.sFolder))) {
    std::fprintf(stderr, "pibo-sim: cannot enter the folder %s\n", options.sFolder.c_str());
    return 1;
  }
  const long total = static_cast<long>(options.fHours * kFramesPerHour);
  RandomPlayer player(options.nSeed);
  long frames = 0;
  long peakAfterFirst = 0;
  for (const bool extra : {false, true}) {
    LevelSet levels;
    if (!Trapped("Game - LoadLevels - ", [&] {
          levels = ParseLevelFile(ReadFileBytes(LevelFileName(extra), LEVEL_FILE_LIMIT));
          return true;
        }))
      return 1;
    PlayState play;
    play.Levels = &levels;
    play.nHighDetailGraphics = GameOptions{}.nHighDetailGraphics;
    play.Randomize(options.nSeed);
    const long share = total / (2L * levels.LevelCount);
    for (int level = 1; level <= levels.LevelCount; ++level) {
      LevelTally tally;
      if (!PlayLevel(play, level, share, player, tally)) {
        std::fprintf(stderr, "pibo-sim: level %d of the %s set failed\n", level,
                     extra ? "extra" : "normal");
        return 1;
      }
      frames += tally.nFrames;
      const ProcessMemory memory = MemoryNow();
      if (peakAfterFirst == 0) peakAfterFirst = memory.nPeakKB;
      out << "{\"set\":\"" << (extra ? "extra" : "normal") << "\",\"level\":" << level
          << ",\"frames\":" << tally.nFrames << ",\"finished\":" << tally.nFinished
          << ",\"lost\":" << tally.nLost << ",\"totalFrames\":" << frames
          << ",\"residentKB\":" << memory.nResidentKB << ",\"peakKB\":" << memory.nPeakKB << "}\n";
    }
  }
  const long growth = MemoryNow().nPeakKB - peakAfterFirst;
  out << "{\"hours\":" << frames / kFramesPerHour << ",\"frames\":" << frames
      << ",\"peakGrowthKB\":" << growth << "}\n";
  if (growth > options.nGrowthLimitKB) {
    std::fprintf(stderr, "pibo-sim: memory grew by %ld KB after the first level\n", growth);
    return 1;
  }
  return 0;
}
