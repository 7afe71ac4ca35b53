#pragma once
// pibo-levels: turns the level sources of a set folder into the game's level file and names
// file, and a level file with its names back into sources.
//
//   pibo-levels pack SRC_DIR LEVELS_FILE NAMES_FILE
//   pibo-levels unpack LEVELS_FILE NAMES_FILE OUT_DIR
//   pibo-levels render SET.dat OUT.png [NAMES_FILE] [--folder PROGRAM_FOLDER]
//
// (render, which draws a whole set as the game does, lives in tools/review/level_sheet.h.)
// A set folder holds set.txt (the level count) and level01.txt to level31.txt, one per slot.
// Nothing is written unless every input is good, and every output file is written beside its
// place under a temporary name and then renamed, so a failure never leaves a half-written file.
#include <array>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/level_packer/level_text.h"

constexpr const char* LEVEL_SET_SOURCE_FILE = "set.txt";
// The largest source file read (set.txt or a level): a level's grid and name take under 1.5 KB,
// so a megabyte leaves room for any comments, and a larger file is no level source.
constexpr uintmax_t LEVEL_SOURCE_LIMIT = 1 << 20;

// "level01.txt" to "level31.txt".
std::string LevelSourceFileName(int nSlot);

struct LevelSetSource {
  int Count = 0;
  std::array<LevelSlotSource, LEVEL_SLOTS> Slots;
};

struct PackedLevelSet {
  std::vector<uint8_t> LevelFile;  // 29 762 bytes
  std::string NamesFile;           // one CR LF line per named slot, from slot 1 on
};

// Reads and checks a set folder. Errors name the file and line.
LevelSetSource ReadLevelSources(const std::filesystem::path& dir);
// Writes set.txt and the 31 level sources into dir (made if missing).
void WriteLevelSources(const LevelSetSource& set, const std::filesystem::path& dir);

// Every slot up to the count must be named, and the names file names slots in order, so a named
// slot needs every slot before it named too.
PackedLevelSet PackLevelSet(const LevelSetSource& set);
// The inverse: the names file needs a line for every played level and at most one per slot.
LevelSetSource UnpackLevelSet(std::span<const uint8_t> levelFile, std::string_view namesText);

// The whole command: args without the program name. Returns the exit code (0 done, 1 failed,
// 2 wrong usage); messages go to err.
int RunLevelPacker(const std::vector<std::string>& args, std::ostream& err);
