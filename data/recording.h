#pragma once
// Recordings of played games: what a game needs to be played again exactly as it was, frame by
// frame, in the window (pibo2 --replay) or headless (pibo-sim --replay). A recording is a small
// text file:
//
//   pibo2 recording 1             the format and its version
//   game 1.0.0                    the version of the game that played it
//   set normal                    or extra, or "pack NAME" for a level pack (pibo2 --levels),
//                                 NAME its folder's name
//   levels 0123456789abcdef       a check of the level set played (FNV-1a, 64 bits)
//   random 5000a3                 the random generator's state as the game began (hex)
//   easy 0                        the options the rules use: an easy game,
//   detail 1                      and high-detail graphics (effects' pieces)
//   start 0 0                     the level and stage before the first, as for a new game
//   assists safe-time speed 80    the assists that change play, when any was on (else no line)
//   0                             then "FRAME KEY ..." lines: from that frame on exactly those
//   12 right up                     keys are held (left right up down space ctrl shift), and
//   40 detail 0                     "FRAME detail V" when the option changed
//   end 1234 score 560 level 2    frames played, and the score and level the game ended with
//   check 89abcdef01234567        FNV-1a (64 bits) of every byte before this line
//
// Only the frames of play count: the pauses, the screens between levels and the windows are
// not recorded, as nothing in them changes the play.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/key_codes.h"
#include "data/level_set.h"

constexpr int RECORDING_FORMAT = 1;
// A recording of the longest game it may hold, with room to spare.
constexpr uintmax_t RECORDING_FILE_LIMIT = 1 << 26;

struct Recording {
  std::string GameVersion;
  bool bExtra = false;
  // The folder name of the level pack played (empty: one of the game's own sets).
  std::string sPack;
  uint64_t LevelsCheck = 0;
  uint32_t RandomState = 0;
  int16_t nEasyGame = 0;
  int16_t nHighDetailGraphics = 1;
  int16_t LevelBefore = 0, StageBefore = 0;
  // The assists that change play: the safe time after a hit, and the game's speed in per cent.
  bool bSafeTimeAfterHit = false;
  int16_t nGameSpeed = 100;
  bool WithAssists() const { return bSafeTimeAfterHit || nGameSpeed != 100; }
  // Per frame: the keys held, as bits (see RecordedKeys), and the high-detail option.
  std::vector<uint8_t> Keys;
  std::vector<uint8_t> Detail;
  // What the game had when it ended.
  int32_t EndScore = 0;
  int16_t EndLevel = 0;

  void AddFrame(const KeyboardSnapshot& keys, int16_t nHighDetailGraphics);
  long Frames() const { return static_cast<long>(Keys.size()); }
  // The snapshot frame nFrame is played with.
  KeyboardSnapshot SnapshotAt(long nFrame) const;
};

// A check of a level set, to tell a recording which set it needs.
uint64_t LevelSetCheck(const LevelSet& levels);

// Why a recording cannot be played on the game's level set (the extra set when bExtra, a level
// pack when bPack, else the normal set): a message for the player, or "" when it was played on
// that set. Whether the levels are still the same is a check of its own (LevelsCheck).
std::string RecordingSetMismatch(const Recording& recording, bool bExtra, bool bPack);

// The recording as its file holds it.
std::string RecordingText(const Recording& recording);

// The check line that ends a recording whose other lines are `sBody`: "check " and FNV-1a (64
// bits) of the body in 16 hex digits, and a line end. (For tools and tests that edit a file.)
std::string RecordingCheckLine(std::string_view sBody);

// Reads a recording. Throws GameError (bad file format) with a message a player understands when
// the file is not a recording, was made by another version of the game (sGameVersion is this
// one's), is damaged (its check does not match) or holds a line it cannot read.
Recording ParseRecording(std::string_view text, const std::string& sGameVersion);
