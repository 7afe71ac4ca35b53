#include "data/options.h"

std::array<uint8_t, OPTIONS_FILE_SIZE> OptionsBytes(const GameOptions& options) {
  const auto sound = static_cast<uint16_t>(options.bSoundEffects);
  const auto music = static_cast<uint16_t>(options.bMusic);
  return {options.nEasyGame,
          static_cast<uint8_t>(sound & 255),
          static_cast<uint8_t>(sound >> 8),
          static_cast<uint8_t>(music & 255),
          static_cast<uint8_t>(music >> 8),
          options.nHighDetailGraphics};
}

GameOptions ParseOptions(std::span<const uint8_t> bytes) {
  GameOptions options;
  auto word = [&](size_t at, int16_t fallback) {
    return bytes.size() >= at + 2 ? static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8))
                                  : fallback;
  };
  if (bytes.size() >= 1) options.nEasyGame = bytes[0];
  options.bSoundEffects = word(1, options.bSoundEffects);
  options.bMusic = word(3, options.bMusic);
  if (bytes.size() >= 6) options.nHighDetailGraphics = bytes[5];
  return options;
}

const char* OptionsFileName(bool bExtra) {
  return bExtra ? "Options_zt_e.dat" : "Options_zt.dat";
}
