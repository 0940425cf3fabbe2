// "Cat Circus": a playful big-top galop in C. A drum roll and a chromatic xylophone run raise the
// curtain; the calliope struts over the tuba's oom-pah; the clarinet and trombone clown about; a
// lyrical trio in F lets the trumpet show off; the galop returns and a ta-da chord takes a bow.
#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

enum Channel { kCalliope, kTuba, kHorns, kXylophone, kClarinet, kTrombone, kTrumpet, kGlock };

constexpr int kSnare = 38, kKick = 36, kCrash = 49, kCymbal = 57, kWoodBlock = 76;

// Oom-pah: tuba on the beats 1 and 3 (root, fifth), horns on the offbeat chords 2 and 4.
void oom_pah(Score& s, double beat, const Progression& chords, Humanizer& feel) {
  bass_line(s, kTuba, beat, chords, 4, 36, {{0, 0.8, 0}, {2, 0.8, 7}}, 100, feel);
  comp(s, kHorns, beat, chords, 4, 55, {{1, 0.5, 0}, {3, 0.5, 0}}, 72, feel);
}

void march_drums(Score& s, double beat, int bars, bool cymbals) {
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    s.grid(kDrums, kKick, at, "x-------x-------");
    s.grid(kDrums, kSnare, at, bar % 4 == 3 ? "----x-x-x.x.xoxx" : "----x-.-----x-.-");
    if (cymbals) s.grid(kDrums, kCymbal, at, "x-------x-------");
  }
}

const char* kStrut =
    "e5:.5 d#5:.5 e5:.5 g5:.5 c6:1 g5:1 a5:.5 g#5:.5 a5:.5 c6:.5 e6:2 "
    "d6:.5 c#6:.5 d6:.5 b5:.5 g5:1 f5:1 e5:.5 d#5:.5 e5:.5 d5:.5 c5:2 "
    "e5:.5 d#5:.5 e5:.5 g5:.5 c6:1 g5:1 a5:.5 b5:.5 c6:.5 d6:.5 e6:2 "
    "f6:.5 e6:.5 d6:.5 b5:.5 g5:.5 a5:.5 b5:.5 d6:.5 c6:1 g5:1 c6:2";
const char* kClown =
    "g4:.5 r:.5 g4:.5 r:.5 a4:.5 g4:.5 e4:1 f4:.5 r:.5 f4:.5 r:.5 g4:.5 f4:.5 d4:1 "
    "e4:.25 f4:.25 g4:.25 a4:.25 b4:.25 c5:.25 d5:.25 e5:.25 f5:1 r:1 "
    "e5:.5 d5:.5 c5:.5 b4:.5 a4:.5 g4:.5 f4:.5 d4:.5 "
    "g4:.5 r:.5 g4:.5 r:.5 a4:.5 g4:.5 e4:1 f4:.5 r:.5 f4:.5 r:.5 g4:.5 f4:.5 d4:1 "
    "g5:.25 f#5:.25 f5:.25 e5:.25 d#5:.25 d5:.25 c#5:.25 c5:.25 b4:1 r:1 "
    "g4:1 b4:1 d5:1 f5:1";
const char* kTrioFirst =
    "a4:2 c5:1 f5:1 e5:2 d5:2 c5:1.5 bb4:.5 a4:1 g4:1 a4:4 "
    "bb4:2 d5:1 f5:1 a5:2 g5:2 f5:1.5 e5:.5 d5:1 e5:1 c5:4";
const char* kTrioSecond =
    "a4:2 c5:1 f5:1 e5:2 d5:2 c5:1.5 d5:.5 e5:1 f5:1 g5:4 "
    "a5:1.5 g5:.5 f5:1 d5:1 c5:2 a4:2 bb4:2 g4:2 f4:4";

}  // namespace

