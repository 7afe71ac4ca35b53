#pragma once
// The headless simulator: the game's own rules on a level of the set, stepped frame by frame from
// a key script with no screen and no sound, printing the play state as JSON lines. The screens
// between levels pass at once. The same arguments always print the same bytes.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "headless/key_script.h"

struct SimulatorOptions {
  std::string sFolder;  // the program's folder
  bool bExtra = false;
  bool bEasy = false;
  bool bSafeTime = false;  // the safe-time assist
  uint32_t nSeed = 0;
  int nLevel = 1;
  long nFrames = 3000;
  bool bTrace = false;
};

class PlayState;
struct Recording;

// Plays a recorded game again, as the game played it (pibo2 --record), writing the state lines.
// Returns 0 when the replay ends as the recording did (its score and level), 3 when it does not
// (said on standard error), 1 when the recording does not fit the folder's level set.
int ReplayRecording(const SimulatorOptions& options, const Recording& recording, std::ostream& out);

// Plays and writes the state lines to `out`. Returns the exit status: 0, or 1 when the level set
// could not be read (the reason is in Errors.txt and on standard error).
int RunSimulation(const SimulatorOptions& options, const KeyScript& script, std::ostream& out);

// Starts level nLevel (1 to the set's count) of the set play.Levels points at, as the game starts
// it from its preview. False, with the reason logged, when it cannot be started.
bool StartLevel(PlayState& play, int nLevel, int16_t nEasy);

// One line of JSON holding the play state after frame nFrame, with the game's mode (1 playing,
// 2 the title screen after the game's end).
std::string StateJson(const PlayState& play, int16_t nGameMode, long nFrame);
