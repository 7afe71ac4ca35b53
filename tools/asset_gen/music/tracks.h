#pragma once
// The music disc's tracks, composed.
#include <vector>

#include "tools/asset_gen/music/stereo.h"

namespace music {

struct Track {
  const char* File;     // Track01.ogg, ...
  const char* Title;    // what the track is for
  Stereo mix;           // with the tails that ring on past the loop
  double fLoopSeconds;  // where the track comes round to its start again
};

// The stages' tracks in their order on the disc (The Factory, Caves Of Chaos, Egypt, The Final
// Frontier, The Machine!), then the finale's.
std::vector<Track> ComposeTracks(int nRate);

}  // namespace music
