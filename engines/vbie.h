#pragma once
// VBIE, the keyboard engine: one snapshot of the whole keyboard per call, 256 bytes indexed by the
// DirectInput key numbers the game uses (bit 7 set while the key is down).
#include <array>
#include <cstdint>
#include <memory>

using KeyboardSnapshot = std::array<uint8_t, 256>;

// DirectInput key numbers of the keys the game reads.
namespace dik {
constexpr int ESCAPE = 0x01;
constexpr int RETURN = 0x1C;
constexpr int LCONTROL = 0x1D;
constexpr int LSHIFT = 0x2A;
constexpr int RSHIFT = 0x36;
constexpr int SPACE = 0x39;
constexpr int P = 0x19;
constexpr int MULTIPLY = 0x37;
constexpr int NUMPAD4 = 0x4B;
constexpr int NUMPAD0 = 0x52;
constexpr int NUMPADENTER = 0x9C;
constexpr int RCONTROL = 0x9D;
constexpr int DIVIDE = 0xB5;
constexpr int UP = 0xC8;
constexpr int LEFT = 0xCB;
constexpr int RIGHT = 0xCD;
constexpr int DOWN = 0xD0;
}  // namespace dik

// Where snapshots come from: the real keyboard, or a test's script. Read throws when the
// keyboard cannot be read.
class KeyStateSource {
 public:
  virtual ~KeyStateSource() = default;
  virtual void Read(KeyboardSnapshot& state) = 0;
};

// The real keyboard, as SDL last saw it when window events were processed.
class SdlKeyStateSource : public KeyStateSource {
 public:
  void Read(KeyboardSnapshot& state) override;
};

class VBIE {
 public:
  VBIE();
  VBIE(const VBIE&) = delete;
  VBIE& operator=(const VBIE&) = delete;
  // Uses `source` instead of the real keyboard (for tests and the simulator). Not owned.
  void SetSource(KeyStateSource* source) { source_ = source ? source : &sdl_source_; }
  bool Initialize();
  bool GetKeyboardState(KeyboardSnapshot& state);
  bool IsInitialized() const { return bInitialized; }

 private:
  SdlKeyStateSource sdl_source_;
  KeyStateSource* source_;
  bool bInitialized = false;
};

// The DirectInput number of an SDL scancode (0 when the key has none).
int DirectInputKeyFromScancode(int nScancode);
