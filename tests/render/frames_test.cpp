// What the player sees: the title screen and frames of play against golden images, and pixel
// checks of the drawing rules that matter.
#include <SDL.h>
#include <gtest/gtest.h>

#include "data/cell_codes.h"
#include "game/game.h"
#include "play/random.h"
#include "render/hud.h"
#include "tests/render/golden.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class Frames : public StartedGame {};

// Which piece of the platform sheet is drawn in a cell on the back buffer: 0 left end, 50
// middle, 100 right end, -1 none of them.
int DrawnPiece(Game& game, int c, int r) {
  const int code = game.Levels.Cell(game.Play.Level, c, r);
  const int x0 = 50 * c + game.View.BackdropX - game.View.ViewX;
  for (int piece : {0, 50, 100}) {
    bool all = true;
    for (int y : {6, 12})  // two lines through the tile tell the pieces apart
      for (int x = 0; x < 50 && all; ++x) {
        const uint16_t sprite = game.Picture(PictureId::Platform)->Pixel(piece + x, 20 * code + y);
        if (sprite != 31) all = game.GE.BackBuffer()->Pixel(x0 + x, 20 * r + y) == sprite;
      }
    if (all) return piece;
  }
  return -1;
}

}  // namespace

TEST_F(Frames, TitleScreen) {
  folder.LinkGameFiles();
  ASSERT_TRUE(game.Initialize(host, false));
  ExpectScreen("title");
}

// Our fonts are wider than the ones the table was laid out for: a name too wide for its column
// is drawn smaller, and cut with an ellipsis when even that is too wide, never over its score.
TEST_F(Frames, LongNamesInTheHighScoreTableNeverRunIntoTheirScores) {
  folder.LinkGameFiles();
  ASSERT_TRUE(game.Initialize(host, false));
  auto pixelsRightOfTheNames = [&] {
    std::vector<uint16_t> pixels;
    for (int y = 200; y < 400; ++y)
      for (int x = 705; x < 800; ++x) pixels.push_back(game.GE.PrimarySurface()->Pixel(x, y));
    return pixels;
  };
  for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) game.HighScores[i].Name = FixedName("");
  ASSERT_TRUE(game.DrawFrame());
  const std::vector<uint16_t> nameless = pixelsRightOfTheNames();
  game.HighScores[0].Name = FixedName(std::string(20, 'W'));
  game.HighScores[1].Name = FixedName("Christopher Robinson");
  game.HighScores[2].Name = FixedName("Maximilian");
  game.HighScores[3].Name = FixedName("Zo\xEB");
  game.HighScores[4].Name = FixedName("\xC9milie-Fran\xE7oise");
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_TRUE(pixelsRightOfTheNames() == nameless) << "a name runs into its score";
  ExpectScreen("title_long_names");
}

TEST_F(Frames, HeroStandingThenJumpingInFrontOfThePlatforms) {
  Start(false, 1);
  Play(12);
  ExpectScreen("level01_standing");
  keys.Hold({dik::UP, dik::RIGHT});
  Play(9);
  ASSERT_EQ(game.Play.CharInAir, 1);
  ExpectScreen("level01_jumping");
}

// The show-paused assist over a game played with the other assists: the frozen frame dimmed with
// "Paused" on it, and the heads-up display's mark of an assisted game at 80 % speed. After the
// pause the frame is drawn whole again, undimmed.
TEST_F(Frames, PausedAndAssisted) {
  game.Settings.bShowPaused = true;
  game.Settings.bSafeTimeAfterHit = true;
  game.Settings.nGameSpeed = 80;
  Start(false, 1);
  Play(12);
  keys.Hold({dik::P});
  ASSERT_TRUE(game.DrawFrame());
  ASSERT_TRUE(game.DoFrame());
  EXPECT_TRUE(game.IsWaiting()) << "paused";
  EXPECT_EQ(CompareWithGolden(*game.GE.PrimarySurface(), "level01_paused_assisted"), "");
  // P let go, pressed and let go again ends the pause.
  keys.Hold({});
  loop.RunWhileWaiting(2);
  keys.Hold({dik::P});
  loop.RunWhileWaiting(2);
  keys.Hold({});
  Settle();
  game.Settings = PlayerSettings{};
  game.Play.bSafeTimeAfterHit = false;
  game.Play.nGameSpeed = 100;
  ExpectScreen("level01_standing");
}

