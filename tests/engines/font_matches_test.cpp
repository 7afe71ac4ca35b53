// fontconfig's picks kept between runs: used again only while everything they depend on is as it
// was, and never trusted from a file that is not what the game wrote.
#include "engines/font_matches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engines/font.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

namespace {

void WriteText(const fs::path& file, const std::string& sText) {
  WriteBytes(file, std::vector<uint8_t>(sText.begin(), sText.end()));
}

// An environment variable set for as long as the object lives, then put back.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* sName, const std::string& sValue) : name_(sName) {
    if (const char* old = std::getenv(sName)) old_ = old;
    setenv(sName, sValue.c_str(), 1);
  }
  ~EnvironmentValue() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(FontMatches, APickIsUsedAgainOnlyWhileTheSystemAndTheFontFileAreAsTheyWere) {
  ScratchFolder scratch;
  const fs::path kept = scratch.Path() / "fonts.txt";
  const std::string face = (scratch.Path() / "Face.ttf").string();
  WriteText(face, "a face");
  FontMatches(kept, "stamp-1").Keep("Arial", face);

  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Arial"), face);
  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Comic Sans MS"), std::nullopt) << "never picked";
  EXPECT_EQ(FontMatches(kept, "stamp-2").Find("Arial"), std::nullopt) << "the system changed";
  EXPECT_EQ(FontMatches(kept, "").Find("Arial"), std::nullopt) << "nothing is kept unstamped";

  // A second pick joins the first.
  const std::string other = (scratch.Path() / "Other.otf").string();
  WriteText(other, "another face");
  FontMatches(kept, "stamp-1").Keep("Comic Sans MS", other);
  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Arial"), face);
  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Comic Sans MS"), other);

  WriteText(face, "a face, updated");
  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Arial"), std::nullopt) << "the file changed";
  fs::remove(other);
  EXPECT_EQ(FontMatches(kept, "stamp-1").Find("Comic Sans MS"), std::nullopt) << "file gone";
}

TEST(FontMatches, WhatTheGameDidNotWriteIsIgnoredAndReplaced) {
  ScratchFolder scratch;
  const fs::path kept = scratch.Path() / "fonts.txt";
  const std::string face = (scratch.Path() / "Face.ttf").string();
  WriteText(face, "a face");
  for (const std::string& foreign :
       {std::string("Arial\t") + face + "\n",                       // no heading
        "pibo2 font matches 1\nstamp\nArial\t" + face + "\n",       // no version
        "pibo2 font matches 1\nstamp\nArial " + face + " 1/6\n",    // no tabs
        std::string("pibo2 font matches 1\nstamp\n\0\0\0\0", 32)})  // cut short
  {
    WriteText(kept, foreign);
    EXPECT_EQ(FontMatches(kept, "stamp").Find("Arial"), std::nullopt) << foreign;
  }
  fs::remove(kept);
  fs::create_directory(kept);  // a folder in the file's place is left alone
  FontMatches(kept, "stamp").Keep("Arial", face);
  EXPECT_TRUE(fs::is_directory(kept));
  fs::remove(kept);

  FontMatches matches(kept, "stamp");
  matches.Keep("Arial", face);
  matches.Keep("Two\tWords", face);  // a name that does not fit the file's lines is not kept
  matches.Keep("Line\nBreak", face);
  matches.Keep("Gone", (scratch.Path() / "Missing.ttf").string());
  const std::vector<uint8_t> bytes = ReadBytes(kept);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.rfind("pibo2 font matches 1\nstamp\nArial\t" + face + "\t", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
  EXPECT_EQ(FontMatches(kept, "stamp").Find("Arial"), face);
}

TEST(FontMatches, TheStampFollowsFontconfigsFoldersTheLocaleAndItsOwnEnvironment) {
  ScratchFolder scratch;
  const EnvironmentValue config("XDG_CONFIG_HOME", (scratch.Path() / "config").string());
  const EnvironmentValue data("XDG_DATA_HOME", (scratch.Path() / "data").string());
  const std::string before = FontMatches::SystemStamp();
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(FontMatches::SystemStamp(), before) << "nothing changed";

  fs::create_directories(scratch.Path() / "config" / "fontconfig");
  const std::string withConfig = FontMatches::SystemStamp();
  EXPECT_NE(withConfig, before) << "the player's own configuration appeared";
  fs::create_directories(scratch.Path() / "data" / "fonts");
  const std::string withFonts = FontMatches::SystemStamp();
  EXPECT_NE(withFonts, withConfig) << "the player's font folder appeared";
  {
    const EnvironmentValue language("FC_LANG", "ja");
    EXPECT_NE(FontMatches::SystemStamp(), withFonts);
  }
  EXPECT_EQ(FontMatches::SystemStamp(), withFonts);
  const EnvironmentValue own("FONTCONFIG_FILE", (scratch.Path() / "fonts.conf").string());
  EXPECT_EQ(FontMatches::SystemStamp(), "")
      << "a configuration of the player's choosing is always asked";
}

// The game keeps what fontconfig picked and, while the stamp holds, takes the kept pick without
// asking fontconfig again.
TEST(FontFiles, AKeptPickIsWhatFontconfigPickedAndIsUsedInsteadOfAskingAgain) {
  ScratchFolder scratch;
  const fs::path kept = scratch.Path() / "fonts.txt";
  const std::string asked = Font::ResolveFile("Arial");
  ASSERT_FALSE(asked.empty());
  Font::KeepMatches(kept);
  EXPECT_EQ(Font::ResolveFile("Arial"), asked);
  EXPECT_EQ(FontMatches(kept, FontMatches::SystemStamp()).Find("Arial"), asked);

  // Kept under today's stamp, another file is taken as it is.
  const std::string other = (scratch.Path() / "Other.ttf").string();
  WriteText(other, "another face");
  FontMatches(kept, FontMatches::SystemStamp()).Keep("Arial", other);
  Font::KeepMatches(kept);
  EXPECT_EQ(Font::ResolveFile("Arial"), other);
  Font::KeepMatches({});
  EXPECT_EQ(Font::ResolveFile("Arial"), asked);
}
