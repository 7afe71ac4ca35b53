// The options, name and stage password windows as the game opens them, worked through their
// keys and clicks by a scripted player.
#include <gtest/gtest.h>

#include "dialogs/end_game_window.h"
#include "dialogs/name_window.h"
#include "dialogs/options_window.h"
#include "dialogs/password_window.h"
#include "dialogs/settings_window.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class Dialogs : public StartedGame {
 protected:
  void InitializeAtTitle(bool bExtra = false) {
    folder.LinkGameFiles();
    game.IE.SetSource(&keys);
    ASSERT_TRUE(game.Initialize(host, false, bExtra)) << folder.ErrorLog();
    game.Options.bSoundEffects = 0;
  }
  enum class Leave { Enter, Escape, CloseBox };
  // Opens the stage password window, types `entry` and leaves `how`.
  void EnterPassword(const std::string& entry, Leave how = Leave::Enter) {
    host.player = [&](Form&) {
      PasswordForm().txtPassword.SetText(entry);
      if (how == Leave::CloseBox)
        PasswordForm().CloseBox();
      else
        PasswordForm().PressKey(how == Leave::Enter ? FormKey::Enter : FormKey::Escape);
    };
    keys.Hold({dik::SPACE});  // the stage preview of a started game goes on at once
    ASSERT_TRUE(game.StartFromStage());
    Settle();
    keys.Hold({});
  }
};

}  // namespace

