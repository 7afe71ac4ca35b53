#pragma once
// What the rules send out while they play: sounds, by their number in the catalogue. The game
// plays them through its sound engine; the simulator, the level checker and the tests listen or
// stay silent.
#include "data/catalogue.h"

class PlayEvents {
 public:
  virtual ~PlayEvents() = default;
  // False when the sound could not be played; the rules then end the frame as the game always
  // has.
  virtual bool PlaySound(SoundId nSound) = 0;
};
