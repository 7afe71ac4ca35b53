// The little tunes: one for each stage's preview screen (the player may cut it short with
// SPACE), the "get ready" before each level, the game-over lament and the finale's fanfare.
#include <cmath>
#include <string>
#include <string_view>

#include "tools/asset_gen/sounds/catalogue.h"
#include "tools/asset_gen/sounds/instruments.h"

namespace snd {

namespace {

Instrument BrassOf(int rate) {
  return [rate](double f, double s) { return Brass(rate, f, s); };
}

Instrument BassOf(int rate, double cutoff) {
  return [rate, cutoff](double f, double s) { return Bass(rate, f, s, cutoff); };
}

// `hold` shortens the notes (staccato) below 1.
Instrument LeadOf(int rate, Shape shape, double vibrato, double hold = 1.0) {
  return [=](double f, double s) { return Lead(rate, f, s * hold, shape, vibrato); };
}

// A part played on its own track, to be treated (distorted, filtered) before it is mixed in.
Wave Part(int rate, double bpm, std::string_view score, const Instrument& inst, double gain) {
  Wave part(rate, 0.0);
  Play(part, bpm, score, inst, gain);
  return part;
}

}  // namespace

// "Next Level", shown for three seconds: a snare run-up into brassy stabs and a bright chord.
Wave MakeGetReady(int rate) {
  const double bpm = 150;
  Noise noise(101);
  Wave w(rate, 0.0);
  auto snare = [&](double, double) { return Snare(rate, noise); };
  auto kick = [&](double, double) { return Kick(rate, 1.0); };
  Play(w, bpm, "x:.25@.3 x:.25@.45 x:.25@.6 x:.25@.75 r:2 x:1", snare, 0.35);
  Play(w, bpm, "r:1 x:.5 r:.5 x:.5 r:.5 x:2", kick, 0.6);
  Play(w, bpm, "r:1 G4:.25 r:.25 G4:.25 r:.25 C5:.25 r:.25 E5:.5 G5:2.5", BrassOf(rate), 0.5);
  Play(w, bpm, "r:1 E4:.25 r:.25 E4:.25 r:.25 G4:.25 r:.25 C5:.5 C5+E5:2.5", BrassOf(rate), 0.3);
  Play(w, bpm, "r:1 C3:.5 r:.5 G2:.5 r:.5 C3:2.5", BassOf(rate, 900), 0.5);
  w.Mix(Cymbal(rate, noise, 0.3), 3.0 * 60 / bpm, 0.5);  // a splash on the final chord
  Reverb(w, 0.35, 0.4, 0.25);
  FadeOut(w, 2.2, 2.6);
  return w;
}

// Game over (played at 8 000 samples/s): a sorry trombone falling by half steps, the last
// one long and wavering, the plunger mute opening on every note.
Wave MakeGameOver(int rate) {
  struct Blow {
    double at, note, length, vibrato;
  };
  static constexpr Blow kBlows[] = {
      {0.0, 67, 0.4, 0.0}, {0.45, 66, 0.4, 0.0}, {0.9, 65, 0.4, 0.0}, {1.35, 64, 1.2, 0.03}};
  Wave w(rate, 0.0);
  for (const Blow& b : kBlows) {
    Osc horn(rate, Shape::kSaw);
    Biquad mute(Biquad::Type::kLowPass, 300, 2.5, rate);
    const double f0 = NoteHz(b.note);
    w.Mix(Render(rate, b.length + 0.12,
                 [&](double t) {
                   const double wah = Ramp(t, 0.0, 0.12, 300, 1800) *
                                      (1.0 - 0.4 * Ramp(t, b.length * 0.6, b.length, 0, 1));
                   mute.Set(wah, 2.5);
                   const double vib =
                       1.0 + b.vibrato * Ramp(t, 0.2, 0.6, 0, 1) * std::sin(2.0 * kPi * 5.0 * t);
                   const double droop = Ramp(t, b.length - 0.3, b.length + 0.1, 1.0, 0.97);
                   const double env =
                       Ramp(t, 0.0, 0.03, 0, 1) * Ramp(t, b.length, b.length + 0.12, 1, 0);
                   return mute.Process(horn.Next(f0 * vib * droop)) * env;
                 }),
          b.at, 1.0);
  }
  w.s.resize(std::min(w.s.size(), std::size_t(2.8 * rate)));
  return w;
}

// The finale begins: a triumphant brass fanfare with timpani, snare and a cymbal crash.
Wave MakeCongrats(int rate) {
  const double bpm = 132;
  Noise noise(103);
  Wave w(rate, 0.0);
  auto timpani = [&](double f, double) { return Tom(rate, f); };
  auto snare = [&](double, double) { return Snare(rate, noise); };
  Play(w, bpm, "G4:.333 G4:.333 G4:.334 C5:1 G4:.5 C5:.5 E5:1.5 D5:.5 E5:.5 F5:.5 G5:3",
       BrassOf(rate), 0.45);
  Play(w, bpm, "E4:.333 E4:.333 E4:.334 G4:1 E4:.5 G4:.5 C5:1.5 B4:.5 C5:.5 D5:.5 C5+E5:3",
       BrassOf(rate), 0.3);
  Play(w, bpm, "C3:1 C3:1 C3:1 G2:1 G2:1 B2:1 C3:3", BassOf(rate, 700), 0.5);
  Play(w, bpm, "G2:.333 G2:.333 G2:.334 C3:1 r:1 C3:1 r:1 G2:.5 G2:.5 C3:3", timpani, 0.6);
  Play(w, bpm, "r:1 x:1 x:1 x:1 x:.25 x:.25 x:.25 x:.25 x:.25 x:.25 x:.25 x:.25 x:3", snare, 0.3);
  const double last = 6.0 * 60 / bpm;
  w.Mix(Cymbal(rate, noise, 0.5), last, 0.7);
  w.Mix(Kick(rate, 1.0), last, 0.6);
  Reverb(w, 0.55, 0.4, 0.3);
  FadeOut(w, 4.3, 4.9);
  return w;
}

// The Factory: a stamping machine shop. Kick and anvil keep time, steam hisses on the
// off-beats, a gritty bass grinds under a square-wave riff.
Wave MakeStageFactory(int rate) {
  const double bpm = 125;
  Noise noise(201);
  Wave w(rate, 0.0);
  auto kick = [&](double, double) { return Kick(rate, 1.0); };
  auto anvil = [&](double f, double) { return Clang(rate, f, noise); };
  auto steam = [&](double, double) { return HiHat(rate, noise, 0.06); };
  Play(w, bpm, "x x x x x x x x:.5 x:.5 x", kick, 0.55);
  Play(w, bpm, "r:1 G4 r:1 G4 r:1 G4 r:1 G4:.5 G4:.5 C4:2", anvil, 0.5);
  Play(w, bpm, "r:.5 x x x x x x x x:.5", steam, 0.35);
  const std::string bass =
      "E2:.5 E2:.5 G2:.5 E2:.5 A2:.5 E2:.5 Bb2:.5 A2:.5 "
      "E2:.5 E2:.5 G2:.5 E2:.5 D3:.5 C3:.5 B2:.5 r:.5 E2:1";
  Wave grind = Part(rate, bpm, bass, BassOf(rate, 1400), 0.6);
  Saturate(grind, 2.0);
  w.Mix(grind, 0.0, 0.45);
  Play(w, bpm,
       "E4:.5 r:.25 E4:.25 G4:.5 A4:.5 Bb4:.5 A4:.5 G4:.5 E4:.5 "
       "D4:.5 E4:.5 G4:.5 E4:.5 B4:1 E5:1 E4+B4+E5:1",
       LeadOf(rate, Shape::kSquare, 0.0, 0.8), 0.3);
  Reverb(w, 0.25, 0.5, 0.2);
  FadeOut(w, 4.5, 5.0);
  return w;
}

// Caves of Chaos: a slow minor lament on a hollow flute over a low drone, water dripping, every
// sound coming back from the cave walls.
Wave MakeStageCave(int rate) {
  const double bpm = 90;
  Wave w(rate, 0.0);
  w.Mix(Pad(rate, NoteHz(38), 4.6, 1.2, 500), 0.0, 0.4);   // D2
  w.Mix(Pad(rate, NoteHz(45), 4.6, 1.6, 450), 0.0, 0.25);  // A2
  w.Mix(Tom(rate, 55), 0.0, 0.8);
  w.Mix(Tom(rate, 55), 3.0, 0.5);
  Play(w, bpm, "D4:.5 F4:.5 E4:.5 C#4:.5 D4:1.5 r:.5 Bb3:.5 A3:.5 G#3:.5 A3:1.5",
       LeadOf(rate, Shape::kTriangle, 0.008), 0.8);
  // Drips: a drop of water hits a pool with a quick upward "plip".
  struct Drip {
    double at, freq;
  };
  for (const Drip& d :
       {Drip{0.6, 1400}, Drip{1.7, 1900}, Drip{2.4, 1250}, Drip{3.5, 1700}, Drip{4.1, 2100}}) {
    w.Mix(Render(rate, 0.04,
                 [&](double t) {
                   return std::sin(2.0 * kPi * d.freq * (t + 15.0 * t * t)) * Perc(t, 0.001, 0.01) *
                          Ramp(t, 0.03, 0.04, 1, 0);
                 }),
          d.at, 0.25);
  }
  Echo(w, 0.375, 0.4, 0.45, 1.2);
  Reverb(w, 0.9, 0.45, 0.5);
  FadeOut(w, 5.0, 6.0);
  return w;
}

// Egypt: an oud plays in the double harmonic scale (D Eb F# G A Bb C#) over a low string drone,
// with a hand drum beating the maqsum rhythm, doum and tek.
Wave MakeStageEgypt(int rate) {
  const double bpm = 140;
  Noise noise(203);
  Wave w(rate, 0.0);
  auto oud = [rate](double f, double s) { return Pluck(rate, f, s, 0.7); };
  auto doum = [&](double, double) { return Tom(rate, 95); };
  auto tek = [&](double, double) { return Tek(rate, noise); };
  Play(w, bpm,
       "D4:.5 Eb4:.25 F#4:.25 G4:.5 A4:.5 Bb4:.5 A4:.25 Bb4:.25 A4:1 "
       "G4:.5 F#4:.25 G4:.25 A4:.5 G4:.5 F#4:.5 Eb4:.5 D4:1 "
       "C#4:.25 Eb4:.25 C#4:.25 Eb4:.25 D4:1.5",
       oud, 0.55);
  Play(w, bpm, "D3:2 D3:2 A2:2 D3:2 A2:1 D2+D3:2", oud, 0.4);
  Play(w, bpm, "x:2 x:2 x:2 x:2 x:1 x:1", doum, 0.6);
  Play(w, bpm, "r:.5 x:1 x:1.5 x:1 r:.5 x:1 x:1.5 x:1 r:.5 x:.25 x:.25 x:.25 x:.25 r:.5", tek,
       0.45);
  Reverb(w, 0.4, 0.5, 0.25);
  FadeOut(w, 4.7, 5.2);
  return w;
}

// The Final Frontier: airy pads in a bright, floating mode, a twinkling arpeggio echoing into
// the distance and a deep sub bass.
Wave MakeStageSpace(int rate) {
  const double bpm = 100;
  Wave w(rate, 0.0);
  auto pad = [rate](double f, double s) { return Pad(rate, f, s, 0.7, 2200); };
  Play(w, bpm, "C4+E4+G4+B4:4 D4+F#4+A4+C5:4", pad, 0.35);
  Play(w, bpm, "C2:4 D2:4", LeadOf(rate, Shape::kSine, 0), 0.6);
  std::string arp;
  const char* first[] = {"C5", "G5", "B5", "E6"};
  const char* second[] = {"D5", "A5", "C6", "F#6"};
  for (int i = 0; i < 28; ++i) arp += std::string(i < 16 ? first[i % 4] : second[i % 4]) + ":.25 ";
  arp += "A6:1";
  Play(
      w, bpm, arp, [rate](double f, double s) { return Mallet(rate, f, s, 0.25); }, 0.3);
  Echo(w, 0.45, 0.45, 0.4, 1.2);
  Reverb(w, 0.8, 0.3, 0.4);
  FadeOut(w, 5.2, 6.0);
  return w;
}

// The Machine!: the last stage's menace. A distorted bass riff around a tritone, pounding drums
// and metal, an alarm wailing on top and heavy brass blows; played louder than any other sound.
Wave MakeStageMachine(int rate) {
  const double bpm = 108;
  Noise noise(205);
  Wave w(rate, 0.0);
  auto kick = [&](double, double) { return Kick(rate, 1.2); };
  auto snare = [&](double, double) { return Snare(rate, noise); };
  auto metal = [&](double f, double) { return Clang(rate, f, noise); };
  Play(w, bpm, "x:.75 x:.25 x:.5 x:.5 x:.75 x:.25 x:.5 x:.5 x:.75 x:.25 x:.5 x:.5 x:.5 x:.5 x x",
       kick, 0.7);
  Play(w, bpm, "r:1 x r:1 x r:1 x r:.5 x:.25 x:.25 x:.25 x:.25 x:.5", snare, 0.45);
  Play(w, bpm, "r:.5 F#3:.5 r:.5 F#3:.5 r:.5 F#3:.5 r:.5 F#3:.5 r:.5 C4:.5 r:.5 C4:.5", metal, 0.3);
  Wave riff = Part(rate, bpm,
                   "C2:.5 C2:.25 C2:.25 F#2:.5 C2:.5 Eb2:.5 C2:.5 F#2:.5 G2:.5 "
                   "C2:.5 C2:.25 C2:.25 Db2:.5 C2:.5 B1:.5 C2:.5 F#1:1 C2:1",
                   BassOf(rate, 1800), 0.7);
  Saturate(riff, 3.0);
  w.Mix(riff, 0.0, 0.5);
  Play(w, bpm, "C3+G3+C4:1.5 r:2.5 C3+F#3+C4:1.5 r:2.5 C3+G3+C4:1.5", BrassOf(rate), 0.35);
  Wave alarm = Part(rate, bpm, "r:2 C5:1 F#5:1 C5:1 F#5:1", LeadOf(rate, Shape::kSaw, 0.0), 0.3);
  LowPass(alarm, 2500);
  w.Mix(alarm, 0.0, 1.0);
  w.Mix(Cymbal(rate, noise, 0.5), 8.0 * 60 / bpm, 0.5);
  Reverb(w, 0.45, 0.5, 0.25);
  FadeOut(w, 5.3, 5.9);
  Saturate(w, 1.3 / w.Peak());
  return w;
}

}  // namespace snd
