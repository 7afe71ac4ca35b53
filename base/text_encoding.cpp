#include "base/text_encoding.h"

namespace {

// Bytes 0x80 to 0x9F.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t Cp1252Char(uint8_t nByte) {
  return nByte >= 0x80 && nByte < 0xA0 ? kHigh[nByte - 0x80] : nByte;
}

std::optional<uint8_t> Cp1252Byte(char32_t nChar) {
  if (nChar < 0x80 || (nChar >= 0xA0 && nChar <= 0xFF)) return static_cast<uint8_t>(nChar);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == nChar) return static_cast<uint8_t>(0x80 + i);
  return std::nullopt;
}

void AppendUtf8(std::string& sOut, char32_t nChar) {
  if (nChar < 0x80) {
    sOut += static_cast<char>(nChar);
  } else if (nChar < 0x800) {
    sOut += static_cast<char>(0xC0 | (nChar >> 6));
    sOut += static_cast<char>(0x80 | (nChar & 0x3F));
  } else if (nChar < 0x10000) {
    sOut += static_cast<char>(0xE0 | (nChar >> 12));
    sOut += static_cast<char>(0x80 | ((nChar >> 6) & 0x3F));
    sOut += static_cast<char>(0x80 | (nChar & 0x3F));
  } else {
    sOut += static_cast<char>(0xF0 | (nChar >> 18));
    sOut += static_cast<char>(0x80 | ((nChar >> 12) & 0x3F));
    sOut += static_cast<char>(0x80 | ((nChar >> 6) & 0x3F));
    sOut += static_cast<char>(0x80 | (nChar & 0x3F));
  }
}

std::optional<char32_t> NextUtf8(std::string_view sText, size_t& nPos) {
  const auto lead = static_cast<unsigned char>(sText[nPos]);
  int extra = 0;
  char32_t ch = 0;
  if (lead < 0x80) {
    ++nPos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    ch = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    ch = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    ch = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (nPos + extra >= sText.size()) return std::nullopt;  // cut short
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(sText[nPos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
  if (ch < kMinForLength[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
    return std::nullopt;  // overlong form, out of range or a surrogate
  nPos += extra + 1;
  return ch;
}

std::string Cp1252ToUtf8(std::string_view sText) {
  std::string out;
  out.reserve(sText.size());
  for (char byte : sText) AppendUtf8(out, Cp1252Char(static_cast<uint8_t>(byte)));
  return out;
}

std::string Utf8ToCp1252(std::string_view sText) {
  std::string out;
  size_t pos = 0;
  while (pos < sText.size()) {
    const std::optional<char32_t> ch = NextUtf8(sText, pos);
    if (!ch) {
      out += '?';
      ++pos;
      continue;
    }
    const std::optional<uint8_t> byte = Cp1252Byte(*ch);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

std::string PrintableText(std::string_view sText, size_t nMost) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(sText.size());
  for (const char c : sText) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte != 127) {
      out += c;
      continue;
    }
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  if (out.size() <= nMost) return out;
  const size_t more = out.size() - nMost;
  out.resize(nMost);
  return out + "... (" + std::to_string(more) + " characters more)";
}
