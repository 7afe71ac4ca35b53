#pragma once
// Paths as the game's text. The game keeps folder and file names in std::string, as UTF-8 on
// every system; on Windows a path itself is wide, and its narrow conversions would go through
// the ANSI code page, losing every letter outside it (a player called Jürgen or Дима has one
// in his profile folder). These convert through UTF-8 always.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

std::filesystem::path PathFromText(std::string_view sUtf8);
std::string PathText(const std::filesystem::path& path);

// The program's arguments (without its name) as UTF-8: on Windows read again from the wide
// command line, since `argv` holds them in the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The folder the running program lives in; empty when the system cannot say.
std::filesystem::path RunningProgramFolder();

// Makes `folder` the current directory; false when it cannot be entered.
bool EnterFolder(const std::filesystem::path& folder);
