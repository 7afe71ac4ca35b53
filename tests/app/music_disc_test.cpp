// The music disc: the tracks of the Music folder in name order, and an empty drive that never
// fails.
#include "app/music_disc.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <functional>

#include "engines/vbse.h"
#include "tests/test_support.h"

using namespace testing_support;

TEST(MusicDisc, WithoutAFolderNothingPlaysAndNothingFails) {
  ScratchFolder folder;
  MusicDisc disc;
  for (const char* command : {"Open", "Play", "Next", "Stop", "Close", "Next", "Play"})
    disc.Command(command);
  EXPECT_TRUE(disc.Tracks().empty());
  EXPECT_FALSE(disc.IsPlaying());
}

TEST(MusicDisc, ReadsTheTracksInNameOrderAndPassesOverUnreadableOnes) {
  ScratchFolder folder;
  VBSE SE;  // opens the mixer
  ASSERT_TRUE(SE.Initialize());
  std::filesystem::create_directory("Music");
  for (const char* name : {"Track02.ogg", "Track01.ogg", "Notes.txt", "Track03.wav"})
    WriteBytes(std::filesystem::path("Music") / name,
               {'n', 'o', 't', ' ', 'm', 'u', 's', 'i', 'c'});
  MusicDisc disc;
  disc.Command("Open");
  ASSERT_EQ(disc.Tracks().size(), 2u);
  EXPECT_EQ(disc.Tracks()[0].filename(), "Track01.ogg");
  disc.Command("Next");
  EXPECT_EQ(disc.CurrentTrack(), 1u);
  disc.Command("Play");
  EXPECT_FALSE(disc.IsPlaying()) << "neither track can be read: the disc is over";
  disc.Poll();
  disc.Command("Close");
  EXPECT_FALSE(disc.IsOpen());
}

// The options window's OK during a game sends "Open" and "Play" again: the music goes on where
// it is instead of going back to the first track.
TEST(MusicDisc, OpeningAnOpenDiscKeepsItsTrack) {
  ScratchFolder folder;
  std::filesystem::create_directory("Music");
  for (const char* name : {"Track01.ogg", "Track02.ogg", "Track03.ogg"})
    WriteBytes(std::filesystem::path("Music") / name, {'x'});
  MusicDisc disc;
  disc.Command("Open");
  disc.Command("Next");
  disc.Command("Open");
  EXPECT_EQ(disc.CurrentTrack(), 1u);
  disc.Command("Stop");
  disc.Command("Close");
  disc.Command("Open");
  EXPECT_EQ(disc.CurrentTrack(), 0u) << "a disc opened anew starts at its first track";
}

namespace {
// Polls the disc every pass for up to `nMilliseconds` of real time, until `done` says so.
bool PollUntil(MusicDisc& disc, uint32_t nMilliseconds, const std::function<bool()>& done) {
  const uint32_t start = SDL_GetTicks();
  while (SDL_GetTicks() - start < nMilliseconds) {
    disc.Poll();
    if (done()) return true;
    SDL_Delay(30);
  }
  return false;
}
}  // namespace

// A stage keeps its track for as long as it lasts: the track plays over and over, and "Next"
// fades it out before the next one starts. (The tracks here are the first moments of two of the
// game's tracks: a stream cut short plays up to where it was cut.)
TEST(MusicDisc, PlaysTheCurrentTrackOverAndOverAndFadesItOutForTheNext) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  std::filesystem::create_directory("Music");
  const auto opening = [](const char* track, size_t nBytes) {
    std::vector<uint8_t> bytes = ReadBytes(GameFolder() / "Music" / track);
    bytes.resize(nBytes);
    return bytes;
  };
  WriteBytes("Music/Track01.ogg", opening("Track01.ogg", 12000));  // about 0.4 s
  WriteBytes("Music/Track02.ogg", opening("Track02.ogg", 60000));
  MusicDisc disc;
  disc.Command("Open");
  disc.Command("Play");
  ASSERT_EQ(disc.SoundingTrack(), 0u);
  EXPECT_FALSE(PollUntil(disc, 800, [] { return Mix_PlayingMusic() == 0; }))
      << "the first track ended instead of starting over";
  EXPECT_EQ(disc.SoundingTrack(), 0u);

  disc.Command("Next");
  EXPECT_EQ(disc.CurrentTrack(), 1u);
  EXPECT_EQ(disc.SoundingTrack(), 0u) << "the old track fades out first";
  EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
  const uint32_t changed = SDL_GetTicks();
  ASSERT_TRUE(PollUntil(disc, 3000, [&] { return disc.SoundingTrack() == 1u; }));
  EXPECT_GE(SDL_GetTicks() - changed, 300u) << "the change was a cut";
  EXPECT_NE(Mix_PlayingMusic(), 0);

  disc.Command("Close");
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(disc.SoundingTrack(), MusicDisc::kNoTrack);
}