TEST_F(Frames, HotBombFlashingAndTheFullHeadsUpDisplay) {
  Start(false, 8);
  Play(2);
  BombRec& bomb = game.Play.Bombs[0];
  bomb.X = 300;
  bomb.Y = 300;
  bomb.Delay = 0;
  bomb.Hot = VB_TRUE;
  bomb.Flash = 3;
  game.Play.Bombs[1] = bomb;
  game.Play.Bombs[1].X = 400;
  game.Play.Bombs[1].Flash = 0;
  game.Play.ExtraSpeedTime = 29;  // shows 0
  game.Play.HighJumps = 3;
  game.Play.InvulnerableTime = 200;
  game.Play.FreezeTime = 100;
  game.Play.Ammo = 150;
  game.Play.BallType = 3;
  game.Play.CharHealth = 3;
  ExpectScreen("level08_hot_bombs_hud");
}

TEST_F(Frames, MachineLevelAndFinale) {
  Start(false, 30);
  Play(40);
  ExpectScreen("level30_machine");
  int16_t finale = 31;
  keys.Hold({dik::SPACE});
  game.GotoLevel(finale);
  Settle();
  keys.Hold({});
  Play(60);
  ExpectScreen("level31_finale");
}

TEST_F(Frames, SpaceAndMachineStageLevels) {
  Start(false, 20);
  Play(30);
  ExpectScreen("level20_space");
  int16_t level = 26;
  keys.Hold({dik::SPACE});
  game.GotoLevel(level);
  Settle();
  keys.Hold({});
  Play(30);
  ExpectScreen("level26_machine_stage");
}

TEST_F(Frames, DevelopModeShowsTheMeterAndTheEditingCursor) {
  Start(true, 14);
  game.EditActive = true;
  game.EditLastCol = 5;
  game.EditLastRow = 20;
  game.EditByte = PLATFORM_ICE;
  Play(3);
  ExpectScreen("level14_develop_cursor");
}

TEST_F(Frames, PlatformRowsGetEndPiecesAndTheLevelEdgesCountAsPlatforms) {
  Start(false, 2);
  for (int c = 0; c < LEVEL_COLUMNS; ++c) game.Levels.Cell(game.Play.Level, c, 10) = NOTHING;
  for (int c : {0, 5, 8, 9, 10}) game.Levels.Cell(game.Play.Level, c, 10) = PLATFORM_ROCK;
  game.Play.CharX = 5;
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_EQ(DrawnPiece(game, 0, 10), 100) << "the left edge is a platform: a right end";
  EXPECT_EQ(DrawnPiece(game, 5, 10), 50) << "a lone cell is a middle piece";
  EXPECT_EQ(DrawnPiece(game, 8, 10), 0);
  EXPECT_EQ(DrawnPiece(game, 9, 10), 50);
  EXPECT_EQ(DrawnPiece(game, 10, 10), 100);

  game.Levels.Cell(game.Play.Level, 31, 10) = PLATFORM_ROCK;
  game.Levels.Cell(game.Play.Level, 30, 10) = PLATFORM_ROCK;
  game.Play.CharX = 1500;
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_EQ(DrawnPiece(game, 30, 10), 0);
  EXPECT_EQ(DrawnPiece(game, 31, 10), 50) << "a run touching the right edge ends in a middle piece";
}

TEST_F(Frames, TheViewFollowsTheHeroAndStopsAtTheLevelEnds) {
  Start(false, 3);
  struct Case {
    float charX;
    int viewX, backdropX;
  } cases[] = {{100, 0, 0}, {379, 0, 0}, {600, 220, 110}, {1181, 800, 400}, {1560, 800, 400}};
  for (const Case& c : cases) {
    game.Play.CharX = c.charX;
    ASSERT_TRUE(game.DrawFrame());
    EXPECT_EQ(game.View.ViewX, c.viewX) << c.charX;
    EXPECT_EQ(game.View.BackdropX, c.backdropX) << c.charX;
  }
  // Painting in the editor, the editor's scroll position decides wherever the hero is.
  game.EditorEnabled = true;
  game.EditActive = true;
  game.EditScrollX = 300;
  game.Play.CharX = 5;
  game.FrameMeter.Initialize(game.GE);
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_EQ(game.View.ViewX, 300);
  EXPECT_EQ(game.View.BackdropX, 150);
}

