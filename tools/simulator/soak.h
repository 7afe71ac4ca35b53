#pragma once
// The soak: hours of play compressed into seconds. Random keys (held for a moment each, as a
// restless player holds them) play every level of both level sets in turn, each for its share of
// the time, starting the level again after a game over. One JSON line per level tells the frames,
// the levels finished, the games lost and the process's memory, so a leak shows as a rising curve.
#include <cstdint>
#include <iosfwd>
#include <string>

struct SoakOptions {
  std::string sFolder;  // the program's folder
  double fHours = 10;   // of play at the game's 30 ms a frame
  uint32_t nSeed = 1;
  // The most the peak memory may grow after the first level before the soak counts as failed.
  long nGrowthLimitKB = 8192;
};

// Returns 0, or 1 when a level set could not be read, a frame failed or memory kept growing.
int RunSoak(const SoakOptions& options, std::ostream& out);
