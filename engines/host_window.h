#pragma once
// What the game sees of the main window: the screen the graphics engine takes over, and the
// background music it plays (the music "disc").
class Display;

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
};