TEST_F(Frames, TheMeterSlidesOffAsTheViewScrolls) {
  Start(true, 1);
  const uint16_t white = 0xFFFF;
  game.Play.CharX = 5;
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_EQ(game.GE.PrimarySurface()->Pixel(5, 590), white) << "the meter's left edge";
  game.Play.CharX = 680;  // BackdropX 150: the box lies wholly left of the screen
  ASSERT_TRUE(game.DrawFrame());
  ASSERT_EQ(game.View.BackdropX, 150);
  for (int x = 0; x < 10; ++x) EXPECT_NE(game.GE.PrimarySurface()->Pixel(x, 580), white) << x;
}

TEST(HeadsUpDisplay, HealthColourRunsFromRedToGreenAndStaysInRange) {
  EXPECT_EQ(HealthColor(5), RGB(0, 255, 0));
  EXPECT_EQ(HealthColor(0), RGB(255, 0, 0));
  EXPECT_EQ(HealthColor(3), RGB(102, 153, 0));
  EXPECT_EQ(HealthColor(7), RGB(0, 255, 0));
  EXPECT_EQ(HealthColor(-3), RGB(255, 0, 0));
  EXPECT_EQ(HealthColor(32767), RGB(0, 255, 0));
}

TEST(DirtyRectangles, BeyondFiveThousandNothingIsRecorded) {
  Game game;
  game.View.DirtyRects.assign(DIRTY_RECT_CAPACITY, Rect{});
  game.View.DirtyCount = DIRTY_RECT_CAPACITY - 1;
  game.View.AddDirtyRect(Rect{1, 2, 3, 4});
  game.View.AddDirtyRect(Rect{5, 6, 7, 8});
  EXPECT_EQ(game.View.DirtyCount, DIRTY_RECT_CAPACITY);
  EXPECT_EQ(game.View.DirtyRects.back(), (Rect{1, 2, 3, 4}));
}

namespace {

std::vector<uint16_t> Screen(Game& game) {
  std::vector<uint16_t> pixels;
  const Surface& primary = *game.GE.PrimarySurface();
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) pixels.push_back(primary.Pixel(x, y));
  return pixels;
}

}  // namespace

TEST_F(Frames, ThousandsOfEffectPiecesLeaveNoTrails) {
  Start(false, 30);
  game.Options.nHighDetailGraphics = 1;
  game.Play.nHighDetailGraphics = 1;
  for (int i = 0; i < MAX_EFFECTS; ++i)  // 30 x 400 pieces, far more than 5 000 rectangles
    game.Play.StartParticleEffect(static_cast<float>(40 * i), 250, 2.5f, 2.5f, 0.5f, 15, 100,
                                  PictureId::HotBomb, 2, 2, 0, 0, 40, 40, 100);
  Play(8);
  for (EffectRec& effect : game.Play.Effects) effect.Active = VB_FALSE;
  ASSERT_TRUE(game.DrawFrame());
  const std::vector<uint16_t> afterEffects = Screen(game);
  game.View.NewLevel();  // the same frame again on a freshly built backdrop
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_TRUE(Screen(game) == afterEffects) << "every piece was erased";
}

TEST_F(Frames, AStillTitleIsSentOnceAndANewHighScoreShowsAtOnce) {
  folder.LinkGameFiles();
  ASSERT_TRUE(game.Initialize(host, false));
  ASSERT_TRUE(game.DrawFrame());
  const long uploads = host.Screen().Uploads();
  const std::vector<uint16_t> title = Screen(game);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(game.DrawFrame());
  EXPECT_EQ(host.Screen().Uploads(), uploads) << "the same picture is not sent again";

  game.HighScores[0].Name = FixedName("Newcomer");
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_FALSE(Screen(game) == title);
  EXPECT_EQ(host.Screen().Uploads(), uploads + 1);
  game.HighScores[0].Name = FixedName("Pibo");
  ASSERT_TRUE(game.DrawFrame());
  EXPECT_TRUE(Screen(game) == title);
}

