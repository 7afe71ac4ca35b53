#pragma once
// VBSE, the sound engine: every effect is a whole wave file in its own buffer on its own mixer
// channel, so playing it again cuts it off and restarts it while different buffers mix freely.
// On a machine without a usable sound device the engine runs silent: buffers load and "play".
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engines/sdl_ptrs.h"

struct SDL_Thread;

struct Mix_Chunk;

// The buffer description the game asks for: mono PCM at 22 050 Hz 16-bit (high quality) or
// 8 000 Hz 8-bit. The mixer converts the wave to the device's format; the description stays.
struct BufferDesc {
  int32_t nFlags = 226;  // static + frequency, pan and volume control
  int16_t nFormatTag = 1;
  int16_t nChannels = 1;
  int32_t lSamplesPerSec = 0;
  int16_t nBitsPerSample = 0;
  int16_t nBlockAlign = 0;
  int32_t lAvgBytesPerSec = 0;
};

class SoundBuffer {
 public:
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  const BufferDesc& Desc() const { return desc_; }
  // Volume in hundredths of a decibel, 0 (full) down to -10000 (silent).
  void SetVolume(int32_t nVolume);
  int32_t GetVolume() const { return volume_; }
  void Stop();
  bool IsPlaying() const;
  int Channel() const { return channel_; }
  // The samples as the mixer plays them: empty while the wave waits to be decoded (or the engine
  // runs silent).
  std::span<const uint8_t> Samples() const;

 private:
  friend class VBSE;
  SoundBuffer(Mix_Chunk* chunk, int nChannel, const BufferDesc& desc)
      : chunk_(chunk), channel_(nChannel), desc_(desc) {}

  // Decodes the kept wave for the mixer (its first play, or a quiet pass, does this).
  void Decode();

  ChunkPtr chunk_;             // nullptr when the engine runs silent, or until the wave is decoded
  std::vector<uint8_t> wave_;  // the checked wave file, until it is decoded (a long one: always)
  bool long_ = false;          // a long wave, decoded at each play and let go once it has ended
  int channel_;
  BufferDesc desc_;
  int32_t volume_ = 0;
};

using SoundBufferPtr = std::shared_ptr<SoundBuffer>;

class VBSE {
 public:
  VBSE() = default;
  ~VBSE();
  VBSE(const VBSE&) = delete;
  VBSE& operator=(const VBSE&) = delete;

  // Starts looking for the sound device on a thread of its own (it can take a tenth of a second
  // where there is none), so the window can open meanwhile; Initialize waits for the answer.
  void OpenDeviceInBackground();
  bool Initialize();
  // A wave that is not plain PCM of a sane size and rate is refused before SDL reads it. The wave
  // is checked at once and decoded for the mixer later: at its first play, or by Tend, so
  // start-up does not convert every sound before the title. A long wave (a stage's tune, the
  // congratulations) is decoded at each play and let go once it has ended: decoded, each would
  // hold four times its file.
  bool LoadSound(const std::string& sSoundFile, SoundBufferPtr& dsb, bool bHighQuality);
  // Once a pass: decodes one loaded short wave that still waits, if any (so all are ready within
  // a second of the title), and lets go of the samples of long waves that have ended. False when
  // that wave cannot be decoded (logged).
  bool Tend();
  // Whether Tend has a wave still to decode.
  bool HasWork() const { return !undecoded_.empty(); }
  // Once a pass, with whether the game stands still (the title, the pause) and the time in
  // milliseconds. Once the game has stood still with nothing sounding for kRestMilliseconds the
  // device rests: it is closed, so the mixer's thread stops waking 43 times a second to mix
  // silence. It opens again as the game moves on, or when a sound or the music is asked for.
  void Rest(bool bStill, uint32_t nTicks);
  static constexpr uint32_t kRestMilliseconds = 2000;
  // Opens a resting device again, as it was; false (logged, and silent from then on) when it
  // cannot be opened.
  bool Wake();
  bool IsResting() const { return resting_; }
  // Whether SDL's mixer is open: not while the device rests, nor without a device.
  static bool MixerOpen();
  // The bytes of a wave file, checked, then decoded for the mixer while a device is open (only
  // parsed, and nullptr returned, while none is). Throws GameError.
  static ChunkPtr DecodeWave(std::span<const uint8_t> file, bool bDeviceOpen);
  bool PlaySound(SoundBuffer* dsb);
  // The volume of every sound effect, 0 to 100 % of its own (the player's setting); heard at once,
  // sounds already playing included. Kept for a device that opens later.
  void SetEffectsVolume(int nPercent);
  int EffectsVolume() const { return effects_volume_; }
  bool IsInitialized() const { return bInitialized; }
  bool IsSilent() const { return !audio_open_; }

  static BufferDesc DescribeBuffer(bool bHighQuality);
  // Mixer volume (0 to 128) for a volume in hundredths of a decibel.
  static int MixerVolume(int32_t nVolume);

 private:
  static std::string OpenDevice();
  // Waits for the device looked for in the background: "" when it opened, else why not.
  std::string AwaitOpening();

  // Whether anything is in the mixer: a sound on a channel, or music.
  static bool Sounding();

  bool bInitialized = false;
  bool audio_open_ = false;              // a device was found: open, or resting
  bool resting_ = false;                 // closed for now, to be opened again as it was
  std::optional<uint32_t> quiet_since_;  // when the game began to stand still in silence
  // The format the device opened with, which every decoded wave is in.
  int frequency_ = 0;
  uint16_t format_ = 0;
  int channels_ = 0;
  int effects_volume_ = 100;
  // An SDL thread, not a std::thread: SDL frees what it keeps for a thread (its error text) only
  // for threads of its own.
  SDL_Thread* opening_ = nullptr;
  std::string opening_result_;
  int next_channel_ = 0;
  // Buffers loaded and not yet decoded, in the order they were loaded; the long ones.
  std::deque<std::weak_ptr<SoundBuffer>> undecoded_;
  std::vector<std::weak_ptr<SoundBuffer>> long_waves_;
};
