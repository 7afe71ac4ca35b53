#include "base/error_log.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <mutex>

#include "base/files.h"
#include "base/paths.h"

namespace {
std::mutex last_lock;
std::string last_message;
std::string log_folder;
}  // namespace

void LogError(const std::string& sMessage) {
  std::fprintf(stderr, "%s\n", sMessage.c_str());
  {
    const std::lock_guard<std::mutex> hold(last_lock);
    last_message = sMessage;
  }
  try {
    std::string folder;
    {
      const std::lock_guard<std::mutex> hold(last_lock);
      folder = log_folder;
    }
    AppendToFile(folder.empty() ? std::filesystem::path("Errors.txt")
                                : PathFromText(folder) / "Errors.txt",
                 sMessage + "\r\n\r\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Errors.txt could not be written: %s\n", e.what());
  }
}

std::string LastLoggedError() {
  const std::lock_guard<std::mutex> hold(last_lock);
  return last_message;
}

void SetErrorLogFolder(const std::string& sFolder) {
  const std::lock_guard<std::mutex> hold(last_lock);
  log_folder = sFolder;
}
