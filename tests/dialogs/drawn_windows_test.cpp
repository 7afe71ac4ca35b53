// The windows as the player meets them: drawn over the title screen on the headless display,
// worked by SDL key, text and mouse events handed to the window one a pass, as the pump does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <deque>

#include "data/cell_codes.h"
#include "dialogs/end_game_window.h"
#include "dialogs/name_window.h"
#include "dialogs/options_window.h"
#include "dialogs/password_window.h"
#include "dialogs/settings_window.h"
#include "editor/edit_options_window.h"
#include "engines/gamepad.h"
#include "engines/platform.h"
#include "forms/form_screen.h"
#include "tests/render/golden.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class DrawnWindows : public StartedGame {
 protected:
  void SetUp() override {
    folder.LinkGameFiles();
    ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
    ASSERT_TRUE(game.DrawFrame());  // the title screen behind the windows
    screen = std::make_unique<FormScreen>(host.Screen());
  }
  SDL_Window* Window() { return host.Screen().Window(); }

  void Key(SDL_Keycode sym, SDL_Scancode code, uint16_t mod = KMOD_NONE) {
    for (uint32_t type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event event{};
      event.type = type;
      event.key.windowID = SDL_GetWindowID(Window());
      event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.sym = sym;
      event.key.keysym.scancode = code;
      event.key.keysym.mod = mod;
      script.push_back(event);
    }
  }
  void Type(const std::string& sUtf8) {
    for (size_t at = 0; at < sUtf8.size();) {
      size_t next = at + 1;
      while (next < sUtf8.size() && (static_cast<unsigned char>(sUtf8[next]) & 0xC0) == 0x80)
        ++next;
      SDL_Event event{};
      event.type = SDL_TEXTINPUT;
      event.text.windowID = SDL_GetWindowID(Window());
      sUtf8.copy(event.text.text, next - at, at);
      script.push_back(event);
      at = next;
    }
  }
  // A gamepad button pressed and let go.
  void Pad(SDL_GameControllerButton button) {
    for (uint32_t type : {SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP}) {
      SDL_Event event{};
      event.type = type;
      event.cbutton.button = static_cast<Uint8>(button);
      event.cbutton.state = type == SDL_CONTROLLERBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      script.push_back(event);
    }
  }
  // A left click at (x, y) in the window's pixels.
  void Click(int x, int y) {
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = SDL_GetWindowID(Window());
    move.motion.x = x;
    move.motion.y = y;
    script.push_back(move);
    for (uint32_t type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event event{};
      event.type = type;
      event.button.windowID = SDL_GetWindowID(Window());
      event.button.button = SDL_BUTTON_LEFT;
      event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = 1;
      event.button.x = x;
      event.button.y = y;
      script.push_back(event);
    }
  }
  // Shows the window until the script has been played, an event a pass; a window still open
  // then is a failure. With `golden`, the screen is compared once `nFramesFirst` frames have been
  // drawn, before the first event.
  void Show(Form& frm, std::string golden = "", int nFramesFirst = 3) {
    bool ranOut = false;
    const long before = screen->FramesDrawn();
    screen->Open(frm);
    for (int pass = 0; screen->IsOpen() && pass < 1000; ++pass) {
      if (!golden.empty() && screen->FramesDrawn() - before >= nFramesFirst) {
        ExpectScreen(golden);
        golden.clear();
      }
      if (golden.empty()) {
        if (script.empty()) {
          ranOut = true;
          frm.CloseBox();
        } else {
          // Through SDL's queue, as the pump takes it: the renderer's scaling puts the pointer
          // into the picture's pixels on the way.
          SDL_PushEvent(&script.front());
          script.pop_front();
          for (SDL_Event event; SDL_PollEvent(&event);) screen->TakeEvent(event);
        }
      }
      clock.now += 1000;  // every pass draws the window
      screen->Pass();
    }
    EXPECT_FALSE(ranOut) << "the window was still open when the player was done";
    EXPECT_FALSE(screen->IsOpen());
  }
  void ExpectScreen(const std::string& name) {
    auto shot = Surface::Create(800, 600);
    SDL_Surface* raw = shot->Raw();
    ASSERT_EQ(SDL_RenderReadPixels(host.Screen().Renderer(), nullptr, SDL_PIXELFORMAT_RGB565,
                                   raw->pixels, raw->pitch),
              0)
        << SDL_GetError();
    EXPECT_EQ(CompareWithGolden(*shot, name), "");
  }

  std::unique_ptr<FormScreen> screen;
  std::deque<SDL_Event> script;
};

}  // namespace

TEST_F(DrawnWindows, TheOptionsWindowByKeyboard) {
  frmOptions frm;
  frm.Load();
  frm.bSoundEffects = VB_TRUE;
  frm.nHighDetailGraphics = 1;
  // Space on "Sound Effects", Tab to "Play CD Music", Space, Shift+Tab back, Tab, Tab to OK, Space.
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Key(SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LSHIFT);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Show(frm, "window_options");
  EXPECT_EQ(frm.bSoundEffects, VB_FALSE);
  EXPECT_EQ(frm.bMusic, VB_TRUE);
  EXPECT_EQ(frm.nHighDetailGraphics, 1);
}