namespace {

// The pixels the window shows, read back from the renderer in the picture's format.
std::vector<uint16_t> WindowPixels(TestHost& host) {
  std::vector<uint16_t> pixels(800 * 600);
  if (SDL_RenderReadPixels(host.Screen().Renderer(), nullptr, SDL_PIXELFORMAT_RGB565, pixels.data(),
                           800 * 2) != 0)
    ADD_FAILURE() << SDL_GetError();
  return pixels;
}

}  // namespace

// While the view stands still only the places that changed are drawn and sent to the screen.
// Through standing, running (the view scrolls), jumping, shooting, bombs and a platform built and
// taken away under the hero, each frame must equal the same frame drawn whole on a fresh
// backdrop, and the window must show exactly that picture.
// The heads-up display stands on the back buffer between frames; pieces of an explosion and a
// falling bomb flying through it, and a score that changes, leave it as a frame drawn whole shows it.
TEST_F(Frames, HeadsUpDisplayUnderFlyingPiecesEqualsAFrameDrawnWhole) {
  Start(false, 1);
  for (int frame = 0; frame < 45; ++frame) {
    game.Play.CharHealth = 5;
    if (frame == 1 && game.Play.BombCount < MAX_BOMBS) {  // a bomb appears over the ball icon
      BombRec& bomb = game.Play.Bombs[game.Play.BombCount++];
      bomb = BombRec{};
      bomb.X = 745;
      bomb.Y = 10;
    }
    if (frame == 11) {  // pieces fly over the texts, which have stood still since the first frame
      game.Play.StartParticleEffect(20, 10, 2.5f, 2.5f, 0.5f, 15, 100, PictureId::HotBomb, 2, 2, 0,
                                    0, 40, 40, 100);
      game.Play.StartParticleEffect(620, 20, 2.5f, 2.5f, 0.5f, 15, 100, PictureId::HotBomb, 4, 4,
                                    0, 0, 40, 40, 100);
    }
    if (frame == 20) game.Play.CharScore += 1250;
    ASSERT_TRUE(game.DrawFrame());
    if (frame == 1 || frame % 4 == 3) {
      const std::vector<uint16_t> inPieces = Screen(game);
      game.View.NewLevel();
      ASSERT_TRUE(game.DrawFrame());
      ASSERT_TRUE(Screen(game) == inPieces) << "frame " << frame;
    }
    ASSERT_TRUE(game.DoFrame());
  }
}

TEST_F(Frames, FramesDrawnInPiecesEqualFramesDrawnWhole) {
  Start(true, 9);
  struct Stretch {
    std::initializer_list<int> keys;
    int frames;
  };
  const Stretch script[] = {
      {{}, 40}, {{dik::RIGHT}, 45}, {{}, 20}, {{dik::UP, dik::LEFT}, 25}, {{dik::LCONTROL}, 30},
      {{}, 30}};
  int frame = 0;
  for (const Stretch& stretch : script) {
    keys.Hold(stretch.keys);
    for (int i = 0; i < stretch.frames; ++i, ++frame) {
      game.Play.CharHealth = 5;
      if (frame == 100) game.Levels.Cell(9, 10, 12) = PLATFORM_ICE;
      if (frame == 150) game.Levels.Cell(9, 10, 12) = 255;
      ASSERT_TRUE(game.DrawFrame());
      if (frame % 3 == 0) {
        const std::vector<uint16_t> inPieces = Screen(game);
        EXPECT_TRUE(WindowPixels(host) == inPieces) << "the window at frame " << frame;
        game.View.NewLevel();
        ASSERT_TRUE(game.DrawFrame());
        ASSERT_TRUE(Screen(game) == inPieces) << "frame " << frame;
      }
      ASSERT_TRUE(game.DoFrame());
    }
  }
  EXPECT_TRUE(game.IsRunning());
}

