#pragma once
// The catalogue of the game's pictures and sounds: one number for each file, so the rules can name
// a picture or a sound without holding it. The game loads the files in this order at start-up;
// drawing and playing look them up by their number.
#include <cstdint>
#include <span>

enum class PictureId : uint8_t {
  Loading,
  Background,
  StagePreviews,
  GetReady,
  GameOver,
  Title,
  Platform,
  Character,
  Invulnerable,
  GemNormal,
  HighJump,
  ExtraSpeed,
  ExtraHealth,
  Shoot,
  ShootSpread,
  ShootBounce,
  ShootBidi,
  ShootExplode,
  MysteryBox,
  FreezeBombs,
  Magnet,
  Skull,
  NormalBomb,
  HotBomb,
  HitBomb,
  AmmoBall,
  BombExit,
  Machine,
  MachineHit,
  Fireworks,
  Count
};
constexpr int PICTURE_COUNT = static_cast<int>(PictureId::Count);

enum class SoundId : uint8_t {
  Shoot,
  Boing,
  GetReady,
  GameOver,
  Hit,
  Gem,
  BombHit,
  HitBomb,
  Explosion,
  Teleport,
  Jump,
  ExtraHealth,
  Speed,
  HyperJump,
  BallBlaster,
  Invulnerability,
  SwitchBB,
  Congrats,
  FreezeBalls,
  Smoking,
  StageFactory,
  StageCave,
  StageEgypt,
  StageSpace,
  StageMachine,
  Count,
  None = Count  // "no sound" in a table
};
constexpr int SOUND_COUNT = static_cast<int>(SoundId::Count);

// The file of a picture; the extra level set has its own title picture.
const char* PictureFile(PictureId nPicture, bool bExtra);

// The size of a picture in pixels. The drawing code cuts frames and pieces out of a sheet at fixed
// places, so a picture of any other size is refused when it is loaded.
struct PictureSize {
  int Width;
  int Height;
};
PictureSize PictureSizeOf(PictureId nPicture);

struct SoundFileInfo {
  SoundId Sound;
  const char* File;
  bool bHighQuality;  // 22 050 Hz 16-bit, else 8 000 Hz 8-bit
  int32_t nVolume;    // hundredths of a decibel
};

// Every sound in loading order.
std::span<const SoundFileInfo> SoundFiles();

// The jingle of a stage's preview (stages 1 to 5), or SoundId::None.
SoundId StageJingle(int nStage);
