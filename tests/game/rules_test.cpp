// Pickups, the level-end rules, the pause and the high-score table.
#include <map>

#include "app/frame_loop.h"
#include "base/failure.h"
#include "engines/vbie.h"
#include "tests/game/play_fixture.h"

using namespace testing_support;

namespace {
class Rules : public PlayField {};
}  // namespace

TEST_F(Rules, TheMysteryBoxOnlyGivesHelpfulPowerUpsInItsShares) {
  std::map<int, int> seen;
  const int draws = 20000;
  for (int i = 0; i < draws; ++i) ++seen[play.OpenMysteryBox()];
  const std::map<int, double> shares = {{POWERUP_HIGHJUMP, 0.1},
                                        {POWERUP_EXTRASPEED, 0.2},
                                        {POWERUP_INVULNERABLE, 0.2},
                                        {POWERUP_EXTRAHEALTH, 0.2},
                                        {POWERUP_FREEZEBOMBS, 0.3}};
  EXPECT_EQ(seen.size(), shares.size());
  for (const auto& [code, share] : shares)
    EXPECT_NEAR(seen[code] / double(draws), share, 0.015) << code;
}

TEST_F(Rules, PowerUpsActAndLeavePlay) {
  struct Case {
    uint8_t code;
    int16_t PlayState::*field;
    int16_t expected;
  } cases[] = {{POWERUP_HIGHJUMP, &PlayState::HighJumps, 5},
               {POWERUP_EXTRASPEED, &PlayState::ExtraSpeedTime, 600},
               {POWERUP_INVULNERABLE, &PlayState::InvulnerableTime, 300},
               {POWERUP_FREEZEBOMBS, &PlayState::FreezeTime, 450},
               {POWERUP_EXTRAHEALTH, &PlayState::CharHealth, 6},
               {POWERUP_SHOOTSPREAD, &PlayState::CharHealth, 5}};
  for (const Case& c : cases) {
    game.Levels.LevelGrid.fill(NOTHING);
    play.CharHealth = 5;
    Fill(20, 6, 6, c.code);
    Build();
    PlaceHero(300, 380);
    play.CheckPickups();
    EXPECT_EQ(play.*c.field, c.expected) << int(c.code);
    EXPECT_EQ(play.PowerUps[0].Left, 1600) << int(c.code);
    const bool effect = c.code != POWERUP_SHOOTSPREAD;
    EXPECT_EQ(play.Effects[0].Active != VB_FALSE, effect) << int(c.code);
    play.Effects[0].Active = VB_FALSE;
  }
}

TEST_F(Rules, TheSkullHurtsOnlyTheVulnerableAndCanKill) {
  auto takeSkull = [&] {
    game.Levels.LevelGrid.fill(NOTHING);
    Fill(20, 6, 6, POWERUP_SKULL);
    Build();
    PlaceHero(300, 380);
    play.CheckPickups();
  };
  play.InvulnerableTime = 50;
  takeSkull();
  EXPECT_EQ(play.CharHealth, 5);
  play.InvulnerableTime = 0;
  play.CharHealth = 1;
  takeSkull();
  EXPECT_EQ(play.CharHealth, 0);
  EXPECT_EQ(play.ExitCountdown, 100);
}

TEST_F(Rules, GemsScoreOnceEachAndALevelWithoutGemsGetsOne) {
  Build();
  EXPECT_EQ(play.GemCount, 1);
  EXPECT_EQ(game.Levels.Cell(1, 2, 28), GEM_NORMAL) << "the gem is written into the level";

  Fill(20, 6, 7, GEM_NORMAL);
  Fill(20, 9, 9, GEM_VALUABLE);
  Build();
  EXPECT_EQ(play.GemCount, 3);
  play.CharX = 325;  // between the two gems, touching both
  play.CharY = 380;
  play.CheckPickups();
  play.CheckPickups();
  EXPECT_EQ(play.GemsCollected, 2);
  EXPECT_EQ(play.CharScore, 40);
}

