#include "base/files.h"

#include <string>
#include <system_error>

#include "base/files_system.h"
#include "base/paths.h"

namespace fs = std::filesystem;

namespace {
// The test seam: the files that a "full disk" refuses.
std::function<bool(const fs::path&)> g_full_disk;

constexpr std::string_view kTempMark = ".tmp-";

// The process that wrote "NAME.tmp-PID-XXXXXX", or 0 when `entry` is no such file of `name`.
long TemporaryOwner(std::string_view entry, std::string_view name) {
  if (entry.size() <= name.size() + kTempMark.size() || entry.substr(0, name.size()) != name)
    return 0;
  std::string_view rest = entry.substr(name.size());
  if (rest.substr(0, kTempMark.size()) != kTempMark) return 0;
  rest.remove_prefix(kTempMark.size());
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != 6) return 0;
  long pid = 0;
  for (const char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}
}  // namespace

namespace files_detail {

bool DiskRefuses(const fs::path& file) {
  return g_full_disk && g_full_disk(file);
}

fs::path TemporaryName(const fs::path& file, std::string_view suffix) {
  fs::path temp = file;
  temp += std::string(kTempMark) + std::to_string(ThisProcess()) + "-" + std::string(suffix);
  return temp;
}

}  // namespace files_detail

bool FileExists(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error);
}

bool IsSymbolicLink(const fs::path& file) {
  std::error_code error;
  return fs::is_symlink(fs::symlink_status(file, error));
}

void RemoveStaleTemporaries(const fs::path& folder, std::span<const std::string_view> names) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    const std::string entryName = PathText(entry.path().filename());
    for (const std::string_view name : names) {
      const long owner = TemporaryOwner(entryName, name);
      const bool stale = owner != 0 ? !files_detail::ProcessRunning(owner)
                                    : entryName == std::string(name) + ".new";
      if (stale) fs::remove(entry.path(), error);
    }
  }
}

void SimulateFullDisk(std::function<bool(const fs::path&)> refuses) {
  g_full_disk = std::move(refuses);
}
