// The settings value: written whole through a file of its own, so games starting at once never
// fail each other, and a place that cannot take it is refused without leftovers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "engines/platform.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// XDG_CONFIG_HOME pointed at a folder of the test's own for as long as it lives.
struct ConfigHomeAt {
  explicit ConfigHomeAt(const std::filesystem::path& folder) {
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  }
  ~ConfigHomeAt() { unsetenv("XDG_CONFIG_HOME"); }
};

}  // namespace

TEST(Settings, TwoGamesWritingAtOnceBothSucceedAndLeaveOneWholeFile) {
  ScratchFolder folder;
  ConfigHomeAt home(folder.Path() / "config");
  const auto writeMany = [](const std::string& value, int& failures) {
    for (int i = 0; i < 40; ++i) {
      try {
        platform::SaveSetting("VORA", "General", "AppPath", value);
      } catch (const std::exception&) {
        ++failures;
      }
    }
  };
  int failuresA = 0, failuresB = 0;
  std::thread a(writeMany, "/games/a", std::ref(failuresA));
  std::thread b(writeMany, "/games/b", std::ref(failuresB));
  a.join();
  b.join();
  EXPECT_EQ(failuresA + failuresB, 0);

  const std::string text = Read(folder.Path() / "config" / "VORA" / "settings.ini");
  EXPECT_TRUE(text == "[General]\nAppPath=/games/a\n" || text == "[General]\nAppPath=/games/b\n")
      << text;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "config" / "VORA"))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST(Settings, APlaceThatCannotTakeTheFileIsRefusedWithNothingLeftBehind) {
  ScratchFolder folder;
  ConfigHomeAt home(folder.Path() / "config");
  // A folder where the file should be: the new value cannot take its place.
  const std::filesystem::path file = folder.Path() / "config" / "VORA" / "settings.ini";
  std::filesystem::create_directories(file / "inside");
  EXPECT_THROW(platform::SaveSetting("VORA", "General", "AppPath", "/games/new"), std::exception);
  EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "config" / "VORA"))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 0) << "no temporary file is left behind";
}
