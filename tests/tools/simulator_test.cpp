// pibo-sim run as a program: the committed replay of level 1, repeatable output, its options and
// its answer to broken key scripts; and the key-script reader it is built on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "headless/key_script.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

using SimRun = testing_support::ProgramRun;

SimRun RunSim(const std::string& args, bool withErrors = false) {
  return testing_support::RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-sim' --folder '" +
                                     PIBO_GAME_DIR + "' " + args +
                                     (withErrors ? " 2>&1" : " 2>/dev/null"));
}

// A top-level number of one state line ("Level", "CharHealth", ...).
double Field(const std::string& line, const std::string& name) {
  const size_t at = line.find("\"" + name + "\":");
  if (at == std::string::npos) ADD_FAILURE() << "no " << name << " in " << line.substr(0, 80);
  return at == std::string::npos ? -1 : std::strtod(line.c_str() + at + name.size() + 3, nullptr);
}

// Whether the text holds a control character other than the line ends of the messages.
bool HasRawControl(const std::string& text) {
  for (const char c : text)
    if ((static_cast<unsigned char>(c) < 32 && c != '\n') || c == 127) return true;
  return false;
}

const std::string kLevelOneScript =
    std::string("'") + PIBO_SOURCE_DIR + "/tests/sim/level01_all_gems.keys'";

