// Reading the command line and pacing the frame loop.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "base/error_log.h"
#include "game/game.h"
#include "tests/test_support.h"

TEST(CommandLine, FindsTheWordsAnywhereInAnyCase) {
  struct Case {
    const char* text;
    bool develop, extra;
  } cases[] = {
      {"", false, false},
      {"develop", true, false},
      {"-Develop", true, false},
      {"undevelopable", true, false},
      {"EXTRA DEVELOP", true, true},
      {"/extraordinary", false, true},
      {"DEVELO P", false, false},
  };
  for (const Case& c : cases) {
    const CommandLineWords words = ReadCommandLine(c.text);
    EXPECT_EQ(words.bDevelop, c.develop) << c.text;
    EXPECT_EQ(words.bExtra, c.extra) << c.text;
  }
}

// The options are whole arguments; the words are still found around them, and inside them too.
TEST(CommandLine, OptionsAreWholeArgumentsAndLeaveTheWordsAsTheyWere) {
  const char* argv[] = {"pibo2", "--window", "develop", "--helpful", "--version"};
  const CommandLineOptions options = ReadCommandLineOptions(5, const_cast<char**>(argv));
  EXPECT_TRUE(options.bWindow);
  EXPECT_FALSE(options.bHelp);
  EXPECT_TRUE(options.bVersion);
  const CommandLineWords words = ReadCommandLine(JoinArguments(5, const_cast<char**>(argv)));
  EXPECT_TRUE(words.bDevelop);
  EXPECT_FALSE(words.bExtra);
  EXPECT_EQ(options.sProblem, "");

  // Develop-mode games cannot be recorded: the start is refused with the reason, not silently
  // left unrecorded. The recording's own name is no word.
  const char* develop[] = {"pibo2", "DEVELOP", "--record", "run.rec"};
  EXPECT_NE(ReadCommandLineOptions(4, const_cast<char**>(develop)).sProblem.find("DEVELOP"),
            std::string::npos);
  const char* named[] = {"pibo2", "--record", "develop.rec"};
  EXPECT_EQ(ReadCommandLineOptions(3, const_cast<char**>(named)).sProblem, "");
}

// The game's files stay beside it in a folder it can write, and go to the user's data folder
// (made when missing) when the folder is marked as installed; the error log follows.
TEST(DataFolder, BesideTheProgramUnlessInstalledOrReadOnly) {
  testing_support::ScratchFolder folder;
  const std::string program = (folder.Path() / "game").string();
  std::filesystem::create_directories(program);
  const std::filesystem::path xdg = folder.Path() / "data";
  setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  EXPECT_EQ(ChooseDataFolder(program), program);
  testing_support::WriteBytes(std::filesystem::path(program) / INSTALLED_MARK, {});
  EXPECT_EQ(ChooseDataFolder(program), (xdg / "pibo2").string());
  EXPECT_TRUE(std::filesystem::is_directory(xdg / "pibo2"));
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(ChooseDataFolder(program), (folder.Path() / ".local/share/pibo2").string());
  // A relative XDG_DATA_HOME means nothing (it is not taken from the current folder).
  setenv("XDG_DATA_HOME", "data", 1);
  EXPECT_EQ(ChooseDataFolder(program), (folder.Path() / ".local/share/pibo2").string());
  unsetenv("XDG_DATA_HOME");
  // A folder the game cannot write (not to be had as root, who may write anywhere).
  std::filesystem::remove(std::filesystem::path(program) / INSTALLED_MARK);
  std::filesystem::permissions(
      program, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (geteuid() != 0) {
    EXPECT_EQ(ChooseDataFolder(program), (folder.Path() / ".local/share/pibo2").string());
  }
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);

  SetErrorLogFolder((xdg / "pibo2").string());
  LogError("Test - the log follows the data folder");
  SetErrorLogFolder("");
  EXPECT_EQ(testing_support::ReadBytes(xdg / "pibo2" / "Errors.txt").size(),
            std::string("Test - the log follows the data folder\r\n\r\n").size());
  EXPECT_FALSE(std::filesystem::exists("Errors.txt"));
}

// --help and --version answer with no display at all and before the game touches any file: the
// settings folder stays empty.
TEST(CommandLine, HelpAndVersionAnswerWithoutADisplayOrAFile) {
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / ("pibo-help-" + std::to_string(::getpid()));
  std::filesystem::create_directories(config);
  const std::string run = "env -u DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME='" + config.string() +
                          "' '" + PIBO_GAME_DIR + "/pibo2' ";
  const testing_support::ProgramRun help = testing_support::RunProgram(run + "--help");
  EXPECT_EQ(help.status, 0);
  for (const char* part : {"DEVELOP", "EXTRA", "--window", "F1 new game", "Levels.dat"})
    EXPECT_NE(help.output.find(part), std::string::npos) << part;
  const testing_support::ProgramRun version = testing_support::RunProgram(run + "EXTRA --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, VersionText());
  EXPECT_EQ(version.output.rfind("pibo2 ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(config));
  std::filesystem::remove_all(config);
}

TEST(CommandLine, JoinsTheArgumentsAfterTheProgramName) {
  const char* argv[] = {"pibo2", "a", "Develop"};
  EXPECT_EQ(JoinArguments(3, const_cast<char**>(argv)), "a Develop");
}

TEST(FrameLoop, PadsEachPassToThirtyMilliseconds) {
  EXPECT_EQ(FramePadding(1000, 1012), 18u);
  EXPECT_EQ(FramePadding(1000, 1000), 30u);
  EXPECT_EQ(FramePadding(1000, 1030), 0u);
  EXPECT_EQ(FramePadding(1000, 1100), 0u);
  // The clock wrapped between the two readings: still a 12 ms pass.
  EXPECT_EQ(FramePadding(0xFFFFFFFAu, 6u), 18u);
}

TEST(ErrorLog, AppendsEachMessageWithAnEmptyLine) {
  testing_support::ScratchFolder folder;
  testing_support::WriteBytes("Errors.txt", {'o', 'l', 'd', '\r', '\n'});
  LogError("first");
  LogError("second");
  EXPECT_EQ(folder.ErrorLog(), "old\r\nfirst\r\n\r\nsecond\r\n\r\n");
}

// A link in the log's place is not written through (the lines would land in whatever file it
// names), and a pipe there does not hold the game: the message goes to standard error alone.
TEST(ErrorLog, NeverWritesThroughALinkNorWaitsOnAPipe) {
  testing_support::ScratchFolder folder;
  testing_support::WriteBytes("Notes.txt", {'m', 'i', 'n', 'e'});
  std::filesystem::create_symlink("Notes.txt", "Errors.txt");
  testing::internal::CaptureStderr();
  LogError("through the link");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Errors.txt could not be written"),
            std::string::npos);
  EXPECT_EQ(testing_support::ReadBytes("Notes.txt"), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));

  std::filesystem::remove("Errors.txt");
  ASSERT_EQ(mkfifo("Errors.txt", 0644), 0);
  testing::internal::CaptureStderr();
  LogError("into the pipe");  // returns at once: nobody reads the pipe
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Not a regular file"), std::string::npos);
}

TEST(FrameLoop, AQuitAskedForWhileLoadingEndsTheRunBeforeTheFirstPass) {
  // A desktop session that ends while the game is still loading sends its SIGTERM then.
  Game game;
  game.QuitRequested = true;
  EXPECT_TRUE(FrameLoop(game).Run()) << "no pass is run, so nothing can fail";
}
