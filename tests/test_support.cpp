#include "tests/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace testing_support {
namespace {

// Every test runs headless, whoever starts the test program.
[[maybe_unused]] const bool kHeadless = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

}  // namespace

std::filesystem::path GameFolder() {
  return PIBO_GAME_DIR;
}

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path()) {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("pibo-test-" + std::to_string(getpid()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
  std::filesystem::current_path(previous_);
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

void ScratchFolder::LinkGameFiles(const std::vector<std::string>& skip) {
  for (const auto& entry : std::filesystem::directory_iterator(GameFolder())) {
    const std::string name = entry.path().filename().string();
    // What the game writes as it is played is left out, so a player's options and scores in the
    // program's folder cannot change a test.
    bool skipped = name.rfind("Options_zt", 0) == 0 || name.rfind("HighScores_zt", 0) == 0 ||
                   name == "Errors.txt";
    for (const std::string& s : skip) skipped = skipped || s == name;
    if (!skipped && entry.is_regular_file())
      std::filesystem::create_symlink(entry.path(), path_ / name);
  }
}

std::string ScratchFolder::ErrorLog() const {
  std::ifstream in(path_ / "Errors.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ProgramRun::Lines() const {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

ProgramRun RunProgram(const std::string& sCommand) {
  ProgramRun run;
  FILE* pipe = popen(sCommand.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.output.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
