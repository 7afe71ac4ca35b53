#include "app/startup.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/frame_loop.h"
#ifdef __EMSCRIPTEN__
#include "app/browser.h"
#endif
#include "app/main_window.h"
#include "base/error_log.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/version.h"
#include "data/recording.h"
#include "engines/font.h"
#include "engines/platform.h"
#include "game/game.h"

CommandLineWords ReadCommandLine(std::string_view sCommandLine) {
  std::string upper(sCommandLine);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return CommandLineWords{upper.find("DEVELOP") != std::string::npos,
                          upper.find("EXTRA") != std::string::npos};
}

CommandLineOptions ReadCommandLineOptions(int argc, char** argv) {
  CommandLineOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") options.bHelp = true;
    if (arg == "--version") options.bVersion = true;
    if (arg == "--window") options.bWindow = true;
    if (arg == "--record" || arg == "--replay" || arg == "--levels") {
      // The file's name is no place for the words: "extra-run.rec" is not EXTRA.
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        options.sProblem =
            std::string(arg) + (arg == "--levels" ? " needs a folder" : " needs a file");
        continue;
      }
      std::string& value = arg == "--levels"   ? options.sLevels
                           : arg == "--record" ? options.sRecord
                                               : options.sReplay;
      value = argv[++i];
      continue;
    }
    if (!options.sWords.empty()) options.sWords += ' ';
    options.sWords += arg;
  }
  if (!options.sRecord.empty() && !options.sReplay.empty())
    options.sProblem = "--record and --replay cannot go together";
  // A pack is played in place of both level sets, as the normal set is (its title picture, its
  // passwords, its rules of an easy game): there is no extra set of a pack.
  if (!options.sLevels.empty() && ReadCommandLine(options.sWords).bExtra)
    options.sProblem =
        "--levels cannot go with EXTRA: a level pack is played in place of the game's level sets";
  // A recording holds the keys of play; in develop mode the editor, the mouse and the level keys
  // change the game under the hero as well, so such a game could not be played back.
  if (!options.sRecord.empty() && ReadCommandLine(options.sWords).bDevelop)
    options.sProblem =
        "--record cannot go with DEVELOP: the level editor changes the game in ways "
        "a recording cannot play back";
  return options;
}

std::string UsageText() {
  return "Usage: pibo2 [DEVELOP] [EXTRA] [--window] [--levels FOLDER] "
         "[--record FILE | --replay FILE]\n"
         "             [--help] [--version]\n"
         "\n"
         "Pibo II: run and jump through thirty levels in five stages, collect every gem while\n"
         "bombs rain down, blast them with the Ballblaster and beat the machine.\n"
         "\n"
         "Words (anywhere on the command line, in any case):\n"
         "  DEVELOP    the level editor (keypad / paints with the mouse, the right button\n"
         "             opens the palette), F5 next level, F6 last level, F7 health to 10,\n"
         "             F8 1000 points more, and a frame-rate meter\n"
         "  EXTRA      the extra level set, with its own level names, high scores, options,\n"
         "             title picture and stage passwords\n"
         "\n"
         "Options:\n"
         "  --window   start in a window instead of full screen (Alt+Enter switches any time)\n"
         "  --levels FOLDER  play the level pack in FOLDER (its Levels.dat and LevelNames_zt.txt)\n"
         "             in place of the game's levels; its high scores and options are kept\n"
         "             beside them, or in ~/.local/share/pibo2/packs/ when FOLDER is read-only;\n"
         "             not with EXTRA\n"
         "  --record FILE  record every game played (from F1 to its end) into FILE;\n"
         "             not with DEVELOP, whose editor changes what a recording replays\n"
         "  --replay FILE  play a recorded game back, exactly as it was played\n"
         "  --help     show this text and quit\n"
         "  --version  show the version and quit\n"
         "\n"
         "Keys:\n"
         "  F1 new game            F2 stage password      F3 options\n"
         "  F4 settings: volumes, assists and keys (in settings.ini in ~/.config/pibo2)\n"
         "  Left/Right run         Up or Space jump       Down drop through a platform\n"
         "  Ctrl fire              Shift change the ball  P pause\n"
         "  Esc end the game, or quit from the title      Alt+Enter full screen or window\n"
         "\n"
         "Files, in the program's folder (the EXTRA set's names end in _e):\n"
         "  Levels.dat             the level set (the editor's changes are saved into it)\n"
         "  LevelNames_zt.txt      the level names\n"
         "  HighScores_zt.dat      the high-score table\n"
         "  Options_zt.dat         the options\n"
         "  Errors.txt             what went wrong, if anything did\n"
         "  Music/Track01.ogg ...  the music, played when \"Play CD Music\" is on\n";
}

