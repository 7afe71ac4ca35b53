// The effects of play. The small ones are made for 8 000 samples/s: nothing above 3.4 kHz, and
// each built around a different timbre so the player can tell them apart by ear alone.
#include <cmath>

#include "tools/asset_gen/sounds/catalogue.h"
#include "tools/asset_gen/sounds/instruments.h"

namespace snd {

// A ball leaves the blaster: a quick falling square "pew" over a tiny click.
Wave MakeShoot(int rate) {
  Osc tone(rate, Shape::kSquare);
  Noise noise(11);
  Biquad click(Biquad::Type::kBandPass, 2600, 1.2, rate);
  return Render(rate, 0.16, [&](double t) {
    const double f = Glide(t, 0.13, 1500, 240);
    return 0.7 * tone.Next(f) * Perc(t, 0.002, 0.045) +
           0.5 * click.Process(noise.White()) * Perc(t, 0.0005, 0.006);
  });
}

// The hero lands on a bouncy platform: a spring that swoops up and wobbles as it settles.
Wave MakeBoing(int rate) {
  Osc spring(rate, std::vector<double>{1.0, 0.45, 0.2, 0.1});
  return Render(rate, 0.5, [&](double t) {
    const double wobble = 1.0 + 0.22 * std::sin(2.0 * kPi * 15.0 * t) * std::exp(-t / 0.16);
    const double f = Glide(t, 0.045, 110, 300) * Ramp(t, 0.05, 0.5, 1.0, 1.15) * wobble;
    return spring.Next(f) * Perc(t, 0.004, 0.15);
  });
}

// A ball strikes a platform or the level's edge: a short dull "tock".
Wave MakeHit(int rate) {
  Noise noise(23);
  Biquad knock(Biquad::Type::kBandPass, 1400, 1.5, rate);
  double phase = 0;
  return Render(rate, 0.09, [&](double t) {
    phase += Glide(t, 0.03, 900, 300) / rate;
    return 0.8 * std::sin(2.0 * kPi * phase) * Perc(t, 0.0008, 0.018) +
           0.6 * knock.Process(noise.White()) * Perc(t, 0.0005, 0.008);
  });
}

// A gem is taken, over and over in every level: a bright two-note chime, a fourth apart,
// clean sines so it never grates.
Wave MakeGem(int rate) {
  auto chime = [rate](double freq, double tau, double length) {
    return Render(rate, length, [=](double t) {
      const double env = Perc(t, 0.002, tau) * Ramp(t, length - 0.03, length, 1, 0);
      return env * (std::sin(2.0 * kPi * freq * t) +
                    0.3 * std::sin(2.0 * kPi * 2.003 * freq * t) * std::exp(-t / 0.05));
    });
  };
  Wave w(rate, 0.0);
  w.Mix(chime(NoteHz(83), 0.05, 0.12), 0.0, 0.7);    // B5
  w.Mix(chime(NoteHz(88), 0.14, 0.42), 0.065, 1.0);  // E6
  return w;
}

// A falling bomb slams onto a platform: a heavy low thud with the clank of its iron shell.
Wave MakeBombHit(int rate) {
  Noise noise(31);
  Wave w = Render(rate, 0.3, [&, phase = 0.0](double t) mutable {
    phase += Glide(t, 0.08, 140, 55) / rate;
    return std::sin(2.0 * kPi * phase) * Perc(t, 0.002, 0.075);
  });
  Wave shell = Clang(rate, 230, noise);
  for (std::size_t i = 0; i < shell.s.size(); ++i) shell.s[i] *= std::exp(-shell.Time(i) / 0.09);
  w.Mix(shell, 0.0, 0.8);
  return w;
}

// A ball strikes a bomb: a high, hard metallic "tink", shorter and brighter than a bomb's thud.
Wave MakeHitBomb(int rate) {
  Noise noise(37);
  Biquad click(Biquad::Type::kBandPass, 2400, 1.0, rate);
  return Render(rate, 0.18, [&](double t) {
    const double ring = 0.6 * std::sin(2.0 * kPi * 1150.0 * t) * Perc(t, 0.0005, 0.05) +
                        0.45 * std::sin(2.0 * kPi * 1690.0 * t) * Perc(t, 0.0005, 0.035) +
                        0.3 * std::sin(2.0 * kPi * 2870.0 * t) * Perc(t, 0.0005, 0.02);
    return ring + 0.6 * click.Process(noise.White()) * Perc(t, 0.0003, 0.004);
  });
}

// Bombs, the skull, explode balls, the machine and fireworks: a boom under a roar of noise that
// darkens as it dies away, with crackling debris.
Wave MakeExplosion(int rate) {
  Noise noise(41);
  Biquad roar(Biquad::Type::kLowPass, 3000, 0.9, rate);
  Biquad debris(Biquad::Type::kBandPass, 1800, 2.0, rate);
  double phase = 0, crackle = 0;
  Wave w = Render(rate, 1.0, [&](double t) {
    roar.Set(Glide(t, 0.8, 3000, 160), 0.9);
    const double rumble =
        roar.Process(noise.White()) * (0.7 * Perc(t, 0.004, 0.12) + 0.5 * Perc(t, 0.03, 0.35));
    phase += Glide(t, 0.35, 95, 32) / rate;
    const double boom = std::sin(2.0 * kPi * phase) * Perc(t, 0.003, 0.22);
    if (t < 0.6 && noise.Uniform() < 0.006 * std::exp(-t / 0.3)) {
      crackle = 0.6 + 0.4 * noise.Uniform();
    }
    crackle *= 0.985;
    const double bits = debris.Process(noise.White()) * crackle;
    return (0.9 * rumble + 0.8 * boom + 0.7 * bits) * Ramp(t, 0.85, 1.0, 1, 0);
  });
  Saturate(w, 1.6);
  return w;
}

// The hero beams out of a finished level: a shimmering chirp climbing through a chord.
Wave MakeTeleport(int rate) {
  Osc glide(rate, Shape::kTriangle);
  Osc beam(rate, Shape::kSine);
  static constexpr double kChord[] = {1.0, 1.26, 1.5, 2.0};
  Env amp({{0.0, 0.0}, {0.06, 1.0}, {0.55, 0.8}, {0.9, 0.0}});
  return Render(rate, 0.9, [&](double t) {
    const double f = Glide(t, 0.85, 200, 1300);
    const double step = kChord[int(t / 0.03) % 4];
    const double shimmer = 0.65 + 0.35 * std::sin(2.0 * kPi * 22.0 * t);
    return amp(t) * (0.55 * glide.Next(f) + 0.45 * shimmer * beam.Next(f * step));
  });
}

// A jump or a drop through a platform: a short rising "bwip", soft enough to hear a hundred times.
Wave MakeJump(int rate) {
  Osc tone(rate, std::vector<double>{1.0, 0.0, 0.28, 0.0, 0.1});
  return Render(rate, 0.2, [&](double t) {
    return tone.Next(Glide(t, 0.15, 270, 720)) * Perc(t, 0.003, 0.065);
  });
}

// Extra health: a warm rising major arpeggio on soft bells over a swelling chord.
Wave MakeExtraHealth(int rate) {
  Wave w(rate, 0.0);
  const double notes[] = {72, 76, 79, 84};  // C5 E5 G5 C6
  for (int i = 0; i < 4; ++i) w.Mix(Mallet(rate, NoteHz(notes[i]), 0.15, 0.35), 0.07 * i, 0.6);
  w.Mix(Mallet(rate, NoteHz(88), 0.3, 0.5), 0.28, 0.45);  // E6 on top
  Osc a(rate, Shape::kTriangle), b(rate, Shape::kTriangle), c(rate, Shape::kTriangle);
  Env swell({{0.0, 0.0}, {0.25, 1.0}, {0.55, 0.5}, {0.8, 0.0}});
  w.Mix(Render(rate, 0.8,
               [&](double t) {
                 return swell(t) * (a.Next(NoteHz(60)) + b.Next(NoteHz(64)) + c.Next(NoteHz(67)));
               }),
        0.0, 0.12);
  FadeOut(w, 0.7, 0.9);
  return w;
}

// Extra speed: a rush of air rising with a revving, zipping tone.
Wave MakeSpeed(int rate) {
  Noise noise(53);
  Biquad air(Biquad::Type::kBandPass, 500, 2.0, rate);
  Biquad tone(Biquad::Type::kLowPass, 4000, 0.8, rate);
  Osc saw(rate, Shape::kSaw), fifth(rate, Shape::kSaw, 0.5);
  Env whoosh({{0.0, 0.0}, {0.06, 1.0}, {0.35, 0.7}, {0.55, 0.0}});
  Env rev({{0.0, 0.0}, {0.03, 1.0}, {0.3, 0.8}, {0.5, 0.0}});
  return Render(rate, 0.55, [&](double t) {
    air.Set(Glide(t, 0.45, 500, 6500), 2.0);
    const double f = Glide(t, 0.4, 220, 1500) * (1.0 + 0.02 * std::sin(2.0 * kPi * 30.0 * t));
    const double zip = tone.Process(saw.Next(f) + 0.6 * fifth.Next(f * 1.5));
    return 1.2 * air.Process(noise.White()) * whoosh(t) + 0.35 * zip * rev(t);
  });
}

// Five high jumps: three springs, each launched higher than the last.
Wave MakeHyperJump(int rate) {
  struct Hop {
    double at, from, to, length;
  };
  static constexpr Hop kHops[] = {
      {0.0, 260, 520, 0.13}, {0.12, 350, 700, 0.13}, {0.24, 460, 1400, 0.4}};
  Wave w(rate, 0.0);
  for (const Hop& h : kHops) {
    Osc sq(rate, Shape::kSquare);
    Biquad soft(Biquad::Type::kLowPass, 3500, 0.7, rate);
    w.Mix(Render(rate, h.length,
                 [&](double t) {
                   const double wobble =
                       1.0 + 0.05 * std::sin(2.0 * kPi * 18.0 * t) * Ramp(t, 0.08, 0.2, 0.0, 1.0);
                   const double f = Glide(t, std::min(0.25, h.length * 0.7), h.from, h.to);
                   return soft.Process(sq.Next(f * wobble)) * Perc(t, 0.003, h.length * 0.35) *
                          Ramp(t, h.length - 0.02, h.length, 1, 0);
                 }),
          h.at, 0.5);
  }
  return w;
}

// The ball blaster is charged: a resonant sweep powering up, then the "ka-chunk" of a breech.
Wave MakeBallBlaster(int rate) {
  Noise noise(61);
  Osc saw(rate, Shape::kSaw);
  Biquad reso(Biquad::Type::kLowPass, 300, 4.0, rate);
  Env charge({{0.0, 0.0}, {0.05, 0.5}, {0.42, 1.0}, {0.46, 0.0}});
  Wave w = Render(rate, 0.5, [&](double t) {
    reso.Set(Glide(t, 0.44, 300, 6000), 4.0);
    return 0.35 * reso.Process(saw.Next(Glide(t, 0.44, 80, 440))) * charge(t);
  });
  w.Mix(Clang(rate, 1900, noise), 0.44, 0.35);
  w.Mix(Tom(rate, 140), 0.44, 0.5);
  w.Mix(Clang(rate, 1300, noise), 0.52, 0.45);
  w.Mix(Kick(rate, 0.5), 0.52, 0.4);
  for (std::size_t i = std::size_t(0.75 * rate); i < w.s.size(); ++i) {
    w.s[i] *= std::exp(-(w.Time(i) - 0.75) / 0.05);
  }
  w.s.resize(std::min(w.s.size(), std::size_t(0.95 * rate)));
  return w;
}

// Invulnerability: a magic sparkle, a fast glassy run up two octaves over a trembling chord.
Wave MakeInvulnerability(int rate) {
  Noise noise(67);
  Wave w(rate, 0.0);
  const double run[] = {72, 76, 79, 83, 84, 88, 91, 95, 96};  // C major seventh, two octaves
  for (int i = 0; i < 9; ++i) w.Mix(Mallet(rate, NoteHz(run[i]), 0.1, 0.3), 0.04 * i, 0.35);
  Osc a(rate, Shape::kTriangle), b(rate, Shape::kTriangle), c(rate, Shape::kTriangle);
  Biquad fizz(Biquad::Type::kHighPass, 6000, 0.7, rate);
  Env swell({{0.0, 0.0}, {0.3, 1.0}, {0.7, 0.6}, {1.0, 0.0}});
  double glint = 0;
  w.Mix(Render(rate, 1.0,
               [&](double t) {
                 const double trem = 0.7 + 0.3 * std::sin(2.0 * kPi * 9.0 * t);
                 const double chord =
                     a.Next(NoteHz(72)) + b.Next(NoteHz(79) * 1.003) + c.Next(NoteHz(88) * 0.997);
                 if (noise.Uniform() < 0.0015) glint = 1.0;  // scattered glints of light
                 glint *= 0.993;
                 const double sparkle = fizz.Process(noise.White()) * glint;
                 return swell(t) * (0.25 * trem * chord + 0.3 * sparkle);
               }),
        0.0, 0.5);
  Reverb(w, 0.4, 0.3, 0.3);
  FadeOut(w, 0.9, 1.2);
  return w;
}

// The blaster switches to the next ball type: a mechanical click-clack and a tiny blip.
Wave MakeSwitchBB(int rate) {
  Noise noise(71);
  Wave w(rate, 0.0);
  w.Mix(Tek(rate, noise), 0.0, 0.9);
  w.Mix(Clang(rate, 1200, noise), 0.05, 0.5);
  Osc blip(rate, Shape::kTriangle);
  w.Mix(Render(rate, 0.06,
               [&](double t) {
                 return blip.Next(t < 0.03 ? 1046.5 : 1568.0) * Perc(t, 0.002, 0.02) *
                        Ramp(t, 0.05, 0.06, 1, 0);
               }),
        0.05, 0.5);
  w.s.resize(std::size_t(0.16 * rate));
  return w;
}

// Bombs freeze: glassy notes trickle down like icicles over a cold whistle and a crackle of
// frost forming.
Wave MakeFreezeBalls(int rate) {
  Noise noise(73);
  Wave w(rate, 0.0);
  for (int i = 0; i < 12; ++i) {
    w.Mix(Mallet(rate, NoteHz(100 - 2 * i), 0.1, 0.25), 0.045 * i, 0.3);  // whole tones down
  }
  Osc whistle(rate, Shape::kSine);
  Biquad frost(Biquad::Type::kHighPass, 5000, 0.7, rate);
  double grain = 0;
  Env wind({{0.0, 0.0}, {0.1, 1.0}, {0.5, 0.6}, {0.9, 0.0}});
  w.Mix(Render(rate, 0.9,
               [&](double t) {
                 if (noise.Uniform() < 0.0015) grain = 1.0;
                 grain *= 0.99;
                 return wind(t) * (0.25 * whistle.Next(Glide(t, 0.8, 3000, 1100)) +
                                   0.5 * grain * frost.Process(noise.White()));
               }),
        0.0, 0.6);
  Reverb(w, 0.5, 0.2, 0.35);
  FadeOut(w, 0.9, 1.2);
  return w;
}

// The program ends: an engine winding down, sputtering out and hissing smoke. It has to be
// over within the three seconds the game waits for it.
Wave MakeSmoking(int rate) {
  Noise noise(79);
  Osc saw(rate, Shape::kSaw), sq(rate, Shape::kSquare);
  Biquad motor(Biquad::Type::kLowPass, 4000, 1.2, rate);
  Biquad hiss(Biquad::Type::kBandPass, 4000, 0.8, rate);
  Biquad puff(Biquad::Type::kLowPass, 4, 0.7, rate);  // slow swirls of the smoke
  Env whine({{0.0, 0.0}, {0.03, 1.0}, {1.6, 0.55}, {2.3, 0.0}});
  Env smoke({{0.0, 0.0}, {0.25, 0.5}, {1.6, 0.4}, {2.65, 0.0}});
  Wave w = Render(rate, 2.7, [&](double t) {
    const double f = Glide(t, 2.2, 520, 45);
    motor.Set(Glide(t, 2.2, 4000, 250), 1.2);
    const double engine = motor.Process(0.6 * saw.Next(f) + 0.4 * sq.Next(f * 0.5));
    const double cloud = 0.3 + 40.0 * std::fabs(puff.Process(noise.White()));
    return 0.5 * engine * whine(t) + 0.5 * hiss.Process(noise.White()) * cloud * smoke(t);
  });
  for (double at : {0.9, 1.35, 1.85, 2.3}) {  // the last coughs, further and further apart
    w.Mix(Tom(rate, 70), at, 0.45);
    w.Mix(Snare(rate, noise), at, 0.15);
  }
  w.s.resize(std::size_t(2.75 * rate));
  return w;
}

}  // namespace snd
