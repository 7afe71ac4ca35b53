#pragma once
// The game keeps every text (names, level names, high-score names) as 8-bit Windows-1252 bytes,
// as its files store them. These convert at the edges where UTF-8 is needed (fonts, dialogs).
#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view sText);
// Characters that Windows-1252 cannot hold become '?'. Malformed UTF-8 bytes become '?' as well.
std::string Utf8ToCp1252(std::string_view sText);
