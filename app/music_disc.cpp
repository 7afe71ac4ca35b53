#include "app/music_disc.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <system_error>

#include "base/paths.h"
#include "engines/vbse.h"

namespace {
// How long a track being changed takes to fade out.
constexpr int kFadeMilliseconds = 500;
}  // namespace

MusicDisc::~MusicDisc() {
  Stop();
}

void MusicDisc::Command(const std::string& sCommand) {
  if (sCommand == "Open")
    Open();
  else if (sCommand == "Play")
    Play();
  else if (sCommand == "Next")
    Next();
  else if (sCommand == "Stop")
    Stop();
  else if (sCommand == "Close") {
    Stop();
    open_ = false;
  }
}

// Like a drive that is already open, an open disc stays where it is, so the music carries on.
void MusicDisc::Open() {
  if (open_) return;
  tracks_.clear();
  current_ = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
    const std::string name = PathText(entry.path().filename());
    if (entry.is_regular_file() && name.rfind("Track", 0) == 0 &&
        entry.path().extension() == ".ogg")
      tracks_.push_back(entry.path());
  }
  std::sort(tracks_.begin(), tracks_.end());
  open_ = true;
}

void MusicDisc::SetVolume(int nPercent) {
  volume_ = std::clamp(nPercent, 0, 100);
  if (VBSE::MixerOpen()) Mix_VolumeMusic((volume_ * MIX_MAX_VOLUME + 50) / 100);
}

void MusicDisc::Play() {
  if (!open_ || tracks_.empty() || current_ >= tracks_.size() || playing_) return;
  playing_ = true;
  Poll();
}

void MusicDisc::Next() {
  if (!open_ || current_ + 1 >= tracks_.size()) return;
  ++current_;
  if (playing_) Poll();
}

void MusicDisc::Stop() {
  playing_ = false;
  FreeTrack();
}

void MusicDisc::Poll() {
  if (!playing_) return;
  if (music_ != nullptr) {
    const bool sounding = Mix_PlayingMusic() != 0;
    if (loaded_ == current_ && sounding) return;
    if (loaded_ != current_ && sounding) {
      // Another track is sounding: it fades out first, and the new one starts once it is quiet.
      if (Mix_FadingMusic() != MIX_FADING_OUT) Mix_FadeOutMusic(kFadeMilliseconds);
      return;
    }
  }
  StartTrack();
}

// Plays the current track over and over; a track that cannot be read is passed over like a
// scratched one. When none of the rest can be played the disc is over.
void MusicDisc::StartTrack() {
  FreeTrack();
  if (!VBSE::MixerOpen()) return;
  for (; current_ < tracks_.size(); ++current_) {
    music_.reset(Mix_LoadMUS(PathText(tracks_[current_]).c_str()));
    Mix_VolumeMusic((volume_ * MIX_MAX_VOLUME + 50) / 100);
    if (music_ != nullptr && Mix_PlayMusic(music_.get(), -1) == 0) {
      loaded_ = current_;
      return;
    }
    FreeTrack();
  }
  current_ = tracks_.empty() ? 0 : tracks_.size() - 1;
  playing_ = false;
}

void MusicDisc::FreeTrack() {
  loaded_ = kNoTrack;
  if (music_ == nullptr) return;
  Mix_HaltMusic();
  music_.reset();
}
