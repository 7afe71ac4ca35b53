#pragma once
// Whole files read and written so that nothing is ever half-written: a new file goes to a
// temporary file of its own beside the old one, reaches the disk, and only then takes the old
// file's place, so a crash, a power cut or a full disk leaves either the old file or the new one.
// Every write of the game goes through here, which also lets a test make the disk "full".
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

bool FileExists(const std::filesystem::path& file);

// The whole file. Throws GameError "File not found" or "Path/File access error"; a file larger
// than `nLimit` bytes is refused with "File too large" before any of it is read. Only a regular
// file (or a link to one) is read: a pipe, a device or a folder is refused with "Not a regular
// file" at once, never waited on.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file, uintmax_t nLimit);

// Replaces the file with `bytes`, power-safe: a temporary file named after it and this process
// ("Options.dat.tmp-1234-Ab3dE9"), flushed to the disk, renamed over the old file, and the folder
// flushed too. The old file's permissions are kept. A symbolic link in the file's place is
// replaced by the file, never written through; a pipe, a device or a folder there is left alone
// ("Not a regular file"). On failure the temporary file is removed, the old file is untouched
// and GameError says why ("Disk full", "Path/File access error").
void WriteFileAtomically(const std::filesystem::path& file, std::span<const uint8_t> bytes);

// Adds `text` at the end of the file, creating it. A file this call created is removed again when
// the text could not be written, so a failure never leaves an empty file. Only a regular file is
// written: a symbolic link, a pipe or a device in its place is refused ("Not a regular file"),
// so the text never lands in some other file. Throws GameError.
void AppendToFile(const std::filesystem::path& file, std::string_view text);

// Whether this process may make files in `folder` (a read-only medium or a folder of the system's,
// such as Program Files, may not).
bool FolderWritable(const std::filesystem::path& folder);

// Whether the name itself (not what a link points at) is a symbolic link.
bool IsSymbolicLink(const std::filesystem::path& file);

// An exclusive lock on a file of its own ("HighScores_zt.dat.lock"), made when missing, taken for
// as long as the object lives, unless another copy of the game holds it: two copies that read,
// change and write the same file take turns. It never waits (the frame loop is the one place
// that does): a copy that finds the lock taken tries again later. Throws GameError when the lock
// file cannot be made.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& lockFile);
  // Whether this copy has the lock (false: another holds it now).
  bool Held() const { return held_; }
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  // The open lock file: a descriptor, or on Windows a handle.
  std::intptr_t handle_ = -1;
  bool held_ = false;
};

// Removes what interrupted saves left in the folder: the temporary files of `names` whose process
// is no longer running, and the "NAME.new" files of older versions of the game.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            std::span<const std::string_view> names);

// For tests: every write to a file that `refuses` names fails as on a full disk (the file is
// created, no byte fits); an empty function ends it. Not for use while other threads write.
void SimulateFullDisk(std::function<bool(const std::filesystem::path&)> refuses);
