// Gamepads: a virtual pad plugged in while the game runs is opened, and its buttons reach the
// game as the keys they stand for, held in the keyboard snapshot and pressed in the main window.
#include "engines/gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "engines/platform.h"
#include "engines/vbie.h"

namespace {

// A virtual gamepad, plugged in for the life of the object.
class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    index_ = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    gamepad::Look();  // the pad's arrival, as a hot-plug
  }
  ~VirtualPad() {
    if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(index_);
    gamepad::Look();
  }
  bool Ok() const { return joystick_ != nullptr; }
  // Pressed or let go; the game reads it at once, or with `bLook` false at its next reading.
  void Button(SDL_GameControllerButton b, bool down, bool bLook = true) {
    SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0);
    if (bLook) gamepad::Look();
  }
  void Axis(SDL_GameControllerAxis a, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, a, value);
    gamepad::Look();
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

std::vector<int> Held() {
  KeyboardSnapshot state{};
  gamepad::AddHeldKeys(state);
  std::vector<int> keys;
  for (int k = 0; k < 256; ++k)
    if (state[k] & 0x80) keys.push_back(k);
  return keys;
}

struct KeyRecorder : platform::EventHandler {
  void OnKeyDown(int nKeyCode, bool) override { keys.push_back(nKeyCode); }
  void OnMouse(int, int16_t, int16_t, float, float) override {}
  void OnClose() override {}
  std::vector<int> keys;
};

class Gamepad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_TRUE(gamepad::Start()) << SDL_GetError();
    KeyboardSnapshot taps{};
    gamepad::AddHeldKeys(taps);  // taps an earlier test's events left are not this test's
  }
};

}  // namespace

TEST_F(Gamepad, HeldButtonsAndTheLeftStickAreTheGamesKeys) {
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok()) << SDL_GetError();
  using V = std::vector<int>;
  EXPECT_EQ(Held(), V{});
  struct Case {
    SDL_GameControllerButton button;
    int key;
  } cases[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, dik::LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, dik::RIGHT},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, dik::UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, dik::DOWN},
      {SDL_CONTROLLER_BUTTON_A, dik::UP},           {SDL_CONTROLLER_BUTTON_B, dik::LCONTROL},
      {SDL_CONTROLLER_BUTTON_X, dik::LSHIFT},       {SDL_CONTROLLER_BUTTON_START, dik::P}};
  for (const Case& c : cases) {
    pad.Button(c.button, true);
    EXPECT_EQ(Held(), V{c.key}) << "button " << c.button;
    pad.Button(c.button, false);
    EXPECT_EQ(Held(), V{}) << "button " << c.button << " let go";
  }
  // The left stick past half its travel, and the right trigger.
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_EQ(Held(), (V{dik::LEFT, dik::DOWN}));
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 8000);  // a little off the middle is nothing
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -8000);
  EXPECT_EQ(Held(), V{});
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  EXPECT_EQ(Held(), V{dik::LCONTROL});
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);  // a virtual trigger at rest
  // A jump tapped between two snapshots still counts once.
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(Held(), V{dik::UP});
  EXPECT_EQ(Held(), V{});
}

TEST_F(Gamepad, StartAndBackAreF1AndEscForTheMainWindowAndAnUnpluggedPadIsForgotten) {
  KeyRecorder window;
  platform::SetEventHandler(&window);
  {
    VirtualPad pad;
    ASSERT_TRUE(pad.Ok()) << SDL_GetError();
    platform::DoEvents();
    window.keys.clear();
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);  // A is only held, never a window key
    platform::DoEvents();
    EXPECT_EQ(window.keys, (std::vector<int>{112, 27}));
    Held();  // forget the taps
  }
  platform::DoEvents();
  EXPECT_EQ(Held(), std::vector<int>{}) << "the unplugged pad's held A";
  platform::SetEventHandler(nullptr);
}

// SDL does not read the pads whenever the window's events are read: the pass does, through Tend,
// every pass while a pad is open (and four times a second, looking for one, while none is).
TEST_F(Gamepad, AnOpenPadIsReadAtEveryPassByTheFrameLoopNotBySdl) {
  using V = std::vector<int>;
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok()) << SDL_GetError();
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true, false);
  SDL_PumpEvents();
  EXPECT_EQ(Held(), V{}) << "SDL read the pad along with the window's events";
  const uint32_t now = SDL_GetTicks();
  gamepad::Tend(now);
  EXPECT_EQ(Held(), V{dik::LEFT});
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false, false);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true, false);
  gamepad::Tend(now);  // however close together the passes
  EXPECT_EQ(Held(), V{dik::RIGHT});
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false, false);
  platform::DoEvents();  // the frame loop's reading of the events tends the pads
  EXPECT_EQ(Held(), V{});
}
