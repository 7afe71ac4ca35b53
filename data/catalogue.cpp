#include "data/catalogue.h"

#include <array>

namespace {

constexpr std::array<const char*, PICTURE_COUNT> kPictureFiles = {
    "Loading_ZT.bmp",   "Background_ZT.bmp", "StagePreviews.bmp", "GetReady_ZT.bmp",
    "GameOver_ZT.bmp",  "Title_ZT.bmp",      "Platform_ZT.bmp",   "Character.bmp",
    "Invulnerable.bmp", "GemNormal.bmp",     "HighJump.bmp",      "ExtraSpeed.bmp",
    "ExtraHealth.bmp",  "Shoot.bmp",         "ShootSpread.bmp",   "ShootBounce.bmp",
    "ShootBidi.bmp",    "ShootExplode.bmp",  "MysteryBox.bmp",    "FreezeBombs.bmp",
    "Magnet.bmp",       "Skull.bmp",         "NormalBomb_ZT.bmp", "HotBomb_ZT.bmp",
    "HitBomb_ZT.bmp",   "AmmoBall_ZT.bmp",   "BombExit.bmp",      "Machine.bmp",
    "MachineHit.bmp",   "Fireworks.bmp",
};

constexpr std::array<PictureSize, PICTURE_COUNT> kPictureSizes = {{
    {800, 600},  {1000, 200}, {320, 1200}, {800, 600}, {800, 600}, {800, 600}, {150, 340},
    {680, 72},   {640, 35},   {640, 35},   {640, 35},  {640, 35},  {640, 35},  {640, 35},
    {640, 35},   {640, 35},   {640, 35},   {640, 35},  {640, 35},  {640, 35},  {640, 35},
    {640, 35},   {640, 40},   {640, 40},   {640, 40},  {160, 10},  {20, 100},  {360, 280},
    {8, 8},      {100, 20},
}};

// Every effect but the machine's jingle plays 5 dB below full volume.
constexpr int32_t kEffect = -500;
constexpr int32_t kFull = 0;

constexpr std::array<SoundFileInfo, SOUND_COUNT> kSoundFiles = {{
    {SoundId::Shoot, "Shoot.wav", false, kEffect},
    {SoundId::Boing, "Boing.wav", false, kEffect},
    {SoundId::GetReady, "GetReady.wav", true, kEffect},
    {SoundId::GameOver, "GameOver.wav", false, kEffect},
    {SoundId::Hit, "Hit.wav", false, kEffect},
    {SoundId::Gem, "Gem.wav", false, kEffect},
    {SoundId::BombHit, "BombHit.wav", false, kEffect},
    {SoundId::HitBomb, "HitBomb.wav", false, kEffect},
    {SoundId::Explosion, "Explosion.wav", false, kEffect},
    {SoundId::Teleport, "Teleport.wav", false, kEffect},
    {SoundId::Jump, "Jump.wav", false, kEffect},
    {SoundId::ExtraHealth, "ExtraHealth.wav", true, kEffect},
    {SoundId::Speed, "Speed.wav", true, kEffect},
    {SoundId::HyperJump, "HyperJump.wav", true, kEffect},
    {SoundId::BallBlaster, "BallBlaster.wav", true, kEffect},
    {SoundId::Invulnerability, "Invulnerability.wav", true, kEffect},
    {SoundId::SwitchBB, "SwitchBB.wav", true, kEffect},
    {SoundId::Congrats, "Congrats.wav", true, kEffect},
    {SoundId::FreezeBalls, "FreezeBalls.wav", true, kEffect},
    {SoundId::Smoking, "Smoking.wav", true, kEffect},
    {SoundId::StageFactory, "StageFactory.wav", true, kEffect},
    {SoundId::StageCave, "StageCave.wav", true, kEffect},
    {SoundId::StageEgypt, "StageEgypt.wav", true, kEffect},
    {SoundId::StageSpace, "StageSpace.wav", true, kEffect},
    {SoundId::StageMachine, "StageMachine.wav", true, kFull},
}};

}  // namespace

const char* PictureFile(PictureId nPicture, bool bExtra) {
  if (nPicture == PictureId::Title && bExtra) return "Title_ZTE.bmp";
  return kPictureFiles[static_cast<size_t>(nPicture)];
}

PictureSize PictureSizeOf(PictureId nPicture) {
  return kPictureSizes[static_cast<size_t>(nPicture)];
}

std::span<const SoundFileInfo> SoundFiles() {
  return kSoundFiles;
}

SoundId StageJingle(int nStage) {
  constexpr SoundId kJingles[] = {SoundId::StageFactory, SoundId::StageCave, SoundId::StageEgypt,
                                  SoundId::StageSpace, SoundId::StageMachine};
  return nStage >= 1 && nStage <= 5 ? kJingles[nStage - 1] : SoundId::None;
}
