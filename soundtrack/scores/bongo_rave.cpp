// "Bongo Rave": a dance groove in A minor driven by bongos and congas. Hand drums open over a soft
// pad, the four-on-the-floor kick and the bass join, brass stabs and a saw lead bring the hook, a hand-drum
// break lets the percussion speak, and the full groove returns before the layers peel away.
#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

enum Channel { kBass, kPad, kBrass, kLead, kPiano, kOrgan };

// GM percussion keys.
constexpr int kKick = 36, kClap = 39, kSnare = 38, kClosedHat = 42, kOpenHat = 46, kCrash = 49;
constexpr int kHiBongo = 60, kLoBongo = 61, kMuteConga = 62, kOpenConga = 63, kLoConga = 64;
constexpr int kHiTimbale = 65, kLoTimbale = 66, kCowbell = 56, kShaker = 70, kClaves = 75;

// How much of the kit plays in a stretch of bars.
struct Kit {
  bool hands = true;  // bongos and congas
  bool kick = false;
  bool hats = false;
  bool clap = false;
  bool cowbell = false;
};

void hand_drums(Score& s, double beat, int bars, int variation) {
  static const char* kHiBongoBars[] = {"x.o.-ox.o-x.o.ox", "x.o.o.x.-ox.o.xo", "xo-ox.o.xo-ox.oo"};
  static const char* kLoBongoBars[] = {"--x---o-x---o--.", "--x-o---x---o-x-", "-x--o-x--x--o-x-"};
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    const int v = (bar + variation) % 3;
    s.grid(kDrums, kHiBongo, at, kHiBongoBars[v]);
    s.grid(kDrums, kLoBongo, at, kLoBongoBars[v]);
    s.grid(kDrums, kMuteConga, at, "o-.-o-.-o-.-o-.-");
    s.grid(kDrums, kOpenConga, at, bar % 2 == 0 ? "------x-----x-x-" : "----x-x-----x-xx");
    s.grid(kDrums, kLoConga, at, bar % 4 == 3 ? "x------x-x--x.xx" : "x------x-x------");
    s.grid(kDrums, kShaker, at, "o.o.o.o.o.o.o.o.");
  }
}

void kit(Score& s, double beat, int bars, const Kit& k, int variation = 0) {
  if (k.hands) hand_drums(s, beat, bars, variation);
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    if (k.kick) s.grid(kDrums, kKick, at, "x---x---x---x---");
    if (k.hats) s.grid(kDrums, kClosedHat, at, ".-o.-.o.-.o.-.o.");
    if (k.hats && k.clap) s.grid(kDrums, kOpenHat, at, "--o---o---o---o-");
    if (k.clap) s.grid(kDrums, kClap, at, "----x-------x---");
    if (k.cowbell) s.grid(kDrums, kCowbell, at, "x--o--x---o-x-o-");
    if (k.cowbell) s.grid(kDrums, kClaves, at, "x--x---x--x-x---");
  }
  // A timbale fill closes every eighth bar.
  for (int bar = 7; bar < bars; bar += 8) {
    const double at = beat + bar * 4;
    s.grid(kDrums, kHiTimbale, at, "--------x-x-xxo-");
    s.grid(kDrums, kLoTimbale, at, "------------o-xx");
  }
}

// The synth bass riff: syncopated roots and octaves, one chord per bar.
void bass(Score& s, double beat, const Progression& chords, Humanizer& feel) {
  bass_line(s, kBass, beat, chords, 4, 33,
            {{0, 0.45, 0}, {0.75, 0.2, 0}, {1.5, 0.45, 12}, {2.5, 0.45, 0}, {3, 0.2, 10}, {3.5, 0.4, 7}}, 104,
            feel);
}

const char* kHook =
    "a4:.75 c5:.75 e5:.5 d5:1 c5:.5 b4:.5 a4:1.5 g4:.5 a4:2 "
    "a4:.75 c5:.75 e5:.5 g5:1 e5:.5 d5:.5 e5:4 "
    "f5:.75 e5:.75 c5:.5 a4:1 g4:1 e5:.75 d5:.75 c5:.5 b4:1 g4:1 "
    "a4:.75 b4:.75 c5:.5 e5:1 d5:1 a4:4";
const char* kAnswer =
    "e5:1.5 d5:.5 c5:1 a4:1 g4:.5 a4:.5 c5:1 d5:2 e5:1.5 g5:.5 e5:1 d5:1 c5:4 "
    "f5:1.5 e5:.5 d5:1 c5:1 b4:.5 c5:.5 d5:1 e5:2 a5:1.5 g5:.5 e5:1 d5:1 e5:4";

}  // namespace

