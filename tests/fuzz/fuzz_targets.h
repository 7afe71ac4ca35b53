#pragma once
// The fuzz targets: one for every reader of data from outside the game. Each takes any bytes,
// must never crash, hang or run away with memory, and traps when what it read breaks a promise
// of its reader (a name longer than a name can be, a file that does not read back the same).
// libFuzzer drives one target per program; the test suite replays every saved input through all
// of them.
#include <cstddef>
#include <cstdint>
#include <span>

struct FuzzTarget {
  const char* Name;  // also the folder of its inputs under tests/fuzz/seeds and tests/fuzz/found
  int (*Run)(const uint8_t* data, size_t size);
};

std::span<const FuzzTarget> FuzzTargets();

int FuzzLevelFile(const uint8_t* data, size_t size);
int FuzzLevelNames(const uint8_t* data, size_t size);
int FuzzHighScores(const uint8_t* data, size_t size);
int FuzzOptions(const uint8_t* data, size_t size);
int FuzzPicture(const uint8_t* data, size_t size);
int FuzzWave(const uint8_t* data, size_t size);
int FuzzLevelText(const uint8_t* data, size_t size);
int FuzzKeyScript(const uint8_t* data, size_t size);
int FuzzRecording(const uint8_t* data, size_t size);
int FuzzSettings(const uint8_t* data, size_t size);