// A key script in a scratch file, removed at the end of the test.
class ScratchScript {
 public:
  explicit ScratchScript(const std::string& text) {
    static int serial = 0;
    path_ = fs::temp_directory_path() / ("pibo-sim-test-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(++serial) + ".keys");
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~ScratchScript() { fs::remove(path_); }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

}  // namespace

// The committed key scripts finish their levels: every gem, then the next level, the hero never
// hurt on the way.
struct CommittedScript {
  int level;
  int seed;
  int frames;
  const char* file;
};
void PrintTo(const CommittedScript& script, std::ostream* os) {
  *os << script.file;
}

class CommittedScripts : public ::testing::TestWithParam<CommittedScript> {};

TEST_P(CommittedScripts, CollectEveryGemAndReachTheNextLevelUnhurt) {
  const CommittedScript& c = GetParam();
  const SimRun run = RunSim("--level " + std::to_string(c.level) + " --seed " +
                            std::to_string(c.seed) + " --frames " + std::to_string(c.frames) +
                            " --trace --keys '" + PIBO_SOURCE_DIR + "/tests/sim/" + c.file + "'");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = run.Lines();
  ASSERT_FALSE(lines.empty());

  double health = Field(lines.front(), "CharHealth");
  std::string lastOfLevel;
  bool reachedNext = false;
  for (const std::string& line : lines) {
    const double now = Field(line, "CharHealth");
    EXPECT_GE(now, health) << "the hero was hurt: " << line.substr(0, 120);
    health = now;
    if (Field(line, "Level") == c.level) lastOfLevel = line;
    if (Field(line, "Level") == c.level + 1) reachedNext = true;
  }
  EXPECT_TRUE(reachedNext) << "still on level " << c.level << " after " << c.frames << " frames";
  ASSERT_FALSE(lastOfLevel.empty());
  EXPECT_GT(Field(lastOfLevel, "GemCount"), 10);
  EXPECT_EQ(Field(lastOfLevel, "GemsCollected"), Field(lastOfLevel, "GemCount"));
  EXPECT_GE(health, 5);
}

INSTANTIATE_TEST_SUITE_P(NormalSet, CommittedScripts,
                         ::testing::Values(CommittedScript{1, 1, 400, "level01_all_gems.keys"},
                                           CommittedScript{7, 145, 640, "level07_all_gems.keys"}),
                         [](const auto& info) {
                           return "Level" + std::to_string(info.param.level);
                         });

TEST(Simulator, SameArgumentsPrintTheSameBytesAndTheSeedMatters) {
  const std::string args = "--level 1 --frames 300 --trace --keys " + kLevelOneScript;
  const SimRun first = RunSim("--seed 1 " + args);
  const SimRun second = RunSim("--seed 1 " + args);
  const SimRun otherSeed = RunSim("--seed 2 " + args);
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(first.Lines().size(), 300u);
  EXPECT_TRUE(first.output == second.output) << "two runs with the same arguments differ";
  EXPECT_NE(first.output, otherSeed.output) << "the seed does not reach the bombs";
}

TEST(Simulator, BrokenKeyScriptStopsWithStatusTwoNamingItsLine) {
  const struct {
    std::string text;
    const char* where;  // ":LINE:"
    const char* why;
  } cases[] = {
      {"0 right\n20 right jump\n", ":2:", "unknown key \"jump\""},
      {"# start\n10 right\n\n10 left\n", ":4:", "frame 10 is not after"},
      {"10 right\n5 left\n", ":2:", "frame 5 is not after"},
      {"right\n", ":1:", "frame number"},
      {"-1 left\n", ":1:", "frame number"},
      {"0 right\r\n12x left\r\n", ":2:", "frame number"},
      // What the script says is quoted escaped, so it cannot retitle or clear the terminal.
      {"0 right\n5 \x1b]0;owned\x07\n", ":2:", "unknown key \"\\x1b]0;owned\\x07\""},
      {"\x1b[2J\n", ":1:", "not \"\\x1b[2J\""},
      // Of a line megabytes long only the start is quoted.
      {"0 right\n5 " + std::string(1 << 20, 'x') + "\n", ":2:", "characters more)"},
  };
  for (const auto& c : cases) {
    const ScratchScript script(c.text);
    const SimRun run = RunSim("--frames 5 --keys '" + script.Path() + "'", true);
    EXPECT_EQ(run.status, 2) << c.text.substr(0, 80);
    EXPECT_NE(run.output.find(script.Path() + c.where), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c.why), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("\"frame\""), std::string::npos) << "played despite the error";
    EXPECT_FALSE(HasRawControl(run.output)) << run.output;
    EXPECT_LT(run.output.size(), 1000u);
  }
}

// An input far beyond what its format needs, an endless standard input and a pipe are refused at
// once, naming the input and the limit; nothing is played.
TEST(Simulator, InputsNoScriptOrRecordingCouldBeAreRefusedAtOnce) {
  const ScratchScript huge("");
  fs::resize_file(huge.Path(), 3ULL << 30);  // sparse: it takes no room on the disk
  const fs::path pipe = huge.Path() + ".fifo";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string args;
    std::string message;
  } cases[] = {
      {"--keys '" + huge.Path() + "'",
       huge.Path() + ": File too large (3221225472 bytes, at most 16777216)"},
      {"--keys - < /dev/zero", "standard input: Too large (more than 16777216 bytes"},
      {"--keys '" + pipe.string() + "'", pipe.string() + ": Not a regular file"},
      {"--replay '" + huge.Path() + "'",
       huge.Path() + ": File too large (3221225472 bytes, at most 67108864)"},
      {"--replay '" + pipe.string() + "'", pipe.string() + ": Not a regular file"},
  };
  for (const auto& c : cases) {
    // A reader that waited on the pipe or read on without end is stopped by the timeout (124).
    const SimRun run = testing_support::RunProgram(std::string("timeout 60 '") + PIBO_GAME_DIR +
                                                   "/pibo-sim' --folder '" + PIBO_GAME_DIR +
                                                   "' --frames 5 " + c.args + " 2>&1");
    EXPECT_EQ(run.status, 2) << c.args << "\n" << run.output.substr(0, 200);
    EXPECT_TRUE(run.output.starts_with("pibo-sim: " + c.message)) << run.output.substr(0, 200);
    EXPECT_EQ(run.Lines().size(), 1u) << "one message, and nothing played";
  }
  fs::remove(pipe);
}

TEST(Simulator, LevelNumberIsClampedToTheLevelsThereAre) {
  const SimRun high = RunSim("--level 100 --frames 1");
  ASSERT_EQ(high.status, 0);
  ASSERT_EQ(high.Lines().size(), 1u);
  EXPECT_EQ(Field(high.output, "Level"), 31);
  EXPECT_EQ(Field(high.output, "Stage"), 4);

  const SimRun low = RunSim("--level 0 --frames 1");
  ASSERT_EQ(low.status, 0);
  EXPECT_EQ(Field(low.output, "Level"), 1);
}

TEST(Simulator, EasyGameHalvesTheBombs) {
  const SimRun normal = RunSim("--level 1 --frames 1");
  const SimRun easy = RunSim("--level 1 --frames 1 --easy");
  ASSERT_EQ(normal.status, 0);
  ASSERT_EQ(easy.status, 0);
  EXPECT_EQ(Field(normal.output, "BombCount"), 4);
  EXPECT_EQ(Field(easy.output, "BombCount"), 2);
}

