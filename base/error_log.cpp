#include "base/error_log.h"

#include <cstdio>
#include <exception>

#include "base/files.h"

void LogError(const std::string& sMessage) {
  std::fprintf(stderr, "%s\n", sMessage.c_str());
  try {
    AppendToFile("Errors.txt", sMessage + "\r\n\r\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Errors.txt could not be written: %s\n", e.what());
  }
}
