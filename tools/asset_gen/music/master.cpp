#include "tools/asset_gen/music/master.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace music {

namespace {

// One stage of the K-weighting filter, direct form I.
struct Stage {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

// The two stages of the K-weighting (a high shelf for the head, a high pass for the low end),
// worked out for the track's rate.
std::vector<Stage> KWeighting(int rate) {
  const double shelfGain = 3.999843853973347, shelfFreq = 1681.974450955533;
  const double shelfQ = 0.7071752369554196;
  double k = std::tan(snd::kPi * shelfFreq / rate);
  const double vh = std::pow(10.0, shelfGain / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  double a0 = 1.0 + k / shelfQ + k * k;
  Stage shelf{(vh + vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
              (vh - vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
              (1.0 - k / shelfQ + k * k) / a0};
  const double passFreq = 38.13547087602444, passQ = 0.5003270373238773;
  k = std::tan(snd::kPi * passFreq / rate);
  a0 = 1.0 + k / passQ + k * k;
  Stage pass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / passQ + k * k) / a0};
  return {shelf, pass};
}

std::vector<double> Weighted(const snd::Wave& channel) {
  std::vector<Stage> stages = KWeighting(channel.rate);
  std::vector<double> out(channel.s.size());
  for (size_t i = 0; i < out.size(); ++i) {
    double x = channel.s[i];
    for (Stage& stage : stages) x = stage.Process(x);
    out[i] = x * x;
  }
  return out;
}

double ToLufs(double meanSquare) {
  return -0.691 + 10.0 * std::log10(std::max(meanSquare, 1e-12));
}

double SoftLimit(double x, double ceiling) {
  const double knee = ceiling * 0.7;
  const double size = std::fabs(x);
  if (size <= knee) return x;
  const double room = ceiling - knee;
  return std::copysign(knee + room * std::tanh((size - knee) / room), x);
}

}  // namespace

void FoldTail(Stereo& track, double seconds) {
  const size_t loop = static_cast<size_t>(std::llround(seconds * track.Rate()));
  for (snd::Wave* channel : {&track.l, &track.r}) {
    channel->s.resize(std::max(loop, channel->s.size()), 0.0);
    for (size_t i = loop; i < channel->s.size(); ++i) channel->s[i % loop] += channel->s[i];
    channel->s.resize(loop);
  }
}

double IntegratedLoudness(const Stereo& track) {
  const std::vector<double> left = Weighted(track.l), right = Weighted(track.r);
  const size_t block = static_cast<size_t>(0.4 * track.Rate());
  const size_t step = block / 4;
  std::vector<double> blocks;  // mean square of each 400 ms block, both channels summed
  for (size_t start = 0; start + block <= left.size(); start += step) {
    double sum = 0;
    for (size_t i = start; i < start + block; ++i) sum += left[i] + right[i];
    blocks.push_back(sum / static_cast<double>(block));
  }
  auto gatedMean = [&](double gate) {
    double sum = 0;
    int count = 0;
    for (const double z : blocks) {
      if (ToLufs(z) > gate) {
        sum += z;
        ++count;
      }
    }
    return count > 0 ? sum / count : 0.0;
  };
  const double relativeGate = ToLufs(gatedMean(-70.0)) - 10.0;
  return ToLufs(gatedMean(std::max(-70.0, relativeGate)));
}

void Master(Stereo& track) {
  const double gain = std::pow(10.0, (kTargetLoudness - IntegratedLoudness(track)) / 20.0);
  const double ceiling = std::pow(10.0, kPeakCeiling / 20.0);
  for (snd::Wave* channel : {&track.l, &track.r}) {
    for (double& sample : channel->s) sample = SoftLimit(sample * gain, ceiling);
  }
}

double PeakDb(const Stereo& track) {
  const double peak = std::max(track.l.Peak(), track.r.Peak());
  return 20.0 * std::log10(std::max(peak, 1e-12));
}

}  // namespace music
