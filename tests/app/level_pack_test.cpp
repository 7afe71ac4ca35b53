// Level packs on the command line: the option, the checks that refuse a pack the game cannot
// play, and where a pack's own files are kept.
#include "app/level_pack.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "base/failure.h"
#include "tests/test_support.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

CommandLineOptions Read(std::vector<const char*> args) {
  args.insert(args.begin(), "pibo2");
  return ReadCommandLineOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

// A pack made from the shipped level set in `folder`.
void MakePack(const fs::path& folder) {
  fs::create_directories(folder);
  WriteBytes(folder / "Levels.dat", ReadBytes(GameFolder() / "Levels.dat"));
  WriteBytes(folder / "LevelNames_zt.txt", ReadBytes(GameFolder() / "LevelNames_zt.txt"));
}

std::string Refusal(const fs::path& folder) {
  try {
    OpenLevelPack(folder.string());
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

// Every file under a folder with its bytes, to tell that nothing was written there.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Contents(const fs::path& folder) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files.emplace_back(entry.path().string(), ReadBytes(entry.path()));
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

// The folder is the option's own argument: its name holds no words, and a pack is played in
// place of both of the game's sets, so EXTRA cannot go with it; DEVELOP and recording can.
TEST(LevelPackOption, TakesTheFolderAndRefusesWhatCannotGoWithIt) {
  const CommandLineOptions pack = Read({"--levels", "extra-develop-pack", "--window"});
  EXPECT_EQ(pack.sLevels, "extra-develop-pack");
  EXPECT_TRUE(pack.bWindow);
  EXPECT_EQ(pack.sProblem, "");
  EXPECT_FALSE(ReadCommandLine(pack.sWords).bExtra);
  EXPECT_FALSE(ReadCommandLine(pack.sWords).bDevelop);

  EXPECT_EQ(Read({"DEVELOP", "--levels", "p"}).sProblem, "");
  EXPECT_EQ(Read({"--levels", "p", "--record", "r.rec"}).sProblem, "");
  EXPECT_EQ(Read({"--levels", "p", "--replay", "r.rec"}).sProblem, "");
  EXPECT_EQ(Read({"--levels"}).sProblem, "--levels needs a folder");
  EXPECT_EQ(Read({"--levels", ""}).sProblem, "--levels needs a folder");
  EXPECT_NE(Read({"extra", "--levels", "p"}).sProblem.find("--levels cannot go with EXTRA"),
            std::string::npos);
  EXPECT_NE(UsageText().find("--levels FOLDER"), std::string::npos);
}

// A pack the game cannot play is refused with the folder and the file at fault, and nothing in
// it is touched.
TEST(LevelPackCheck, RefusesAMissingOrDamagedPackNamingTheFileAtFault) {
  ScratchFolder scratch;
  const fs::path pack = scratch.Path() / "My Pack";
  MakePack(pack);
  const LevelPack opened = OpenLevelPack("My Pack");  // from the current folder
  EXPECT_EQ(opened.sFolder, pack.string());
  EXPECT_EQ(opened.sName, "My Pack");
  EXPECT_EQ(OpenLevelPack(pack.string() + "/").sFolder, pack.string());

  EXPECT_NE(Refusal(scratch.Path() / "nowhere").find("there is no such folder"), std::string::npos);
  EXPECT_NE(Refusal(pack / "Levels.dat").find("not a folder"), std::string::npos);

  const std::vector<uint8_t> levels = ReadBytes(pack / "Levels.dat");
  const std::vector<uint8_t> names = ReadBytes(pack / "LevelNames_zt.txt");
  std::vector<uint8_t> tooMany = levels;
  tooMany[0] = 40;
  std::vector<uint8_t> fewNames(names.begin(), names.begin() + 40);
  struct Case {
    const char* what;
    const char* file;
    std::vector<uint8_t> bytes;  // empty: the file is removed
    const char* why;
  } cases[] = {
      {"no level file", "Levels.dat", {}, "Levels.dat: File not found"},
      {"no names", "LevelNames_zt.txt", {}, "LevelNames_zt.txt: File not found"},
      {"a short level file", "Levels.dat",
       std::vector<uint8_t>(levels.begin(), levels.begin() + 900),
       "Levels.dat: Level file is 900 bytes"},
      {"a count past the slots", "Levels.dat", tooMany, "Levels.dat: Level file holds 40 levels"},
      {"too few names", "LevelNames_zt.txt", fewNames,
       "LevelNames_zt.txt: fewer names than the 31 levels of Levels.dat"},
      {"a huge names file", "LevelNames_zt.txt", std::vector<uint8_t>(200000, 'a'),
       "LevelNames_zt.txt: File too large"},
  };
  for (const Case& c : cases) {
    if (c.bytes.empty())
      fs::remove(pack / c.file);
    else
      WriteBytes(pack / c.file, c.bytes);
    const auto before = Contents(scratch.Path());
    const std::string why = Refusal(pack);
    EXPECT_NE(why.find("Level pack " + pack.string() + ": " + c.why), std::string::npos)
        << c.what << ": " << why;
    EXPECT_EQ(Contents(scratch.Path()), before) << c.what;
    WriteBytes(pack / "Levels.dat", levels);
    WriteBytes(pack / "LevelNames_zt.txt", names);
  }
}

// A pack's options and scores stay beside it when its folder can be written; a read-only pack
// keeps them in the player's data folder, in a folder of its own named after the pack and its
// place, so two packs of one name never share a table; and a "pack" that is the game's own
// folder never mixes with the shipped sets' files.
TEST(LevelPackFiles, BesideAWritablePackElseInAFolderOfItsOwnInThePlayersDataFolder) {
  ScratchFolder scratch;
  setenv("XDG_DATA_HOME", (scratch.Path() / "data").c_str(), 1);
  const fs::path program = scratch.Path() / "game";
  fs::create_directories(program);
  const fs::path mine = scratch.Path() / "mine" / "Caves";
  const fs::path shared = scratch.Path() / "shared" / "Caves";
  MakePack(mine);
  MakePack(shared);
  const LevelPack minePack = OpenLevelPack(mine.string());
  const LevelPack sharedPack = OpenLevelPack(shared.string());
  EXPECT_EQ(ChoosePackDataFolder(minePack, program.string(), program.string()), mine.string());

  EXPECT_NE(PackDataFolderName(minePack), PackDataFolderName(sharedPack));
  EXPECT_EQ(PackDataFolderName(minePack).rfind("Caves-", 0), 0u);
  EXPECT_EQ(PackDataFolderName(minePack).size(), std::string("Caves-").size() + 8);
  LevelPack longName = minePack;
  longName.sName = std::string(63, 'x') + "\xc3\xa9" + "tail";  // é across the cut
  EXPECT_EQ(PackDataFolderName(longName).substr(0, 64), std::string(63, 'x') + "-");

  const fs::path packs = scratch.Path() / "data" / "pibo2" / "packs";
  if (geteuid() != 0) {  // root may write anywhere
    fs::permissions(mine, fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string mineKept = ChoosePackDataFolder(minePack, program.string(), "");
    const std::string sharedKept = ChoosePackDataFolder(sharedPack, program.string(), "");
    EXPECT_EQ(mineKept, (packs / PackDataFolderName(minePack)).string());
    EXPECT_EQ(sharedKept, (packs / PackDataFolderName(sharedPack)).string());
    EXPECT_TRUE(fs::is_directory(mineKept));
    EXPECT_NE(mineKept, sharedKept);
    fs::permissions(mine, fs::perms::owner_all);
    fs::permissions(shared, fs::perms::owner_all);
  }

  // The program's folder or the game's data folder played as a pack (here two of one name):
  // each pack's files go to a folder of its own in the player's data folder.
  const std::string mineKept = ChoosePackDataFolder(minePack, mine.string(), shared.string());
  const std::string sharedKept = ChoosePackDataFolder(sharedPack, mine.string(), shared.string());
  EXPECT_EQ(mineKept, (packs / PackDataFolderName(minePack)).string());
  EXPECT_EQ(sharedKept, (packs / PackDataFolderName(sharedPack)).string());
  EXPECT_NE(mineKept, sharedKept);
  EXPECT_TRUE(fs::is_directory(sharedKept));
  unsetenv("XDG_DATA_HOME");
}
