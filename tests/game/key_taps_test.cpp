// The real keyboard remembers a quick tap until the next read, so no press of the player's is
// lost between two frames; but a tap belongs only to whoever was reading the keyboard when it
// came. These tests press keys as SDL events, as the player's keyboard does.
#include <SDL.h>

#include "dialogs/options_window.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

// The real keyboard, giving up the wait it is read in after a few reads (a stage preview that is
// never answered would wait for ever), and telling whether it ever showed SPACE.
class RealKeyboard : public KeyStateSource {
 public:
  explicit RealKeyboard(Game& game) : game_(game) {}
  void Read(KeyboardSnapshot& state) override {
    real_.Read(state);
    space_seen = space_seen || (state[dik::SPACE] & 0x80) != 0;
    if (++reads == 5) game_.QuitRequested = true;
  }
  void ForgetPresses() override { real_.ForgetPresses(); }
  int reads = 0;
  bool space_seen = false;

 private:
  Game& game_;
  SdlKeyStateSource real_;
};

class KeyTaps : public StartedGame {
 protected:
  ~KeyTaps() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }
  // A key pressed and let go before the game reads the keyboard again.
  static void Tap(SDL_Scancode code) {
    for (uint32_t type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event event{};
      event.type = type;
      event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.scancode = code;
      SDL_PushEvent(&event);
    }
  }
  bool Seen(int nKey) {
    KeyboardSnapshot snapshot{};
    EXPECT_TRUE(game.IE.GetKeyboardState(snapshot));
    return (snapshot[nKey] & 0x80) != 0;
  }
};

}  // namespace

TEST_F(KeyTaps, ATapDuringPlayIsSeenOnceAndKeysUsedByAWindowNotAtAll) {
  Start(false, 1);
  game.IE.SetSource(nullptr);  // the player's keyboard from here on
  Tap(SDL_SCANCODE_SPACE);
  EXPECT_TRUE(Seen(dik::SPACE)) << "a tap between two frames still counts";
  EXPECT_FALSE(Seen(dik::SPACE)) << "once";

  // P and Space typed into the options window during a game: the game is neither paused nor
  // does the hero jump when the window closes.
  host.player = [](Form& frm) {
    Tap(SDL_SCANCODE_P);
    Tap(SDL_SCANCODE_SPACE);
    frm.PressKey(FormKey::Escape);
  };
  ASSERT_TRUE(game.ShowOptions());
  KeyboardSnapshot snapshot{};
  ASSERT_TRUE(game.IE.GetKeyboardState(snapshot));
  EXPECT_FALSE(snapshot[dik::P] & 0x80) << "the window's P pauses the game";
  EXPECT_FALSE(snapshot[dik::SPACE] & 0x80) << "the window's Space makes the hero jump";
}

TEST_F(KeyTaps, ASpaceTappedOnTheTitleScreenDoesNotSkipTheStagePreview) {
  folder.LinkGameFiles();
  RealKeyboard keyboard(game);
  game.IE.SetSource(&keyboard);
  ASSERT_TRUE(game.Initialize(host, false)) << folder.ErrorLog();
  game.Options.bSoundEffects = 0;
  // Space on the title screen, a pass of the frame loop, then F1.
  Tap(SDL_SCANCODE_SPACE);
  ASSERT_TRUE(game.DrawFrame());
  ASSERT_TRUE(game.DoFrame());
  ASSERT_TRUE(game.StartGame(1));
  Settle();
  EXPECT_GE(keyboard.reads, 5) << "the preview waited for SPACE";
  EXPECT_FALSE(keyboard.space_seen) << "the title's Space ended the stage preview";
}