std::string VersionText() {
  return std::string("pibo2 ") + GAME_VERSION + "\n";
}

std::string ChooseDataFolder(const std::string& sProgramFolder) {
  const std::filesystem::path program = PathFromText(sProgramFolder);
  std::error_code ec;
  const bool installed = std::filesystem::exists(program / INSTALLED_MARK, ec);
  if (!installed && FolderWritable(program)) return sProgramFolder;
  return PathText(platform::UserDataFolder("pibo2"));
}

std::string JoinArguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

namespace {

// A start that fails is told on standard error and in the error log; where the game has a real
// screen, a message box tells it too, since a player who started the game from a menu sees
// neither. The box waits for OK.
void TellStartFailure(const std::string& folder, MainWindow& window) {
  std::fprintf(stderr, "pibo2: start-up failed; see Errors.txt in %s\n", folder.c_str());
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::string_view(driver) == "dummy" ||
      std::string_view(driver) == "offscreen")
    return;
  const std::string why = LastLoggedError();
  const std::string text = "Pibo II could not start.\n\n" + (why.empty() ? "Unknown error." : why) +
                           "\n\nThe file Errors.txt in " + folder + " keeps the details.";
  if (SDL_Window* screen = window.Screen().Window()) SDL_HideWindow(screen);
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Pibo II", text.c_str(), nullptr) != 0)
    std::fprintf(stderr, "pibo2: the message box could not be shown: %s\n", SDL_GetError());
}

}  // namespace

