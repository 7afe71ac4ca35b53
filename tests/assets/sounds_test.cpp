// The generated waves, read the way the game reads them: every wave of the catalogue is in the
// program's folder, SDL opens it, it has the exact format the game loads it at, a length that
// fits where it is played, and sound that is there, centred, not clipped and free of edge clicks.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Length {
  double min, max;  // seconds
};
// Effects restart on every event, so they stay short. The level screen and the game-over picture
// last three seconds and the program waits three for its exit sound: those must be over by then.
constexpr Length kEffect{0.05, 1.0};
constexpr Length kBlast{0.3, 1.5};
constexpr Length kPowerUp{0.1, 1.5};
constexpr Length kThreeSeconds{1.0, 3.0};
constexpr Length kTune{2.0, 8.0};

struct WaveCase {
  const char* file;
  bool highQuality;  // 22 050 samples/s 16-bit, else 8 000 samples/s 8-bit
  Length length;
};

const WaveCase kWaves[] = {
    {"Shoot.wav", false, kEffect},         {"Boing.wav", false, kEffect},
    {"GetReady.wav", true, kThreeSeconds}, {"GameOver.wav", false, kThreeSeconds},
    {"Hit.wav", false, kEffect},           {"Gem.wav", false, kEffect},
    {"BombHit.wav", false, kEffect},       {"HitBomb.wav", false, kEffect},
    {"Explosion.wav", false, kBlast},      {"Teleport.wav", false, kBlast},
    {"Jump.wav", false, kEffect},          {"ExtraHealth.wav", true, kPowerUp},
    {"Speed.wav", true, kPowerUp},         {"HyperJump.wav", true, kPowerUp},
    {"BallBlaster.wav", true, kPowerUp},   {"Invulnerability.wav", true, kPowerUp},
    {"SwitchBB.wav", true, kEffect},       {"Congrats.wav", true, kTune},
    {"FreezeBalls.wav", true, kPowerUp},   {"Smoking.wav", true, kThreeSeconds},
    {"StageFactory.wav", true, kTune},     {"StageCave.wav", true, kTune},
    {"StageEgypt.wav", true, kTune},       {"StageSpace.wav", true, kTune},
    {"StageMachine.wav", true, kTune},
};

void PrintTo(const WaveCase& c, std::ostream* os) {
  *os << c.file;
}

// Samples as fractions of full scale, whatever the format.
std::vector<double> Samples(const SDL_AudioSpec& audio, const Uint8* buf, Uint32 len) {
  std::vector<double> s;
  if (audio.format == AUDIO_U8) {
    for (Uint32 i = 0; i < len; ++i) s.push_back((buf[i] - 128) / 128.0);
  } else if (audio.format == AUDIO_S16LSB) {
    for (Uint32 i = 0; i + 1 < len; i += 2) s.push_back(Sint16(buf[i] | buf[i + 1] << 8) / 32768.0);
  }
  return s;
}

class GameWave : public testing::TestWithParam<WaveCase> {};

TEST_P(GameWave, LoadsInCatalogueFormatWithCleanAudibleSound) {
  const WaveCase& c = GetParam();
  const std::string path = std::string(PIBO_GAME_DIR) + "/" + c.file;
  SDL_AudioSpec audio{};
  Uint8* raw = nullptr;
  Uint32 len = 0;
  ASSERT_NE(SDL_LoadWAV(path.c_str(), &audio, &raw, &len), nullptr) << SDL_GetError();
  std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> buf(raw, SDL_FreeWAV);

  EXPECT_EQ(audio.channels, 1);
  EXPECT_EQ(audio.freq, c.highQuality ? 22050 : 8000);
  ASSERT_EQ(audio.format, c.highQuality ? AUDIO_S16LSB : AUDIO_U8);

  const std::vector<double> s = Samples(audio, buf.get(), len);
  ASSERT_FALSE(s.empty());
  const double seconds = double(s.size()) / audio.freq;
  EXPECT_GE(seconds, c.length.min);
  EXPECT_LE(seconds, c.length.max);

  double peak = 0, sum = 0, energy = 0;
  for (double x : s) {
    peak = std::max(peak, std::fabs(x));
    sum += x;
    energy += x * x;
  }
  EXPECT_GT(peak, 0.3) << "too quiet to hear over the game";
  EXPECT_LT(peak, 0.97) << "clips or sits at full scale";
  EXPECT_GT(std::sqrt(energy / s.size()), 0.02) << "mostly silence";
  EXPECT_LT(std::fabs(sum / s.size()), 0.005) << "DC offset";
  // Starting or stopping away from the centre line is heard as a click.
  EXPECT_LT(std::fabs(s.front()), 0.02);
  EXPECT_LT(std::fabs(s.back()), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, GameWave, testing::ValuesIn(kWaves),
                         [](const testing::TestParamInfo<WaveCase>& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
