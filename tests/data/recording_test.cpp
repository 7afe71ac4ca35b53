// Recordings of played games: written and read back the same, and refused with a reason a player
// understands when they come from another version or are damaged.
#include "data/recording.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/failure.h"

namespace {

Recording Sample() {
  Recording r;
  r.GameVersion = "1.0.0";
  r.bExtra = true;
  r.LevelsCheck = 0x0123456789abcdefULL;
  r.RandomState = 0xA5F00D;
  r.nEasyGame = 0;
  r.nHighDetailGraphics = 1;
  r.LevelBefore = 12;
  r.StageBefore = 2;
  KeyboardSnapshot keys{};
  for (int f = 0; f < 50; ++f) {
    keys.fill(0);
    if (f >= 5) keys[dik::RIGHT] = 0x80;
    if (f >= 10 && f < 12) keys[dik::SPACE] = 0x80;
    if (f == 20) keys[dik::RCONTROL] = 0x80;  // either Ctrl fires
    if (f == 30) keys[dik::P] = 0x80;         // a pause changes nothing in play
    r.AddFrame(keys, f < 40 ? 1 : 0);
  }
  r.EndScore = 560;
  r.EndLevel = 14;
  return r;
}

std::string Refusal(const std::string& text) {
  try {
    ParseRecording(text, "1.0.0");
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(Recording, ReadsBackWhatItWrote) {
  const Recording r = Sample();
  const std::string text = RecordingText(r);
  const Recording back = ParseRecording(text, "1.0.0");
  EXPECT_EQ(RecordingText(back), text);
  EXPECT_EQ(back.Frames(), 50);
  EXPECT_TRUE(back.bExtra);
  EXPECT_EQ(back.RandomState, 0xA5F00Du);
  EXPECT_EQ(back.LevelBefore, 12);
  EXPECT_EQ(back.EndScore, 560);
  EXPECT_EQ(back.SnapshotAt(4)[dik::RIGHT], 0);
  EXPECT_EQ(back.SnapshotAt(5)[dik::RIGHT], 0x80);
  EXPECT_EQ(back.SnapshotAt(11)[dik::SPACE], 0x80);
  EXPECT_EQ(back.SnapshotAt(12)[dik::SPACE], 0);
  EXPECT_EQ(back.SnapshotAt(20)[dik::LCONTROL], 0x80);
  EXPECT_EQ(back.SnapshotAt(30)[dik::P], 0);
  EXPECT_EQ(back.Detail[39], 1);
  EXPECT_EQ(back.Detail[40], 0);
  // Only changes are written: a line for each change of keys or of the option.
  EXPECT_LT(std::count(text.begin(), text.end(), '\n'), 20);
}

// The assists that change play travel with the game; a classic game's file has no word of them.
TEST(Recording, HoldsTheAssistsOnlyWhenAnyWasOn) {
  Recording r = Sample();
  EXPECT_EQ(RecordingText(r).find("assists"), std::string::npos);
  r.bSafeTimeAfterHit = true;
  r.nGameSpeed = 80;
  const std::string text = RecordingText(r);
  EXPECT_NE(text.find("\nstart 12 2\nassists safe-time speed 80\n0\n"), std::string::npos) << text;
  const Recording back = ParseRecording(text, "1.0.0");
  EXPECT_TRUE(back.bSafeTimeAfterHit);
  EXPECT_EQ(back.nGameSpeed, 80);
  EXPECT_EQ(RecordingText(back), text);

  const size_t bodyEnd = text.rfind("check ");
  for (const char* odd : {"assists speed 85", "assists invincible", "assists speed"}) {
    std::string body = text.substr(0, bodyEnd);
    body.replace(body.find("assists safe-time speed 80"), 26, odd);
    EXPECT_NE(Refusal(body + RecordingCheckLine(body)).find("the assists are"), std::string::npos)
        << odd;
  }
}

TEST(Recording, RefusesAnotherVersionOrAFormatItDoesNotKnowOrADamagedFile) {
  const std::string good = RecordingText(Sample());
  EXPECT_NE(Refusal("hello\n").find("does not start with"), std::string::npos);
  EXPECT_NE(Refusal("").find("does not start with"), std::string::npos);

  Recording other = Sample();
  other.GameVersion = "0.9.0";
  EXPECT_NE(Refusal(RecordingText(other)).find("played with pibo2 0.9.0, this is pibo2 1.0.0"),
            std::string::npos);

  std::string format = good;
  format.replace(format.find("recording 1"), 11, "recording 7");
  EXPECT_NE(Refusal(format).find("damaged"), std::string::npos) << "the check covers the header";

  std::string flipped = good;
  flipped[flipped.find("right")] = 'l';
  EXPECT_NE(Refusal(flipped).find("damaged"), std::string::npos);
  EXPECT_NE(Refusal(good.substr(0, good.size() / 2)).find("cut short"), std::string::npos);
}

// A file whose check is right but whose lines are wrong (written by hand, say) is refused line
// by line, never half read.
TEST(Recording, RefusesLinesItCannotReadEvenWhenTheCheckMatches) {
  const std::string good = RecordingText(Sample());
  const size_t bodyEnd = good.rfind("check ");
  struct Case {
    std::string from, to, why;
  } cases[] = {{"5 right", "5 jump", "\"jump\" is not a key"},
               {"12 right", "8 right", "out of order"},
               {"end 50", "end 30", "run past the end"},
               {"end 50 score 560", "end 50 points 560", "end line"},
               // Values the game could never have written: an easy game of -1 divided by zero.
               {"easy 0", "easy -1", "\"easy\" needs a number from 0 to 1"},
               {"easy 0", "easy 65535", "\"easy\" needs a number from 0 to 1"},
               {"easy 0", "easy 1x", "\"easy\" needs"},
               {"detail 1", "detail 2", "\"detail\" needs"},
               {"random a5f00d", "random 1a5f00d", "\"random\" needs"},
               {"start 12 2", "start 31 2", "the start needs"},
               {"start 12 2", "start 12 5", "the start needs"},
               {"start 12 2", "start -1 0", "the start needs"},
               {"start 12 2", "start 12 2 7", "the start needs"},
               {"level 14", "level 32", "a level from 1 to 31"},
               {"score 560", "score -5", "a score of 0 or more"},
               {"score 560", "score 2147483648", "end line"},
               // A file's text is quoted with its control characters escaped.
               {"5 right", "5 \x1b[2J", "\"\\x1b[2J\" is not a key"}};
  for (const Case& c : cases) {
    std::string body = good.substr(0, bodyEnd);
    body.replace(body.find(c.from), c.from.size(), c.to);
    // Re-sign the edited body as the writer would, so only the line itself is wrong.
    const std::string text = body + RecordingCheckLine(body);
    EXPECT_NE(Refusal(text).find(c.why), std::string::npos) << c.to << ": " << Refusal(text);
  }
}

// A game on a level pack names the pack (its folder's name, escaped to one line); one on the
// game's own sets keeps the line it always had.
TEST(Recording, NamesTheLevelPackItWasPlayedOn) {
  Recording r = Sample();
  r.bExtra = false;
  EXPECT_NE(RecordingText(r).find("\nset normal\n"), std::string::npos);
  r.sPack = "Dan's\nPack";
  const std::string text = RecordingText(r);
  EXPECT_NE(text.find("\nset pack Dan's\\x0aPack\n"), std::string::npos) << text;
  const Recording back = ParseRecording(text, "1.0.0");
  EXPECT_EQ(back.sPack, "Dan's\\x0aPack");
  EXPECT_FALSE(back.bExtra);
  EXPECT_EQ(RecordingText(back), text);

  std::string body = text.substr(0, text.rfind("check "));
  body.replace(body.find("set pack Dan's\\x0aPack"), 22, "set pack ");
  EXPECT_NE(Refusal(body + RecordingCheckLine(body)).find("names no level set"), std::string::npos);
}
