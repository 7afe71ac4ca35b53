#include "data/file_io.h"

#include <vector>

void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head) {
  std::vector<uint8_t> content(head.begin(), head.end());
  if (FileExists(file)) {
    const std::vector<uint8_t> old = ReadFileBytes(file);
    if (old.size() > content.size())
      content.insert(content.end(), old.begin() + static_cast<long>(content.size()), old.end());
  }
  WriteFileAtomically(file, content);
}
