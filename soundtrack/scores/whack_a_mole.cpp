// "Whack a Mole": a fast, comic, staccato romp in G minor. Wood blocks tick, the xylophone's moles pop
// up between rests and get whacked on the offbeat; the bassoon waddles through a bouncy tune in B flat
// over plucked strings; the moles return with the piccolo; a chase speeds up to one last bonk.
#include <algorithm>

#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

enum Channel { kXylophone, kPizz, kBassoon, kPiccolo, kTuba, kBrass };

constexpr int kSnare = 38, kKick = 36, kCrash = 49, kHiBlock = 76, kLoBlock = 77, kVibraslap = 58,
              kTriangle = 81, kMuteTriangle = 80, kClaves = 75;

const char* kMoles =
    "g5:.5 r:.5 bb5:.5 r:.5 d6:.5 r:.5 bb5:.5 g5:.5 a5:.5 r:.5 f#5:.5 r:.5 d5:1 r:1 "
    "g5:.5 g5:.5 a5:.5 bb5:.5 c6:.5 r:.5 d6:.5 r:.5 g5:.5 r:.5 d5:.5 r:.5 g4:1 r:1 "
    "eb6:.5 r:.5 c6:.5 r:.5 g5:.5 r:.5 eb5:.5 g5:.5 d6:.5 r:.5 bb5:.5 r:.5 g5:1 r:1 "
    "f#5:.25 g5:.25 a5:.25 bb5:.25 c6:.25 d6:.25 eb6:.25 f#6:.25 a6:.5 r:.5 d6:.5 r:.5 "
    "g6:.5 r:.5 d6:.5 r:.5 g5:.5 r:1.5";
// The moles the second time round: they pop up off the beat and in another order, run down from the
// top, and the last bar climbs to the high G instead of dropping to the low one.
const char* kMolesAgain =
    "r:.5 g5:.5 r:.5 bb5:.5 r:.5 d6:.5 g6:.5 r:.5 f#6:.5 r:.5 d6:.5 a5:.5 f#5:.5 r:.5 d5:.5 r:.5 "
    "bb5:.25 a5:.25 g5:.5 r:.5 bb5:.25 c6:.25 d6:.5 r:.5 g6:.5 r:.5 "
    "d6:.5 r:.5 bb5:.5 r:.5 g5:.5 d5:.5 g4:.5 r:.5 "
    "c6:.5 r:.5 eb6:.5 r:.5 g6:.5 r:.5 eb6:.5 c6:.5 bb5:.5 r:.5 d6:.5 r:.5 g6:1 r:1 "
    "a6:.25 f#6:.25 d6:.25 c6:.25 a5:.25 f#5:.25 d5:.25 c5:.25 f#5:.5 r:.5 a5:.5 r:.5 "
    "g5:.5 r:.5 bb5:.5 d6:.5 g6:.5 r:1.5";
const char* kWaddle =
    "bb3:1 d4:.5 f4:.5 bb4:1 r:1 a4:.5 g4:.5 f4:.5 eb4:.5 c4:1 r:1 "
    "d4:1 f4:.5 bb4:.5 d5:1 c5:.5 bb4:.5 bb4:1 f4:1 bb3:1 r:1 "
    "eb4:1 g4:.5 bb4:.5 eb5:1 r:1 d5:.5 c5:.5 bb4:.5 a4:.5 bb4:1 r:1 "
    "c5:.5 a4:.5 f4:.5 eb4:.5 c4:.5 a3:.5 f3:1 bb3:2 r:2 "
    "g4:.5 r:.5 g4:.5 a4:.5 bb4:1 g4:1 c5:.5 r:.5 c5:.5 bb4:.5 a4:1 g4:1 "
    "f4:.5 g4:.5 a4:.5 bb4:.5 c5:.5 d5:.5 eb5:1 d5:2 r:2 "
    "eb5:.5 d5:.5 c5:.5 bb4:.5 g4:1 eb4:1 c4:.5 d4:.5 eb4:.5 g4:.5 c5:1 bb4:1 "
    "a4:.5 f#4:.5 d4:.5 f#4:.5 a4:1 c5:1 d5:.25 c5:.25 bb4:.25 a4:.25 g4:.25 f#4:.25 e4:.25 d4:.25 r:2";

// Every note on the channel cut short: the bounce of the piece.
void staccato(Score& s, int channel, double beats) {
  for (NoteEvent& n : s.notes) {
    if (n.channel == channel) n.beats = std::min(n.beats, beats);
  }
}

// Plucked oom-chick: bass on 1 and 3, chord on 2 and 4.
void pluck(Score& s, double beat, const Progression& chords, Humanizer& feel) {
  bass_line(s, kPizz, beat, chords, 4, 31, {{0, 0.3, 0}, {2, 0.3, 7}}, 96, feel);
  comp(s, kPizz, beat, chords, 4, 55, {{1, 0.3, 0}, {3, 0.3, 0}}, 74, feel);
}

// Tick-tock blocks; every second bar a whack on the offbeat after the mole pops up.
void blocks(Score& s, double beat, int bars, bool whacks) {
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    s.grid(kDrums, kHiBlock, at, "x-o-x-o-x-o-x-o-");
    s.grid(kDrums, kLoBlock, at, "--o---o---o---o-");
    s.grid(kDrums, kKick, at, "x-------x-------");
    if (whacks && bar % 2 == 1) {
      s.grid(kDrums, kSnare, at, "------X-----X---");
      s.note(kDrums, at + 3.5, 0.25, kClaves, 100);
    }
  }
}

}  // namespace

