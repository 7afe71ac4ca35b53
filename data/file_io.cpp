#include "data/file_io.h"

#include <exception>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/failure.h"
#include "base/paths.h"

void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head) {
  std::vector<uint8_t> content(head.begin(), head.end());
  if (FileExists(file) && !IsSymbolicLink(file)) {
    try {
      const std::vector<uint8_t> old = ReadFileBytes(file, DataFileLimit(head.size()));
      if (old.size() > content.size())
        content.insert(content.end(), old.begin() + static_cast<long>(content.size()), old.end());
    } catch (const GameError& e) {
      // Over its limit: the record alone takes its place. A file that cannot be read is not
      // written over.
      if (e.Number() != ERR_FILE_TOO_LARGE) throw;
    }
  }
  WriteFileAtomically(file, content);
}

std::optional<std::vector<uint8_t>> ReadPlayerFile(const std::filesystem::path& file,
                                                   uintmax_t nRecord, std::string_view sWho) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) return std::nullopt;
  try {
    return ReadFileBytes(file, DataFileLimit(nRecord));
  } catch (const GameError& e) {
    // A file that cannot be read at all stops the start, as ever: the game must not write over
    // what it could not read.
    if (e.Number() != ERR_NOT_A_FILE && e.Number() != ERR_FILE_TOO_LARGE &&
        e.Number() != ERR_FILE_NOT_FOUND)
      throw;
    LogError(std::string(sWho) + PathText(file.filename()) + ": " + e.what());
    return std::nullopt;
  }
}