Score cat_circus(double seconds) {
  Score s;
  Humanizer feel(2);
  const int programs[] = {82, 58, 60, 13, 71, 57, 56, 9};
  for (int ch = 0; ch < 8; ++ch) s.program(ch, programs[ch]);
  s.mix(kCalliope, 122, 64, 40);
  s.mix(kTuba, 110, 56, 30);
  s.mix(kHorns, 80, 76, 50);
  s.mix(kXylophone, 96, 88, 40);
  s.mix(kClarinet, 100, 40, 40);
  s.mix(kTrombone, 100, 30, 40);
  s.mix(kTrumpet, 100, 70, 50);
  s.mix(kGlock, 80, 96, 60);
  s.mix(kDrums, 110, 64, 30);

  double at = 0;
  // Curtain: a snare roll, the xylophone runs up two octaves, the cymbal opens the show.
  for (int i = 0; i < 48; ++i) s.note(kDrums, at + i * 0.25, 0.25, kSnare, 40 + i * 3 / 2);
  s.melody(kXylophone, at + 8,
           "c5:.125 d5:.125 e5:.125 f5:.125 g5:.125 a5:.125 b5:.125 c6:.125 "
           "d6:.125 e6:.125 f6:.125 g6:.125 a6:.125 b6:.125 c7:.25",
           100);
  s.chord(kHorns, at + 12, 1, {55, 60, 64, 67}, 110);
  s.note(kTuba, at + 12, 1, 36, 115);
  s.note(kDrums, at + 12, 2, kCrash, 120);
  s.melody(kTrombone, at + 13, "g3:.5 r:.5 g2:1 r:1", 100);
  at += 16;

  // A: the calliope's strut.
  const Progression strut = {"C", "C", "G7", "C", "C", "C/E", "G7", "C",
                             "C", "C", "G7", "C", "C", "C/E", "G7", "C"};
  oom_pah(s, at, strut, feel);
  march_drums(s, at, 16, true);
  s.melody(kCalliope, at, kStrut, 96);
  s.melody(kCalliope, at + 32, kStrut, 100);
  s.melody(kGlock, at + 32, kStrut, 64, 12);
  at += 64;

  // B: the clowns; clarinet and trombone trade tumbling figures, wood blocks tick.
  const Progression clowns = {"C", "G7", "C", "G7", "C", "G7", "Dm", "G7"};
  oom_pah(s, at, clowns, feel);
  march_drums(s, at, 8, false);
  for (int bar = 0; bar < 8; ++bar) s.grid(kDrums, kWoodBlock, at + bar * 4, "x-o-x-o-x-o-xoxo");
  s.melody(kClarinet, at, kClown, 100);
  s.melody(kTrombone, at + 4, "c3:.5 r:1.5 b2:.5 r:1.5", 90);
  s.melody(kTrombone, at + 20, "c3:.5 r:1.5 g2:.5 r:1.5", 90);
  at += 32;

  // A': the strut again, xylophone doubling.
  oom_pah(s, at, {"C", "C", "G7", "C", "F", "C/E", "G7", "C"}, feel);
  march_drums(s, at, 8, true);
  s.melody(kCalliope, at, kStrut, 100);
  s.melody(kXylophone, at, kStrut, 80);
  at += 32;

  // Trio in F: the trumpet sings, the tuba steps lightly, no cymbals.
  const Progression trio = {"F", "C7", "F", "F", "Bb", "F",  "C7", "F",
                            "F", "C7", "F", "C", "F",  "Bb", "C7", "F"};
  bass_line(s, kTuba, at, trio, 4, 29, {{0, 0.8, 0}, {2, 0.8, 7}}, 90, feel);
  comp(s, kHorns, at, trio, 4, 53, {{1, 0.5, 0}, {3, 0.5, 0}}, 62, feel);
  s.melody(kTrumpet, s.melody(kTrumpet, at, kTrioFirst, 98), kTrioSecond, 102);
  s.melody(kClarinet, at + 32, kTrioSecond, 78, -12);
  for (int bar = 0; bar < 16; ++bar) s.grid(kDrums, kSnare, at + bar * 4, "----o-------o---");
  at += 64;

  // A'': a drum break into the last strut, everyone in.
  march_drums(s, at, 1, false);
  s.grid(kDrums, kSnare, at, "xoxoxoxox-x-x-x-");
  s.melody(kTuba, at, "c2:.5 d2:.5 e2:.5 f2:.5 g2:2", 110);
  at += 4;
  oom_pah(s, at, {"C", "C", "G7", "C", "F", "C/E", "G7", "C"}, feel);
  march_drums(s, at, 8, true);
  s.melody(kCalliope, at, kStrut, 104);
  s.melody(kTrumpet, at, kStrut, 84, -12);
  s.melody(kXylophone, at, kStrut, 84);
  at += 32;

  // Coda: stop-time stabs, a last run, and the ta-da.
  for (int i = 0; i < 3; ++i) {
    s.chord(kHorns, at + i * 2, 0.4, {55, 59, 62, 65}, 100);
    s.note(kTuba, at + i * 2, 0.4, 31, 110);
    s.note(kDrums, at + i * 2, 0.4, kSnare, 110);
  }
  s.melody(kXylophone, at + 6, "g5:.125 a5:.125 b5:.125 c6:.125 d6:.125 e6:.125 f6:.125 g6:.125", 100);
  at += 7;
  s.chord(kHorns, at, 3, {48, 55, 60, 64, 67}, 118);
  s.chord(kCalliope, at, 3, {72, 76, 79, 84}, 100);
  s.chord(kTrumpet, at, 3, {72, 76}, 100);
  s.note(kTuba, at, 3, 24, 118);
  s.note(kDrums, at, 3, kCrash, 124);
  s.note(kDrums, at, 1, kKick, 124);
  at += 4;

  fit_tempo(s, at, seconds, 2.5, {{0, 1.0}, {at - 11, 0.9}});
  return s;
}

}  // namespace ventora::soundtrack
