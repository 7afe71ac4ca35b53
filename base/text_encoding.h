#pragma once
// The game keeps every text (names, level names, high-score names) as 8-bit Windows-1252 bytes,
// as its files store them. These convert at the edges where UTF-8 is needed (fonts, dialogs,
// the level sources).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The character of a Windows-1252 byte. The five bytes the code page leaves undefined stand for
// the control characters of the same number, so every byte has a character and back.
char32_t Cp1252Char(uint8_t nByte);
// The byte of a character, or nothing when Windows-1252 cannot hold it.
std::optional<uint8_t> Cp1252Byte(char32_t nChar);

void AppendUtf8(std::string& sOut, char32_t nChar);
// Decodes the UTF-8 character at sText[nPos] and moves nPos past it; nothing (and nPos unmoved)
// for a malformed, overlong or cut-short sequence, a surrogate or a value beyond U+10FFFF.
std::optional<char32_t> NextUtf8(std::string_view sText, size_t& nPos);

std::string Cp1252ToUtf8(std::string_view sText);
// Characters that Windows-1252 cannot hold become '?'. Malformed UTF-8 bytes become '?' as well.
std::string Utf8ToCp1252(std::string_view sText);

// Text from a file made safe to print on a terminal: every control character (a byte below 32,
// and 127) becomes "\xNN", so a file cannot move the cursor, clear the screen or retitle the
// window of whoever reads the message. Everything else is kept as it is. A message longer than
// nMost (it may quote a line megabytes long) keeps its start and says how much more there was.
constexpr size_t MESSAGE_MOST = 500;
std::string PrintableText(std::string_view sText, size_t nMost = MESSAGE_MOST);
