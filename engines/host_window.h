#pragma once
// What the game sees of the main window: the screen the graphics engine takes over, the
// background music it plays (the music "disc") and the modal windows it owns.
class Display;
class Form;

class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual Display& Screen() = 0;
  // Starts the disc at the stage's own track (its tracks follow the stages in order) and plays it
  // over and over; a disc that is already playing plays on.
  virtual void StartMusic(int nStage) = 0;
  // Stops and closes the disc.
  virtual void StopMusic() = 0;
  // Moves on to the next track, fading the one playing out.
  virtual void NextSong() = 0;
  // The music's volume, 0 to 100 % (the player's setting), heard at once.
  virtual void SetMusicVolume(int nPercent) = 0;
  // Shows a loaded form above the game, owned by the main window, and returns at once. Until the
  // form is unloaded the player's keys and clicks go to it, not to the game.
  virtual void OpenWindow(Form& frm) = 0;
  // One pass of the loop with the form open: it takes what the player did and is drawn when it
  // changed. Once the form has been unloaded the window goes, and the events that came after it
  // go back to the main window.
  virtual void WindowPass(Form& frm) = 0;
};