Score bongo_rave(double seconds) {
  Score s;
  Humanizer feel(1);
  s.program(kBass, 38);
  s.program(kPad, 89);
  s.program(kBrass, 61);
  s.program(kLead, 81);
  s.program(kPiano, 4);
  s.program(kOrgan, 17);
  s.mix(kBass, 112, 64, 20);
  s.mix(kPad, 70, 64, 90);
  s.mix(kBrass, 92, 44, 50);
  s.mix(kLead, 124, 76, 50);
  s.mix(kPiano, 84, 88, 50);
  s.mix(kOrgan, 76, 36, 50);
  s.mix(kDrums, 118, 64, 30);

  const Progression vamp = {"Am7", "Am7", "D9", "D9"};
  const Progression lift = {"Fmaj7", "G", "Em7", "Am7"};
  double at = 0;

  // Intro: the hand drums under a soft pad, then the kick and the bass come in.
  kit(s, at, 4, {});
  kit(s, at + 16, 4, {true, true, false, false, false}, 1);
  hold_chords(s, kPad, at, {"Am7", "Am7", "D9", "D9", "Am7", "Am7", "D9", "D9"}, 4, 57, 56);
  bass_line(s, kBass, at + 16, {"Am7", "Am7", "D9", "D9"}, 4, 33, {{0, 0.45, 0}, {2.5, 0.45, 0}}, 84, feel);
  at += 32;

  // Groove A: kick, hats, claps and the bass under the electric piano's offbeat chords.
  kit(s, at, 16, {true, true, true, true, false});
  s.note(kDrums, at, 1, kCrash, 100);
  for (int i = 0; i < 4; ++i) bass(s, at + 16.0 * i, vamp, feel);
  for (int i = 0; i < 4; ++i) {
    comp(s, kPiano, at + 16.0 * i, vamp, 4, 57,
         {{0.5, 0.3, 0}, {1.5, 0.3, -6}, {2.75, 0.3, 0}, {3.5, 0.3, -6}}, 70, feel);
  }
  at += 64;

  // Section B: the lift, brass stabs, and the saw lead's hook.
  kit(s, at, 16, {true, true, true, true, true}, 1);
  s.note(kDrums, at, 1, kCrash, 110);
  for (int i = 0; i < 4; ++i) {
    bass(s, at + 16.0 * i, lift, feel);
    hold_chords(s, kPad, at + 16.0 * i, lift, 4, 57, 46);
    comp(s, kBrass, at + 16.0 * i, lift, 4, 60, {{0, 0.25, 8}, {0.75, 0.25, 0}, {2.5, 0.5, 4}}, 84, feel);
  }
  s.melody(kLead, at, kHook, 96);
  s.melody(kLead, at + 32, kHook, 100);
  at += 64;

  // Break: the drum kit and bass drop out; the hands talk over the pad.
  kit(s, at, 8, {}, 2);
  hold_chords(s, kPad, at, {"Am7", "Am7", "Fmaj7", "G", "Am7", "Am7", "Fmaj7", "E7"}, 4, 57, 68);
  bass_line(s, kBass, at, {"Am7", "Am7", "Fmaj7", "G", "Am7", "Am7", "Fmaj7", "E7"}, 4, 33, {{0, 1.9, 0}}, 82,
            feel);
  s.melody(kOrgan, at + 16, "e5:.5 r:1 e5:.5 g5:.5 r:1 a5:.5 r:4 e5:.5 r:1 e5:.5 d5:.5 r:1 c5:.5 b4:4", 70);
  at += 32;

  // Build: a snare roll that thickens, the bass hammers the dominant.
  for (int bar = 0; bar < 4; ++bar) {
    s.grid(kDrums, kSnare, at + bar * 4, bar < 2 ? "x-o-x-o-x-o-x-o-" : "xoxoxoxoxoxoxoxo");
    s.grid(kDrums, kKick, at + bar * 4, "x---x---x---x---");
    for (int i = 0; i < 8; ++i) s.note(kBass, at + bar * 4 + i * 0.5, 0.4, 40, 90 + bar * 6);
  }
  hand_drums(s, at, 4, 0);
  s.ramp(kPad, at, 16, 60, 127);
  hold_chords(s, kPad, at, {"E7", "E7", "E7", "E7"}, 4, 56, 60);
  at += 16;

  // Groove A': everything, the lead answers over the vamp, the organ stabs.
  kit(s, at, 16, {true, true, true, true, true}, 2);
  s.note(kDrums, at, 1, kCrash, 118);
  for (int i = 0; i < 4; ++i) {
    bass(s, at + 16.0 * i, vamp, feel);
    comp(s, kOrgan, at + 16.0 * i, vamp, 4, 57, {{0.5, 0.25, 0}, {2.5, 0.25, 0}}, 76, feel);
  }
  s.melody(kLead, at, kAnswer, 96);
  s.melody(kLead, at + 32, kAnswer, 100, 12);
  at += 64;

  // Section B': the hook again, brass doubling the lead an octave down.
  kit(s, at, 16, {true, true, true, true, true}, 0);
  s.note(kDrums, at, 1, kCrash, 118);
  for (int i = 0; i < 4; ++i) {
    bass(s, at + 16.0 * i, lift, feel);
    hold_chords(s, kPad, at + 16.0 * i, lift, 4, 57, 50);
    comp(s, kPiano, at + 16.0 * i, lift, 4, 60,
         {{0.5, 0.3, 0}, {1.5, 0.3, -6}, {2.75, 0.3, 0}, {3.5, 0.3, -6}}, 72, feel);
  }
  s.melody(kLead, at, kHook, 100);
  s.melody(kBrass, at, kHook, 86, -12);
  s.melody(kLead, at + 32, kHook, 104);
  s.melody(kBrass, at + 32, kHook, 90, -12);
  at += 64;

  // Conga breakdown: call and response between the conga voices over the kick.
  for (int bar = 0; bar < 8; ++bar) {
    const double b = at + bar * 4;
    s.grid(kDrums, kKick, b, "x---x---x---x---");
    s.grid(kDrums, bar % 2 == 0 ? kOpenConga : kLoConga, b,
           bar % 2 == 0 ? "x-x-o-x---x-o-x-" : "x---x-o-x-xox---");
    s.grid(kDrums, kHiBongo, b, "o.o.x.o.o.o.x.oo");
    s.grid(kDrums, kShaker, b, "o.o.o.o.o.o.o.o.");
  }
  bass_line(s, kBass, at, {"Am7", "Am7", "Am7", "Am7", "Fmaj7", "Fmaj7", "E7", "E7"}, 4, 33,
            {{0, 0.45, 0}, {2.5, 0.45, 0}}, 96, feel);
  hold_chords(s, kPad, at, {"Am7", "Am7", "Am7", "Am7", "Fmaj7", "Fmaj7", "E7", "E7"}, 4, 57, 60);
  at += 32;

  // Final groove: full band, hook and answer together.
  kit(s, at, 16, {true, true, true, true, true}, 1);
  s.note(kDrums, at, 1, kCrash, 120);
  for (int i = 0; i < 4; ++i) {
    bass(s, at + 16.0 * i, i % 2 == 0 ? vamp : lift, feel);
    hold_chords(s, kPad, at + 16.0 * i, i % 2 == 0 ? vamp : lift, 4, 57, 50);
    comp(s, kBrass, at + 16.0 * i, i % 2 == 0 ? vamp : lift, 4, 60,
         {{0, 0.25, 8}, {0.75, 0.25, 0}, {2.5, 0.5, 4}}, 82, feel);
  }
  s.melody(kLead, at, kAnswer, 100);
  s.melody(kLead, at + 32, kHook, 104);
  at += 64;

  // Outro: the kit thins out bar by bar, the hands finish alone on a held A minor chord.
  kit(s, at, 4, {true, true, true, false, false}, 2);
  bass_line(s, kBass, at, {"Am7", "Am7", "D9", "D9"}, 4, 33, {{0, 0.45, 0}, {1.5, 0.45, 12}, {2.5, 0.45, 0}},
            90, feel);
  hold_chords(s, kPad, at, {"Am7", "Am7", "D9", "D9"}, 4, 57, 46);
  at += 16;
  hand_drums(s, at, 3, 1);
  hold_chords(s, kPad, at, {"Fmaj7", "E7", "E7"}, 4, 57, 46);
  at += 12;
  s.grid(kDrums, kHiBongo, at, "xoxoxoxo--------");
  s.grid(kDrums, kLoConga, at, "--------x-------");
  s.note(kDrums, at + 2, 2, kCrash, 110);
  s.chord(kBrass, at + 2, 2, {57, 60, 64, 69}, 96);
  s.chord(kPad, at + 2, 2, {45, 57, 60, 64}, 60);
  s.note(kBass, at + 2, 2, 33, 100);
  at += 4;

  fit_tempo(s, at, seconds, 3.0, {{0, 1.0}});
  return s;
}

}  // namespace ventora::soundtrack
