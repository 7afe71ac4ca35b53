// The screen: whatever size the window has, the game sees an 800 x 600 picture and mouse
// positions in its pixels.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "engines/display.h"
#include "engines/vbge.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

struct MouseRecorder : platform::EventHandler {
  void OnKeyDown(int, bool) override {}
  void OnMouse(int nKind, int16_t nButton, int16_t, float X, float Y) override {
    kind = nKind;
    button = nButton;
    x = X;
    y = Y;
  }
  void OnClose() override { closed = true; }
  int kind = -1;
  int16_t button = 0;
  float x = -1, y = -1;
  bool closed = false;
};

void Push(SDL_Event event, SDL_Window* window) {
  event.button.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&event);
  platform::DoEvents();
}

}  // namespace

TEST(Screen, MousePositionsAreInGamePixelsWhateverTheWindowSize) {
  ScratchFolder folder;
  TestHost host;
  VBGE GE;
  ASSERT_TRUE(GE.Initialize(800, 600, 16, 31, host, 1200, 600));
  SDL_SetWindowSize(host.Screen().Window(), 1600, 1200);
  SDL_PumpEvents();
  MouseRecorder recorder;
  platform::SetEventHandler(&recorder);

  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.button = SDL_BUTTON_RIGHT;
  down.button.state = SDL_PRESSED;
  down.button.x = 800;
  down.button.y = 600;
  Push(down, host.Screen().Window());
  EXPECT_EQ(recorder.kind, 0);
  EXPECT_EQ(recorder.button, 2);
  EXPECT_FLOAT_EQ(recorder.x, 400);
  EXPECT_FLOAT_EQ(recorder.y, 300);

  // On a wider screen the picture has black bars beside it; a pointer over a bar is at the
  // picture's nearest edge, as the old full-screen mode never let it leave the screen.
  SDL_SetWindowSize(host.Screen().Window(), 2000, 1200);
  SDL_PumpEvents();
  down.button.x = 1990;
  down.button.y = 1199;
  Push(down, host.Screen().Window());
  EXPECT_FLOAT_EQ(recorder.x, 799);
  EXPECT_FLOAT_EQ(recorder.y, 599);
  down.button.x = 10;
  down.button.y = 0;
  Push(down, host.Screen().Window());
  EXPECT_FLOAT_EQ(recorder.x, 0);
  EXPECT_FLOAT_EQ(recorder.y, 0);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  platform::DoEvents();
  EXPECT_TRUE(recorder.closed);
  platform::SetEventHandler(nullptr);
}

namespace {

// The window's pixels, read back in the picture's format.
std::vector<uint16_t> WindowPixels(Display& screen) {
  std::vector<uint16_t> pixels(800 * 600);
  EXPECT_EQ(SDL_RenderReadPixels(screen.Renderer(), nullptr, SDL_PIXELFORMAT_RGB565, pixels.data(),
                                 800 * 2),
            0)
      << SDL_GetError();
  return pixels;
}

std::vector<uint16_t> Pixels(const Surface& surface) {
  std::vector<uint16_t> pixels;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) pixels.push_back(surface.Pixel(x, y));
  return pixels;
}

void Resize(TestHost& host, int w, int h) {
  SDL_SetWindowSize(host.Screen().Window(), w, h);
  platform::DoEvents();  // the window reports its new size, and the picture is drawn again
}

}  // namespace

// The game's screen on the dummy display, the main window's handler letting its events through,
// pictures drawn on the back buffer.
class ScreenPicture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GE.Initialize(800, 600, 16, 31, host, 1200, 600));
    platform::SetEventHandler(&handler);
  }
  void TearDown() override { platform::SetEventHandler(nullptr); }

  ScratchFolder folder;
  TestHost host;
  VBGE GE;
  MouseRecorder handler;  // as the main window, it lets the window's events through
};

