#pragma once
// pibo-levels render SET.dat OUT.png [NAMES_FILE] [--folder PROGRAM_FOLDER]
// Every level of a set on one sheet, each drawn whole (both halves of its 1600 px width) as the
// game draws it when the level starts: backdrop, platforms, gems, power-ups and the heads-up
// display, shrunk to a third, with its number, stage and name, so a designer sees the whole
// set at a glance.
#include <ostream>
#include <string>
#include <vector>

// The command, args after "render". Returns the exit code (0 done, 1 failed, 2 wrong usage);
// messages go to err.
int RenderLevelSheet(const std::vector<std::string>& args, std::ostream& err);
