#pragma once
// The settings file's text: an INI file of "[Section]" lines and "Key=Value" lines under them. The
// game writes one value into it and keeps every other line as it was.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The largest settings file that is read; a larger one is no settings file of anybody's and is
// replaced whole.
constexpr uintmax_t SETTINGS_FILE_LIMIT = 65536;

// A value as one line of the file: a backslash becomes "\\", a line feed "\n", a carriage return
// "\r" and any other control character "\xNN", so a value (a folder's name may hold any of them)
// can never end its line or start another.
std::string EscapeSettingValue(std::string_view sValue);

// `sText` with `sKey` of `sSection` set to the (escaped) value: the key's line replaced where the
// section has it, added at the section's end where it does not, the section added at the end of
// the text where there is none. Every line of the result ends with a line feed.
std::string SettingsTextWith(std::string_view sText, std::string_view sSection,
                             std::string_view sKey, std::string_view sValue);

// A value read back: the escapes of EscapeSettingValue undone; an escape that is none of them is
// kept as it stands.
std::string UnescapeSettingValue(std::string_view sValue);

// Every "Key=Value" of the text, by section and key, the values unescaped. Lines that are neither
// a section, a key nor blank are passed over (a file edited by hand may hold anything); a key given
// twice keeps its last value. Line ends may be LF or CR LF.
using SettingsSections = std::map<std::string, std::map<std::string, std::string>, std::less<>>;
SettingsSections ReadSettingsText(std::string_view sText);