// Pictures sent a piece at a time, pixel for pixel and scaled (sharply, each picture pixel the
// nearest), leave the window showing exactly the picture, also after the scaled window is made
// small again.
TEST_F(ScreenPicture, PiecesSentPixelForPixelAndScaledAddUpToThePicture) {
  Surface& back = *GE.BackBuffer();
  const Surface& primary = *GE.PrimarySurface();
  back.SetFillStyle(FILLSTYLE_SOLID);
  uint32_t shade = 0;
  // Paints a few boxes, from one pixel to 37 wide, onto the back buffer and sends just them from
  // the window at column 200.
  const auto paintAndSend = [&](int nBoxes) {
    std::vector<Rect> pieces;
    for (int i = 0; i < nBoxes; ++i, shade += 0x0A1B2C) {
      const int x = 200 + (i * 137 + static_cast<int>(shade)) % 760, y = (i * 89) % 560;
      const int w = i % 3 == 0 ? 1 + i % 5 : 37;
      back.SetFillColor(shade);
      back.SetForeColor(shade ^ 0xFFFFFF);
      back.DrawBox(x, y, x + w, y + 29);
      pieces.push_back(Rect{x, y, x + w, y + 29});
    }
    ASSERT_TRUE(GE.ShowWindow(&back, 200, &pieces));
  };

  back.SetFillColor(RGB(20, 40, 60));
  back.DrawBox(0, 0, 1200, 600);
  ASSERT_TRUE(GE.ShowWindow(&back, 200));
  EXPECT_TRUE(WindowPixels(host.Screen()) == Pixels(primary));
  for (int round = 0; round < 4; ++round) paintAndSend(12);
  EXPECT_TRUE(WindowPixels(host.Screen()) == Pixels(primary)) << "pixel for pixel";

  // Two, three and four times the size, each picture pixel a square of window pixels; and as large
  // as fits on 1920 x 1080 (1440 x 1080 in the middle), 1366 x 768 and 3000 x 1700 (picture
  // pixels one or two, two or three window pixels wide), each window pixel its nearest.
  struct Scaled {
    int w, h;
  } sizes[] = {{1600, 1200}, {2400, 1800}, {3200, 2400}, {1920, 1080}, {1366, 768}, {3000, 1700}};
  for (const Scaled& size : sizes) {
    Resize(host, size.w, size.h);
    SDL_Rect viewport;
    float sx = 0, sy = 0;
    SDL_RenderGetViewport(host.Screen().Renderer(), &viewport);
    SDL_RenderGetScale(host.Screen().Renderer(), &sx, &sy);
    const SDL_Rect place{static_cast<int>(viewport.x * sx), static_cast<int>(viewport.y * sy),
                         static_cast<int>(viewport.w * sx), static_cast<int>(viewport.h * sy)};
    for (int round = 0; round < 4; ++round) paintAndSend(12);
    // The window's own pixels, in the picture's format.
    SDL_Surface* window = SDL_GetWindowSurface(host.Screen().Window());
    ASSERT_NE(window, nullptr);
    std::vector<uint16_t> large(static_cast<size_t>(window->w) * window->h);
    ASSERT_EQ(SDL_ConvertPixels(window->w, window->h, window->format->format, window->pixels,
                                window->pitch, SDL_PIXELFORMAT_RGB565, large.data(), window->w * 2),
              0);
    int wrong = 0;
    for (int y = 0; y < place.h; ++y)
      for (int x = 0; x < place.w; ++x)
        wrong += large[static_cast<size_t>(place.y + y) * window->w + place.x + x] !=
                 primary.Pixel(x * 800 / place.w, y * 600 / place.h);
    EXPECT_EQ(wrong, 0) << "scaled to " << size.w << " x " << size.h;
  }
  Resize(host, 800, 600);
  EXPECT_TRUE(WindowPixels(host.Screen()) == Pixels(primary)) << "after scaling";
  paintAndSend(12);
  EXPECT_TRUE(WindowPixels(host.Screen()) == Pixels(primary)) << "pixel for pixel again";
}

// Scaled by a whole number where that keeps most of the size the screen could show, so every
// picture pixel is a square block; as large as fits where a whole number would leave it small.
// Either way the picture keeps its shape in the middle, black bars beside it.
TEST_F(ScreenPicture, ScaledByAWholeNumberWhereThatKeepsMostOfTheSize) {
  Surface& back = *GE.BackBuffer();
  back.SetFillStyle(FILLSTYLE_SOLID);
  for (int i = 0; i < 40; ++i) {  // a picture with an edge every few pixels
    back.SetFillColor(static_cast<uint32_t>(i) * 0x050A0F);
    back.DrawBox(i * 30 + 1, i * 13, i * 30 + 17, i * 13 + 7);
  }
  ASSERT_TRUE(GE.ShowWindow(&back, 0));
  const Surface& primary = *GE.PrimarySurface();
  struct Case {
    int w, h;
    SDL_Rect area;  // where the picture lies in the window
  } cases[] = {{1700, 1280, {50, 40, 1600, 1200}},
               {2560, 1440, {480, 120, 1600, 1200}},
               {1920, 1080, {240, 0, 1440, 1080}},
               {850, 620, {25, 10, 800, 600}}};
  SDL_Renderer* renderer = host.Screen().Renderer();
  for (const Case& c : cases) {
    Resize(host, c.w, c.h);
    SDL_Rect viewport;
    float sx = 0, sy = 0;
    SDL_RenderGetViewport(renderer, &viewport);
    SDL_RenderGetScale(renderer, &sx, &sy);
    const SDL_Rect area{static_cast<int>(viewport.x * sx), static_cast<int>(viewport.y * sy),
                        static_cast<int>(viewport.w * sx), static_cast<int>(viewport.h * sy)};
    EXPECT_NEAR(area.x, c.area.x, 1) << c.w << " x " << c.h;
    EXPECT_NEAR(area.y, c.area.y, 1) << c.w << " x " << c.h;
    EXPECT_NEAR(area.w, c.area.w, 1) << c.w << " x " << c.h;
    EXPECT_NEAR(area.h, c.area.h, 1) << c.w << " x " << c.h;
  }
  // At 1700 x 1280 the picture is twice its size, every pixel a crisp 2 x 2 block.
  Resize(host, 1700, 1280);
  std::vector<uint16_t> shown(1600 * 1200);
  ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB565, shown.data(), 1600 * 2),
            0);
  int wrong = 0;
  for (int y = 0; y < 1200; ++y)
    for (int x = 0; x < 1600; ++x) wrong += shown[y * 1600 + x] != primary.Pixel(x / 2, y / 2);
  EXPECT_EQ(wrong, 0);
}

