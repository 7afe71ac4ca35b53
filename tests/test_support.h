#pragma once
// Shared helpers of the test suites: a scratch folder that becomes the current directory, the
// headless kit's clock, main window and keys, and the program's folder from the build.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "headless/headless.h"

namespace testing_support {

// The program's folder the build fills with pictures, sounds and levels.
std::filesystem::path GameFolder();

// A fresh empty folder that is the current directory while the object lives.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& Path() const { return path_; }
  // Links every file of the program's folder in, except the options, scores and error log the
  // game writes there, and those named in `skip`.
  void LinkGameFiles(const std::vector<std::string>& skip = {});
  // The error log's content so far ("" when there is none).
  std::string ErrorLog() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

using headless::ManualClock;
using headless::ScriptedKeys;
using TestHost = headless::HeadlessHost;

// Runs a shell command and keeps what it printed (standard error too when asked for).
struct ProgramRun {
  int status = -1;  // the exit status, -1 when it did not exit normally
  std::string output;
  std::vector<std::string> Lines() const;
};
ProgramRun RunProgram(const std::string& sCommand);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

}  // namespace testing_support