TEST_F(Rules, ListsStopAtTheirCapacity) {
  for (int r = 0; r < 30; ++r) Fill(r, 0, 31, r % 2 ? POWERUP_MAGNET : PLATFORM_ROCK);
  Build();
  EXPECT_EQ(play.PlatformCount, MAX_PLATFORMS);
  EXPECT_EQ(play.PowerUpCount, MAX_POWERUPS);
  for (int r = 0; r < 30; ++r) Fill(r, 0, 31, GEM_NORMAL);
  Build();
  EXPECT_EQ(play.GemCount, MAX_GEMS);
}

TEST_F(Rules, TheMachineLevelEndsOnlyWithTheMachine) {
  play.Level = 30;
  play.Stage = 5;
  Fill(10, 2, 2, GEM_NORMAL);
  Build();
  play.MachineHealth = 5;
  play.GemsCollected = play.GemCount;
  keys.Hold({});
  ASSERT_TRUE(game.DoFrame());
  EXPECT_EQ(play.ExitCountdown, 0) << "gems do not count on the machine level";
  play.MachineHealth = 0;
  ASSERT_TRUE(game.DoFrame());
  EXPECT_EQ(play.ExitCountdown, 99);
}

TEST_F(Rules, DeathAndTheLastGemInOneFrame) {
  Fill(27, 0, 5, PLATFORM_WOOD);
  Fill(27, 1, 1, GEM_NORMAL);  // the gem overlaps the hero standing at the start
  Build();
  PlaceHero(40, 540 + 2 - 36);
  play.BombCount = 1;
  play.Bombs[0] = BombRec{};
  play.Bombs[0].X = 40;
  play.Bombs[0].Y = 506;
  play.Bombs[0].Delay = 5;  // waiting, but in the hero's way
  play.CharHealth = 1;
  keys.Hold({});
  ASSERT_TRUE(game.DoFrame());
  EXPECT_EQ(play.CharHealth, 0);
  EXPECT_EQ(play.ExitCountdown, 99) << "death set the countdown; the gem did not restart it";
  EXPECT_EQ(play.GemsCollected, 0) << "a dying hero takes nothing";
}

TEST_F(Rules, AFailedKeyboardReadChangesNothing) {
  struct LostKeyboard : KeyStateSource {
    void Read(KeyboardSnapshot&) override {
      throw GameError(ERR_ILLEGAL_CALL, "The keyboard was lost.");
    }
  } lost;
  game.IE.SetSource(&lost);
  play.CharVX = 3;
  play.KeyboardState[dik::LEFT] = 0x80;
  EXPECT_FALSE(game.DoFrame());
  EXPECT_FLOAT_EQ(play.CharVX, 3);
  EXPECT_EQ(play.KeyboardState[dik::LEFT], 0x80);
  EXPECT_EQ(folder.ErrorLog(), "VBIE - GetKeyboardState - The keyboard was lost.\r\n\r\n");
  game.IE.SetSource(&keys);
}

TEST_F(Rules, ThePauseLastsUntilPIsReleasedPressedAndReleased) {
  // Each read of the keyboard takes the next snapshot: P held, held, released, pressed, released.
  struct PauseKeys : KeyStateSource {
    std::vector<bool> p{true, true, false, false, true, true, false, true};
    size_t next = 0;
    void Read(KeyboardSnapshot& state) override {
      state.fill(0);
      if (next < p.size() && p[next]) state[dik::P] = 0x80;
      ++next;
    }
  } pause;
  ManualClock clock;
  game.IE.SetSource(&pause);
  Build();
  ASSERT_TRUE(game.DoFrame());
  EXPECT_TRUE(game.IsWaiting()) << "paused";
  ASSERT_TRUE(FrameLoop(game).RunWhileWaiting());
  EXPECT_EQ(pause.next, 7u) << "the frame read once, the pause six times";
  game.IE.SetSource(&keys);
}

