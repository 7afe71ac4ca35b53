// Bombs and the ball blaster: bouncing, leaving through the sides, heat, the ten-hit rule and
// every ball type's volley.
#include <cmath>

#include "engines/vbie.h"
#include "tests/game/play_fixture.h"

using namespace testing_support;

namespace {

class Combat : public PlayField {
 protected:
  void SetUp() override {
    play.BombCount = 1;
    play.Bombs[0] = BombRec{};
    Build();
  }
  BombRec& bomb() { return play.Bombs[0]; }
  // Fires with Ctrl held for one frame of the firing step.
  void FireStep(bool ctrl) {
    play.KeyboardState.fill(0);
    if (ctrl) play.KeyboardState[dik::LCONTROL] = 0x80;
    play.FireBallBlaster();
  }
  int ActiveShots() const {
    int n = 0;
    for (const ShotRec& s : play.Shots) n += s.Active != VB_FALSE;
    return n;
  }
};

}  // namespace

TEST_F(Combat, FallingBombsKeepPartOfTheirSpeedByGround) {
  struct Case {
    uint8_t ground;
    bool hot;
    float vyAfter;  // after landing at 10 and gravity 1
  } cases[] = {{PLATFORM_WOOD, false, -5 + 1},
               {PLATFORM_WOOD, true, -7.5f + 1},
               {PLATFORM_BOUNCY, false, -10 + 1},
               {PLATFORM_SWAMP, false, -2 + 1}};
  for (const Case& c : cases) {
    game.Levels.LevelGrid.fill(NOTHING);
    Fill(20, 0, 31, c.ground);
    Build();
    BombRec& b = bomb();
    b = BombRec{};
    b.X = 600;
    b.Y = c.ground == PLATFORM_SWAMP ? 366 : 356;  // reaches the platform's top in this frame
    b.VX = 8;
    b.VY = 10;
    b.Hot = c.hot ? VB_TRUE : VB_FALSE;
    play.MoveBombs();
    EXPECT_FLOAT_EQ(b.VY, c.vyAfter) << int(c.ground);
    EXPECT_FLOAT_EQ(b.Y, c.ground == PLATFORM_SWAMP ? 373 : 362);
  }
}

TEST_F(Combat, BombsLeaveThroughTheLowSidesAndBounceHigherUp) {
  BombRec& b = bomb();
  b.X = 2;
  b.Y = 200;
  b.VX = -8;
  play.MoveBombs();
  EXPECT_FLOAT_EQ(b.X, 0);
  EXPECT_GT(b.VX, 0);
  EXPECT_EQ(b.Direction, 1);

  b = BombRec{};
  b.X = 2;
  b.Y = 500;
  b.VX = -8;
  play.MoveBombs();
  EXPECT_NE(b.Leaving, VB_FALSE);
  for (int i = 0; i < 10 && b.Y > 0; ++i) play.MoveBombs();
  EXPECT_FLOAT_EQ(b.Y, -300) << "back at the top, falling again at once";
  EXPECT_EQ(b.Delay, 0);

  play.Level = 30;  // on the machine level a lost bomb waits for its hatch
  b = BombRec{};
  b.X = 1598;
  b.Y = 500;
  b.VX = 8;
  for (int i = 0; i < 5; ++i) play.MoveBombs();
  EXPECT_EQ(b.Delay, 90 - 4);
}

TEST_F(Combat, TwoHotBombsBlowEachOtherUp) {
  play.BombCount = 2;
  for (int i = 0; i < 2; ++i) {
    play.Bombs[i] = BombRec{};
    play.Bombs[i].Hot = VB_TRUE;
    play.Bombs[i].X = 300 + 30 * i;
    play.Bombs[i].Y = 100;
  }
  play.Bombs[1].VX = -8;
  play.Bombs[0].VX = 8;
  play.MoveBombs();
  EXPECT_EQ(play.CharScore, 160);
  EXPECT_EQ(play.Bombs[0].Delay, 90);
  EXPECT_EQ(play.Bombs[1].Delay, 180 - 1) << "bomb 1 still takes its turn in this frame";
  EXPECT_EQ(play.Bombs[0].Hot, VB_FALSE);
  EXPECT_FLOAT_EQ(play.Bombs[1].Y, -300);
}

