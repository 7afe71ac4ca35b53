#pragma once
#include <filesystem>
#include <string>

// Writes every bitmap of the game into `out` (24-bit BMP, pure blue where see-through).
void DrawAllPictures(const std::filesystem::path& out);

namespace pictures {
// Writes the program's icon as DIR/NxN/apps/NAME.png for every size a desktop asks for.
void DrawIcons(const std::filesystem::path& dir, const std::string& name);
// The same icon as one Windows .ico file, every size in it.
void WriteWindowsIcon(const std::filesystem::path& file);
}  // namespace pictures
