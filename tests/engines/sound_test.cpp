// The sound engine: buffer descriptions, restarting a buffer, volumes, resting, and running silent.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "base/files.h"
#include "engines/vbse.h"
#include "tests/test_support.h"

using namespace testing_support;

TEST(SoundEngine, DescribesBothQualities) {
  const BufferDesc low = VBSE::DescribeBuffer(false);
  EXPECT_EQ(low.lSamplesPerSec, 8000);
  EXPECT_EQ(low.nBitsPerSample, 8);
  EXPECT_EQ(low.nBlockAlign, 1);
  EXPECT_EQ(low.lAvgBytesPerSec, 8000);
  const BufferDesc high = VBSE::DescribeBuffer(true);
  EXPECT_EQ(high.lAvgBytesPerSec, 44100);
  EXPECT_EQ(high.nFlags, 226);
  EXPECT_EQ(VBSE::MixerVolume(0), 128);
  EXPECT_EQ(VBSE::MixerVolume(-500), 72);  // 5 dB down
  EXPECT_EQ(VBSE::MixerVolume(-10000), 0);
}

TEST(SoundEngine, PlayingABufferAgainRestartsIt) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  SoundBufferPtr shoot, gem;
  ASSERT_TRUE(SE.LoadSound((GameFolder() / "Shoot.wav").string(), shoot, false));
  ASSERT_TRUE(SE.LoadSound((GameFolder() / "Gem.wav").string(), gem, false));
  EXPECT_NE(shoot->Channel(), gem->Channel()) << "every buffer has a channel of its own";
  EXPECT_TRUE(SE.PlaySound(shoot.get()));
  EXPECT_TRUE(SE.PlaySound(shoot.get()));
  EXPECT_TRUE(SE.PlaySound(gem.get()));
  EXPECT_TRUE(shoot->IsPlaying());
  EXPECT_TRUE(gem->IsPlaying());
  shoot->Stop();
  EXPECT_FALSE(shoot->IsPlaying());
  EXPECT_EQ(folder.ErrorLog(), "");
}

namespace {

// The buffer holds exactly the samples that decoding the game's wave file at once gives.
testing::AssertionResult HoldsTheWaveDecodedAtOnce(const SoundBuffer& buffer, const char* name) {
  const std::vector<uint8_t> file = ReadFileBytes(GameFolder() / name, 1 << 24);
  const ChunkPtr atOnce = VBSE::DecodeWave(file, true);
  const std::span<const uint8_t> held = buffer.Samples();
  if (atOnce == nullptr || held.size() != atOnce->alen)
    return testing::AssertionFailure() << name << ": " << held.size() << " bytes held";
  if (!std::equal(held.begin(), held.end(), atOnce->abuf))
    return testing::AssertionFailure() << name << ": other samples";
  return testing::AssertionSuccess();
}

}  // namespace

// A wave is checked when it loads and decoded for the mixer later, at its first play or one a
// pass, into exactly what decoding it at once gives; a buffer let go before then is skipped.
TEST(SoundEngine, WavesAreDecodedLaterIntoWhatDecodingAtOnceGives) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  ASSERT_FALSE(SE.IsSilent());
  SoundBufferPtr shoot, dropped, gem, jump;
  for (auto [name, buffer] : {std::pair{"Shoot.wav", &shoot}, std::pair{"Hit.wav", &dropped},
                              std::pair{"Gem.wav", &gem}, std::pair{"Jump.wav", &jump}})
    ASSERT_TRUE(SE.LoadSound((GameFolder() / name).string(), *buffer, true)) << name;
  EXPECT_TRUE(shoot->Samples().empty()) << "decoded at loading";

  ASSERT_TRUE(SE.PlaySound(shoot.get()));
  EXPECT_TRUE(HoldsTheWaveDecodedAtOnce(*shoot, "Shoot.wav"));

  dropped.reset();
  ASSERT_TRUE(SE.Tend());
  EXPECT_FALSE(gem->Samples().empty()) << "the decoded and the dropped buffers were passed over";
  EXPECT_TRUE(jump->Samples().empty()) << "one a call";
  ASSERT_TRUE(SE.Tend());
  EXPECT_FALSE(jump->Samples().empty());
  EXPECT_TRUE(SE.Tend()) << "nothing left is no failure";
  EXPECT_EQ(folder.ErrorLog(), "");
}

// A long wave (a stage's tune) waits as its file: decoded at each play into what decoding it at
// once gives, and let go by the pass after it has ended.
TEST(SoundEngine, ALongWaveIsDecodedAtEachPlayAndLetGoOnceEnded) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  ASSERT_FALSE(SE.IsSilent());
  SoundBufferPtr tune;
  ASSERT_TRUE(SE.LoadSound((GameFolder() / "StageSpace.wav").string(), tune, true));
  ASSERT_TRUE(SE.Tend());
  EXPECT_TRUE(tune->Samples().empty()) << "not decoded in a quiet pass";
  for (int play = 0; play < 2; ++play) {
    ASSERT_TRUE(SE.PlaySound(tune.get()));
    EXPECT_TRUE(HoldsTheWaveDecodedAtOnce(*tune, "StageSpace.wav")) << "play " << play;
    ASSERT_TRUE(SE.Tend());
    EXPECT_FALSE(tune->Samples().empty()) << "kept while it plays";
    tune->Stop();
    ASSERT_TRUE(SE.Tend());
    EXPECT_TRUE(tune->Samples().empty()) << "let go once ended";
  }
  EXPECT_EQ(folder.ErrorLog(), "");
}

