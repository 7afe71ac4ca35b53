#pragma once
// Reading and writing the game's raw data files.
#include <cstdint>
#include <filesystem>
#include <span>

#include "base/files.h"

// Writes `head` over the start of the file, keeping whatever the file held beyond it (a missing
// file is created), power-safe: a failed write never leaves a half-written file behind. Throws
// GameError on failure.
void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head);
