#pragma once
// Reading and writing the game's raw data files. Each file has a record of a known size (the 240
// bytes of the high-score table, the 6 of the options, the level set's 29 762); whatever a file
// holds beyond its record is kept when the game writes the record back, as the old game wrote
// into the file without cutting it, but only up to a limit, so a huge or hostile file costs
// nothing.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/files.h"

// How much a data file may hold beyond its record and still be read (and kept).
constexpr uintmax_t DATA_FILE_SLACK = 65536;
constexpr uintmax_t DataFileLimit(uintmax_t nRecord) {
  return nRecord + DATA_FILE_SLACK;
}

// The limits of the files every level set has: the level file, and its names (31 names of at
// most 40 characters and a line end, with room to spare).
constexpr uintmax_t LEVEL_FILE_LIMIT = DataFileLimit(29762);
constexpr uintmax_t LEVEL_NAMES_LIMIT = DataFileLimit(31 * 42);

// Writes `head` over the start of the file, keeping whatever the file held beyond it (a missing
// file is created), power-safe: a failed write never leaves a half-written file behind. Nothing
// is kept from a file over its limit, nor through a symbolic link (the link is replaced, what it
// points at is left alone). Throws GameError on failure.
void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head);

// The bytes of a file of the player's that the game can do without (the options, the high
// scores), or nothing when there is none. One that is no file (a pipe, a device, a folder, a
// broken link) or over the limit of its nRecord bytes is logged after sWho ("Game -
// LoadHighScores - ") and treated as missing; one that cannot be read throws GameError.
std::optional<std::vector<uint8_t>> ReadPlayerFile(const std::filesystem::path& file,
                                                   uintmax_t nRecord, std::string_view sWho);
