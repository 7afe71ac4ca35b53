// The screen: whatever size the window has, the game sees an 800 x 600 picture and mouse
// positions in its pixels.
#include <SDL.h>
#include <gtest/gtest.h>

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
