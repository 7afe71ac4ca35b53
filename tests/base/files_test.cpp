// Saves that survive a full disk, a crash in the middle and a folder of leftovers.
#include "base/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "base/failure.h"
#include "tests/test_support.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderContents() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// The refusal of a full disk, for the named files only.
struct FullDiskFor {
  explicit FullDiskFor(std::vector<std::string> names) {
    SimulateFullDisk([names](const fs::path& file) {
      return std::find(names.begin(), names.end(), file.filename().string()) != names.end();
    });
  }
  ~FullDiskFor() { SimulateFullDisk(nullptr); }
};

// A process number that is certainly not running: a child that has ended and been reaped.
long EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

}  // namespace

TEST(Files, AWriteReplacesTheFileWholeAndKeepsItsPermissions) {
  ScratchFolder folder;
  WriteBytes("Scores.dat", {1, 2, 3});
  chmod("Scores.dat", 0600);
  const std::vector<uint8_t> bytes = {9, 8, 7, 6};
  WriteFileAtomically("Scores.dat", bytes);
  EXPECT_EQ(ReadBytes("Scores.dat"), bytes);
  struct stat info {};
  ASSERT_EQ(stat("Scores.dat", &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"Scores.dat"});
}

TEST(Files, AFullDiskLeavesTheOldFileAndNothingElse) {
  ScratchFolder folder;
  WriteBytes("Scores.dat", {1, 2, 3});
  WriteBytes("Errors.txt", {'o', 'l', 'd'});
  FullDiskFor full({"Scores.dat", "Errors.txt", "New.txt"});
  try {
    WriteFileAtomically("Scores.dat", std::vector<uint8_t>{4, 5, 6, 7});
    ADD_FAILURE() << "the write should fail";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Disk full");
  }
  EXPECT_THROW(AppendToFile("Errors.txt", "more"), GameError);
  EXPECT_THROW(AppendToFile("New.txt", "first"), GameError);
  EXPECT_EQ(ReadBytes("Scores.dat"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(ReadBytes("Errors.txt"), (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Errors.txt", "Scores.dat"}))
      << "no temporary file and no empty new file are left";
}

TEST(Files, LeftoversOfInterruptedSavesAreRemovedOnlyWhenTheirWriterHasEnded) {
  ScratchFolder folder;
  const std::string ended = std::to_string(EndedProcess());
  const std::string running = std::to_string(getppid());
  for (const std::string& name : std::vector<std::string>{
           "Scores.dat", "Scores.dat.new", "Scores.dat.tmp-" + ended + "-Ab3dE9",
           "Scores.dat.tmp-" + running + "-Zz9yX8", "Levels.dat.tmp-" + ended + "-q1w2e3",
           "Notes.txt.tmp-" + ended + "-q1w2e3", "Scores.dat.tmp-x-q1w2e3", "Scores.dat.tmp-1-2"})
    WriteBytes(name, {1});
  const std::string_view names[] = {"Scores.dat", "Levels.dat"};
  RemoveStaleTemporaries(".", names);
  std::vector<std::string> kept = {"Notes.txt.tmp-" + ended + "-q1w2e3", "Scores.dat",
                                   "Scores.dat.tmp-" + running + "-Zz9yX8", "Scores.dat.tmp-1-2",
                                   "Scores.dat.tmp-x-q1w2e3"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(FolderContents(), kept)
      << "a save in progress in another copy of the game, and files not of the game, stay";
}

TEST(Files, AFileLargerThanItsLimitIsRefusedUnread) {
  ScratchFolder folder;
  WriteBytes("Big.bmp", std::vector<uint8_t>(1000, 7));
  EXPECT_EQ(ReadFileBytes("Big.bmp", 1000).size(), 1000u);
  try {
    ReadFileBytes("Big.bmp", 999);
    ADD_FAILURE() << "the read should fail";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "File too large (1000 bytes, at most 999)");
  }
}

// Nothing but a regular file is read, written or appended to, and nothing ever waits on a pipe: a
// pipe with nobody at its other end held the game before its window showed.
TEST(Files, PipesDevicesAndFoldersAreRefusedAtOnce) {
  ScratchFolder folder;
  ASSERT_EQ(mkfifo("Pipe.dat", 0644), 0);
  fs::create_directory("Folder.dat");
  for (const char* odd : {"Pipe.dat", "Folder.dat", "/dev/zero"}) {
    try {
      ReadFileBytes(odd, 1000);
      ADD_FAILURE() << odd << " was read";
    } catch (const GameError& e) {
      EXPECT_EQ(e.Number(), ERR_NOT_A_FILE) << odd << ": " << e.what();
    }
  }
  EXPECT_THROW(AppendToFile("Pipe.dat", "line"), GameError) << "a pipe nobody reads";
  const int reader = ::open("Pipe.dat", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_THROW(AppendToFile("Pipe.dat", "line"), GameError) << "a pipe somebody reads";
  ::close(reader);
  EXPECT_THROW(WriteFileAtomically("Pipe.dat", std::vector<uint8_t>{1}), GameError);
  EXPECT_THROW(WriteFileAtomically("Folder.dat", std::vector<uint8_t>{1}), GameError);
  EXPECT_TRUE(fs::is_fifo("Pipe.dat")) << "what is not the game's file stays as it was";
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Folder.dat", "Pipe.dat"}));
}

// A link in a file's place: a save replaces the link itself and an append is refused, so no byte
// ever lands in, or is copied from, the file it points at.
TEST(Files, ALinkIsNeverWrittenThrough) {
  ScratchFolder folder;
  WriteBytes("Other.txt", {'k', 'e', 'e', 'p'});
  fs::create_symlink("Other.txt", "Errors.txt");
  fs::create_symlink("Other.txt", "Scores.dat");
  EXPECT_THROW(AppendToFile("Errors.txt", "line"), GameError);
  WriteFileAtomically("Scores.dat", std::vector<uint8_t>{1, 2});
  EXPECT_FALSE(fs::is_symlink("Scores.dat"));
  EXPECT_EQ(ReadBytes("Scores.dat"), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(ReadBytes("Other.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
}

// The lock two copies of the game take turns with: one holds it at a time, and a link in the lock
// file's place is no lock file.
TEST(Files, ALockIsHeldByOneCopyAtATime) {
  ScratchFolder folder;
  auto first = std::make_unique<FileLock>("Scores.dat.lock");
  EXPECT_TRUE(first->Held());
  EXPECT_FALSE(FileLock("Scores.dat.lock").Held()) << "the other copy holds it";
  first.reset();
  EXPECT_TRUE(FileLock("Scores.dat.lock").Held()) << "had once the first let go";
  fs::create_symlink("Scores.dat", "Linked.dat.lock");
  EXPECT_THROW(FileLock("Linked.dat.lock"), GameError);
}
