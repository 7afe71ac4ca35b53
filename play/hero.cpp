// The hero: running with the ground's own grip and speed, jumping, dropping through platforms,
// falling and landing, and the animation frame that shows it.
#include "base/key_codes.h"
#include "base/numbers.h"
#include "data/cell_codes.h"
#include "play/play_state.h"

namespace {

constexpr float kTopSpeed = 7.5f;
constexpr float kSlowTopSpeed = 2.0f;  // swamp and goo
constexpr float kExtraSpeedFactor = 1.5f;

}  // namespace

// Acceleration and friction into CharVX; runs every frame, also while the level is ending.
void PlayState::SteerChar(int nGround) {
  const bool left = KeyDown(dik::LEFT);
  const bool right = KeyDown(dik::RIGHT);
  float topSpeed = kTopSpeed;
  float grip = 0.04f;  // share of the top speed gained per frame
  if (CharInAir == 0) {
    if (!left && !right) {
      const float keep = IsSlipperyGround(nGround) ? 96.0f : 50.0f;
      CharVX = CharVX * keep / 100.0f;
    }
    if (IsSlowGround(nGround)) topSpeed = kSlowTopSpeed;
    if (!IsSlipperyGround(nGround)) grip = 0.5f;
  } else if (!left && !right) {
    CharVX = CharVX * 96.0f / 100.0f;
  }
  if (ExtraSpeedTime > 0) topSpeed *= kExtraSpeedFactor;
  const float acceleration = topSpeed * grip;
  if (left) {
    CharVX -= acceleration;
    if (CharVX < -topSpeed) CharVX = -topSpeed;
  }
  if (right) {
    CharVX += acceleration;
    if (CharVX > topSpeed) CharVX = topSpeed;
  }
}

void PlayState::KeepCharInLevel() {
  const Rect hero = GetCharRect();
  if (hero.Left < 0) {
    CharVX = -CharVX;
    CharX = 0;
  }
  if (hero.Right > 1600) {
    CharVX = -CharVX;
    CharX = 1560;
  }
}

// Movement, jump, drop, gravity and landing. False when a sound failed (the frame ends).
bool PlayState::MoveChar(int nGround) {
  CharX += CharVX;
  if (CharInAir == 0) {
    if (const int i = FindCharPlatformHit(); i != NO_PLATFORM) {
      if (IsSlowGround(nGround)) {
        CharY = static_cast<float>(Platforms[i].Top - 36);  // steps up onto the obstacle
      } else {
        CharVX = -CharVX;  // bounces back from it
        CharX += CharVX;
      }
    }
  }
  KeepCharInLevel();

  int below = NO_PLATFORM;
  if (CharInAir == 0) {
    below = PlatformTypeBelowChar();
    if (below == NO_PLATFORM) {
      CharInAir = 1;
      CharVY = 0.1f;
    }
  }

  if ((KeyDown(dik::UP) || KeyDown(dik::SPACE)) && CharInAir != 1 && below != PLATFORM_SWAMP) {
    CharVY = below == PLATFORM_GOO ? -6.0f : -16.0f;
    if (HighJumps > 0) {
      CharVY = CharVY * 140.0f / 100.0f;
      --HighJumps;
    }
    CharInAir = 1;
    if (!PlaySound(SoundId::Jump)) return false;
  }

  if (KeyDown(dik::DOWN) && CharInAir != 1 && CharY + 36.0f < 575.0f) {
    CharInAir = 1;
    CharVY = 0.1f;
    CharY += 2.0f;
    if (!PlaySound(SoundId::Jump)) return false;
  }

  if (CharInAir == 1) {
    CharY += CharVY;
    if (const int i = FindCharPlatformHit(); i != NO_PLATFORM) {
      // Only a platform the hero was not already inside can catch it.
      CharY -= CharVY;
      const int before = FindCharPlatformHit();
      CharY += CharVY;
      const PlatformRec& p = Platforms[i];
      if (CharVY > 0 && before != i && static_cast<float>(p.Top) > CharY) {
        CharY = static_cast<float>(p.Top - 36);
        if (p.PlatformType == PLATFORM_BOUNCY) {
          CharVY = -20.0f;
          if (!PlaySound(SoundId::Boing)) return false;
        } else {
          CharInAir = 0;
          CharVY = 0;
        }
      }
    }
    CharVY += (Stage == 4 && Level != 31) ? 0.7f : 1.5f;
    if (CharY > 564.0f) {
      CharY = 544.0f;
      CharInAir = 0;
    }
  }
  return true;
}

void PlayState::AnimateChar() {
  if (CharInAir != 0) {
    CharFrame = 8;
    return;
  }
  if (KeyDown(dik::LEFT) || KeyDown(dik::RIGHT)) {
    if (CharFrame < 0 || CharFrame > 7) CharFrame = 0;
    CharFrame = static_cast<int16_t>((CharFrame + 1) % 8);
    return;
  }
  if (BlinkTime == 0 && IdleFrame == 0) {
    if (100.0f * Rnd() < 2.0f) BlinkTime = 5;
    if (100.0f * Rnd() < 1.0f) IdleFrame = 11;
  }
  CharFrame = 2;
  if (BlinkTime > 0) {
    --BlinkTime;
    CharFrame = 10;
  }
  if (IdleFrame > 0) {
    CharFrame = static_cast<int16_t>(IntPart(IdleFrame));
    IdleFrame += 0.5f;
    if (IdleFrame == 17.0f) IdleFrame = 0;
  }
}
