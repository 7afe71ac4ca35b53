#pragma once
#include <filesystem>

// The sample rate of the music.
constexpr int MUSIC_RATE = 44100;

// Composes the music disc into `out`/Music: Track01.ogg to Track06.ogg, one for each stage in
// the order the game plays them and the finale's, each looping without a seam and mastered to
// sit under the sound effects.
void ComposeAllMusic(const std::filesystem::path& out);
