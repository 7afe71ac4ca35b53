// pibo-sim [--folder DIR] [--extra] [--easy] [--seed N] [--level N] [--frames N]
//          [--keys FILE|-] [--trace]
// pibo-sim --soak HOURS [--folder DIR] [--seed N]
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text_encoding.h"
#include "base/version.h"
#include "data/recording.h"
#include "tools/simulator/simulator.h"
#include "tools/simulator/soak.h"

namespace {

constexpr const char* kUsage =
    "usage: pibo-sim [--folder DIR] [--extra] [--easy] [--safe-time] [--seed N] [--level N]\n"
    "                [--frames N] [--keys FILE|-] [--trace]\n"
    "       pibo-sim --soak HOURS [--folder DIR] [--seed N]\n"
    "       pibo-sim --replay FILE [--folder DIR] [--trace]\n";

constexpr const char* kHelp =
    "\n"
    "Plays a level of the game headless, from a key script, and prints the game's state as one\n"
    "JSON line per frame with --trace (else only the last). The same arguments always print the\n"
    "same bytes.\n"
    "  --folder DIR   the program's folder with the level files (default: pibo-sim's own),\n"
    "                 or a level pack's folder (pibo2 --levels DIR)\n"
    "  --extra        the extra level set; --easy an easy game (half the bombs)\n"
    "  --safe-time    the safe-time assist: no health lost for a second after a hit\n"
    "  --seed N       the random seed (where the bombs drop); --level N the level to start\n"
    "  --frames N     how many frames to play\n"
    "  --keys FILE    the key script (- for standard input): lines \"FRAME key key ...\" with\n"
    "                 the keys left right up down space ctrl shift p, each held from that frame\n"
    "                 until the next line\n"
    "  --soak HOURS   random play through every level of both sets for that long (game time),\n"
    "                 checking that memory does not grow\n"
    "  --replay FILE  a game recorded with pibo2 --record FILE, played again from its start;\n"
    "                 status 3 when it does not end with the recorded score and level\n";

// A key script is a line for every change of the keys: a day of play changing them every frame
// is under 16 MB, so more is no key script (standard input may be an endless stream).
constexpr uintmax_t KEY_SCRIPT_LIMIT = 16 << 20;

int Usage(const std::string& why) {
  std::fprintf(stderr, "pibo-sim: %s\n%s", PrintableText(why).c_str(), kUsage);
  return 2;
}

int Refuse(const std::string& why) {
  std::fprintf(stderr, "pibo-sim: %s\n", PrintableText(why).c_str());
  return 2;
}

// Standard input up to nLimit bytes; one byte more is refused without reading further.
std::string ReadStandardInput(uintmax_t nLimit) {
  std::string text;
  char block[65536];
  while (text.size() <= nLimit) {
    const size_t want = std::min<uintmax_t>(sizeof block, nLimit + 1 - text.size());
    const size_t got = std::fread(block, 1, want, stdin);
    if (got == 0) break;
    text.append(block, got);
  }
  if (text.size() > nLimit)
    throw GameError(ERR_FILE_TOO_LARGE, "Too large (more than " + std::to_string(nLimit) +
                                            " bytes, the most a key "
                                            "script may hold)");
  if (std::ferror(stdin)) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  return text;
}

// The key script of --keys: a file, or standard input for "-". Throws naming the source.
KeyScript ReadKeyScript(const std::string& sKeys) {
  const bool standardInput = sKeys == "-";
  const std::string source = standardInput ? "standard input" : sKeys;
  std::string text;
  try {
    if (standardInput) {
      text = ReadStandardInput(KEY_SCRIPT_LIMIT);
    } else {
      const std::vector<uint8_t> bytes = ReadFileBytes(PathFromText(sKeys), KEY_SCRIPT_LIMIT);
      text.assign(bytes.begin(), bytes.end());
    }
  } catch (const std::exception& e) {
    throw std::runtime_error(source + ": " + e.what());
  }
  std::istringstream in(std::move(text));
  return KeyScript::Parse(in, source);
}

bool ReadNumber(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0';
}

}  // namespace

// The same bytes on every system: Windows would otherwise turn each "\n" written into "\r\n",
// and a key script read from standard input would lose its carriage returns.
void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
}

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  SimulatorOptions options;
  std::string keys;
  double soakHours = 0;
  std::string replay;
  const std::vector<std::string> arguments = ProgramArguments(argc, argv);
  const int count = static_cast<int>(arguments.size());
  for (int i = 0; i < count; ++i) {
    const std::string word = arguments[i];
    auto next = [&]() -> const char* { return i + 1 < count ? arguments[++i].c_str() : nullptr; };
    long number = 0;
    if (word == "--help" || word == "-h") {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    } else if (word == "--extra") {
      options.bExtra = true;
    } else if (word == "--easy") {
      options.bEasy = true;
    } else if (word == "--safe-time") {
      options.bSafeTime = true;
    } else if (word == "--trace") {
      options.bTrace = true;
    } else if (word == "--soak") {
      const char* value = next();
      char* end = nullptr;
      soakHours = value != nullptr ? std::strtod(value, &end) : 0;
      if (value == nullptr || end == value || *end != '\0' || !(soakHours > 0))
        return Usage("--soak needs a number of hours");
    } else if (word == "--folder") {
      const char* value = next();
      if (value == nullptr) return Usage("--folder needs a folder");
      // The simulator works inside the folder, so a relative path is taken from here first.
      options.sFolder = PathText(std::filesystem::absolute(PathFromText(value)));
    } else if (word == "--replay") {
      const char* value = next();
      if (value == nullptr) return Usage("--replay needs a recording");
      replay = PathText(std::filesystem::absolute(PathFromText(value)));
    } else if (word == "--keys") {
      const char* value = next();
      if (value == nullptr) return Usage("--keys needs a file or -");
      keys = value;
    } else if (word == "--seed" || word == "--level" || word == "--frames") {
      const char* value = next();
      if (value == nullptr || !ReadNumber(value, number) || number < 0)
        return Usage(word + " needs a whole number");
      if (word == "--seed") options.nSeed = static_cast<uint32_t>(number);
      if (word == "--level") options.nLevel = static_cast<int>(number);
      if (word == "--frames") options.nFrames = number;
    } else {
      return Usage("unknown argument " + word);
    }
  }
  // By default the program's folder is the simulator's own.
  if (options.sFolder.empty())
    options.sFolder = PathText(RunningProgramFolder());

  if (!replay.empty()) {
    try {
      const std::vector<uint8_t> bytes = ReadFileBytes(PathFromText(replay), RECORDING_FILE_LIMIT);
      const Recording recording = ParseRecording(
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
          GAME_VERSION);
      std::ostringstream out;
      const int status = ReplayRecording(options, recording, out);
      std::cout << out.str();
      return status;
    } catch (const std::exception& e) {
      return Refuse(replay + ": " + e.what());
    }
  }

  if (soakHours > 0) {
    SoakOptions soak;
    soak.sFolder = options.sFolder;
    soak.fHours = soakHours;
    soak.nSeed = options.nSeed;
    return RunSoak(soak, std::cout);
  }

  KeyScript script;
  try {
    if (!keys.empty()) script = ReadKeyScript(keys);
  } catch (const std::exception& e) {
    return Refuse(e.what());
  }
  std::ostringstream out;
  const int status = RunSimulation(options, script, out);
  std::cout << out.str();
  return status;
}
