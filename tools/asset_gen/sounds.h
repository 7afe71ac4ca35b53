#pragma once
#include <filesystem>

// Writes every wave of the game into `out` (mono PCM at the quality the game loads it with).
void SynthesizeAllSounds(const std::filesystem::path& out);
