#pragma once
// What base/files.cpp asks of the system it runs on; files_posix.cpp and files_windows.cpp each
// answer it for theirs. Only the files of the files module include this.
#include <filesystem>
#include <string_view>

namespace files_detail {

// The test seam of SimulateFullDisk: whether writes to `file` are to fail as on a full disk.
bool DiskRefuses(const std::filesystem::path& file);

// The name of a temporary file of this process beside `file` ("Options.dat.tmp-1234-Ab3dE9");
// `suffix` is the six characters that keep two of them apart.
std::filesystem::path TemporaryName(const std::filesystem::path& file, std::string_view suffix);

// This process's number, and whether the process numbered `nPid` still runs.
long ThisProcess();
bool ProcessRunning(long nPid);

// In the browser the files live in memory until the page copies them to the browser's storage
// (IndexedDB); it is told after every write. Nothing elsewhere.
void KeepInBrowserStorage();

}  // namespace files_detail
