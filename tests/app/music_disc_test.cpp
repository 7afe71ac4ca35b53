// The music disc: the tracks of the Music folder in name order, and an empty drive that never
// fails.
#include "app/music_disc.h"

#include <gtest/gtest.h>

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
