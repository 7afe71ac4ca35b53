#pragma once
// Reading and writing the game's raw data files.
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

bool FileExists(const std::filesystem::path& file);

// The whole file. Throws GameError "File not found" or "Path/File access error".
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file);

// Writes `head` over the start of the file, keeping whatever the file held beyond it (a missing
// file is created). The new content goes to a temporary file that then replaces the old one, so
// a failed write never leaves a half-written file behind. Throws GameError on failure.
void WriteFileHead(const std::filesystem::path& file, std::span<const uint8_t> head);