TEST_F(Combat, ABombCostsAHealthUnlessInvulnerableAndTheLastOneEndsTheLevel) {
  BombRec& b = bomb();
  auto touch = [&] {
    b.X = play.CharX;
    b.Y = play.CharY;
    play.CheckBombHitsChar();
  };
  play.CharY = 300;
  touch();
  EXPECT_EQ(play.CharHealth, 4);
  EXPECT_EQ(b.Delay, 90);
  play.InvulnerableTime = 10;
  touch();
  EXPECT_EQ(play.CharHealth, 4);
  EXPECT_EQ(play.CharScore, 0) << "no points for bombs the invulnerable hero bumps";
  play.InvulnerableTime = 0;
  play.CharHealth = 1;
  touch();
  EXPECT_EQ(play.CharHealth, 0);
  EXPECT_EQ(play.ExitCountdown, 100);
}

// The safe-time assist: two bombs within half a second cost one health, the hero flashing in
// between; a second later the next one costs one again. Off, as in the classic game, both cost.
TEST_F(Combat, WithTheSafeTimeTwoBombsInHalfASecondCostOneHealth) {
  BombRec& b = bomb();
  auto bombsHalfASecondApart = [&] {
    play.CharHealth = 5;
    b.X = play.CharX;
    b.Y = play.CharY;
    play.CheckBombHitsChar();
    for (int frame = 0; frame < 16; ++frame) play.AdvanceAnimations();  // 0.48 s
    b.X = play.CharX;
    b.Y = play.CharY;
    play.CheckBombHitsChar();
    return play.CharHealth;
  };
  play.CharY = 300;
  EXPECT_EQ(bombsHalfASecondApart(), 3) << "the classic game";
  play.bSafeTimeAfterHit = true;
  EXPECT_EQ(bombsHalfASecondApart(), 4);
  EXPECT_GT(play.SafeTime, 0);
  for (int frame = 0; frame < 20; ++frame) play.AdvanceAnimations();
  EXPECT_EQ(play.SafeTime, 0) << "about a second in all";
  b.X = play.CharX;
  b.Y = play.CharY;
  play.CheckBombHitsChar();
  EXPECT_EQ(play.CharHealth, 3);
}

TEST_F(Combat, TheTenthBallDestroysABombWhichRestartsHot) {
  BombRec& b = bomb();
  for (int hit = 1; hit <= 10; ++hit) {
    b.X = 400;
    b.Y = 300;
    ShotRec& s = play.Shots[0];
    s = ShotRec{};
    s.Active = VB_TRUE;
    s.X = 405;
    s.Y = 310;
    play.CheckShotHitsBomb(0);
    EXPECT_EQ(s.Active, VB_FALSE);
    EXPECT_NE(b.Hot, VB_FALSE);
    EXPECT_EQ(b.Flash, 5);
    EXPECT_EQ(b.Hits, hit < 10 ? hit : 0);
  }
  EXPECT_EQ(play.CharScore, 80);
  EXPECT_EQ(b.Delay, 90);
}

TEST_F(Combat, VolleysOfEveryBallType) {
  struct Case {
    int16_t type;
    int balls;
    int16_t cooldownAfter;  // after the frame's own decrement
    int16_t ammoAfter;
  } cases[] = {{1, 1, 2, 199}, {2, 3, 5, 197}, {3, 2, 5, 198}, {4, 2, 4, 198}, {5, 20, 14, 180}};
  for (const Case& c : cases) {
    for (ShotRec& s : play.Shots) s = ShotRec{};
    play.BallType = c.type;
    play.Ammo = 200;
    play.ShotCooldown = 0;
    play.ExplodeReady = VB_TRUE;
    play.CharFacing = 1;
    FireStep(true);
    EXPECT_EQ(ActiveShots(), c.balls) << c.type;
    EXPECT_EQ(play.ShotCooldown, c.cooldownAfter) << c.type;
    EXPECT_EQ(play.Ammo, c.ammoAfter) << c.type;
  }
  // Spread: -2, 0, +2; bidirectional: the second ball flies back.
  EXPECT_EQ(play.Shots[0].X, static_cast<int16_t>(45));
}

