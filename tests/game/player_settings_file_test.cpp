// The player's settings file as the game reads it at start: the volumes reach the mixer at once,
// and a file that is no settings file (a pipe, a huge one, garbage) leaves the defaults, logged,
// and never stops the game.
#include <SDL_mixer.h>
#include <sys/stat.h>

#include "base/settings_text.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class PlayerSettingsFile : public StartedGame {
 protected:
  bool Boot(const std::string& sText) {
    folder.LinkGameFiles();
    game.IE.SetSource(&keys);
    game.SettingsFile = folder.Path() / "settings.ini";
    if (!sText.empty()) WriteBytes(game.SettingsFile, std::vector<uint8_t>(sText.begin(), sText.end()));
    return game.Initialize(host, false);
  }
};

}  // namespace

TEST_F(PlayerSettingsFile, TheVolumesReachTheMixerAtOnce) {
  ASSERT_TRUE(Boot("[Volume]\nMusic=40\nEffects=25\n")) << folder.ErrorLog();
  EXPECT_EQ(game.Settings.nMusicVolume, 40);
  EXPECT_EQ(host.music_volume, 40);
  if (!game.SE.IsSilent()) {
    EXPECT_EQ(Mix_Volume(0, -1), 32) << "25 % of the mixer's 128";
  }
  game.Settings.nEffectsVolume = 100;
  game.ApplyVolumes();
  if (!game.SE.IsSilent()) {
    EXPECT_EQ(Mix_Volume(5, -1), MIX_MAX_VOLUME);
  }
  EXPECT_EQ(folder.ErrorLog(), "");

  // What the game saves reads back the same, and replaces the file whole.
  game.Settings.bShowPaused = true;
  ASSERT_TRUE(game.SavePlayerSettings());
  std::vector<std::string> problems;
  const std::vector<uint8_t> saved = ReadBytes(game.SettingsFile);
  EXPECT_EQ(ReadPlayerSettings(std::string(saved.begin(), saved.end()), problems), game.Settings);
}

TEST_F(PlayerSettingsFile, ANoFileOrAHostileOneLeavesTheDefaults) {
  ASSERT_TRUE(Boot("")) << folder.ErrorLog();
  EXPECT_EQ(game.Settings, PlayerSettings{}) << "no file: the classic game";
  EXPECT_EQ(folder.ErrorLog(), "");

  const std::string hostile[] = {
      "[Volume]\nMusic=500\n[Assists]\nGameSpeed=5\n",           // out of range
      std::string(SETTINGS_FILE_LIMIT + 1, '['),                 // too large to be settings
      std::string("\x00\xff\x01[Volume]\nEffects=\x7f\n", 20)};  // garbage
  for (const std::string& text : hostile) {
    WriteBytes(game.SettingsFile, std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_TRUE(game.LoadPlayerSettings());
    EXPECT_EQ(game.Settings, PlayerSettings{});
  }
  EXPECT_NE(folder.ErrorLog().find("Volume/Music: not a whole number from 0 to 100"),
            std::string::npos);
  EXPECT_NE(folder.ErrorLog().find("File too large"), std::string::npos);

  // A pipe in the file's place is refused at once, never waited on.
  std::filesystem::remove(game.SettingsFile);
  ASSERT_EQ(mkfifo(game.SettingsFile.c_str(), 0644), 0);
  ASSERT_TRUE(game.LoadPlayerSettings());
  EXPECT_NE(folder.ErrorLog().find("Not a regular file"), std::string::npos);
}
