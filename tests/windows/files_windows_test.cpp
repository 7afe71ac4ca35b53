// The files module's Windows side, run under wine by `make test-windows`: saves that replace the
// old file whole or not at all, leftovers cleared only when their writer has ended, folders and
// devices refused, the lock taken by one holder at a time, and names outside the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of its own, current while the test runs.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int count = 0;
    path_ = fs::temp_directory_path() /
            ("pibo-windows-test-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++count));
    fs::create_directories(path_);
    previous_ = fs::current_path();
    fs::current_path(path_);
  }
  ~ScratchFolder() {
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(path_, error);
  }

 private:
  fs::path path_, previous_;
};

std::vector<std::string> FolderContents() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("."))
    names.push_back(PathText(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> Bytes(std::string_view text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

struct FullDiskFor {
  explicit FullDiskFor(std::vector<std::string> names) {
    SimulateFullDisk([names](const fs::path& file) {
      return std::find(names.begin(), names.end(), PathText(file.filename())) != names.end();
    });
  }
  ~FullDiskFor() { SimulateFullDisk(nullptr); }
};

// A process number that is certainly not running: this program started again, told to end at once,
// and waited for.
long EndedProcess() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --end-at-once";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return 0;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(process.dwProcessId);
}

}  // namespace

TEST(WindowsFiles, AWriteReplacesTheFileWholeAndLeavesNothingElse) {
  ScratchFolder folder;
  WriteFileAtomically("Scores.dat", Bytes("old scores"));
  WriteFileAtomically("Scores.dat", Bytes("new"));
  EXPECT_EQ(ReadFileBytes("Scores.dat", 100), Bytes("new"));
  AppendToFile("Errors.txt", "one\n");
  AppendToFile("Errors.txt", "two\n");
  EXPECT_EQ(ReadFileBytes("Errors.txt", 100), Bytes("one\ntwo\n")) << "no \\r added";
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Errors.txt", "Scores.dat"}));
}

TEST(WindowsFiles, AFullDiskLeavesTheOldFileAndNothingElse) {
  ScratchFolder folder;
  WriteFileAtomically("Scores.dat", Bytes("old"));
  AppendToFile("Errors.txt", "old");
  FullDiskFor full({"Scores.dat", "Errors.txt", "New.txt"});
  try {
    WriteFileAtomically("Scores.dat", Bytes("new"));
    ADD_FAILURE() << "the write should fail";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Disk full");
  }
  EXPECT_THROW(AppendToFile("Errors.txt", "more"), GameError);
  EXPECT_THROW(AppendToFile("New.txt", "first"), GameError);
  EXPECT_EQ(ReadFileBytes("Scores.dat", 100), Bytes("old"));
  EXPECT_EQ(ReadFileBytes("Errors.txt", 100), Bytes("old"));
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Errors.txt", "Scores.dat"}))
      << "no temporary file and no empty new file are left";
}

TEST(WindowsFiles, LeftoversAreRemovedOnlyWhenTheirWriterHasEnded) {
  ScratchFolder folder;
  const std::string ended = std::to_string(EndedProcess());
  ASSERT_NE(ended, "0");
  const std::string running = std::to_string(GetCurrentProcessId());
  for (const std::string& name :
       {std::string("Scores.dat"), std::string("Scores.dat.new"),
        "Scores.dat.tmp-" + ended + "-Ab3dE9", "Scores.dat.tmp-" + running + "-Zz9yX8"})
    WriteFileAtomically(name, Bytes("x"));
  const std::string_view names[] = {"Scores.dat"};
  RemoveStaleTemporaries(".", names);
  EXPECT_EQ(FolderContents(),
            (std::vector<std::string>{"Scores.dat", "Scores.dat.tmp-" + running + "-Zz9yX8"}));
}

TEST(WindowsFiles, FoldersDevicesAndLargeFilesAreRefused) {
  ScratchFolder folder;
  fs::create_directory("Folder.dat");
  for (const char* odd : {"Folder.dat", "NUL", "CON"}) {
    EXPECT_THROW(ReadFileBytes(odd, 1000), GameError) << odd;
    EXPECT_THROW(AppendToFile(odd, "line"), GameError) << odd;
  }
  try {
    WriteFileAtomically("Folder.dat", Bytes("x"));
    ADD_FAILURE() << "a folder was written over";
  } catch (const GameError& e) {
    EXPECT_EQ(e.Number(), ERR_NOT_A_FILE);
  }
  WriteFileAtomically("Big.bmp", std::vector<uint8_t>(1000, 7));
  EXPECT_THROW(ReadFileBytes("Big.bmp", 999), GameError);
  EXPECT_TRUE(fs::is_directory("Folder.dat"));
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Big.bmp", "Folder.dat"}));
}

TEST(WindowsFiles, ALockIsHeldByOneHolderAtATime) {
  ScratchFolder folder;
  auto first = std::make_unique<FileLock>("Scores.dat.lock");
  EXPECT_TRUE(first->Held());
  EXPECT_FALSE(FileLock("Scores.dat.lock").Held()) << "the other holder has it";
  first.reset();
  EXPECT_TRUE(FileLock("Scores.dat.lock").Held()) << "once the first let go";
}

// A player's profile folder may be named in any script; the game's texts are UTF-8.
TEST(WindowsFiles, NamesOutsideTheCodePageKeepEveryLetter) {
  ScratchFolder folder;
  const std::string name = "J\xC3\xBCrgen \xD0\x94\xD0\xB8\xD0\xBC\xD0\xB0";  // Jürgen Дима
  const fs::path player = PathFromText(name);
  EXPECT_EQ(player.native(), std::wstring(L"J\u00FCrgen \u0414\u0438\u043C\u0430"));
  EXPECT_EQ(PathText(player), name);
  fs::create_directory(player);
  WriteFileAtomically(player / "Options_zt.dat", Bytes("options"));
  EXPECT_EQ(ReadFileBytes(PathFromText(name + "/Options_zt.dat"), 100), Bytes("options"));
  EXPECT_TRUE(FolderWritable(player));
  EXPECT_FALSE(FolderWritable(PathFromText(name + "/missing")));
  EXPECT_TRUE(EnterFolder(player));
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Options_zt.dat"}))
      << "the write check leaves nothing behind";
}

TEST(WindowsFiles, TheProgramKnowsItsFolder) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(RunningProgramFolder(), fs::path(self).parent_path());
}

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--end-at-once") return 0;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