TEST_F(Combat, AmmoMayGoBelowZeroButThenOnlyTheMachineLevelFires) {
  play.BallType = 2;
  play.Ammo = 1;
  play.ShotCooldown = 0;
  FireStep(true);
  EXPECT_EQ(ActiveShots(), 3);
  EXPECT_EQ(play.Ammo, -2);
  for (int i = 0; i < 10; ++i) FireStep(true);
  EXPECT_EQ(ActiveShots(), 3) << "no ammunition, no volley";
  play.Level = 30;
  for (int i = 0; i < 10; ++i) FireStep(true);
  EXPECT_GT(ActiveShots(), 3);
  EXPECT_LT(play.Ammo, -2);
}

TEST_F(Combat, BouncyBallsArcHigherAsTheChargeRises) {
  play.BallType = 3;
  play.Ammo = 200;
  float lastSecondBall = 0;
  for (int volley = 0; volley < 12; ++volley) {
    for (ShotRec& s : play.Shots) s = ShotRec{};
    play.ShotCooldown = 0;
    FireStep(true);
    lastSecondBall = play.Shots[1].VY;
  }
  EXPECT_FLOAT_EQ(play.ShotCharge, 100);
  EXPECT_FLOAT_EQ(lastSecondBall, -18);
  FireStep(false);
  EXPECT_FLOAT_EQ(play.ShotCharge, 0);
}

TEST_F(Combat, AnExplodeVolleyBurstsOnlyAfterTheFireKeyIsReleased) {
  play.BallType = 5;
  play.Ammo = 200;
  play.ShotCooldown = 0;
  FireStep(true);
  ASSERT_EQ(ActiveShots(), 20);
  for (int i = 0; i < 20; ++i) FireStep(true);  // held: the cluster flies straight
  EXPECT_FLOAT_EQ(play.Shots[7].VY, 0);
  FireStep(false);  // released: the blaster is ready again
  EXPECT_FLOAT_EQ(play.Shots[7].VY, 0);
  FireStep(false);  // and now every ball bursts away
  int moving = 0;
  for (int i = 0; i < 20; ++i) {
    EXPECT_NEAR(std::hypot(play.Shots[i].VX, play.Shots[i].VY), 20.0f, 1e-3);
    moving += play.Shots[i].Explode == VB_FALSE;
  }
  EXPECT_EQ(moving, 20);
}

TEST_F(Combat, ShiftSwitchesTheBallTypeOnRelease) {
  play.BallType = 5;
  play.KeyboardState.fill(0);
  play.KeyboardState[dik::RSHIFT] = 0x80;
  for (int i = 0; i < 5; ++i) play.FireBallBlaster();
  EXPECT_EQ(play.BallType, 5);
  play.KeyboardState.fill(0);
  play.FireBallBlaster();
  EXPECT_EQ(play.BallType, 1);
  play.FireBallBlaster();
  EXPECT_EQ(play.BallType, 1);
}

TEST_F(Combat, BouncyBallsBounceOnlyWhenFallingFastEnough) {
  Fill(20, 0, 31, PLATFORM_WOOD);
  Build();
  ShotRec& s = play.Shots[0];
  s = ShotRec{};
  s.Active = VB_TRUE;
  s.Bouncy = VB_TRUE;
  s.X = 600;
  s.Y = 390;
  s.VY = 5;
  play.MoveShots();
  EXPECT_EQ(s.Active, VB_TRUE);
  EXPECT_FLOAT_EQ(s.VY, -4);

  s = ShotRec{};
  s.Active = VB_TRUE;
  s.Bouncy = VB_TRUE;
  s.X = 600;
  s.Y = 395;
  s.VY = 0;  // falling at 1: too slow to bounce
  play.MoveShots();
  EXPECT_EQ(s.Active, VB_FALSE);
}
