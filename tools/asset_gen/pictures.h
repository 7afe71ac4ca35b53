#pragma once
#include <filesystem>

// Writes every bitmap of the game into `out` (24-bit BMP, pure blue where see-through).
void DrawAllPictures(const std::filesystem::path& out);