int Main(int argc, char** argv) {
  const CommandLineOptions options = ReadCommandLineOptions(argc, argv);
  if (options.bHelp || options.bVersion) {
    std::fputs((options.bHelp ? UsageText() : VersionText()).c_str(), stdout);
    return 0;
  }
  if (!options.sProblem.empty()) {
    std::fprintf(stderr, "pibo2: %s\n%s", options.sProblem.c_str(), UsageText().c_str());
    return 2;
  }
  // A recording to play back is read before anything else: one that cannot be played stops the
  // start with the reason. Both files are named from where the game was started.
  std::optional<Recording> replay;
  if (!options.sReplay.empty()) {
    try {
      const std::vector<uint8_t> bytes =
          ReadFileBytes(PathFromText(options.sReplay), RECORDING_FILE_LIMIT);
      replay = ParseRecording(
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
          GAME_VERSION);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "pibo2: %s: %s\n", options.sReplay.c_str(), e.what());
      return 1;
    }
  }
  const std::string recordFile =
      options.sRecord.empty() ? "" : PathText(std::filesystem::absolute(PathFromText(options.sRecord)));
  // A pack's folder is named from where the game was started too; a recording of a pack is
  // played back on a pack, and one of the game's own sets on those.
  const std::string packFolder =
      options.sLevels.empty() ? ""
                              : PathText(std::filesystem::absolute(PathFromText(options.sLevels)));
  if (replay) {
    if (const std::string why = RecordingSetMismatch(
            *replay, ReadCommandLine(options.sWords).bExtra, !packFolder.empty());
        !why.empty()) {
      std::fprintf(stderr, "pibo2: %s: %s\n", options.sReplay.c_str(), why.c_str());
      return 1;
    }
  }
  // --window (or PIBO_WINDOWED=1, handy while developing) starts in a window.
  const char* windowedVariable = std::getenv("PIBO_WINDOWED");
  const bool windowed = options.bWindow || (windowedVariable != nullptr &&
                                            *windowedVariable != '\0' && *windowedVariable != '0');
  // The program's folder becomes the current directory: every data file lives there.
  std::string folder;
  try {
    folder = platform::ExecutableFolder();
    if (!EnterFolder(PathFromText(folder))) throw std::runtime_error("Cannot enter " + folder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo2: %s\n", e.what());
    return 1;
  }
  // The game's own files stay beside it, unless it is installed or its folder is read-only.
  std::string dataFolder;
  try {
    dataFolder = ChooseDataFolder(folder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo2: %s\n", e.what());
    return 1;
  }
  SetErrorLogFolder(dataFolder == folder ? "" : dataFolder);
  // A level pack that cannot be played stops the start before a window opens, and nothing is
  // written but the reason in the error log.
  auto run = std::make_unique<GameRun>();
  run->sDataFolder = dataFolder;
  if (!packFolder.empty()) {
    try {
      run->pack = OpenLevelPack(packFolder);
    } catch (const std::exception& e) {
      LogError(std::string("Main - LevelPack - ") + e.what());
      std::fprintf(stderr, "pibo2: the level pack cannot be played; see Errors.txt in %s\n",
                   dataFolder.c_str());
      return 1;
    }
    try {
      run->sPackDataFolder = ChoosePackDataFolder(*run->pack, folder, dataFolder);
    } catch (const std::exception& e) {
      LogError(std::string("Main - LevelPack - ") + e.what());
      return 1;
    }
  }
  // Where the program lives, for other programs to find: nothing of the game needs it, so a
  // failure is only logged.
  try {
    platform::SaveSetting("VORA", "General", "AppPath", folder);
  } catch (const std::exception& e) {
    LogError(std::string("Main - SaveSetting - ") + e.what());
  }

  const CommandLineWords words = ReadCommandLine(options.sWords);

  if (!StartRun(*run, words, windowed, replay, recordFile)) return FinishRun(*run);
#ifdef __EMSCRIPTEN__
  // The browser's own main loop runs the passes from here on, and ends the run.
  RunInBrowser(std::move(run));
  return 0;
#else
  try {
    if (!FrameLoop(*run->game, run->window.get()).Run()) {
      std::fprintf(stderr, "pibo2: stopped after an error; see Errors.txt in %s\n",
                   dataFolder.c_str());
      run->nStatus = 1;
    }
  } catch (const std::exception& e) {
    // Only a failure of the error log itself gets here.
    std::fprintf(stderr, "pibo2: %s\n", e.what());
    run->nStatus = 1;
  }
  return FinishRun(*run);
#endif
}

bool StartRun(GameRun& run, const CommandLineWords& words, bool bWindowed,
              const std::optional<Recording>& replay, const std::string& sRecordFile) {
  run.window = std::make_unique<MainWindow>();
  run.game = std::make_unique<Game>();
  MainWindow& window = *run.window;
  Game& game = *run.game;
  window.SetGame(&game);
  const std::string& dataFolder = run.sDataFolder;
  const std::string folder = platform::ExecutableFolder();
  try {
    // The sound device is looked for while the window opens.
    game.SE.OpenDeviceInBackground();
    game.RecordFile = sRecordFile;
    if (run.pack) {
      game.PackFolder = run.pack->sFolder;
      game.PackName = run.pack->sName;
    }
    // The player's settings live in the config folder; without one the game plays with the
    // defaults (logged).
    try {
      game.SettingsFile = platform::UserConfigFolder("pibo2") / "settings.ini";
    } catch (const std::exception& e) {
      LogError(std::string("Main - Settings - ") + e.what());
    }
    platform::KeepComposeTable("pibo2");
    try {
      Font::KeepMatches(platform::UserCacheFolder("pibo2") / "fonts.txt");
    } catch (const std::runtime_error&) {
      // No home: fontconfig is asked at every start.
    }
    // The window's title names the pack played.
    window.Load(!bWindowed, run.pack ? "Pibo II - " + run.pack->sName : "Pibo II");
    std::string gameFiles = dataFolder == folder ? "" : dataFolder;
    if (run.pack) gameFiles = run.sPackDataFolder;
    if (!game.Initialize(window, words.bDevelop, words.bExtra, gameFiles) ||
        (replay && !game.StartReplay(*replay))) {
      TellStartFailure(dataFolder, window);
      run.nStatus = 1;
      return false;
    }
  } catch (const std::exception& e) {
    // Only a failure of the error log itself gets here.
    std::fprintf(stderr, "pibo2: %s\n", e.what());
    run.nStatus = 1;
    return false;
  }
  return true;
}

int FinishRun(GameRun& run) {
  // The game has done its end-of-run work; the window goes (and the music with it), then the
  // engines and everything they hold.
  if (run.window != nullptr) {
    run.window->Unload();
    run.window->SetGame(nullptr);
  }
  run.game.reset();
  run.window.reset();
  // The font library goes before SDL itself.
  Font::CloseAll();
  SDL_Quit();
  return run.nStatus;
}
