#pragma once
// The music "disc": the folder Music/ in the program's folder, its tracks Track01.ogg,
// Track02.ogg, ... in name order. It answers the old CD player's commands: "Open" reads the track
// list, "Play" plays the current track, "Next" moves on one track, "Stop" and "Close" end it. The
// player inside is the game's own: it plays the current track over and over until it is told
// otherwise, so a stage keeps its track for as long as it lasts, and a change of track fades the
// old one out for half a second instead of cutting it. "Open" and "Play" again while the disc
// plays change nothing, so the options window's OK during a game does not send the music back to
// its first track. No folder, no tracks or no sound device behave like an empty drive: nothing
// plays and nothing fails.
#include <filesystem>
#include <string>
#include <vector>

#include "engines/sdl_ptrs.h"

class MusicDisc {
 public:
  explicit MusicDisc(std::filesystem::path folder = "Music") : folder_(std::move(folder)) {}
  ~MusicDisc();
  MusicDisc(const MusicDisc&) = delete;
  MusicDisc& operator=(const MusicDisc&) = delete;

  void Command(const std::string& sCommand);
  // The music's volume, 0 to 100 % (the player's setting); heard at once.
  void SetVolume(int nPercent);
  // Brings the mixer to what the disc should play: once a track that is being changed has faded
  // out, the new one starts. Call every pass.
  void Poll();

  const std::vector<std::filesystem::path>& Tracks() const { return tracks_; }
  size_t CurrentTrack() const { return current_; }
  // The track the mixer has (the one fading out while a change waits), or kNoTrack.
  static constexpr size_t kNoTrack = static_cast<size_t>(-1);
  size_t SoundingTrack() const { return loaded_; }
  bool IsOpen() const { return open_; }
  bool IsPlaying() const { return playing_; }

 private:
  void Open();
  void Play();
  void Next();
  void Stop();
  void StartTrack();
  void FreeTrack();

  std::filesystem::path folder_;
  std::vector<std::filesystem::path> tracks_;
  size_t current_ = 0;
  size_t loaded_ = kNoTrack;  // the track in music_
  bool open_ = false;
  bool playing_ = false;
  int volume_ = 100;
  MusicPtr music_;
};
