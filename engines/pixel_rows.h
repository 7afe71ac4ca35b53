#pragma once
// Copying one row of pixels. The frame copies thousands of short rows (a sprite is 40 to 50
// pixels wide); for those a call into the C library costs more than the copy, so short rows are
// copied eight bytes at a time in place.
#include <cstddef>
#include <cstdint>
#include <cstring>

inline void CopyRow(void* to, const void* from, size_t bytes) {
  if (bytes > 256) {
    std::memcpy(to, from, bytes);
    return;
  }
  auto* out = static_cast<uint8_t*>(to);
  const auto* in = static_cast<const uint8_t*>(from);
  for (; bytes >= 8; bytes -= 8, out += 8, in += 8) {
    uint64_t word;
    std::memcpy(&word, in, 8);
    std::memcpy(out, &word, 8);
  }
  for (; bytes > 0; --bytes) *out++ = *in++;
}