TEST(SoundEngine, ADeviceLookedForInTheBackgroundIsTakenByInitialize) {
  ScratchFolder folder;
  {
    VBSE SE;
    SE.OpenDeviceInBackground();
    ASSERT_TRUE(SE.Initialize());
    EXPECT_FALSE(SE.IsSilent());
    SoundBufferPtr jump;
    EXPECT_TRUE(SE.LoadSound((GameFolder() / "Jump.wav").string(), jump, false));
    EXPECT_TRUE(SE.PlaySound(jump.get()));
  }
  {
    VBSE never;
    never.OpenDeviceInBackground();
  }  // a game that never started closes it again
  VBSE again;
  ASSERT_TRUE(again.Initialize());
  EXPECT_FALSE(again.IsSilent());
  EXPECT_EQ(folder.ErrorLog(), "");
}

// Still and silent for two seconds, the device closes; a sound, or the game moving on, opens it
// again as it was: same format, same samples, the player's volume. Twice, as a pause can be.
TEST(SoundEngine, TheDeviceRestsWhileTheGameStandsStillInSilenceAndWakesAsItWas) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
  SoundBufferPtr jump, gem;
  ASSERT_TRUE(SE.LoadSound((GameFolder() / "Jump.wav").string(), jump, true));
  ASSERT_TRUE(SE.LoadSound((GameFolder() / "Gem.wav").string(), gem, true));
  constexpr uint32_t kRest = VBSE::kRestMilliseconds;

  SE.Rest(true, 0);
  SE.Rest(true, kRest);
  EXPECT_FALSE(SE.IsResting()) << "waves still wait to be decoded";
  while (SE.HasWork()) ASSERT_TRUE(SE.Tend());
  ASSERT_TRUE(SE.PlaySound(jump.get()));
  SE.Rest(true, 10000);
  SE.Rest(true, 10000 + kRest);
  EXPECT_FALSE(SE.IsResting()) << "a sound plays";
  jump->Stop();

  for (int pause = 0; pause < 2; ++pause) {
    const uint32_t start = 20000 + pause * 10000;
    SE.Rest(true, start);
    SE.Rest(false, start + kRest);  // the game moved on in between
    SE.Rest(true, start + kRest);
    SE.Rest(true, start + 2 * kRest - 1);
    EXPECT_FALSE(SE.IsResting()) << "still for less than the time, pause " << pause;
    SE.Rest(true, start + 2 * kRest);
    ASSERT_TRUE(SE.IsResting()) << "pause " << pause;
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the device is closed";
    EXPECT_FALSE(jump->IsPlaying());
    SE.SetEffectsVolume(pause == 0 ? 50 : 25);

    if (pause == 0)
      ASSERT_TRUE(SE.PlaySound(gem.get()));
    else
      SE.Rest(false, start + 3 * kRest);
    EXPECT_FALSE(SE.IsResting());
    int again_frequency = 0, again_channels = 0;
    Uint16 again_format = 0;
    ASSERT_NE(Mix_QuerySpec(&again_frequency, &again_format, &again_channels), 0);
    EXPECT_EQ(std::tuple(again_frequency, again_format, again_channels),
              std::tuple(frequency, format, channels));
    EXPECT_TRUE(HoldsTheWaveDecodedAtOnce(*gem, "Gem.wav"));
    EXPECT_EQ(Mix_Volume(gem->Channel(), -1), pause == 0 ? 64 : 32)
        << "the player's effects volume, set while the device rested";
    EXPECT_EQ(gem->IsPlaying(), pause == 0);
    ASSERT_TRUE(SE.PlaySound(jump.get()));
    EXPECT_TRUE(jump->IsPlaying());
    jump->Stop();
    gem->Stop();
  }
  EXPECT_EQ(folder.ErrorLog(), "");
}

TEST(SoundEngine, WithoutASoundDeviceTheGamePlaysSilent) {
  ScratchFolder folder;
  const std::string before = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
  setenv("SDL_AUDIODRIVER", "no-such-device", 1);
  {
    VBSE SE;
    SE.OpenDeviceInBackground();  // the answer waits for Initialize, which reports it
    ASSERT_TRUE(SE.Initialize());
    EXPECT_TRUE(SE.IsSilent());
    SoundBufferPtr jump;
    EXPECT_TRUE(SE.LoadSound((GameFolder() / "Jump.wav").string(), jump, false));
    EXPECT_TRUE(SE.PlaySound(jump.get()));
    EXPECT_FALSE(SE.LoadSound("Missing.wav", jump, false)) << "a missing wave is still an error";
  }
  setenv("SDL_AUDIODRIVER", before.c_str(), 1);
  const std::string log = folder.ErrorLog();
  EXPECT_EQ(log.rfind("VBSE - Initialize - No sound device, playing silent: ", 0), 0u) << log;
  EXPECT_NE(log.find("VBSE - LoadSound - "), std::string::npos);
}

TEST(SoundEngine, PlayingBeforeInitializeIsReported) {
  ScratchFolder folder;
  VBSE SE;
  SoundBufferPtr none;
  EXPECT_FALSE(SE.PlaySound(none.get()));
  EXPECT_EQ(folder.ErrorLog(), "VBSE - PlaySound - Not initialized.\r\n\r\n");
}
