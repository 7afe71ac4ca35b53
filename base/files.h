#pragma once
// Whole files read and written so that nothing is ever half-written: a new file goes to a
// temporary file of its own beside the old one, reaches the disk, and only then takes the old
// file's place, so a crash, a power cut or a full disk leaves either the old file or the new one.
// Every write of the game goes through here, which also lets a test make the disk "full".
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

bool FileExists(const std::filesystem::path& file);

// The whole file. Throws GameError "File not found" or "Path/File access error"; a file larger
// than `nLimit` bytes is refused with "File too large" before any of it is read.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file,
                                   uintmax_t nLimit = UINTMAX_MAX);

// Replaces the file with `bytes`, power-safe: a temporary file named after it and this process
// ("Options.dat.tmp-1234-Ab3dE9"), flushed to the disk, renamed over the old file, and the folder
// flushed too. The old file's permissions are kept. On failure the temporary file is removed,
// the old file is untouched and GameError says why ("Disk full", "Path/File access error").
void WriteFileAtomically(const std::filesystem::path& file, std::span<const uint8_t> bytes);

// Adds `text` at the end of the file, creating it. A file this call created is removed again when
// the text could not be written, so a failure never leaves an empty file. Throws GameError.
void AppendToFile(const std::filesystem::path& file, std::string_view text);

// Removes what interrupted saves left in the folder: the temporary files of `names` whose process
// is no longer running, and the "NAME.new" files of older versions of the game.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            std::span<const std::string_view> names);

// For tests: every write to a file that `refuses` names fails as on a full disk (the file is
// created, no byte fits); an empty function ends it. Not for use while other threads write.
void SimulateFullDisk(std::function<bool(const std::filesystem::path&)> refuses);