// The same with a gamepad: the d-pad moves the focus, A presses. Down to "Play CD Music", A,
// up again to "Sound Effects", A, then right twice to OK and A.
TEST_F(DrawnWindows, TheOptionsWindowByGamepad) {
  frmOptions frm;
  frm.Load();
  frm.bSoundEffects = VB_TRUE;
  Pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  Pad(SDL_CONTROLLER_BUTTON_A);
  Pad(SDL_CONTROLLER_BUTTON_DPAD_UP);
  Pad(SDL_CONTROLLER_BUTTON_A);
  Pad(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  Pad(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  Pad(SDL_CONTROLLER_BUTTON_A);
  Show(frm);
  EXPECT_EQ(frm.bSoundEffects, VB_FALSE);
  EXPECT_EQ(frm.bMusic, VB_TRUE);
  EXPECT_FALSE(frm.IsLoaded());
}

// B cancels a window, as Esc does.
TEST_F(DrawnWindows, TheGamepadsBCancelsTheOptions) {
  frmOptions frm;
  frm.Load();
  frm.bSoundEffects = VB_TRUE;
  Pad(SDL_CONTROLLER_BUTTON_A);
  Pad(SDL_CONTROLLER_BUTTON_B);
  Show(frm);
  EXPECT_EQ(frm.bSoundEffects, VB_TRUE) << "cancelled, the option stays";
}

// The presses that worked a window are the window's: once it closes, the game does not also
// take A as a jump or B as a shot at its next look at the keys.
TEST_F(DrawnWindows, ThePadsPressesThatWorkedAWindowDoNotReachTheGame) {
  ASSERT_TRUE(gamepad::Start()) << SDL_GetError();
  KeyboardSnapshot before{};
  gamepad::AddHeldKeys(before);  // whatever earlier presses left
  frmOptions frm;
  frm.Load();
  Pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  Pad(SDL_CONTROLLER_BUTTON_A);
  Pad(SDL_CONTROLLER_BUTTON_B);
  Show(frm);
  KeyboardSnapshot after{};
  gamepad::AddHeldKeys(after);
  for (int key : {dik::DOWN, dik::UP, dik::LCONTROL})
    EXPECT_EQ(after[key], 0) << "key " << key;
}

// The window is centred on the picture and scaled with it: its controls are where they were
// designed, in twips, at any window size.
TEST_F(DrawnWindows, ClicksFindTheControlsAtAnyScale) {
  frmOptions frm;
  frm.Load();
  Click(395, 296);  // "Play CD Music"
  Click(443, 348);  // "Cancel"
  Show(frm);
  EXPECT_EQ(frm.bMusic, VB_FALSE) << "Cancel keeps the variables";

  SDL_SetWindowSize(Window(), 1600, 1200);
  SDL_PumpEvents();
  frm.Load();
  Click(760, 593);  // "Play CD Music", twice as large
  Click(712, 697);  // "OK"
  Show(frm);
  EXPECT_EQ(frm.bMusic, VB_TRUE);
}

TEST_F(DrawnWindows, TheNameWindowTakesTwentyCharactersOfTheGamesCodePage) {
  frmHighScore frm;
  frm.Load();
  Type("ABCDEFGHIJKLMNOPQRSTUVWXY");  // 25: the last five do not fit
  Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
  Type("\xC3\xA9\xE2\x9C\x93");  // é fits the game's texts, a check mark does not
  Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
  Show(frm);
  EXPECT_EQ(frm.sName, "ABCDEFGHIJKLMNOPQRS\xE9");
}

// The ask-before-Esc window: "End Game" has the focus, Tab moves it, Esc is "Keep Playing".
TEST_F(DrawnWindows, TheEndGameWindowKeepsPlayingOnEsc) {
  frmEndGame frm;
  frm.Load();
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
  Show(frm, "window_end_game");
  EXPECT_FALSE(frm.bEndGame);
}

// The settings window as it opens over the title, worked by the keyboard alone: Tab to "+" of the
// music, Space twice (already at 100 %), Tab on, Space ticks the safe time, Esc cancels.
TEST_F(DrawnWindows, TheSettingsWindowWorksByKeyboard) {
  frmSettings frm;
  frm.Settings.Controls[static_cast<int>(PlayAction::Jump)].Keys = {0x11, 0};  // W
  frm.Load();
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
  Show(frm, "window_settings");
  EXPECT_FALSE(frm.bOK);
  EXPECT_EQ(frm.Settings.nMusicVolume, 100);
  EXPECT_TRUE(frm.Settings.bSafeTimeAfterHit);
}

// Keys bound the way a player binds them: through the list to Jump, "Change Keys", then keys
// and pad buttons as SDL reports them. A key another action has, or one the window keeps, is
// refused and the window waits on; a pad button binds at once.
TEST_F(DrawnWindows, TheSettingsWindowBindsKeysAndPadButtonsAndRefusesOnesInUse) {
  frmSettings frm;
  frm.Load();
  for (int tab = 0; tab < 8; ++tab) Key(SDLK_TAB, SDL_SCANCODE_TAB);  // to the list of keys
  Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
  Key(SDLK_DOWN, SDL_SCANCODE_DOWN);  // Jump
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);  // Change Keys
  Key(SDLK_F4, SDL_SCANCODE_F4);        // kept by the window
  Key(SDLK_LEFT, SDL_SCANCODE_LEFT);    // Left's
  Key(SDLK_w, SDL_SCANCODE_W);
  Key(SDLK_w, SDL_SCANCODE_W);  // the same key again: W alone
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);  // Change Keys again
  Key(SDLK_k, SDL_SCANCODE_K);
  Key(SDLK_w, SDL_SCANCODE_W);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
  Pad(SDL_CONTROLLER_BUTTON_B);  // Change ball's
  Pad(SDL_CONTROLLER_BUTTON_Y);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_TAB, SDL_SCANCODE_TAB);
  Key(SDLK_SPACE, SDL_SCANCODE_SPACE);  // OK
  Show(frm);
  EXPECT_TRUE(frm.bOK);
  const ActionKeys& jump = frm.Settings.Controls[static_cast<int>(PlayAction::Jump)];
  EXPECT_EQ(jump.Keys, (std::array<int, 2>{0x25, 0x11})) << "K, then W";
  EXPECT_EQ(jump.PadButton, SDL_CONTROLLER_BUTTON_Y);
  EXPECT_EQ(frm.Settings.Controls[static_cast<int>(PlayAction::Left)], DefaultControls()[0]);
  EXPECT_EQ(frm.Settings.Controls[static_cast<int>(PlayAction::ChangeBall)],
            DefaultControls()[static_cast<int>(PlayAction::ChangeBall)]);
}