// A sprite that shows the same picture at the same place as the frame before stays on the back
// buffer untouched, unless something else is drawn or repainted where it is. The still hero and
// the spinning gems (a new picture every other frame) stand beside a platform built under a gem,
// a ball beside the gem in the platform's cell, the platform taken away again, a bomb falling
// through a gem, explosions over the gems and the bomb exit, a gem moved onto another and off it
// again, and the hero taking off where he stands. Every frame must equal
// the same frame drawn whole (which leaves the back buffer as a frame drawn in pieces should), and
// the window must show it.
TEST_F(Frames, SpritesLeftStandingEqualFramesDrawnWhole) {
  Start(false, 1);
  PlayState& play = game.Play;
  ASSERT_GE(play.GemCount, 3);
  play.CharX = 300;  // clear of the bomb exit, which he stands over at the start
  const PickupRec first = play.Gems[0], third = play.Gems[2];
  const int level = play.Level;
  const int c = first.Left / 50, r = (first.Top + 10) / 20;
  for (int frame = 0; frame < 70; ++frame) {
    play.CharHealth = 5;
    play.SafeTime = 0;
    // Built and taken away on both kinds of frame: the gems' new pictures and their still ones.
    if (frame == 6 || frame == 13) game.Levels.Cell(level, c, r) = PLATFORM_ICE;
    if (frame == 10 || frame == 20) game.Levels.Cell(level, c, r) = 255;
    if (frame == 16 || frame == 17) {  // a ball in the platform's cell, beside the gem on it
      ShotRec& ball = play.Shots[0];
      ball = ShotRec{};
      ball.Active = VB_TRUE;
      ball.X = static_cast<int16_t>(first.Left - 50 * c >= 10 ? 50 * c : first.Left + 40);
      ball.Y = static_cast<float>(20 * r + 5);
    }
    if (frame == 18) play.Shots[0].Active = VB_FALSE;
    if (frame == 9) {  // straight down through the second gem, and gone before it bounces far
      ASSERT_LT(play.BombCount, MAX_BOMBS);
      BombRec& bomb = play.Bombs[play.BombCount++];
      bomb = BombRec{};
      bomb.X = static_cast<float>(play.Gems[1].Left);
      bomb.Y = static_cast<float>(play.Gems[1].Top - 45);
    }
    if (frame == 14) --play.BombCount;
    // A platform beside the still hero: its cell and its neighbours are repainted.
    const int heroColumn = IntPart(play.CharX) / 50 + 1, heroRow = IntPart(play.CharY) / 20;
    if (frame == 22 || frame == 27) game.Levels.Cell(level, heroColumn, heroRow) = PLATFORM_ICE;
    if (frame == 23 || frame == 28) game.Levels.Cell(level, heroColumn, heroRow) = 255;
    if (frame == 25) {  // the third gem onto the first, showing the same, then back
      play.Gems[2] = play.Gems[0];
      play.Gems[2].Code = third.Code;
    }
    if (frame == 30) play.Gems[2] = third;
    if (frame == 33)
      play.StartParticleEffect(static_cast<float>(third.Left), static_cast<float>(third.Top), 2.5f,
                               2.5f, 0.5f, 15, 100, PictureId::HotBomb, 2, 2, 0, 0, 40, 40, 30);
    if (frame == 45 || frame == 46)  // pieces flying over the bomb exit on the left
      play.StartParticleEffect(0, 500, 2.5f, 2.5f, 0.5f, 15, 100, PictureId::HotBomb, 2, 2, 0, 0,
                               40, 40, 30);
    if (frame == 61) play.CharInAir = 1;  // in front of the platforms, at the same place
    ASSERT_TRUE(game.DrawFrame());
    const std::vector<uint16_t> inPieces = Screen(game);
    EXPECT_TRUE(WindowPixels(host) == inPieces) << "the window at frame " << frame;
    game.View.NewLevel();
    ASSERT_TRUE(game.DrawFrame());
    ASSERT_TRUE(Screen(game) == inPieces) << "frame " << frame;
    if (frame != 61) {
      ASSERT_TRUE(game.DoFrame());
    }
  }
}