TEST_F(Dialogs, OptionsTakeTheBoxesOnOkAndKeepTheirValuesOnCancelAndTheCloseBox) {
  InitializeAtTitle();
  game.Options = GameOptions{0, VB_TRUE, VB_FALSE, 1};
  const GameOptions before = game.Options;
  // Cancel and the close box, after changing every box.
  for (FormKey leave : {FormKey::Tab, FormKey::Escape}) {
    host.player = [&](Form& frm) {
      EXPECT_EQ(frm.Focused(), &OptionsForm().chkSoundEffects) << "tab index 0 first";
      for (CheckBox* box : {&OptionsForm().chkEasyGame, &OptionsForm().chkSoundEffects,
                            &OptionsForm().chkMusic, &OptionsForm().chkHighDetailGraphics})
        frm.ClickControl(*box);
      if (leave == FormKey::Tab)
        frm.ClickControl(OptionsForm().cmdCancel);
      else
        frm.PressKey(FormKey::Escape);
    };
    ASSERT_TRUE(game.ShowOptions());
    EXPECT_EQ(OptionsBytes(game.Options), OptionsBytes(before));
  }
  // Space on Sound Effects, Tab, Tab, Space on OK: only the sound is switched off.
  host.player = [&](Form& frm) {
    for (FormKey key : {FormKey::Space, FormKey::Tab, FormKey::Tab, FormKey::Space})
      frm.PressKey(key);
    EXPECT_FALSE(frm.IsLoaded()) << "OK closed the window";
  };
  ASSERT_TRUE(game.ShowOptions());
  EXPECT_EQ(OptionsBytes(game.Options), (std::array<uint8_t, 6>{0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(OptionsForm().bSoundEffects, VB_FALSE) << "the window's variables keep the values";
  EXPECT_EQ(host.music_starts + host.music_stops, 0) << "on the title screen the music waits";
}

TEST_F(Dialogs, EasyGameCannotChangeDuringAGameOrInTheExtraSet) {
  for (bool extra : {false, true}) {
    frmOptions& frm = OptionsForm();
    frm.Load();
    frm.nEasyGame = extra ? 0 : 1;
    frm.bExtraMode = extra;
    frm.bGameRunning = !extra;
    frm.Activate();
    EXPECT_FALSE(frm.chkEasyGame.Enabled);
    EXPECT_EQ(frm.chkEasyGame.Value, !extra);
    frm.ClickControl(frm.chkEasyGame);
    for (int i = 0; i < 6; ++i) {
      EXPECT_NE(frm.Focused(), &frm.chkEasyGame) << "Tab passes the disabled box";
      frm.PressKey(FormKey::Tab);
    }
    frm.ClickControl(frm.cmdOK);
    EXPECT_EQ(frm.nEasyGame, extra ? 0 : 1) << "OK leaves the difficulty as it was";
  }
}

TEST_F(Dialogs, DuringAGameTheMusicFollowsTheBoxAtOnce) {
  Start(false, 1);
  game.Options.bMusic = VB_FALSE;
  auto clickMusicThenOk = [](Form& frm) {
    frm.ClickControl(OptionsForm().chkMusic);
    frm.ClickControl(OptionsForm().cmdOK);
  };
  host.player = clickMusicThenOk;
  ASSERT_TRUE(game.ShowOptions());
  EXPECT_EQ(host.music_starts, 1);
  host.player = clickMusicThenOk;
  ASSERT_TRUE(game.ShowOptions());
  EXPECT_EQ(host.music_stops, 1);
  EXPECT_TRUE(game.IsRunning()) << "the game goes on after the window";
}

TEST_F(Dialogs, TheNameIsCutAtTwentyCharactersAndTheCloseBoxReturnsTheLastConfirmedOne) {
  InitializeAtTitle();
  HighScoreForm().sName.clear();  // as at the start of a run
  auto score = [&](int32_t nScore, std::function<void(frmHighScore&)> enter) {
    host.player = [enter](Form&) { enter(HighScoreForm()); };
    game.Play.CharScore = nScore;
    game.InsertHighScore();
  };
  score(20000, [](frmHighScore& frm) {
    EXPECT_EQ(frm.Focused(), &frm.txtName);
    EXPECT_EQ(frm.txtName.Text(), "") << "the box starts empty, whatever name is proposed";
    frm.CloseBox();
  });
  EXPECT_EQ(game.HighScores[0].Name, std::string(20, ' ')) << "nothing confirmed yet: blanks";

  score(19000, [](frmHighScore& frm) {
    frm.txtName.SetText("Abcdefghij Klmnopqrstuvwxyz");
    frm.PressKey(FormKey::Enter);
  });
  EXPECT_EQ(game.HighScores[1].Name, "Abcdefghij Klmnopqrs");
  // On the disk at once, not at the end of the run: a game killed now keeps the score.
  EXPECT_EQ(ParseHighScores(ReadBytes("HighScores_zt.dat"), HighScoreTable{})[1].Name,
            "Abcdefghij Klmnopqrs");

  score(18000, [](frmHighScore& frm) {
    frm.txtName.SetText("Someone Else");
    frm.CloseBox();
  });
  EXPECT_EQ(game.HighScores[2].Name, "Abcdefghij Klmnopqrs") << "the close box: the last OK";

  score(17000, [](frmHighScore& frm) { frm.ClickControl(frm.cmdOK); });
  EXPECT_EQ(game.HighScores[3].Name, std::string(20, ' ')) << "OK on an empty box";
  EXPECT_EQ(game.HighScores[4].Score, 15000);
}

TEST_F(Dialogs, AStagePasswordInSmallLettersStartsItsStage) {
  InitializeAtTitle();
  EnterPassword("gunpav");
  EXPECT_TRUE(game.IsRunning());
  EXPECT_EQ(game.Play.Level, 13);
  EXPECT_EQ(game.Play.Stage, 3);
}

TEST_F(Dialogs, WrongPasswordsLeaveTheTitleScreen) {
  InitializeAtTitle();
  PasswordForm().sPassword.clear();
  for (const char* entry : {"", "KOLWAB", "GUNPAV ", " GUNPAV", "GUNPA", "LYTRON", "GUNPAVX"}) {
    EnterPassword(entry);
    EXPECT_FALSE(game.IsRunning()) << "'" << entry << "'";
  }
  EnterPassword("GUNPAV", Leave::CloseBox);
  EXPECT_FALSE(game.IsRunning()) << "the close box hands back the text confirmed last";
  host.player = [](Form&) {
    PasswordForm().txtPassword.SetText("TIRMEX");
    PasswordForm().ClickControl(PasswordForm().cmdCancel);
  };
  ASSERT_TRUE(game.StartFromStage());
  EXPECT_FALSE(game.IsRunning());
  EXPECT_EQ(PasswordForm().sPassword, "") << "Cancel hands back nothing";
}

// Esc is Cancel in this window: a player who presses it means no game, whatever was confirmed
// before. The close box keeps its old rule and compares the last confirmed entry again.
TEST_F(Dialogs, EscCancelsThePasswordWindowAndTheCloseBoxComparesTheLastPasswordAgain) {
  InitializeAtTitle();
  EnterPassword("tirmex");
  ASSERT_EQ(game.Play.Level, 7);
  ASSERT_TRUE(game.StopGame());
  EnterPassword("", Leave::Escape);
  EXPECT_FALSE(game.IsRunning()) << "Esc started the game confirmed last";
  EXPECT_EQ(PasswordForm().sPassword, "");

  EnterPassword("tirmex");
  ASSERT_TRUE(game.StopGame());
  EnterPassword("", Leave::CloseBox);
  EXPECT_TRUE(game.IsRunning());
  EXPECT_EQ(game.Play.Level, 7);
}

TEST_F(Dialogs, TheExtraSetTakesOnlyItsOwnPasswords) {
  InitializeAtTitle(true);
  EnterPassword("GUNPAV");
  EXPECT_FALSE(game.IsRunning());
  EnterPassword("hebqaz");
  EXPECT_TRUE(game.IsRunning());
  EXPECT_EQ(game.Play.Level, 19);
}

// Esc in a game: at once in the classic game; with the ask-before-Esc assist, only after "End
// Game" (Esc in that window, as "Keep Playing", plays on). A replay ends at once either way.
TEST_F(Dialogs, EscEndsAGameAtOnceOrAfterAskingWithTheAssist) {
  Start(false, 1);
  ASSERT_TRUE(game.EscapeFromGame());
  Settle();
  EXPECT_FALSE(game.IsRunning());
  EXPECT_EQ(host.windows_shown, 0);

  game.Settings.bAskBeforeEsc = true;
  keys.Hold({dik::SPACE});  // past the stage preview
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  keys.Hold({});
  for (const FormKey key : {FormKey::Escape, FormKey::Enter}) {
    // Esc is "Keep Playing"; Enter presses the focused first button, "End Game".
    host.player = [key](Form&) { EndGameForm().PressKey(key); };
    ASSERT_TRUE(game.EscapeFromGame());
    Settle();
    EXPECT_EQ(game.IsRunning(), key == FormKey::Escape);
  }
  EXPECT_EQ(host.windows_shown, 2);
}

// The settings window: the volumes are heard while it is open; OK keeps and saves what changed,
// Cancel gives everything back.
TEST_F(Dialogs, TheSettingsWindowSavesWithOKAndGivesBackWithCancel) {
  InitializeAtTitle();
  game.SettingsFile = folder.Path() / "settings.ini";
  int heard = -1;
  host.player = [&](Form&) {
    frmSettings& frm = SettingsForm();
    frm.ClickControl(frm.cmdMusicDown);
    frm.ClickControl(frm.cmdMusicDown);
    heard = host.music_volume;
    frm.ClickControl(frm.chkSafeTime);
    frm.ClickControl(frm.cmdSpeed);
    frm.PressKey(FormKey::Escape);  // Cancel
  };
  ASSERT_TRUE(game.ShowSettings());
  Settle();
  EXPECT_EQ(heard, 80) << "heard at once";
  EXPECT_EQ(host.music_volume, 100) << "given back";
  EXPECT_EQ(game.Settings, PlayerSettings{});
  EXPECT_FALSE(std::filesystem::exists(game.SettingsFile));

  host.player = [&](Form&) {
    frmSettings& frm = SettingsForm();
    frm.ClickControl(frm.cmdEffectsDown);
    frm.ClickControl(frm.chkShowPaused);
    frm.ClickControl(frm.cmdSpeed);
    frm.ClickControl(frm.cmdSpeed);
    frm.ClickControl(frm.chkAskBeforeEsc);
    frm.PressKey(FormKey::Enter);  // on a box: OK
  };
  ASSERT_TRUE(game.ShowSettings());
  Settle();
  EXPECT_EQ(game.Settings.nEffectsVolume, 90);
  EXPECT_TRUE(game.Settings.bShowPaused);
  EXPECT_EQ(game.Settings.nGameSpeed, 80);
  EXPECT_TRUE(game.Settings.bAskBeforeEsc);
  std::vector<std::string> problems;
  const std::vector<uint8_t> saved = ReadBytes(game.SettingsFile);
  EXPECT_EQ(ReadPlayerSettings(std::string(saved.begin(), saved.end()), problems), game.Settings);
}

TEST(DialogsUninitialized, EveryWindowOperationRefusesAGameNotStarted) {
  ScratchFolder folder;
  Game game;
  bool named = false;
  EXPECT_FALSE(game.ShowOptions());
  EXPECT_FALSE(game.StartFromStage());
  EXPECT_FALSE(game.AskForName([&](const std::string&) { return named = true; }));
  EXPECT_FALSE(named);
  const std::string log = folder.ErrorLog();
  for (const char* line :
       {"Game - ShowOptions - Not initialized.", "Game - StartFromStage - Not initialized.",
        "Game - AskForName - Not initialized."})
    EXPECT_NE(log.find(line), std::string::npos) << line;
}
