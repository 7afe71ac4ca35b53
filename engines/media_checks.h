#pragma once
// The checks a picture or a wave passes before SDL reads it. The game's files sit in a folder a
// player can change, and SDL trusts the sizes a file declares: a few bytes of header can make it
// allocate gigabytes, loop for minutes or crash. Here every declared size is held against the
// file's real size and against what the game can use, and a file that does not add up is refused
// with a reason a player can act on.
#include <cstdint>
#include <span>
#include <string>

// No picture of the game is anywhere near this; larger means a broken or hostile file.
constexpr int PICTURE_SIDE_MAX = 4096;
// The longest sound the game plays is a few seconds; a minute is plenty of room.
constexpr int SOUND_SECONDS_MAX = 60;

// The largest file worth reading as a picture of the given size (0 x 0: of any size the game
// takes).
uintmax_t PictureFileLimit(int nWidth, int nHeight);
// The largest file worth reading as a wave.
uintmax_t WaveFileLimit();

// Why the file cannot be a picture of nWidth x nHeight pixels (0 x 0: any size up to the maximum),
// or "" when it is an uncompressed BMP whose every declared size fits inside the file.
std::string PictureFault(std::span<const uint8_t> file, int nWidth = 0, int nHeight = 0);

// Where a picture's pixels lie in its file, as its header says.
struct PictureLayout {
  int32_t Width = 0, Height = 0;
  bool TopRowFirst = false;  // a negative height in the header; else the bottom row comes first
  uint16_t Bits = 0;
  bool Uncompressed = false;
  uint32_t PixelsAt = 0;  // the offset of the first stored row
  size_t RowBytes = 0;    // each stored row, padded to four bytes
};
// The layout of a file PictureFault has passed.
PictureLayout ReadPictureLayout(std::span<const uint8_t> file);

// Why the file cannot be one of the game's waves, or "" when it is a RIFF/WAVE of PCM samples,
// 1 or 2 channels of 8 or 16 bits at 4 000 to 96 000 Hz, every chunk inside the file.
std::string WaveFault(std::span<const uint8_t> file);
