// The hero's run, jump, drop, landing and the ground's own physics.
#include "engines/vbie.h"
#include "tests/game/play_fixture.h"

using namespace testing_support;

namespace {
class Hero : public PlayField {};
}  // namespace

TEST_F(Hero, GroundDecidesGripFrictionAndTopSpeed) {
  struct Case {
    uint8_t ground;
    float keptAfterRelease;  // of a speed of 4
    float topSpeed;
  } cases[] = {
      {PLATFORM_SAND, 2.0f, 7.5f},  {PLATFORM_ICE, 3.84f, 7.5f}, {PLATFORM_OIL, 3.84f, 7.5f},
      {PLATFORM_SWAMP, 2.0f, 2.0f}, {PLATFORM_GOO, 2.0f, 2.0f},  {PLATFORM_BOUNCY, 2.0f, 7.5f},
  };
  for (const Case& c : cases) {
    Fill(20, 0, 31, c.ground);
    Build();
    StandOn(20, 100, c.ground);
    const int ground = play.PlatformTypeBelowChar();
    ASSERT_EQ(ground, c.ground);
    play.KeyboardState.fill(0);
    play.CharVX = 4;
    play.SteerChar(ground);
    EXPECT_FLOAT_EQ(play.CharVX, c.keptAfterRelease) << int(c.ground);

    play.KeyboardState[dik::RIGHT] = 0x80;
    for (int i = 0; i < 60; ++i) play.SteerChar(ground);
    EXPECT_FLOAT_EQ(play.CharVX, c.topSpeed) << int(c.ground);
    play.ExtraSpeedTime = 10;
    for (int i = 0; i < 60; ++i) play.SteerChar(ground);
    EXPECT_FLOAT_EQ(play.CharVX, c.topSpeed * 1.5f) << int(c.ground);
    play.ExtraSpeedTime = 0;
  }
}

TEST_F(Hero, InTheAirGripIsLowAndBothKeysEndFacingRight) {
  play.CharInAir = 1;
  play.KeyboardState.fill(0);
  play.CharVX = 5;
  play.SteerChar(NO_PLATFORM);
  EXPECT_FLOAT_EQ(play.CharVX, 4.8f);
  play.KeyboardState[dik::LEFT] = 0x80;
  play.SteerChar(NO_PLATFORM);
  EXPECT_FLOAT_EQ(play.CharVX, 4.5f);
}

TEST_F(Hero, JumpsDependOnTheGroundAndHighJumpsAreCounted) {
  struct Case {
    uint8_t ground;
    int highJumps;
    float vyAfterJump;  // before gravity
    bool jumps;
  } cases[] = {{PLATFORM_WOOD, 0, -16, true},
               {PLATFORM_WOOD, 5, -22.4f, true},
               {PLATFORM_GOO, 0, -6, true},
               {PLATFORM_GOO, 1, -8.4f, true},
               {PLATFORM_SWAMP, 0, 0, false}};
  for (const Case& c : cases) {
    Fill(20, 0, 31, c.ground);
    Build();
    StandOn(20, 300, c.ground);
    play.HighJumps = static_cast<int16_t>(c.highJumps);
    keys.Hold({dik::UP});
    HeroStep();
    if (!c.jumps) {
      EXPECT_EQ(play.CharInAir, 0) << "no jump on swamp";
      continue;
    }
    EXPECT_EQ(play.CharInAir, 1);
    EXPECT_NEAR(play.CharVY, c.vyAfterJump + 1.5f, 1e-4) << int(c.ground);
    EXPECT_EQ(play.HighJumps, c.highJumps > 0 ? c.highJumps - 1 : 0);
  }
}

TEST_F(Hero, GravityIsLowInSpaceButNotInTheFinale) {
  struct Case {
    int level, stage;
    float gravity;
  } cases[] = {{1, 1, 1.5f}, {20, 4, 0.7f}, {31, 4, 1.5f}};
  for (const Case& c : cases) {
    play.Level = static_cast<int16_t>(c.level);
    play.Stage = static_cast<int16_t>(c.stage);
    Build();
    play.CharY = 100;
    play.CharInAir = 1;
    play.CharVY = 0;
    keys.Hold({});
    HeroStep();
    EXPECT_FLOAT_EQ(play.CharVY, c.gravity) << c.level;
  }
}

