// Particle effects: a region of a picture cut into blocks that fly apart from its centre.
#include "play/play_state.h"

void PlayState::StartParticleEffect(float X, float Y, float DivX, float DivY, float Gravity,
                                    float Kick, float Spread, PictureId Bitmap, int16_t StepX,
                                    int16_t StepY, int16_t SrcX, int16_t SrcY, int16_t Width,
                                    int16_t Height, int16_t Lifetime) {
  EffectRec* effect = nullptr;
  for (EffectRec& slot : Effects) {
    if (slot.Active == VB_FALSE) {
      effect = &slot;
      break;
    }
  }
  if (effect == nullptr || StepX <= 0 || StepY <= 0) return;  // all 30 busy: not shown

  effect->Active = VB_TRUE;
  effect->Lifetime = Lifetime;
  effect->Age = 0;
  effect->Bitmap = Bitmap;
  effect->StepX = StepX;
  effect->StepY = StepY;
  effect->Gravity = Gravity;
  effect->SrcX = SrcX;
  effect->SrcY = SrcY;
  effect->CountX = static_cast<int16_t>(std::min<int>(Width / StepX, EFFECT_COLUMNS));
  effect->CountY = static_cast<int16_t>(std::min<int>(Height / StepY, EFFECT_ROWS));

  const float centreX = X + static_cast<float>(Width) / 2.0f;
  const float centreY = Y + static_cast<float>(Height) / 2.0f;
  for (int a = 0; a < effect->CountX; ++a) {
    for (int b = 0; b < effect->CountY; ++b) {
      EffectPiece& piece = effect->Pieces[a][b];
      const float px = X + static_cast<float>(a * StepX);
      const float py = Y + static_cast<float>(b * StepY);
      piece.X = px;
      piece.Y = py;
      piece.VX = px - centreX;
      piece.VY = py - centreY;
      piece.VX += Rnd() * Spread * piece.VX / 100.0f;
      piece.VY += Rnd() * Spread * piece.VY / 100.0f;
      if (Spread != 0) {
        if (piece.VX == 0) piece.VX = 2 * Rnd() - 1;
        if (piece.VY == 0) piece.VY = 2 * Rnd() - 1;
      }
      piece.VX /= DivX;
      piece.VY = piece.VY / DivY - Kick;
    }
  }
}

void PlayState::MoveEffects() {
  for (EffectRec& effect : Effects) {
    if (effect.Active == VB_FALSE) continue;
    for (int a = 0; a < effect.CountX; ++a) {
      for (int b = 0; b < effect.CountY; ++b) {
        EffectPiece& piece = effect.Pieces[a][b];
        piece.X += piece.VX;
        piece.Y += piece.VY;
        piece.VY += effect.Gravity;
      }
    }
    ++effect.Age;
    if (effect.Age == effect.Lifetime) effect.Active = VB_FALSE;
  }
}
