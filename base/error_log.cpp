#include "base/error_log.h"

#include <cstdio>
#include <stdexcept>

void LogError(const std::string& sMessage) {
  std::fprintf(stderr, "%s\n", sMessage.c_str());
  std::FILE* file = std::fopen("Errors.txt", "ab");
  if (file == nullptr) throw std::runtime_error("Path/File access error");
  const std::string entry = sMessage + "\r\n\r\n";
  const bool written = std::fwrite(entry.data(), 1, entry.size(), file) == entry.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) throw std::runtime_error("Disk full");
}