Score whack_a_mole(double seconds) {
  Score s;
  Humanizer feel(6);
  s.program(kXylophone, 13);
  s.program(kPizz, 45);
  s.program(kBassoon, 70);
  s.program(kPiccolo, 72);
  s.program(kTuba, 58);
  s.program(kBrass, 61);
  s.mix(kXylophone, 127, 74, 40);
  s.mix(kPizz, 82, 54, 40);
  s.mix(kBassoon, 110, 40, 40);
  s.mix(kPiccolo, 84, 92, 50);
  s.mix(kTuba, 100, 60, 30);
  s.mix(kBrass, 90, 70, 40);
  s.mix(kDrums, 104, 64, 30);

  const Progression moles = {"Gm", "D7", "Gm", "Gm", "Cm", "Gm", "D7", "Gm"};
  const Progression waddle = {"Bb", "F7", "Bb", "Bb", "Eb", "Bb", "F7", "Bb",
                              "Gm", "Cm", "F7", "Bb", "Eb", "Cm", "D7", "D7"};
  double at = 0;

  // Intro: tick-tock, and something sneaks up chromatically in the pizzicato.
  blocks(s, at, 4, false);
  s.melody(kPizz, at,
           "d3:.5 r:.5 d#3:.5 r:.5 e3:.5 r:.5 f3:.5 r:.5 f#3:.5 r:.5 g3:.5 r:.5 "
           "g#3:.5 r:.5 a3:.5 r:.5 bb3:.5 r:.5 b3:.5 r:.5 c4:.5 r:.5 c#4:.5 r:.5 d4:1 r:3",
           90);
  s.note(kDrums, at + 14, 1, kVibraslap, 100);
  at += 16;

  // A: the moles pop up on the xylophone, the tuba and strings bounce underneath.
  for (int half = 0; half < 2; ++half) {
    pluck(s, at, moles, feel);
    bass_line(s, kTuba, at, moles, 4, 31, {{0, 0.3, 0}, {2, 0.3, 7}}, 90, feel);
    blocks(s, at, 8, true);
    s.melody(kXylophone, at, half == 0 ? kMoles : kMolesAgain, 100);
    at += 32;
  }

  // B: the bassoon's waddle in B flat, a triangle ticks and now and then rings.
  pluck(s, at, waddle, feel);
  s.melody(kBassoon, at, kWaddle, 104);
  for (int bar = 0; bar < 16; ++bar) {
    s.grid(kDrums, kMuteTriangle, at + bar * 4, "--.---.---.---.-");
    if (bar % 4 == 0) s.note(kDrums, at + bar * 4, 1, kTriangle, 70);
    s.grid(kDrums, kKick, at + bar * 4, "x-------x-------");
  }
  s.melody(kXylophone, at + 28, "d6:.25 c6:.25 bb5:.25 a5:.25 g5:.25 f5:.25 e5:.25 d5:.25", 90);
  s.melody(kXylophone, at + 60, "a5:.25 bb5:.25 c6:.25 d6:.25 eb6:.25 f#6:.25 g6:.25 a6:.25", 90);
  at += 64;

  // A': the moles again, piccolo doubling, every whack now with a brass stab.
  for (int half = 0; half < 2; ++half) {
    pluck(s, at, moles, feel);
    bass_line(s, kTuba, at, moles, 4, 31, {{0, 0.3, 0}, {2, 0.3, 7}}, 96, feel);
    blocks(s, at, 8, true);
    const char* moles_now = half == 0 ? kMoles : kMolesAgain;
    s.melody(kXylophone, at, moles_now, 104);
    s.melody(kPiccolo, at, moles_now, 84, 12);
    for (int bar = 1; bar < 8; bar += 2) {
      s.chord(kBrass, at + bar * 4 + 1.5, 0.25, {55, 58, 62}, 96);
      s.chord(kBrass, at + bar * 4 + 3, 0.25, {54, 57, 60, 62}, 96);
    }
    s.note(kDrums, at, 1, kCrash, 100);
    at += 32;
  }

  // Coda: the chase, chromatic runs climbing as the tempo pushes, then the last bonk.
  const Progression chase = {"Gm", "D7", "Gm", "D7", "Cm", "D7"};
  pluck(s, at, chase, feel);
  blocks(s, at, 6, true);
  for (int bar = 0; bar < 6; ++bar) {
    const int start = 67 + bar;
    for (int i = 0; i < 8; ++i) s.note(kXylophone, at + bar * 4 + i * 0.5, 0.2, start + i, 90 + bar * 4);
  }
  s.melody(kBassoon, at, "g3:2 d3:2 g3:2 d3:2 g3:1 a3:1 bb3:1 b3:1 c4:2 a3:2 d4:1 c4:1 bb3:1 a3:1 d3:4", 100);
  at += 24;
  s.grid(kDrums, kSnare, at, "xxxxXXXX--------");
  s.melody(kXylophone, at, "d6:.25 c6:.25 bb5:.25 a5:.25 g5:.25 f#5:.25 e5:.25 d5:.25", 100);
  at += 2;
  s.chord(kBrass, at, 0.3, {43, 55, 58, 62, 67}, 120);
  s.chord(kPizz, at, 0.3, {43, 55, 58, 62}, 110);
  s.note(kTuba, at, 0.3, 31, 120);
  s.note(kBassoon, at, 0.3, 43, 110);
  s.chord(kXylophone, at, 0.3, {67, 79}, 110);
  s.note(kDrums, at, 2, kCrash, 120);
  s.note(kDrums, at, 0.5, kKick, 120);
  s.note(kDrums, at + 1, 1, kVibraslap, 90);
  at += 2;

  staccato(s, kXylophone, 0.22);
  staccato(s, kBassoon, 0.35);
  fit_tempo(s, at, seconds, 2.5, {{0, 1.0}, {at - 28, 1.06}, {at - 12, 1.12}});
  return s;
}

}  // namespace ventora::soundtrack