TEST(SimulatorKeyScript, KeysAreHeldFromTheirFrameUntilTheNextLine) {
  // Comments, blank lines and CR LF endings are allowed; a line with no keys lets go of all.
  std::istringstream text(
      "# warm-up\r\n"
      "\r\n"
      "5 right up   # jump to the right\r\n"
      "8 left\r\n"
      "12\r\n"
      "20 ctrl shift\r\n"
      "30 down space p\r\n");
  const KeyScript script = KeyScript::Parse(text, "test");
  ASSERT_EQ(script.Lines().size(), 5u);

  auto held = [&](long frame) {
    std::vector<int> keys;
    const KeyboardSnapshot state = script.KeysAt(frame);
    for (int key = 0; key < 256; ++key)
      if (state[key] & 0x80) keys.push_back(key);
    return keys;
  };
  using V = std::vector<int>;
  EXPECT_EQ(held(0), V{});
  EXPECT_EQ(held(4), V{});
  EXPECT_EQ(held(5), (V{dik::UP, dik::RIGHT}));
  EXPECT_EQ(held(7), (V{dik::UP, dik::RIGHT}));
  EXPECT_EQ(held(8), V{dik::LEFT});
  EXPECT_EQ(held(11), V{dik::LEFT});
  EXPECT_EQ(held(12), V{});
  EXPECT_EQ(held(20), (V{dik::LCONTROL, dik::LSHIFT}));
  EXPECT_EQ(held(29), (V{dik::LCONTROL, dik::LSHIFT}));
  EXPECT_EQ(held(100000), (V{dik::P, dik::SPACE, dik::DOWN}));
}

// The pinned replay: every 50th state of the committed level-1 run. Any change to what the game
// does frame by frame shows here; PIBO_UPDATE_GOLDEN=1 rewrites the pinned states after a
// deliberate change (look at the difference before committing it).
TEST(Simulator, TheLevelOneReplayMatchesItsPinnedStates) {
  const SimRun run = RunSim("--level 1 --seed 1 --frames 400 --trace --keys " + kLevelOneScript);
  ASSERT_EQ(run.status, 0);
  std::string sampled;
  const std::vector<std::string> lines = run.Lines();
  for (size_t i = 0; i < lines.size(); ++i)
    if (i % 50 == 0 || i + 1 == lines.size()) sampled += lines[i] + "\n";

  const fs::path pinned = fs::path(PIBO_SOURCE_DIR) / "tests/sim/level01_all_gems.states";
  if (const char* update = std::getenv("PIBO_UPDATE_GOLDEN"); update != nullptr && *update == '1') {
    std::ofstream(pinned, std::ios::binary) << sampled;
    return;
  }
  std::ifstream in(pinned, std::ios::binary);
  ASSERT_TRUE(in) << "no pinned states; PIBO_UPDATE_GOLDEN=1 makes them";
  const std::string expected((std::istreambuf_iterator<char>(in)), {});
  std::istringstream want(expected), got(sampled);
  for (std::string a, b; std::getline(want, a);) {
    ASSERT_TRUE(std::getline(got, b)) << "the run is shorter than the pinned one";
    ASSERT_EQ(b, a);
  }
}

// Each developer tool answers --help with its usage and status 0, and the simulator takes its
// folder relative to where it was started.
TEST(DeveloperTools, AnswerHelpAndTakeRelativePaths) {
  const fs::path game = PIBO_GAME_DIR;
  for (const std::string& tool :
       {(game / "pibo-sim").string(), (game / "pibo-check-levels").string(),
        (game.parent_path() / "tools/level_packer/pibo-levels").string()}) {
    const SimRun help = testing_support::RunProgram("'" + tool + "' --help");
    EXPECT_EQ(help.status, 0) << tool;
    EXPECT_NE(help.output.find("usage: "), std::string::npos) << tool;
  }
  const SimRun relative = testing_support::RunProgram(
      "cd '" + game.parent_path().string() + "' && '" + (game / "pibo-sim").string() +
      "' --folder '" + game.filename().string() + "' --level 1 --frames 3 2>&1");
  EXPECT_EQ(relative.status, 0) << relative.output;
  EXPECT_NE(relative.output.find("\"frame\":2"), std::string::npos) << relative.output;
}
