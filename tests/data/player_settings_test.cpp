// The player's settings file: what the game writes reads back the same, and a file edited by hand
// or damaged keeps every value it cannot use at its default, saying which and why.
#include "data/player_settings.h"

#include <gtest/gtest.h>

#include "base/key_codes.h"
#include "base/key_names.h"

TEST(PlayerSettings, TheDefaultsAreTheClassicGameAndEverySettingReadsBack) {
  const PlayerSettings classic;
  EXPECT_FALSE(classic.bSafeTimeAfterHit || classic.bShowPaused || classic.bAskBeforeEsc);
  EXPECT_EQ(classic.nGameSpeed, 100);
  EXPECT_EQ(classic.nMusicVolume, 100);
  EXPECT_EQ(classic.Controls[static_cast<int>(PlayAction::Jump)].Keys,
            (std::array<int, 2>{dik::UP, dik::SPACE}));

  std::vector<std::string> problems;
  EXPECT_EQ(ReadPlayerSettings(SettingsFileText(classic), problems), classic);
  EXPECT_EQ(ReadPlayerSettings("", problems), classic) << "no file: the classic game";

  PlayerSettings mine;
  mine.nMusicVolume = 0;
  mine.nEffectsVolume = 35;
  mine.Controls[static_cast<int>(PlayAction::Jump)] = {{KeyFromName("W"), dik::SPACE}, 3};
  mine.Controls[static_cast<int>(PlayAction::Left)] = {{KeyFromName("A"), 0}, NO_PAD_BUTTON};
  mine.bSafeTimeAfterHit = true;
  mine.nGameSpeed = 80;
  mine.bShowPaused = true;
  mine.bAskBeforeEsc = true;
  EXPECT_EQ(ReadPlayerSettings(SettingsFileText(mine), problems), mine);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_NE(SettingsFileText(mine).find("Jump=W, Space\n"), std::string::npos)
      << "keys are written by name, for a player to edit";
}

TEST(PlayerSettings, WhatCannotBeUsedKeepsItsDefaultAndIsNamed) {
  const PlayerSettings classic;
  struct Case {
    const char* text;
    const char* problem;  // the start of the one problem expected
  } cases[] = {
      {"[Volume]\nMusic=101\n", "Volume/Music"},
      {"[Volume]\nEffects=-5\n", "Volume/Effects"},
      {"[Volume]\nMusic=loud\n", "Volume/Music"},
      {"[Volume]\nMusic=99999999999999999999\n", "Volume/Music"},
      {"[Controls]\nJump=Hyperspace\n", "Controls/Jump"},
      {"[Controls]\nJump=Left\n", "Controls/Jump: Left is already in use"},
      {"[Controls]\nFire=Q, E, R\n", "Controls/Fire: more than two keys"},
      {"[Controls]\nJump=Esc\n", "Controls/Jump: Esc belongs to the game's window"},
      {"[Controls]\nJump=f4\n", "Controls/Jump: F4 belongs to the game's window"},
      {"[Controls]\nPausePad=Back\n", "Controls/PausePad: Back belongs to the game's window"},
      {"[Controls]\nPausePad=Z\n", "Controls/PausePad"},
      {"[Controls]\nJumpPad=D-pad Left\n", "Controls/JumpPad: the button is already in use"},
      {"[Assists]\nGameSpeed=85\n", "Assists/GameSpeed"},
      {"[Assists]\nShowPaused=yes\n", "Assists/ShowPaused"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> problems;
    const PlayerSettings read = ReadPlayerSettings(c.text, problems);
    ASSERT_EQ(problems.size(), 1u) << c.text;
    EXPECT_EQ(problems[0].rfind(c.problem, 0), 0u) << problems[0];
    PlayerSettings expected = classic;
    if (std::string_view(c.text).find("Fire=Q, E") != std::string_view::npos)
      expected.Controls[static_cast<int>(PlayAction::Fire)].Keys = {KeyFromName("Q"),
                                                                   KeyFromName("E")};
    if (std::string_view(c.text).find("JumpPad") != std::string_view::npos)
      expected.Controls[static_cast<int>(PlayAction::Jump)].PadButton = NO_PAD_BUTTON;
    EXPECT_EQ(read, expected) << c.text;
  }

  // Garbage, a file from Windows with CR LF, keys in any case, a key taken from another action's
  // defaults (W for jump frees nothing; Space moves from jump to fire).
  std::vector<std::string> problems;
  const PlayerSettings read = ReadPlayerSettings(
      "\x01\x02garbage\n=\n[Controls\r\n[Controls]\r\nJump=w\r\nFire=space, left ctrl\r\n"
      "JumpDown=S\r\nChangeBallPad=Y\r\n",
      problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(read.Controls[static_cast<int>(PlayAction::Jump)].Keys,
            (std::array<int, 2>{KeyFromName("W"), 0}));
  EXPECT_EQ(read.Controls[static_cast<int>(PlayAction::Fire)].Keys,
            (std::array<int, 2>{dik::SPACE, dik::LCONTROL}));
  EXPECT_EQ(read.Controls[static_cast<int>(PlayAction::JumpDown)].Keys,
            (std::array<int, 2>{KeyFromName("S"), 0}));
  EXPECT_EQ(read.Controls[static_cast<int>(PlayAction::ChangeBall)].PadButton, 3);
}
