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
// The options beside the words: --help and --version print their text and end the run before
// anything else happens (no window, no file touched); --window starts in a window rather than
// full screen. Anything else is only searched for the words.
struct CommandLineOptions {
  bool bHelp = false;
  bool bVersion = false;
  bool bWindow = false;
};
CommandLineOptions ReadCommandLineOptions(int argc, char** argv);
// What --help prints.
std::string UsageText();
// What --version prints.
std::string VersionText();

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
