#include "engines/text_encoding.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] != 0 && kHigh[i] == c) return static_cast<int>(0x80 + i);
  return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view sText) {
  std::string out;
  out.reserve(sText.size());
  for (unsigned char b : sText) {
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : U'?';
    AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view sText) {
  std::string out;
  size_t i = 0;
  while (i < sText.size()) {
    const auto b = static_cast<unsigned char>(sText[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > sText.size()) {
      out += '?';
      ++i;
      continue;
    }
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(sText[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    out += valid ? static_cast<char>(ToCp1252(c)) : '?';
    i += valid ? length : 1;
  }
  return out;
}
