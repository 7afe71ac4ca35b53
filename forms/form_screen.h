#pragma once
// Shows the game's modal windows over the last picture on the screen: each form is drawn with
// Dear ImGui in the colours of the title screen's panels and a desktop font, scaled with the
// picture (full screen or in a window), and gets the player's keys and clicks until it is
// unloaded. Meanwhile nothing else of the game runs.
#include <functional>
#include <memory>

class Display;
class Form;
namespace platform {
class EventHandler;
}

class FormScreen {
 public:
  // The screen must be set up (Display::SetMode). Throws GameError when it is not.
  explicit FormScreen(Display& display);
  ~FormScreen();
  FormScreen(const FormScreen&) = delete;
  FormScreen& operator=(const FormScreen&) = delete;

  // Shows the loaded form until it is unloaded. `owner` (the main window, may be null) hears
  // what is still its business while the form is up: the program window being closed, and the
  // passing of time once every pass (the music moves on to its next track).
  void ShowModal(Form& frm, platform::EventHandler* owner);

  // Called instead of waiting whenever no event is waiting: a test feeds the player's events one
  // at a time through it.
  void SetIdleHook(std::function<void()> hook);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
