#pragma once
// The four player options and their six-byte file: easy game (byte), sound effects and music
// (16-bit booleans, -1 True), high-detail graphics (byte).
#include <array>
#include <cstdint>
#include <span>

struct GameOptions {
  uint8_t nEasyGame = 0;
  int16_t bSoundEffects = -1;
  int16_t bMusic = 0;
  uint8_t nHighDetailGraphics = 1;
};

constexpr size_t OPTIONS_FILE_SIZE = 6;

// What the rules play with: an easy game or not, high detail or not. The file keeps whatever byte
// it holds, but a byte other than 1 counts as 0, as the options window shows it (a damaged file's
// 7 must not make a level without bombs, nor pieces of no size).
inline int16_t EasyGameRule(const GameOptions& options) {
  return options.nEasyGame == 1 ? 1 : 0;
}
inline int16_t HighDetailRule(const GameOptions& options) {
  return options.nHighDetailGraphics == 1 ? 1 : 0;
}

std::array<uint8_t, OPTIONS_FILE_SIZE> OptionsBytes(const GameOptions& options);
// Reads the fields from the start of `bytes`; fields the data does not reach keep their defaults.
GameOptions ParseOptions(std::span<const uint8_t> bytes);

const char* OptionsFileName(bool bExtra);
