// The files module on POSIX systems (and in the browser, whose file system emulates one).
#include "base/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cerrno>
#include <functional>
#include <string>
#include <system_error>

#include "base/failure.h"
#include "base/files_system.h"
#include "base/paths.h"

namespace fs = std::filesystem;

namespace {

// Opens without ever waiting (a pipe with nobody at its other end would hold the game before its
// window shows) and keeps the file only when it is a regular one.
int OpenRegularFile(const fs::path& file, int nFlags, mode_t nMode = 0) {
  const int fd = ::open(file.c_str(), nFlags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, nMode);
  if (fd < 0) {
    if (errno == ELOOP || errno == ENXIO || errno == EISDIR)
      throw GameError(ERR_NOT_A_FILE, "Not a regular file");
    throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw GameError(ERR_NOT_A_FILE, "Not a regular file");
  }
  return fd;
}

// Writes everything or says why not: "" on success.
std::string WriteAll(int fd, std::string_view bytes, const fs::path& file) {
  if (files_detail::DiskRefuses(file)) return "Disk full";
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return errno == ENOSPC || errno == EDQUOT ? "Disk full" : "Path/File access error";
    done += static_cast<size_t>(n);
  }
  return "";
}

// A rename is only on the disk once the folder that holds the name is.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

namespace files_detail {

long ThisProcess() {
  return static_cast<long>(::getpid());
}

bool ProcessRunning(long nPid) {
  if (nPid <= 0) return false;
  return ::kill(static_cast<pid_t>(nPid), 0) == 0 || errno == EPERM;
}

void KeepInBrowserStorage() {
#ifdef __EMSCRIPTEN__
  EM_ASM({
    if (Module.persistFiles) Module.persistFiles();
  });
#endif
}

}  // namespace files_detail

using files_detail::KeepInBrowserStorage;

bool FolderWritable(const fs::path& folder) {
  return ::access(folder.c_str(), W_OK) == 0;
}

std::vector<uint8_t> ReadFileBytes(const fs::path& file, uintmax_t nLimit) {
  std::error_code error;
  if (!fs::exists(fs::status(file, error))) throw GameError(ERR_FILE_NOT_FOUND, "File not found");
  const int fd = OpenRegularFile(file, O_RDONLY);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  }
  if (static_cast<uintmax_t>(info.st_size) > nLimit) {
    ::close(fd);
    throw GameError(ERR_FILE_TOO_LARGE, "File too large (" + std::to_string(info.st_size) +
                                            " bytes, at most " + std::to_string(nLimit) + ")");
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  uint8_t block[65536];
  bool failed = false;
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failed = got < 0;
      break;
    }
    bytes.insert(bytes.end(), block, block + got);
    // A file that grows while it is read is held to the same limit.
    if (bytes.size() > nLimit) failed = true;
    if (failed) break;
  }
  ::close(fd);
  if (failed) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  return bytes;
}

void WriteFileAtomically(const fs::path& file, std::span<const uint8_t> bytes) {
  // mkstemp makes the six X its own.
  std::string temp = files_detail::TemporaryName(file, "XXXXXX").string();
  // A link is replaced like a file (what it points at keeps its bytes); anything else that is
  // not a file stays where it is.
  struct stat old {};
  const bool exists = ::lstat(file.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
    throw GameError(ERR_NOT_A_FILE, "Not a regular file");
  mode_t mode = exists && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : 0644;
  if (exists && S_ISLNK(old.st_mode) && ::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    mode = old.st_mode & 07777;
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  std::string why = ::fchmod(fd, mode) == 0 ? "" : "Path/File access error";
  if (why.empty())
    why = WriteAll(fd, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                   file);
  if (why.empty() && ::fsync(fd) != 0) why = "Disk full";
  if (::close(fd) != 0 && why.empty()) why = "Disk full";
  if (why.empty() && ::rename(temp.c_str(), file.c_str()) != 0) why = "Path/File access error";
  if (!why.empty()) {
    ::unlink(temp.c_str());
    throw GameError(ERR_PATH_FILE_ACCESS, why);
  }
  SyncFolder(file.parent_path());
  KeepInBrowserStorage();
}

void AppendToFile(const fs::path& file, std::string_view text) {
  const int fd = OpenRegularFile(file, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0644);
  struct stat info {};
  const bool created = ::fstat(fd, &info) == 0 && info.st_size == 0;
  std::string why = WriteAll(fd, text, file);
  if (::close(fd) != 0 && why.empty()) why = "Disk full";
  if (!why.empty()) {
    if (created) ::unlink(file.c_str());
    throw GameError(ERR_PATH_FILE_ACCESS, why);
  }
  KeepInBrowserStorage();
}

FileLock::FileLock(const fs::path& lockFile) {
  const int fd = OpenRegularFile(lockFile, O_RDWR | O_CREAT | O_NOFOLLOW, 0644);
  handle_ = fd;
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    held_ = true;
  } else if (errno != EWOULDBLOCK) {
    ::close(fd);
    throw GameError(ERR_PATH_FILE_ACCESS, "Cannot lock " + PathText(lockFile.filename()));
  }
}

FileLock::~FileLock() {
  ::close(static_cast<int>(handle_));  // the lock goes with the file
}
