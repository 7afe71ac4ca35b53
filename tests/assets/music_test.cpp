// The music disc as the build makes it: one track for each stage in the order the game plays
// them, then the finale's; each long enough not to repeat too soon, looping without a click, its
// peaks below full scale.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Decoded {
  int rate = 0, channels = 0;
  std::string title;
  std::vector<std::vector<float>> pcm;  // per channel
  double Seconds() const { return pcm.empty() ? 0 : double(pcm[0].size()) / rate; }
};

Decoded Decode(const std::filesystem::path& file) {
  Decoded out;
  OggVorbis_File vf;
  if (ov_fopen(file.c_str(), &vf) != 0) return out;
  const vorbis_info* info = ov_info(&vf, -1);
  out.rate = static_cast<int>(info->rate);
  out.channels = info->channels;
  vorbis_comment* comment = ov_comment(&vf, -1);
  if (const char* title = vorbis_comment_query(comment, "TITLE", 0)) out.title = title;
  out.pcm.resize(static_cast<size_t>(out.channels));
  float** buffer = nullptr;
  int section = 0;
  long got = 0;
  while ((got = ov_read_float(&vf, &buffer, 4096, &section)) > 0) {
    for (int c = 0; c < out.channels; ++c)
      out.pcm[c].insert(out.pcm[c].end(), buffer[c], buffer[c] + got);
  }
  ov_clear(&vf);
  return out;
}

// The largest step from one sample to the next among samples [from, to).
double LargestStep(const std::vector<float>& s, size_t from, size_t to) {
  double largest = 0;
  for (size_t i = from + 1; i < to; ++i)
    largest = std::max(largest, double(std::fabs(s[i] - s[i - 1])));
  return largest;
}

}  // namespace

TEST(Music, EveryStageHasItsTrackInPlayingOrderEachLoopingCleanly) {
  const char* kTitles[] = {"The Factory",        "Caves Of Chaos", "Egypt",
                           "The Final Frontier", "The Machine!",   "Finale"};
  const std::filesystem::path folder = std::filesystem::path(PIBO_GAME_DIR) / "Music";
  for (int i = 0; i < 6; ++i) {
    const std::string name = "Track0" + std::to_string(i + 1) + ".ogg";
    SCOPED_TRACE(name);
    const Decoded track = Decode(folder / name);
    ASSERT_EQ(track.channels, 2) << "a stereo Vorbis file";
    EXPECT_EQ(track.title, kTitles[i]) << "the disc plays the stages' tracks in their order";
    EXPECT_GE(track.Seconds(), 60.0);
    EXPECT_LE(track.Seconds(), 150.0);

    double peak = 0, energy = 0;
    for (const std::vector<float>& channel : track.pcm) {
      for (const float sample : channel) {
        peak = std::max(peak, double(std::fabs(sample)));
        energy += double(sample) * sample;
      }
    }
    const double rms = std::sqrt(energy / (2.0 * track.pcm[0].size()));
    EXPECT_LT(20 * std::log10(peak), -1.0) << "peaks stay 1 dB below full scale";
    EXPECT_GT(20 * std::log10(rms), -24.0) << "loud enough to be heard under the effects";
    EXPECT_LT(20 * std::log10(rms), -12.0) << "quiet enough to leave room for the effects";

    // Coming round from the last sample to the first is no bigger a step than the music itself
    // takes near either end: no click at the loop.
    const size_t n = track.pcm[0].size(), near = static_cast<size_t>(track.rate / 10);
    for (const std::vector<float>& s : track.pcm) {
      const double seam = std::fabs(s[n - 1] - s[0]);
      EXPECT_LE(seam, std::max({LargestStep(s, 0, near), LargestStep(s, n - near, n), 1e-3}));
    }
  }
}