TEST_F(Rules, HighScoresKeepEarlierEqualScoresAbove) {
  game.HighScores = DefaultHighScores();
  game.HighScores[1].Name = FixedName("Second");
  WriteBytes("HighScores_zt.dat", HighScoreBytes(game.HighScores));  // as the game read it
  const HighScoreTable before = game.HighScores;
  play.CharScore = 6000;  // equal to the lowest: does not qualify
  game.InsertHighScore();
  EXPECT_TRUE(game.HighScores == before) << "unchanged";

  play.CharScore = 14000;  // equal to entry 1
  game.InsertHighScore();
  EXPECT_EQ(game.HighScores[1].Name, FixedName("Second"));
  EXPECT_EQ(game.HighScores[2].Score, 14000);
  EXPECT_EQ(game.HighScores[3].Score, 13000);
  EXPECT_EQ(game.HighScores[9].Score, 7000) << "the old last entry dropped out";

  play.CharScore = 0;
  game.InsertHighScore();
  EXPECT_EQ(game.HighScores[9].Score, 7000);
}

TEST_F(Rules, AnimationsWrapAndTimersRunDown) {
  Fill(20, 6, 6, POWERUP_MAGNET);
  Build();
  play.PowerUps[0].Frame = 15.5f;
  play.BombCount = 1;
  play.Bombs[0] = BombRec{};
  play.Bombs[0].Frame = 15;
  play.Bombs[0].Flash = 1;
  play.ExtraSpeedTime = 1;
  play.AdvanceAnimations();
  EXPECT_FLOAT_EQ(play.PowerUps[0].Frame, 0);
  EXPECT_FLOAT_EQ(play.Bombs[0].Frame, 0);
  EXPECT_EQ(play.Bombs[0].Flash, 0);
  EXPECT_EQ(play.ExtraSpeedTime, 0);
  play.AdvanceAnimations();
  EXPECT_EQ(play.ExtraSpeedTime, 0);
}

TEST_F(Rules, PickupsAreHeardAndSeenThroughTheirOwnRowOfTheTable) {
  Fill(20, 6, 6, POWERUP_SKULL);
  Fill(20, 9, 9, POWERUP_SHOOTBIDI);
  Fill(20, 12, 12, GEM_NORMAL);
  Build();
  for (float x : {300.0f, 450.0f, 600.0f}) {
    PlaceHero(x, 380);
    play.CheckPickups();
  }
  EXPECT_EQ(sounds.played, (std::vector<SoundId>{SoundId::Explosion, SoundId::Gem}))
      << "the ball-blaster power-up is taken in silence";
  EXPECT_EQ(play.Effects[0].Bitmap, PictureId::Skull);
  EXPECT_EQ(play.Effects[0].Lifetime, 20) << "a skull bursts where it stood";
  EXPECT_EQ(play.Effects[1].Bitmap, PictureId::GemNormal);
  EXPECT_EQ(play.Effects[2].Active, VB_FALSE);
}

TEST_F(Rules, ASoundThatFailsStopsThePickupsOfTheFrameButTheTakenGemIsGone) {
  struct Broken : PlayEvents {
    bool PlaySound(SoundId) override { return false; }
  } broken;
  play.Events = &broken;
  Fill(20, 6, 7, GEM_NORMAL);
  Build();
  PlaceHero(325, 380);  // touching both gems
  play.CheckPickups();
  EXPECT_EQ(play.GemsCollected, 1);
  EXPECT_EQ(play.Gems[0].Left, 1600) << "a gem whose sound failed cannot be taken twice";
  EXPECT_EQ(play.Gems[1].Left, 355) << "the next gem waits for the next frame";
  play.Events = &sounds;
  play.CheckPickups();
  EXPECT_EQ(play.GemsCollected, 2);
}
