#include "data/file_io.h"

#include <cstdio>
#include <system_error>

#include "base/failure.h"

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file) {
  if (!FileExists(file)) throw GameError(ERR_FILE_NOT_FOUND, "File not found");
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  std::vector<uint8_t> bytes;
  uint8_t block[65536];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0)
    bytes.insert(bytes.end(), block, block + got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  return bytes;
}

void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head) {
  std::vector<uint8_t> content(head.begin(), head.end());
  if (FileExists(file)) {
    const std::vector<uint8_t> old = ReadFileBytes(file);
    if (old.size() > content.size())
      content.insert(content.end(), old.begin() + content.size(), old.end());
  }
  std::filesystem::path temp = file;
  temp += ".new";
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (out == nullptr) throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
  const bool closed = std::fclose(out) == 0;
  std::error_code error;
  if (written && closed) std::filesystem::rename(temp, file, error);
  if (!written || !closed || error) {
    std::filesystem::remove(temp, error);
    throw GameError(ERR_PATH_FILE_ACCESS, "Path/File access error");
  }
}
