// The six tracks of the music disc, in the order the game plays them: one for each stage, then the
// finale, which follows the machine's track on the disc. Each is built from a few sections of a
// few bars, rendered once and laid out along the track; the last section leads back into the
// first, so the track loops.
#include "tools/asset_gen/music/tracks.h"

#include <string>

#include "tools/asset_gen/sounds/instruments.h"

namespace music {

namespace {

using snd::Instrument;
using snd::Noise;
using snd::Shape;
using snd::Wave;

// A track under construction: sections placed bar by bar.
class Song {
 public:
  Song(int nRate, double bpm, double beatsPerBar = 4)
      : rate(nRate), bpm(bpm), bar(beatsPerBar * 60.0 / bpm), mix(nRate, 0.0) {}

  // A new empty section `bars` long (its tails may ring on past the end).
  Stereo Section() const { return Stereo(rate, 0.0); }
  // Adds the section at the current bar and moves on by `bars`.
  void Then(const Stereo& section, int bars) {
    mix.Mix(section, at_ * bar);
    at_ += bars;
  }
  Track Finish(const char* sFile, const char* sTitle) {
    return Track{sFile, sTitle, std::move(mix), at_ * bar};
  }

  const int rate;
  const double bpm;
  const double bar;  // seconds

 private:
  Stereo mix;
  int at_ = 0;
};

Instrument KickOf(int rate, double depth) {
  return Remembered([rate, depth](double, double) { return snd::Kick(rate, depth); });
}
Instrument SnareOf(int rate, uint64_t seed) {
  return Remembered([rate, seed](double, double) {
    Noise noise(seed);
    return snd::Snare(rate, noise);
  });
}
Instrument HatOf(int rate, uint64_t seed, double length) {
  return Remembered([rate, seed, length](double, double) {
    Noise noise(seed);
    return snd::HiHat(rate, noise, length);
  });
}
Instrument ClangOf(int rate, uint64_t seed) {
  return Remembered([rate, seed](double f, double) {
    Noise noise(seed);
    return snd::Clang(rate, f, noise);
  });
}
Instrument TekOf(int rate, uint64_t seed) {
  return Remembered([rate, seed](double, double) {
    Noise noise(seed);
    return snd::Tek(rate, noise);
  });
}
Instrument TomOf(int rate) {
  return Remembered([rate](double f, double) { return snd::Tom(rate, f); });
}
Instrument BassOf(int rate, double cutoff) {
  return Remembered([=](double f, double s) { return snd::Bass(rate, f, s, cutoff); });
}
Instrument LeadOf(int rate, Shape shape, double vibrato, double hold = 1.0) {
  return Remembered(
      [=](double f, double s) { return snd::Lead(rate, f, s * hold, shape, vibrato); });
}
Instrument PadOf(int rate, double attack, double cutoff) {
  return Remembered([=](double f, double s) { return snd::Pad(rate, f, s, attack, cutoff); });
}
Instrument MalletOf(int rate, double ring) {
  return Remembered([=](double f, double s) { return snd::Mallet(rate, f, s, ring); });
}
Instrument PluckOf(int rate, double brightness) {
  return Remembered([=](double f, double s) { return snd::Pluck(rate, f, s, brightness); });
}
Instrument BrassOf(int rate) {
  return Remembered([rate](double f, double s) { return snd::Brass(rate, f, s); });
}

// "The Factory": a driving industrial groove in E minor. Four-to-the-floor kick, steam hats,
// anvils on the off-beats and a grinding, saturated bass riff; a square-wave hook rides on top.
Track Factory(int rate) {
  Song song(rate, 126);
  const Instrument kick = KickOf(rate, 1.0), snare = SnareOf(rate, 11), hat = HatOf(rate, 12, 0.05);
  const Instrument anvil = ClangOf(rate, 13), bass = BassOf(rate, 1300);
  const Instrument hook = LeadOf(rate, Shape::kSquare, 0.0, 0.8);
  const double bpm = song.bpm;

  const std::string riff =
      "E2:.5 E2:.5 E3:.5 E2:.5 G2:.5 E2:.5 A2:.5 Bb2:.5 "
      "E2:.5 E2:.5 E3:.5 E2:.5 D3:.5 B2:.5 G2:.5 A2:.5";
  Wave grind = Part(rate, bpm, Times(riff, 4), bass);
  snd::Saturate(grind, 2.2);
  Wave anvils = Part(rate, bpm, Times("r:1.5 B4:.5 r:2 r:.75 B4:.25 r:1 E5:1 r:1", 4), anvil);
  snd::Echo(anvils, 60.0 / bpm * 0.75, 0.3, 0.25, 1.0);
  const Wave kicks = Part(rate, bpm, Times("x x x x", 8), kick);
  const Wave snares = Part(rate, bpm, Times("r x r x", 8), snare);
  const Wave hats = Part(rate, bpm, Times("r:.5 x:.5@.7", 32), hat);

  Stereo intro = song.Section();
  intro.Mix(Part(rate, bpm, Times("x x x x", 4), kick), 0, 0.8);
  intro.Mix(Part(rate, bpm, Times("r:.5 x:.5@.7", 16), hat), 0, 0.35, 0.3);
  intro.Mix(anvils, 0, 0.35, -0.4);
  intro.Mix(Part(rate, bpm, "r:14 x:.5@.5 x:.5@.7 x:.5@.8 x:.5", snare), 0, 0.4);

  Stereo groove = song.Section();
  groove.Mix(kicks, 0, 0.8);
  groove.Mix(snares, 0, 0.45, 0.1);
  groove.Mix(hats, 0, 0.3, 0.3);
  groove.Mix(anvils, 0, 0.3, -0.4);
  groove.Mix(anvils, 8 * song.bar, 0.3, -0.4);
  groove.Mix(grind, 0, 0.45);

  const std::string melody =
      "E4:.5 G4:.5 A4:.5 B4:1 A4:.5 G4:.5 E4:.5 D4:.5 E4:.5 G4:1 E4:2 "
      "E4:.5 G4:.5 A4:.5 B4:1 D5:.5 B4:.5 A4:.5 G4:.5 A4:.5 B4:1 E4:2";
  Wave lead = Part(rate, bpm, Times(melody, 2), hook);
  snd::Echo(lead, 60.0 / bpm * 0.75, 0.35, 0.3, 1.5);
  Stereo hooked = groove;
  hooked.Mix(lead, 0, 0.22, 0.15);

  Stereo breakdown = song.Section();
  Wave low = Part(rate, bpm, Times(riff, 2), BassOf(rate, 500));
  breakdown.Mix(low, 0, 0.5);
  breakdown.Mix(anvils, 0, 0.4, -0.5);
  breakdown.Mix(Part(rate, bpm, Times("r:.5 x:.5@.6", 16), hat), 0, 0.3, 0.4);
  breakdown.Mix(
      Part(rate, bpm, "r:12 x:.25@.4 x:.25@.5 x:.25@.6 x:.25@.7 x:.5@.8 x:.5 x:.5 x:.5 x:.5 x:.5",
           snare),
      0, 0.45);

  song.Then(intro, 4);
  song.Then(groove, 8);
  song.Then(hooked, 8);
  song.Then(groove, 8);
  song.Then(breakdown, 4);
  song.Then(hooked, 8);
  song.Then(hooked, 8);
  return song.Finish("Track01.ogg", "The Factory");
}

// "Caves Of Chaos": echoing and uneasy. A low drone on D with a flattened second creeping in,
// glassy mallet phrases that come back from the walls, water dripping, a slow heartbeat of toms.
Track Caves(int rate) {
  Song song(rate, 76);
  const double bpm = song.bpm;
  const Instrument pad = PadOf(rate, 2.0, 600), glass = MalletOf(rate, 1.6);
  const Instrument drip = MalletOf(rate, 0.2), tom = TomOf(rate), bass = BassOf(rate, 350);

  const Wave drone = Part(rate, bpm, "D2+A2:16", pad);
  const Wave uneasy = Part(rate, bpm, "D2+Eb3:8 D2+A2+Eb3:8", pad);
  Wave drips = Part(rate, bpm, "r:2.75 A6:.25 r:5 D7:.25 r:3.75 F6:.25 r:4", drip, 0.6);
  snd::Echo(drips, 0.31, 0.55, 0.6, 3.0);
  Wave phrase = Part(rate, bpm, "D5:1 r:1 F5:.5 Eb5:.5 D5:2 r:2 A4:1 C5:1 Bb4:2 r:5", glass);
  snd::Echo(phrase, 0.47, 0.55, 0.55, 4.0);
  Wave answer = Part(rate, bpm, "A5:1 r:1 G5:.5 F5:.5 Eb5:2 r:2 D5:1 C5:1 D5:3 r:4", glass);
  snd::Echo(answer, 0.47, 0.55, 0.55, 4.0);
  const Wave heart = Part(rate, bpm, Times("D2:.5@.8 D2:.5@.5 r:3", 4), tom);
  const Wave pulse = Part(rate, bpm, "D2:2 r:2 Eb2:2 r:2 D2:2 r:2 C2:2 r:2", bass);

  Stereo still = song.Section();
  still.Mix(drone, 0, 0.5);
  still.Mix(drips, 0, 0.3, 0.6);
  Stereo voice = still;
  voice.Mix(phrase, 0, 0.35, -0.35);
  Stereo deeper = still;
  deeper.Mix(answer, 0, 0.35, 0.35);
  deeper.Mix(pulse, 0, 0.4);
  deeper.Mix(heart, 0, 0.45, -0.1);
  Stereo dread = song.Section();
  dread.Mix(uneasy, 0, 0.5);
  dread.Mix(heart, 0, 0.5);
  dread.Mix(drips, 0, 0.3, -0.6);

  for (const Stereo* section : {&still, &voice, &deeper, &voice, &dread, &deeper, &voice, &still})
    song.Then(*section, 4);
  Track track = song.Finish("Track02.ogg", "Caves Of Chaos");
  snd::Reverb(track.mix.l, 0.85, 0.5, 0.35);
  snd::Reverb(track.mix.r, 0.9, 0.45, 0.35);
  return track;
}

// "Egypt": a desert tune in the Hijaz mode on E (E F G# A B C D). A hand-drum groove of low
// strokes and dry rim taps, a plucked oud, a breathy reed with a slow vibrato over a drone.
Track Egypt(int rate) {
  Song song(rate, 100);
  const double bpm = song.bpm;
  const Instrument doum = TomOf(rate), tek = TekOf(rate, 31), oud = PluckOf(rate, 0.55);
  const Instrument ney = LeadOf(rate, Shape::kTriangle, 0.012), drone = PadOf(rate, 1.0, 700);

  const Wave low = Part(rate, bpm, Times("A1:1.5 A1:1 r:1.5", 4), doum);
  const Wave taps =
      Part(rate, bpm, Times("r:.5 x:.5@.6 r:.5 x:.5@.8 r:.5 x:.5@.6 x:.5@.5 x:.5", 4), tek);
  const Wave hum = Part(rate, bpm, "E2+B2:16", drone);
  const std::string tune =
      "E4:.5 F4:.5 G#4:.5 A4:.5 B4:1 A4:.5 G#4:.5 A4:.5 G#4:.5 F4:.5 E4:.5 F4:2 "
      "G#4:.5 A4:.5 B4:.5 C5:.5 D5:1 C5:.5 B4:.5 C5:.5 B4:.5 A4:.5 G#4:.5 E4:2";
  Wave strings = Part(rate, bpm, tune, oud);
  snd::Echo(strings, 0.3, 0.25, 0.2, 1.0);
  Wave reed = Part(rate, bpm, "B4:3 C5:1 B4:2 A4:2 G#4:3 A4:1 F4:2 E4:2", ney);
  snd::Echo(reed, 0.45, 0.3, 0.3, 2.0);
  const Wave lowOud = Part(rate, bpm, tune, oud, 1.0, -12.0);

  Stereo drums = song.Section();
  drums.Mix(low, 0, 0.55);
  drums.Mix(taps, 0, 0.35, 0.35);
  drums.Mix(hum, 0, 0.3);
  Stereo sung = drums;
  sung.Mix(strings, 0, 0.4, -0.3);
  Stereo blown = drums;
  blown.Mix(reed, 0, 0.3, 0.3);
  blown.Mix(lowOud, 0, 0.2, -0.4);
  Stereo both = sung;
  both.Mix(reed, 0, 0.25, 0.35);

  for (const Stereo* section :
       {&drums, &sung, &sung, &blown, &blown, &both, &both, &drums, &sung, &blown})
    song.Then(*section, 4);
  Track track = song.Finish("Track03.ogg", "Egypt");
  snd::Reverb(track.mix.l, 0.5, 0.5, 0.2);
  snd::Reverb(track.mix.r, 0.55, 0.5, 0.2);
  return track;
}

// "The Final Frontier": floating and spacious, in F Lydian. Slow pad chords that bloom and
// overlap, a glass arpeggio echoing across the stereo field, a soft sine voice and a deep hum.
Track Space(int rate) {
  Song song(rate, 66);
  const double bpm = song.bpm;
  const Instrument pad = PadOf(rate, 2.5, 1200), glass = MalletOf(rate, 1.2);
  const Instrument voice = LeadOf(rate, Shape::kSine, 0.008), hum = BassOf(rate, 220);

  const Wave chords =
      Part(rate, bpm, "F3+A3+C4+E4:8 G3+B3+D4+F#4:8 A3+C4+E4+G4:8 G3+B3+D4+A4:8", pad);
  const std::string arp = "F4:.5 A4:.5 C5:.5 E5:.5 G5:.5 E5:.5 C5:.5 A4:.5";
  Wave sparkle(rate, 0.0);
  const double transpose[] = {0, 2, 4, 2};
  for (int chord = 0; chord < 4; ++chord) {
    sparkle.Mix(Part(rate, bpm, Times(arp, 2), glass, 1.0, transpose[chord]), chord * 2 * song.bar);
  }
  snd::Echo(sparkle, 60.0 / bpm * 0.75, 0.5, 0.5, 4.0);
  const Wave deep = Part(rate, bpm, "F1:8 G1:8 A1:8 G1:8", hum);
  Wave line = Part(rate, bpm, "C5:6 B4:2 A4:4 D5:4 E5:6 D5:2 B4:8", voice);
  snd::Echo(line, 0.68, 0.45, 0.45, 4.0);
  const Wave stars = Part(rate, bpm, "r:3 C7:.25@.5 r:4.75 G6:.25@.4 r:7 E7:.25@.5 r:2.75", glass);

  Stereo drift = song.Section();
  drift.Mix(chords, 0, 0.45);
  drift.Mix(stars, 0, 0.3, 0.7);
  drift.Mix(stars, 16 * 60.0 / bpm, 0.3, -0.7);
  Stereo bloom = drift;
  bloom.Mix(sparkle, 0, 0.3, -0.45);
  Stereo full = bloom;
  full.Mix(deep, 0, 0.45);
  full.Mix(line, 0, 0.22, 0.3);

  song.Then(drift, 8);
  song.Then(bloom, 8);
  song.Then(full, 8);
  song.Then(full, 8);
  Track track = song.Finish("Track04.ogg", "The Final Frontier");
  snd::Reverb(track.mix.l, 0.95, 0.3, 0.45);
  snd::Reverb(track.mix.r, 0.97, 0.3, 0.45);
  return track;
}

// "The Machine!": tense and mechanical, in C minor with a diminished edge. A sixteenth-note
// ostinato that never lets go, pistons on every beat, metal struck on the off-beats, brass stabs
// and a siren when the fight is at its height.
Track Machine(int rate) {
  Song song(rate, 138);
  const double bpm = song.bpm;
  const Instrument kick = KickOf(rate, 1.2), metal = ClangOf(rate, 51), hat = HatOf(rate, 52, 0.03);
  const Instrument engine = BassOf(rate, 900), stab = BrassOf(rate), tom = TomOf(rate);
  const Instrument siren = LeadOf(rate, Shape::kSquare, 0.0);

  const std::string motor = "C2:.25 C2:.25 C3:.25 C2:.25 Eb2:.25 C2:.25 F#2:.25 G2:.25";
  Wave ostinato = Part(rate, bpm, Times(motor, 16), engine);
  snd::Saturate(ostinato, 1.8);
  const Wave pistons = Part(rate, bpm, Times("x x x x", 8), kick);
  Wave strikes = Part(rate, bpm, Times("r:.5 C5:.5 r:.5 C5:.5 r:.5 F#5:.5 r:.5 C5:.5", 8), metal);
  snd::HighPass(strikes, 300);
  const Wave ticks = Part(rate, bpm, Times("x:.25@.5 x:.25@.3 x:.25@.7 x:.25@.3", 32), hat);
  const Wave stabs =
      Part(rate, bpm, Times("C4+Eb4+F#4:.5 r:1.5 C4+Eb4+F#4:.25 r:.25 C4+Eb4+A4:.5 r:1", 8), stab);
  const Wave alarm = Part(rate, bpm, Times("G5:2 F#5:2", 8), siren);

  Stereo idle = song.Section();
  idle.Mix(Part(rate, bpm, Times(motor, 8), engine), 0, 0.45);
  idle.Mix(Part(rate, bpm, Times("x:.25@.5 x:.25@.3 x:.25@.7 x:.25@.3", 16), hat), 0, 0.25, 0.4);
  Stereo running = song.Section();
  running.Mix(ostinato, 0, 0.4);
  running.Mix(pistons, 0, 0.75);
  running.Mix(strikes, 0, 0.25, -0.45);
  running.Mix(ticks, 0, 0.22, 0.4);
  Stereo threat = running;
  threat.Mix(stabs, 0, 0.22, 0.2);
  Stereo alarmed = threat;
  alarmed.Mix(alarm, 0, 0.1, -0.2);
  Stereo gears = song.Section();
  gears.Mix(Part(rate, bpm, Times(motor, 8), BassOf(rate, 400)), 0, 0.5);
  gears.Mix(Part(rate, bpm, Times("C2:1 r:1 C2:.5 C2:.5 G1:1", 4), tom), 0, 0.5);
  gears.Mix(Part(rate, bpm, "r:12 x:.25 x:.25 x:.25 x:.25 x:.5 x:.5 x:1", kick), 0, 0.6);

  song.Then(idle, 4);
  song.Then(running, 8);
  song.Then(threat, 8);
  song.Then(alarmed, 8);
  song.Then(gears, 4);
  song.Then(running, 8);
  song.Then(threat, 8);
  song.Then(alarmed, 8);
  Track track = song.Finish("Track05.ogg", "The Machine!");
  snd::Reverb(track.mix.l, 0.3, 0.6, 0.12);
  snd::Reverb(track.mix.r, 0.32, 0.6, 0.12);
  return track;
}

// The finale: a bright, bouncing celebration in C major under the fireworks. A brass fanfare,
// plucked chords, a walking bass and a happy back beat.
Track Finale(int rate) {
  Song song(rate, 128);
  const double bpm = song.bpm;
  const Instrument kick = KickOf(rate, 0.9), snare = SnareOf(rate, 61), hat = HatOf(rate, 62, 0.04);
  const Instrument horns = BrassOf(rate), strum = PluckOf(rate, 0.8), bass = BassOf(rate, 1100);

  const std::string walk =
      "C2:.5 C3:.5 C2:.5 C3:.5 G1:.5 G2:.5 G1:.5 G2:.5 A1:.5 A2:.5 A1:.5 A2:.5 "
      "F1:.5 F2:.5 G1:.5 G2:.5";
  const Wave walking = Part(rate, bpm, Times(walk, 4), bass);
  const Wave beat = Part(rate, bpm, Times("x x x x", 8), kick);
  const Wave backbeat = Part(rate, bpm, Times("r x r x", 8), snare);
  const Wave hats = Part(rate, bpm, Times("x:.5@.5 x:.5@.8", 32), hat);
  const std::string fanfare =
      "C5:.5 E5:.5 G5:1 E5:.5 G5:.5 C6:1 G5:2 E5:2 "
      "A5:.5 G5:.5 F5:.5 E5:.5 D5:1 G5:1 E5:2 C5:2";
  const Wave tune = Part(rate, bpm, Times(fanfare, 2), horns);
  const Wave harmony = Part(rate, bpm, Times(fanfare, 2), horns, 1.0, -5.0);
  const std::string chords =
      "C4+E4+G4:.5 r:.5 C4+E4+G4:.5 r:.5 B3+D4+G4:.5 r:.5 B3+D4+G4:.5 r:.5 "
      "C4+E4+A4:.5 r:.5 C4+E4+A4:.5 r:.5 A3+C4+F4:.5 r:.5 B3+D4+G4:.5 r:.5";
  const Wave strums = Part(rate, bpm, Times(chords, 4), strum);

  Stereo start = song.Section();
  start.Mix(Part(rate, bpm, Times(walk, 2), bass), 0, 0.45);
  start.Mix(Part(rate, bpm, Times("x x x x", 4), kick), 0, 0.7);
  start.Mix(Part(rate, bpm, Times("x:.5@.5 x:.5@.8", 16), hat), 0, 0.25, 0.35);
  Stereo party = song.Section();
  party.Mix(walking, 0, 0.45);
  party.Mix(beat, 0, 0.7);
  party.Mix(backbeat, 0, 0.4, -0.1);
  party.Mix(hats, 0, 0.25, 0.35);
  party.Mix(tune, 0, 0.3, 0.15);
  Stereo chorus = party;
  chorus.Mix(strums, 0, 0.3, -0.4);
  chorus.Mix(harmony, 0, 0.18, 0.4);

  song.Then(start, 4);
  song.Then(party, 8);
  song.Then(chorus, 8);
  song.Then(party, 8);
  song.Then(chorus, 8);
  song.Then(start, 4);
  Track track = song.Finish("Track06.ogg", "Finale");
  snd::Reverb(track.mix.l, 0.45, 0.5, 0.15);
  snd::Reverb(track.mix.r, 0.5, 0.5, 0.15);
  return track;
}

}  // namespace

std::vector<Track> ComposeTracks(int nRate) {
  std::vector<Track> tracks;
  tracks.push_back(Factory(nRate));
  tracks.push_back(Caves(nRate));
  tracks.push_back(Egypt(nRate));
  tracks.push_back(Space(nRate));
  tracks.push_back(Machine(nRate));
  tracks.push_back(Finale(nRate));
  return tracks;
}

}  // namespace music