TEST_F(Hero, LandsFromAboveAndDropsThroughWithDown) {
  Fill(20, 4, 10, PLATFORM_WOOD);  // top at 402
  Build();
  PlaceHero(300, 300);
  play.CharInAir = 1;
  keys.Hold({});
  for (int i = 0; i < 30 && play.CharInAir == 1; ++i) HeroStep();
  EXPECT_EQ(play.CharInAir, 0);
  EXPECT_FLOAT_EQ(play.CharY, 366);

  keys.Hold({dik::DOWN});
  HeroStep();
  EXPECT_EQ(play.CharInAir, 1);
  keys.Hold({});
  for (int i = 0; i < 10; ++i) HeroStep();
  EXPECT_GT(play.CharY, 402) << "the hero fell through the platform it stood on";
}

TEST_F(Hero, BouncyPlatformsThrowTheHeroUpEveryTime) {
  Fill(20, 4, 10, PLATFORM_BOUNCY);
  Build();
  PlaceHero(300, 300);
  play.CharInAir = 1;
  keys.Hold({});
  int bounces = 0;
  for (int i = 0; i < 200; ++i) {
    const float before = play.CharVY;
    HeroStep();
    if (before > 0 && play.CharVY < 0) {
      ++bounces;
      EXPECT_FLOAT_EQ(play.CharVY, -20 + 1.5f);
    }
    ASSERT_EQ(play.CharInAir, 1);
  }
  EXPECT_GE(bounces, 3);
}

TEST_F(Hero, StepsUpOnSwampButBouncesBackElsewhere) {
  for (uint8_t ground : {PLATFORM_SWAMP, PLATFORM_ROCK}) {
    game.Levels.LevelGrid.fill(NOTHING);
    Fill(25, 0, 31, ground);
    Fill(24, 8, 8, PLATFORM_ROCK);  // an obstacle one row up
    Build();
    const float top = ground == PLATFORM_SWAMP ? 513.0f : 502.0f;
    play.CharX = 370;
    play.CharY = top - 36;
    play.CharInAir = 0;
    play.CharVX = 2;
    keys.Hold({dik::RIGHT});
    HeroStep();
    if (ground == PLATFORM_SWAMP) {
      EXPECT_FLOAT_EQ(play.CharY, 482 - 36) << "stepped up onto the obstacle";
      EXPECT_GT(play.CharVX, 0);
    } else {
      EXPECT_LT(play.CharVX, 0) << "thrown back";
    }
  }
}

TEST_F(Hero, StaysInsideTheLevelAndOnTheFloor) {
  Build();
  StandOn(27, -6);
  play.CharVX = -2;
  keys.Hold({});
  HeroStep();
  EXPECT_FLOAT_EQ(play.CharX, 0);
  EXPECT_GT(play.CharVX, 0);

  play.CharX = 1555;
  play.CharVX = 14;
  HeroStep();
  EXPECT_FLOAT_EQ(play.CharX, 1560);
  EXPECT_LT(play.CharVX, 0);

  play.CharInAir = 1;
  play.CharY = 560;
  play.CharVY = 10;
  HeroStep();
  EXPECT_FLOAT_EQ(play.CharY, 544);
  EXPECT_EQ(play.CharInAir, 0);
}

TEST_F(Hero, PlatformQueriesTakeTheTopmostLeftmostAndIgnoreSharedEdges) {
  Fill(10, 3, 4, PLATFORM_ROCK);
  Fill(11, 3, 3, PLATFORM_ICE);
  Build();
  ASSERT_EQ(play.PlatformCount, 3);
  play.CharX = 175;  // the hero overlaps all three platforms
  play.CharY = 190;
  EXPECT_EQ(play.FindCharPlatformHit(), 0);
  play.CharY = 202 - 36;  // standing exactly on row 10: sharing an edge is no hit
  EXPECT_EQ(play.FindCharPlatformHit(), NO_PLATFORM);
  EXPECT_EQ(play.PlatformTypeBelowChar(), PLATFORM_ROCK);
}
