#include "base/paths.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#include <system_error>

namespace fs = std::filesystem;

fs::path PathFromText(std::string_view sUtf8) {
  return fs::path(std::u8string(sUtf8.begin(), sUtf8.end()));
}

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments.push_back(PathText(fs::path(wide[i])));
    LocalFree(wide);
    return arguments;
  }
#endif
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

fs::path RunningProgramFolder() {
#ifdef _WIN32
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return fs::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
#else
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : exe.parent_path();
#endif
}

bool EnterFolder(const fs::path& folder) {
  std::error_code error;
  fs::current_path(folder, error);
  return !error;
}
