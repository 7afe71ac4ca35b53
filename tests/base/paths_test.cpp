// Paths as the game's UTF-8 texts, the program's own folder and the folders it may write.
#include "base/paths.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "tests/test_support.h"

using namespace testing_support;
namespace fs = std::filesystem;

TEST(Paths, TextAndPathsConvertWithoutLosingALetter) {
  ScratchFolder folder;
  const std::string name = "J\xC3\xBCrgen \xD0\x94\xD0\xB8\xD0\xBC\xD0\xB0";  // Jürgen Дима
  const fs::path player = PathFromText(name);
  EXPECT_EQ(PathText(player), name);
  EXPECT_EQ(PathText(PathFromText(name) / "Options_zt.dat"), name + "/Options_zt.dat");
  fs::create_directory(player);
  WriteFileAtomically(PathFromText(name + "/Options_zt.dat"), std::vector<uint8_t>{1, 2});
  EXPECT_EQ(ReadBytes(player / "Options_zt.dat"), (std::vector<uint8_t>{1, 2}));

  EXPECT_TRUE(FolderWritable(player));
  EXPECT_FALSE(FolderWritable(player / "missing"));
  EXPECT_TRUE(EnterFolder(player));
  EXPECT_TRUE(fs::exists("Options_zt.dat"));
  EXPECT_FALSE(EnterFolder("missing")) << "and the current folder stays";
  EXPECT_TRUE(fs::exists("Options_zt.dat"));
}

TEST(Paths, TheProgramKnowsItsFolderAndItsArguments) {
  // The tests' own program, in the build's tests folder.
  EXPECT_EQ(RunningProgramFolder().filename(), "tests");
  EXPECT_TRUE(fs::exists(RunningProgramFolder() / "pibo-tests"));
  char program[] = "pibo2", develop[] = "develop", word[] = "\xC3\xBC";
  char* argv[] = {program, develop, word, nullptr};
  EXPECT_EQ(ProgramArguments(3, argv), (std::vector<std::string>{"develop", "\xC3\xBC"}));
}
