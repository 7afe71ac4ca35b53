#pragma once
// FNV-1a in 64 bits: the game's check of a run of bytes (a recording's own bytes, the level set a
// recording was played on, the path a level pack's files are kept under).
#include <cstdint>
#include <string_view>

uint64_t Fnv1a(std::string_view bytes);
