#pragma once
// The headless simulator: the real game on the dummy display, driven frame by frame from a key
// script with a virtual clock, printing its state as JSON lines. The same arguments always print
// the same bytes.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "tools/simulator/key_script.h"

struct SimulatorOptions {
  std::string sFolder;  // the program's folder
  bool bExtra = false;
  bool bEasy = false;
  uint32_t nSeed = 0;
  int nLevel = 1;
  long nFrames = 3000;
  bool bTrace = false;
};

class Game;

// Runs the game and writes the state lines to `out`. Returns the exit status: 0, or 1 when the
// game could not start (the reason is in Errors.txt and on standard error).
int RunSimulation(const SimulatorOptions& options, const KeyScript& script, std::ostream& out);

// One line of JSON holding the game's state after frame nFrame.
std::string StateJson(const Game& game, long nFrame);
