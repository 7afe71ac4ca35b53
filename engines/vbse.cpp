#include "engines/vbse.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/failure.h"
#include "base/files.h"
#include "engines/media_checks.h"

namespace {
// Enough channels for every buffer of the game with room to spare.
constexpr int kChannels = 64;
// A wave file longer than this is a long wave (the stage tunes are 210 to 260 KB, the longest
// effect 120 KB).
constexpr size_t kLongWaveBytes = 160 * 1024;
// The device's buffer, in sample frames: 23 ms at 44.1 kHz.
constexpr int kDeviceFrames = 1024;
#ifdef __EMSCRIPTEN__
// In a page the browser mixes on a thread of its own, and a sound context opened again outside a
// key press or a click may stay mute: there the device never rests.
constexpr bool kDeviceRests = false;
#else
constexpr bool kDeviceRests = true;
#endif
}  // namespace

SoundBuffer::~SoundBuffer() {
  // The channel stops before its chunk is freed.
  if (chunk_ != nullptr && VBSE::MixerOpen()) Mix_HaltChannel(channel_);
}

void SoundBuffer::SetVolume(int32_t nVolume) {
  volume_ = std::clamp<int32_t>(nVolume, -10000, 0);
  if (chunk_ != nullptr) Mix_VolumeChunk(chunk_.get(), VBSE::MixerVolume(volume_));
}

std::span<const uint8_t> SoundBuffer::Samples() const {
  if (chunk_ == nullptr) return {};
  return {chunk_->abuf, chunk_->alen};
}

void SoundBuffer::Decode() {
  if (wave_.empty() || chunk_ != nullptr) return;
  if (long_) {
    chunk_ = VBSE::DecodeWave(wave_, true);
  } else {
    std::vector<uint8_t> wave = std::move(wave_);
    wave_.clear();
    chunk_ = VBSE::DecodeWave(wave, true);
  }
  if (chunk_ != nullptr) Mix_VolumeChunk(chunk_.get(), VBSE::MixerVolume(volume_));
}

// The channels exist only while the mixer is open: a resting device has none, and plays nothing.
void SoundBuffer::Stop() {
  if (chunk_ != nullptr && VBSE::MixerOpen()) Mix_HaltChannel(channel_);
}

bool SoundBuffer::IsPlaying() const {
  return chunk_ != nullptr && VBSE::MixerOpen() && Mix_Playing(channel_) != 0;
}

