#pragma once
// VBIE, the keyboard engine: one snapshot of the whole keyboard per call, 256 bytes indexed by the
// DirectInput key numbers the game uses (bit 7 set while the key is down).
#include <array>
#include <cstdint>
#include <memory>

#include "base/key_codes.h"
#include "base/play_keys.h"

// Where snapshots come from: the real keyboard, or a test's script. Read throws when the
// keyboard cannot be read.
class KeyStateSource {
 public:
  virtual ~KeyStateSource() = default;
  virtual void Read(KeyboardSnapshot& state) = 0;
  // Forgets the presses kept for the next read: they were used by someone else.
  virtual void ForgetPresses() {}
};

// The real keyboard, as SDL last saw it when window events were processed. A key tapped (pressed
// and released) since the last read shows as down in the next one, so no quick press is lost.
class SdlKeyStateSource : public KeyStateSource {
 public:
  void Read(KeyboardSnapshot& state) override;
  void ForgetPresses() override;
};

class VBIE {
 public:
  VBIE();
  VBIE(const VBIE&) = delete;
  VBIE& operator=(const VBIE&) = delete;
  // Uses `source` instead of the real keyboard (for tests and the simulator). Not owned.
  void SetSource(KeyStateSource* source) { source_ = source ? source : &sdl_source_; }
  KeyStateSource* Source() const { return source_; }
  bool Initialize();
  bool GetKeyboardState(KeyboardSnapshot& state);
  // The snapshot as play reads it: the player's keys counted as the original game's (see
  // SetPlayKeyMap); the screens between levels and the editor read the keys as they are.
  bool GetPlayKeys(KeyboardSnapshot& state);
  void SetPlayKeyMap(const PlayKeyMap& map) { play_keys_ = map; }
  // A tap counts only for the loop that was reading the keyboard when it came: whenever a window
  // closes, a game starts, a waiting screen begins or ends, or nothing reads the keyboard, the
  // presses kept so far are forgotten (keys still held stay down).
  void ForgetKeyPresses();
  bool IsInitialized() const { return bInitialized; }

 private:
  SdlKeyStateSource sdl_source_;
  KeyStateSource* source_;
  bool bInitialized = false;
  PlayKeyMap play_keys_;
};

// The DirectInput number of an SDL scancode (0 when the key has none).
int DirectInputKeyFromScancode(int nScancode);
