#pragma once
// The names of the keyboard's keys, as the settings file writes them and the settings window shows
// them ("W", "Left", "Space", "Left Ctrl"), for every key the game reads (a DirectInput number of
// base/key_codes.h, at its US-layout position).
#include <string>
#include <string_view>

// The key's name; "" for a number that is no key the game reads.
std::string_view KeyName(int nKey);

// The key a name names, in any case ("w", "LEFT CTRL"); 0 when none does.
int KeyFromName(std::string_view sName);