// The window saying why a key was refused.
TEST_F(DrawnWindows, TheSettingsWindowSaysWhyAKeyIsRefused) {
  frmSettings frm;
  frm.Load();
  frm.lstKeys.ListIndex = static_cast<int>(PlayAction::Jump);
  frm.ClickControl(frm.cmdChangeKeys);
  frm.TakeAnyKey(0xCB);  // Left
  EXPECT_EQ(frm.lblKeysNote.Caption,
            "Left is already in use for Left. Press another key for Jump.");
  Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);  // stops waiting
  Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);  // Cancel
  Show(frm, "window_settings_refused");
  EXPECT_FALSE(frm.bOK);
  EXPECT_EQ(frm.Settings.Controls, DefaultControls());
}

TEST_F(DrawnWindows, ThePasswordWindowStartsWithTheCaretInItsTextBox) {
  frmPassword frm;
  frm.Load();
  Type("gunpav ");
  Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
  Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER);
  Show(frm, "window_password", 4);
  EXPECT_EQ(frm.sPassword, "gunpav");
}

// The text box starts empty at every opening, even when the window before was closed with Enter
// while its box was being edited (the toolkit keeps the text of the box it edits). And Esc in the
// password window is Cancel, not the close box that would hand back the password confirmed last.
TEST_F(DrawnWindows, TextBoxesStartEmptyAtEveryOpeningAndEscCancelsThePassword) {
  frmPassword password;
  password.Load();
  Type("xyz");
  Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
  Show(password);
  ASSERT_EQ(password.sPassword, "xyz");
  password.Load();
  Type("gunpav");
  Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
  Show(password);
  EXPECT_EQ(password.sPassword, "gunpav");
  password.Load();
  Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
  Show(password);
  EXPECT_EQ(password.sPassword, "") << "Esc hands back nothing";

  frmHighScore name;
  for (const char* typed : {"Ann", ""}) {
    name.Load();
    Type(typed);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    Show(name);
    EXPECT_EQ(name.sName, typed) << "the second name entry starts with an empty box";
  }
}

TEST_F(DrawnWindows, ThePaletteChoosesByKeyboardOrMouseAndItsCloseBoxKeepsTheCode) {
  frmEditOptions frm;
  frm.Load();
  frm.nEditByte = 255;
  Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
  Show(frm, "window_palette");
  EXPECT_EQ(frm.nEditByte, PLATFORM_SAND);

  frm.Load();
  Click(360, 143);  // the third entry
  Show(frm);
  EXPECT_EQ(frm.nEditByte, PLATFORM_ROCK);

  frm.Load();
  Click(500, 86);  // the caption's close box
  Show(frm);
  EXPECT_EQ(frm.nEditByte, PLATFORM_ROCK);
  EXPECT_FALSE(frm.IsLoaded());
}
