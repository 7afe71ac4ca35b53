#pragma once
// A window over the game picture: a form drawn in the colours of the title screen's panels and a
// desktop font, scaled with the picture (full screen or in a window), that takes the player's
// keys, clicks and gamepad buttons while it is open. It is run by the frame loop: the event pump
// hands it every event of the program's window while it is open (all but the program's close),
// and it takes them and is drawn once a pass.
#include <memory>

#include "engines/raw_events.h"

class Display;
class Form;

class FormScreen : public platform::RawEventSink {
 public:
  // The screen must be set up (Display::SetMode). Throws GameError when it is not.
  explicit FormScreen(Display& display);
  ~FormScreen() override;
  FormScreen(const FormScreen&) = delete;
  FormScreen& operator=(const FormScreen&) = delete;

  // Opens the loaded form over the picture; from now on it takes the window's events.
  void Open(Form& frm);
  bool IsOpen() const;

  // An event of the program's window (from the pump, or a test).
  void TakeEvent(const SDL_Event& event) override;

  // One pass: one frame's worth of the events that came (a key the window answers itself gets a
  // frame of its own), and the window drawn when something changed, for a text box's caret now
  // and then. Once the form has been unloaded the window goes: the events that came after that go
  // back to the main window, and the picture shows without it.
  void Pass();

  // How many frames of the window have been drawn (for tests).
  long FramesDrawn() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