// A frame of play hands the screen every place a sprite stood or stands, most of them showing
// what the screen already shows: only rows that differ are copied and sent, so a change in a
// piece's first, last or a middle row, or in one pixel, must still reach the picture and the
// window, and a piece with nothing new sends nothing.
TEST_F(ScreenPicture, OnlyTheRowsOfAPieceThatChangedAreSentAndEveryOneOfThemIs) {
  Surface& back = *GE.BackBuffer();
  const Surface& primary = *GE.PrimarySurface();
  back.SetFillStyle(FILLSTYLE_SOLID);
  back.SetFillColor(RGB(20, 40, 60));
  back.SetForeColor(RGB(20, 40, 60));
  back.DrawBox(0, 0, 1200, 600);
  ASSERT_TRUE(GE.ShowWindow(&back, 100));
  const std::vector<Rect> pieces{Rect{140, 50, 180, 85}, Rect{500, 300, 540, 335},
                                 Rect{880, 560, 900, 600}};
  const long before = host.Screen().Uploads();
  ASSERT_TRUE(GE.ShowWindow(&back, 100, &pieces));
  EXPECT_EQ(host.Screen().Uploads(), before) << "nothing new, nothing sent";

  // One row drawn in each piece at a time: the first, the second, a middle one, the last; then a
  // single pixel, and a band of rows.
  struct Change {
    int top, bottom, left, right;
  } rows[] = {{0, 1, 0, 40},    {1, 2, 0, 40}, {17, 18, 0, 40}, {34, 35, 0, 40},
              {20, 21, 39, 40}, {3, 4, 0, 40}, {30, 31, 0, 40}, {5, 12, 2, 30}};
  uint32_t shade = 0x102030;
  for (const Change& row : rows) {
    shade += 0x0B1D2F;
    back.SetFillColor(shade);
    back.SetForeColor(shade);
    for (const Rect& piece : pieces)
      back.DrawBox(piece.Left + std::min(row.left, piece.Right - piece.Left - 1),
                   piece.Top + row.top, piece.Left + std::min(row.right, piece.Right - piece.Left),
                   std::min<int32_t>(piece.Top + row.bottom, piece.Bottom));
    ASSERT_TRUE(GE.ShowWindow(&back, 100, &pieces));
    int wrong = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) wrong += primary.Pixel(x, y) != back.Pixel(x + 100, y);
    EXPECT_EQ(wrong, 0) << "rows " << row.top << " to " << row.bottom;
    EXPECT_TRUE(WindowPixels(host.Screen()) == Pixels(primary)) << "rows " << row.top;
  }
}

// The parts sent to the window system: the pieces of an explosion, a few pixels each, go as a few
// boxes, every pixel of every piece inside one of them and the boxes holding little else; parts
// far apart go on their own.
TEST(PartsSent, NearPiecesAreJoinedAndEveryPixelStaysCovered) {
  std::vector<SDL_Rect> pieces;
  uint32_t seed = 12345;
  const auto next = [&seed](int range) {
    seed = seed * 1103515245 + 12345;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
  };
  for (int i = 0; i < 400; ++i) pieces.push_back(SDL_Rect{300 + next(200), 200 + next(150), 2, 2});
  std::vector<SDL_Rect> boxes = pieces;
  JoinForSending(boxes);
  EXPECT_LT(boxes.size(), 40u);
  int64_t boxPixels = 0;
  for (const SDL_Rect& box : boxes) boxPixels += static_cast<int64_t>(box.w) * box.h;
  EXPECT_LE(boxPixels, 400 * 4 + static_cast<int64_t>(boxes.size()) * 4096);
  for (const SDL_Rect& piece : pieces)
    for (int y = piece.y; y < piece.y + piece.h; ++y)
      for (int x = piece.x; x < piece.x + piece.w; ++x) {
        const SDL_Point pixel{x, y};
        EXPECT_TRUE(std::any_of(
            boxes.begin(), boxes.end(),
            [&](const SDL_Rect& box) { return SDL_PointInRect(&pixel, &box) == SDL_TRUE; }))
            << x << ", " << y;
      }

  std::vector<SDL_Rect> apart{SDL_Rect{0, 0, 100, 100}, SDL_Rect{700, 500, 100, 100}};
  JoinForSending(apart);
  EXPECT_EQ(apart.size(), 2u);
  std::vector<SDL_Rect> none;
  JoinForSending(none);
  EXPECT_TRUE(none.empty());
}
