// The files module on Windows: the same promises as on POSIX systems, kept with Win32's own
// calls. A new file is flushed with FlushFileBuffers and takes the old one's place with
// MoveFileExW, which (unlike rename) replaces a file that exists and, with WRITE_THROUGH, returns
// only once the move is on the disk. Paths go to the system wide, as Windows keeps them.
#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

#include "base/failure.h"
#include "base/files.h"
#include "base/files_system.h"
#include "base/paths.h"

namespace fs = std::filesystem;

namespace {

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // False when closing failed (the last writes may not have reached the file).
  bool Close() {
    if (!Valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

[[noreturn]] void ThrowNotAFile() {
  throw GameError(ERR_NOT_A_FILE, "Not a regular file");
}

// A file on a disk, not a device ("CON", "NUL", a pipe), which would be read or written forever.
void KeepOnlyDiskFile(const Handle& file) {
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) ThrowNotAFile();
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(file.Get(), &info) == 0 ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    ThrowNotAFile();
}

// A folder, or a link (a reparse point) in the file's own place.
bool IsFolderOrLink(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(file, error);
  return fs::is_directory(status) || fs::is_symlink(status);
}

bool FullDisk(DWORD nError) {
  return nError == ERROR_DISK_FULL || nError == ERROR_HANDLE_DISK_FULL ||
         nError == ERROR_NOT_ENOUGH_QUOTA;
}

// Writes everything or says why not: "" on success.
std::string WriteAll(const Handle& handle, std::string_view bytes, const fs::path& file) {
  if (files_detail::DiskRefuses(file)) return "Disk full";
  for (size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (WriteFile(handle.Get(), bytes.data() + done, chunk, &written, nullptr) == 0 ||
        written == 0)
      return FullDisk(GetLastError()) ? "Disk full" : "Path/File access error";
    done += written;
  }
  return "";
}

std::string RandomSuffix() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 pick(std::random_device{}() ^ GetCurrentProcessId() ^ GetTickCount());
  std::string suffix(6, 'x');
  for (char& c : suffix) c = kLetters[pick() % (sizeof kLetters - 1)];
  return suffix;
}

}  // namespace

namespace files_detail {

long ThisProcess() {
  return static_cast<long>(GetCurrentProcessId());
}

bool ProcessRunning(long nPid) {
  if (nPid <= 0) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(nPid));
  // A process this one may not look at is still a process.
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

void KeepInBrowserStorage() {}

}  // namespace files_detail

bool FolderWritable(const fs::path& folder) {
  // Windows says little through a folder's attributes (Program Files is not "read-only"), so
  // the only sure answer is a file made there, gone again when closed.
  const fs::path probe = files_detail::TemporaryName(folder / "pibo2-write-check", RandomSuffix());
  Handle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file.Valid();
}

std::vector<uint8_t> ReadFileBytes(const fs::path& file, uintmax_t nLimit) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status)) throw GameError(ERR_FILE_NOT_FOUND, "File not found");
  if (fs::is_directory(status)) ThrowNotAFile();
  Handle handle(CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid()) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  KeepOnlyDiskFile(handle);
  LARGE_INTEGER size{};
  if (GetFileSizeEx(handle.Get(), &size) == 0)
    throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  if (static_cast<uintmax_t>(size.QuadPart) > nLimit)
    throw GameError(ERR_FILE_TOO_LARGE, "File too large (" + std::to_string(size.QuadPart) +
                                            " bytes, at most " + std::to_string(nLimit) + ")");
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(size.QuadPart));
  uint8_t block[65536];
  for (;;) {
    DWORD got = 0;
    if (ReadFile(handle.Get(), block, sizeof block, &got, nullptr) == 0)
      throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
    if (got == 0) break;
    bytes.insert(bytes.end(), block, block + got);
    // A file that grows while it is read is held to the same limit.
    if (bytes.size() > nLimit) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  }
  return bytes;
}

void WriteFileAtomically(const fs::path& file, std::span<const uint8_t> bytes) {
  // A link is replaced like a file (what it points at keeps its bytes); a folder or a device
  // stays where it is.
  std::error_code error;
  const fs::file_status old = fs::symlink_status(file, error);
  if (fs::exists(old) && !fs::is_regular_file(old) && !fs::is_symlink(old)) ThrowNotAFile();
  fs::path temp;
  HANDLE made = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = files_detail::TemporaryName(file, RandomSuffix());
    made = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
  }
  Handle handle(made);
  if (!handle.Valid()) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  std::string why = WriteAll(
      handle, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), file);
  if (why.empty() && FlushFileBuffers(handle.Get()) == 0) why = "Disk full";
  if (!handle.Close() && why.empty()) why = "Disk full";
  if (why.empty() &&
      MoveFileExW(temp.c_str(), file.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0)
    why = "Path/File access error";
  if (!why.empty()) {
    DeleteFileW(temp.c_str());
    throw GameError(ERR_PATH_FILE_ACCESS, why);
  }
}

void AppendToFile(const fs::path& file, std::string_view text) {
  // Never through a link: the text would land in some other file.
  if (IsFolderOrLink(file)) ThrowNotAFile();
  Handle handle(CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid()) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
  KeepOnlyDiskFile(handle);
  std::string why = WriteAll(handle, text, file);
  if (!handle.Close() && why.empty()) why = "Disk full";
  if (!why.empty()) {
    if (created) DeleteFileW(file.c_str());
    throw GameError(ERR_PATH_FILE_ACCESS, why);
  }
}

FileLock::FileLock(const fs::path& lockFile) {
  if (IsFolderOrLink(lockFile)) ThrowNotAFile();
  Handle handle(CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid())
    throw GameError(ERR_PATH_FILE_ACCESS, "Cannot lock " + PathText(lockFile.filename()));
  KeepOnlyDiskFile(handle);
  OVERLAPPED where{};
  if (LockFileEx(handle.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                 &where) != 0) {
    held_ = true;
  } else if (GetLastError() != ERROR_LOCK_VIOLATION) {
    throw GameError(ERR_PATH_FILE_ACCESS, "Cannot lock " + PathText(lockFile.filename()));
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle.Release());
}

FileLock::~FileLock() {
  CloseHandle(reinterpret_cast<HANDLE>(handle_));  // the lock goes with the handle
}
