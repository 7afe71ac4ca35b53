#pragma once
// What the game sees of the main window: the screen the graphics engine takes over, the
// background music it plays (the music "disc") and the modal windows it owns.
class Display;
class Form;

class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual Display& Screen() = 0;
  // Starts the disc from its first track and plays on to its end.
  virtual void StartMusic() = 0;
  // Stops and closes the disc.
  virtual void StopMusic() = 0;
  // Moves on to the next track.
  virtual void NextSong() = 0;
  // Shows a loaded form above the game, owned by the main window, and returns when the form has
  // been unloaded. The game does not go on meanwhile; the keys and clicks go to the form.
  virtual void ShowModal(Form& frm) = 0;
};
