#pragma once
// Ogg Vorbis files of the music, the same bytes at every build: a fixed stream number, fixed tags
// and the encoder's own deterministic output.
#include <filesystem>

#include "tools/asset_gen/music/stereo.h"

namespace music {

// Encodes the track at Vorbis quality `quality` (0 to 1). Throws std::runtime_error.
void WriteOgg(const std::filesystem::path& file, const Stereo& track, const char* sTitle,
              int nSerial, float quality = 0.4f);

}  // namespace music
