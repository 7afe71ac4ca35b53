// The settings value: written whole through a file of its own, so games starting at once never
// fail each other, and a place that cannot take it is refused without leftovers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "base/settings_text.h"
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

// The program's folder may be named with any character. Its value stays on its own line (a line
// feed in the name added lines to the file, and more at every start), and the file does not grow
// from one start to the next.
TEST(Settings, TheValueIsEscapedToOneLineAndTheFileDoesNotGrow) {
  ScratchFolder folder;
  ConfigHomeAt home(folder.Path() / "config");
  const std::filesystem::path file = folder.Path() / "config" / "VORA" / "settings.ini";
  std::filesystem::create_directories(file.parent_path());
  WriteBytes(file, {'[', 'O', 't', 'h', 'e', 'r', ']', '\n', 'k', '=', '1', '\n'});
  const std::string odd = "/games/new\n[General]\nAppPath=/evil\r\\x\x1b";
  for (int start = 0; start < 3; ++start) platform::SaveSetting("VORA", "General", "AppPath", odd);
  EXPECT_EQ(
      Read(file),
      "[Other]\nk=1\n[General]\nAppPath=/games/new\\n[General]\\nAppPath=/evil\\r\\\\x\\x1b\n");
}

// Every start saves the program's folder; when the file already says so it is not written again
// (the same file stays, not a copy put in its place), and a new folder is still saved.
TEST(Settings, AValueAlreadySavedIsNotWrittenAgain) {
  ScratchFolder folder;
  ConfigHomeAt home(folder.Path() / "config");
  const std::filesystem::path file = folder.Path() / "config" / "VORA" / "settings.ini";
  const auto inode = [&file] {
    struct stat info {};
    EXPECT_EQ(stat(file.c_str(), &info), 0);
    return info.st_ino;
  };
  platform::SaveSetting("VORA", "General", "AppPath", "/games/a");
  const auto first = inode();
  platform::SaveSetting("VORA", "General", "AppPath", "/games/a");
  EXPECT_EQ(inode(), first);
  platform::SaveSetting("VORA", "General", "AppPath", "/games/b");
  EXPECT_EQ(Read(file), "[General]\nAppPath=/games/b\n");
}

// A pipe in the file's place does not hold the game before its window shows, and a file far too
// large to be anybody's settings is replaced, not read.
TEST(Settings, APipeIsRefusedAndAHugeFileReplaced) {
  ScratchFolder folder;
  ConfigHomeAt home(folder.Path() / "config");
  const std::filesystem::path file = folder.Path() / "config" / "VORA" / "settings.ini";
  std::filesystem::create_directories(file.parent_path());
  ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
  EXPECT_THROW(platform::SaveSetting("VORA", "General", "AppPath", "/games/a"), std::exception);
  EXPECT_TRUE(std::filesystem::is_fifo(file));

  std::filesystem::remove(file);
  {
    std::ofstream huge(file);
    huge << "[General]\nAppPath=/old\n";
  }
  std::filesystem::resize_file(file, 200u << 20);  // sparse: no disk is used
  platform::SaveSetting("VORA", "General", "AppPath", "/games/a");
  EXPECT_EQ(Read(file), "[General]\nAppPath=/games/a\n");
}

// A relative XDG_CONFIG_HOME means nothing: the file goes under HOME, not under the folder the
// game happened to start in.
TEST(Settings, ARelativeConfigHomeIsIgnored) {
  ScratchFolder folder;
  ConfigHomeAt home("relative/config");
  const char* oldHome = std::getenv("HOME");
  const std::string kept = oldHome ? oldHome : "";
  setenv("HOME", folder.Path().c_str(), 1);
  platform::SaveSetting("VORA", "General", "AppPath", "/games/a");
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / ".config" / "VORA" / "settings.ini"));
  EXPECT_FALSE(std::filesystem::exists("relative"));
  if (oldHome) setenv("HOME", kept.c_str(), 1);
}

// A settings file saved by a Windows editor: its section is found, not added a second time.
TEST(Settings, ASectionEndedByCarriageReturnIsTheSameSection) {
  EXPECT_EQ(
      SettingsTextWith("[General]\r\nAppPath=/old\r\nOther=1\r\n", "General", "AppPath", "/new"),
      "[General]\r\nAppPath=/new\nOther=1\r\n");
}

// The input method's table of compose sequences is kept in the game's cache folder, made for
// it; a folder the player chose for it stays the player's.
TEST(Settings, TheComposeTableIsKeptInTheCacheFolderUnlessThePlayerChoseOne) {
  ScratchFolder folder;
  setenv("XDG_CACHE_HOME", (folder.Path() / "cache").c_str(), 1);
  unsetenv("XCOMPOSECACHE");
  platform::KeepComposeTable("pibo2");
  const std::filesystem::path kept = folder.Path() / "cache" / "pibo2" / "compose";
  ASSERT_NE(std::getenv("XCOMPOSECACHE"), nullptr);
  EXPECT_EQ(std::filesystem::path(std::getenv("XCOMPOSECACHE")), kept);
  EXPECT_TRUE(std::filesystem::is_directory(kept));

  setenv("XCOMPOSECACHE", "/players/own", 1);
  std::filesystem::remove_all(folder.Path() / "cache");
  platform::KeepComposeTable("pibo2");
  EXPECT_STREQ(std::getenv("XCOMPOSECACHE"), "/players/own");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "cache")) << "nothing made for it";
  unsetenv("XCOMPOSECACHE");
  unsetenv("XDG_CACHE_HOME");
}
