#pragma once
// Start-up and the frame loop.
#include <cstdint>
#include <string>
#include <string_view>

class Game;

struct CommandLineWords {
  bool bDevelop = false;
  bool bExtra = false;
};

// DEVELOP and EXTRA anywhere in the command line, in any case, even inside longer words.
CommandLineWords ReadCommandLine(std::string_view sCommandLine);
// The arguments after the program's name as one text, separated by blanks.
std::string JoinArguments(int argc, char** argv);

// How long to sleep after a pass that started at nStart and finished its work at nEnd (readings
// of the wrapping millisecond clock) so that the pass lasts 30 ms; 0 when it already did.
uint32_t FramePadding(uint32_t nStart, uint32_t nEnd);

// Runs passes until the game's QuitRequested (at once when a quit came while the game loaded).
// False when DrawFrame or DoFrame failed (the run ends at once).
bool RunFrameLoop(Game& game);

// The program: returns the process exit status.
int Main(int argc, char** argv);
