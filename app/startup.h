#pragma once
// Start-up: the command line, the program's folders, and the run from the first pass to the end.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/level_pack.h"
#include "app/main_window.h"
#include "data/recording.h"
#include "game/game.h"

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
  std::string sRecord;   // --record FILE: every game played is recorded there
  std::string sReplay;   // --replay FILE: plays that recording back
  std::string sLevels;   // --levels FOLDER: the level pack played in place of the game's levels
  std::string sWords;    // the rest of the command line, where the words are looked for
  std::string sProblem;  // what is wrong with the command line, if anything
};
CommandLineOptions ReadCommandLineOptions(int argc, char** argv);
// What --help prints.
std::string UsageText();
// What --version prints.
std::string VersionText();

// The file an installation puts in the program's folder to mark it as installed.
constexpr const char* INSTALLED_MARK = "pibo2.installed";

// Where the game keeps its own files (options, high scores, the edited level file, the error
// log): the program's folder itself when it is a folder the game was built or unpacked into and
// can write; $XDG_DATA_HOME/pibo2 (default ~/.local/share/pibo2; on Windows %APPDATA%\pibo2),
// made when missing, when the folder is installed (it holds INSTALLED_MARK) or cannot be written. Throws when that folder
// cannot be made.
std::string ChooseDataFolder(const std::string& sProgramFolder);

// The arguments after the program's name as one text, separated by blanks.
std::string JoinArguments(int argc, char** argv);

// A run of the game: its window, the game in it, and how the run ends.
struct GameRun {
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<Game> game;
  std::string sDataFolder;  // where the game keeps its own files
  // The level pack played (--levels), and where its own files are kept.
  std::optional<LevelPack> pack;
  std::string sPackDataFolder;
  int nStatus = 0;          // the process exit status
};
// Opens the window and loads the game (and the recording to replay, if any). False, with the
// failure told and nStatus set, when the game cannot start.
bool StartRun(GameRun& run, const CommandLineWords& words, bool bWindowed,
              const std::optional<Recording>& replay, const std::string& sRecordFile);
// Closes the window, the game and SDL once the run is over; returns the exit status.
int FinishRun(GameRun& run);

// The program: returns the process exit status.
int Main(int argc, char** argv);