VBSE::~VBSE() {
  // A device opened in the background for a game that never started is closed as well.
  if (opening_ != nullptr && AwaitOpening().empty()) audio_open_ = true;
  if (audio_open_) {
    if (!resting_) {
      Mix_HaltChannel(-1);
      Mix_CloseAudio();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

BufferDesc VBSE::DescribeBuffer(bool bHighQuality) {
  BufferDesc desc;
  desc.lSamplesPerSec = bHighQuality ? 22050 : 8000;
  desc.nBitsPerSample = bHighQuality ? 16 : 8;
  desc.nBlockAlign = static_cast<int16_t>(desc.nBitsPerSample / 8);
  desc.lAvgBytesPerSec = desc.nBlockAlign * desc.lSamplesPerSec;
  return desc;
}

int VBSE::MixerVolume(int32_t nVolume) {
  if (nVolume <= -10000) return 0;
  const double gain = std::pow(10.0, nVolume / 2000.0);
  return static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
}

// Opens the sound device: "" when it is open, else why not.
std::string VBSE::OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
      Mix_OpenAudio(44100, AUDIO_S16SYS, 2, kDeviceFrames) != 0) {
    std::string why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return why.empty() ? "unknown error" : why;
  }
  return {};
}

void VBSE::OpenDeviceInBackground() {
  if (bInitialized || opening_ != nullptr) return;
  // SDL's own start-up runs here, on the main thread, before the sound device is looked for on
  // another. That includes the event queue, which the sound system starts too: started from both
  // threads at once (the window opens meanwhile), SDL would make its locks twice.
  SDL_InitSubSystem(SDL_INIT_EVENTS);
  opening_ = SDL_CreateThread(
      [](void* engine) {
        static_cast<VBSE*>(engine)->opening_result_ = OpenDevice();
        return 0;
      },
      "sound device", this);
  // No thread: Initialize looks for the device itself.
}

std::string VBSE::AwaitOpening() {
  SDL_WaitThread(opening_, nullptr);
  opening_ = nullptr;
  return opening_result_;
}

bool VBSE::Initialize() {
  return Trapped("VBSE - Initialize - ", [&] {
    bInitialized = true;
    const std::string why = opening_ != nullptr ? AwaitOpening() : OpenDevice();
    // No sound device is no reason to refuse to play: say so once and carry on silent.
    if (!why.empty()) {
      LogError("VBSE - Initialize - No sound device, playing silent: " + why);
      return true;
    }
    audio_open_ = true;
    Mix_QuerySpec(&frequency_, &format_, &channels_);
    Mix_AllocateChannels(kChannels);
    SetEffectsVolume(effects_volume_);
    return true;
  });
}

bool VBSE::MixerOpen() {
  return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

bool VBSE::Sounding() {
  return Mix_Playing(-1) != 0 || Mix_PlayingMusic() != 0;
}

void VBSE::Rest(bool bStill, uint32_t nTicks) {
  if (!kDeviceRests || !audio_open_) return;
  if (!bStill) {
    quiet_since_.reset();
    Wake();
    return;
  }
  if (resting_) return;
  if (Sounding() || HasWork()) {
    quiet_since_.reset();
    return;
  }
  if (!quiet_since_) quiet_since_ = nTicks;
  if (nTicks - *quiet_since_ < kRestMilliseconds) return;
  // Closing keeps the decoded waves (they are the mixer's, not the device's) and the music's
  // volume; the channels and their volume are made again on waking.
  Mix_CloseAudio();
  resting_ = true;
}

bool VBSE::Wake() {
  if (!resting_) return true;
  return Trapped("VBSE - Wake - ", [&] {
    resting_ = false;
    quiet_since_.reset();
    // Exactly the format it had, converted by SDL if the device now differs, so the decoded
    // waves play as before.
    if (Mix_OpenAudioDevice(frequency_, format_, channels_, kDeviceFrames, nullptr, 0) != 0) {
      const std::string why = Mix_GetError();
      audio_open_ = false;
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      throw GameError(ERR_ILLEGAL_CALL, "No sound device, playing silent: " + why);
    }
    Mix_AllocateChannels(kChannels);
    SetEffectsVolume(effects_volume_);
    return true;
  });
}

ChunkPtr VBSE::DecodeWave(std::span<const uint8_t> file, bool bDeviceOpen) {
  if (std::string fault = WaveFault(file); !fault.empty())
    throw GameError(ERR_BAD_FILE_FORMAT, fault);
  SDL_RWops* bytes = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (bDeviceOpen) {
    ChunkPtr chunk(Mix_LoadWAV_RW(bytes, 1));
    if (chunk == nullptr) throw GameError(ERR_BAD_FILE_FORMAT, Mix_GetError());
    // The mixer converts into room for the largest the conversion could need (several times
    // the samples it makes, for our waves) and keeps it all; only the samples are kept here.
    if (chunk->allocated != 0 && chunk->alen > 0)
      if (void* exact = SDL_realloc(chunk->abuf, chunk->alen))
        chunk->abuf = static_cast<Uint8*>(exact);
    return chunk;
  }
  // Silent: still make sure the wave is one SDL can read.
  SDL_AudioSpec format;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(bytes, 1, &format, &data, &length) == nullptr)
    throw GameError(ERR_BAD_FILE_FORMAT, SDL_GetError());
  SDL_FreeWAV(data);
  return nullptr;
}

bool VBSE::LoadSound(const std::string& sSoundFile, SoundBufferPtr& dsb, bool bHighQuality) {
  return Trapped(
      "VBSE - LoadSound - ",
      [&] {
        if (!bInitialized) RaiseNotInitialized();
        if (next_channel_ >= kChannels) throw GameError(ERR_OUT_OF_MEMORY, "Out of memory");
        const BufferDesc desc = DescribeBuffer(bHighQuality);
        // Read once and checked before SDL sees a byte, so what SDL reads is what was checked;
        // parsed now, so a broken wave stops the start as before, and decoded later.
        std::vector<uint8_t> wave = ReadFileBytes(sSoundFile, WaveFileLimit());
        DecodeWave(wave, false);
        dsb.reset(new SoundBuffer(nullptr, next_channel_++, desc));
        if (audio_open_) {
          dsb->long_ = wave.size() > kLongWaveBytes;
          dsb->wave_ = std::move(wave);
          if (dsb->long_)
            long_waves_.push_back(dsb);
          else
            undecoded_.push_back(dsb);
        }
        return true;
      },
      " - " + sSoundFile);
}

bool VBSE::Tend() {
  return Trapped("VBSE - Tend - ", [&] {
    for (const std::weak_ptr<SoundBuffer>& kept : long_waves_)
      if (const std::shared_ptr<SoundBuffer> buffer = kept.lock();
          buffer != nullptr && buffer->chunk_ != nullptr && !buffer->IsPlaying())
        buffer->chunk_.reset();
    while (!undecoded_.empty()) {
      const std::shared_ptr<SoundBuffer> buffer = undecoded_.front().lock();
      undecoded_.pop_front();
      if (buffer != nullptr && !buffer->wave_.empty()) {
        buffer->Decode();
        break;
      }
    }
    return true;
  });
}

bool VBSE::PlaySound(SoundBuffer* dsb) {
  return Trapped("VBSE - PlaySound - ", [&] {
    if (!bInitialized) RaiseNotInitialized();
    if (dsb == nullptr) throw GameError(ERR_OBJECT_NOT_SET, "Object variable not set");
    Wake();  // a device that cannot be opened again leaves the engine silent
    if (!audio_open_) return true;
    dsb->Decode();
    if (dsb->chunk_ == nullptr) return true;
    Mix_HaltChannel(dsb->channel_);
    if (Mix_PlayChannel(dsb->channel_, dsb->chunk_.get(), 0) < 0)
      throw GameError(ERR_ILLEGAL_CALL, Mix_GetError());
    return true;
  });
}

void VBSE::SetEffectsVolume(int nPercent) {
  effects_volume_ = std::clamp(nPercent, 0, 100);
  // Every channel's volume scales the volume of the sound it plays.
  if (audio_open_ && !resting_) Mix_Volume(-1, (effects_volume_ * MIX_MAX_VOLUME + 50) / 100);
}
