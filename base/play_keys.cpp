#include "base/play_keys.h"

KeyboardSnapshot MapPlayKeys(const KeyboardSnapshot& device, const PlayKeyMap& map) {
  if (map.bIdentity) return device;
  KeyboardSnapshot keys{};
  for (int k = 0; k < 256; ++k) {
    if ((device[k] & 0x80) == 0) continue;
    if (map.To[k] != 0)
      keys[map.To[k]] = 0x80;
    else if (!map.Taken[k])
      keys[k] = device[k];
  }
  return keys;
}
