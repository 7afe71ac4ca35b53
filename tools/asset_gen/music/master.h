#pragma once
// Mastering a track for the game: its tail folded back onto its start so it loops without a
// seam, its loudness brought to a level that sits under the sound effects, its peaks kept below
// full scale.
#include "tools/asset_gen/music/stereo.h"

namespace music {

constexpr double kTargetLoudness = -16.0;  // LUFS
constexpr double kPeakCeiling = -1.5;      // dBFS, before encoding; decoded peaks stay below -1

// Cuts the track to `seconds` and adds what rang on past that (reverb, releases) to its start,
// where the loop takes it when it comes round again.
void FoldTail(Stereo& track, double seconds);

// Integrated loudness in LUFS, K-weighted and gated as broadcast meters measure it.
double IntegratedLoudness(const Stereo& track);

// Gain to the target loudness, then a soft limiter that rounds off the few peaks above the
// ceiling.
void Master(Stereo& track);

// The largest sample, in dBFS.
double PeakDb(const Stereo& track);

}  // namespace music
