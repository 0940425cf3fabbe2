// "Summer Thyme": a light bossa in G. The nylon guitar sets the sway alone; the flute sings the sunny
// tune over rim, kick and hat; the bridge lifts to C with the vibraphone, ride and congas; the strings
// join the last verse with vibes on the tune, maracas and tambourine, and the flute floating above; a
// short outro thins to shaker and triangle and sways to a soft G major ninth.
#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

enum Channel { kGuitar, kFlute, kBass, kVibes, kStrings };

constexpr int kKick = 36, kRim = 37, kHat = 42, kRide = 51, kTambourine = 54, kOpenConga = 63, kLowConga = 64,
              kShaker = 69, kMaracas = 70, kTriangle = 81;

const Progression kVerse = {"Gmaj7", "Gmaj7", "Am7",   "D7",  "Bm7", "E7", "Am7", "D7",
                            "Gmaj7", "Gmaj7", "Cmaj7", "Cm6", "Bm7", "E7", "Am7", "D7"};
const Progression kBridge = {"Cmaj7", "Cmaj7", "Bm7", "Bm7", "Am7", "D7",  "Gmaj7", "E7",
                             "Cmaj7", "Cmaj7", "Bm7", "E7",  "Am7", "Am7", "D7",    "D7"};

const char* kTune =
    "d5:1.5 b4:.5 g4:1 a4:1 b4:3 r:1 c5:1.5 a4:.5 e5:1 d5:1 c5:2 a4:2 "
    "d5:1.5 b4:.5 f#5:1 e5:1 d5:2 b4:2 c5:1 e5:1 a5:1 g5:1 f#5:3 r:1 "
    "g5:1.5 f#5:.5 e5:1 d5:1 b4:3 d5:1 e5:1.5 d5:.5 c5:1 b4:1 a4:2 eb5:2 "
    "d5:1.5 c5:.5 b4:1 a4:1 g#4:2 b4:2 a4:1 c5:1 e5:1 g5:1 f#5:2 a5:2";
const char* kLift =
    "e5:2 g5:1 b5:1 a5:3 g5:1 f#5:2 d5:1 b4:1 a4:4 c5:1.5 e5:.5 a5:1 g5:1 f#5:2 c5:2 "
    "b4:1 d5:1 g5:1 b5:1 g#5:4 e5:2 g5:1 b5:1 a5:3 g5:1 f#5:2 d5:1 b4:1 g#4:4 "
    "a4:1 c5:1 e5:1 a5:1 g5:2 e5:2 f#5:1 a5:1 c6:1 f#5:1 d5:4";

// The guitar's bossa: thumb on root and fifth, fingers on the syncopated two-bar chord pattern.
void bossa_guitar(Score& s, double beat, const Progression& chords, Humanizer& feel) {
  bass_line(s, kGuitar, beat, chords, 4, 40, {{0, 1.4, 0}, {2, 1.4, 7}}, 70, feel);
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const std::vector<int> keys = chord_keys(chords[i], 55);
    const double at = beat + 4.0 * i;
    const std::vector<double> hits =
        i % 2 == 0 ? std::vector<double>{0, 1.5, 3} : std::vector<double>{0.5, 2, 3.5};
    for (const double h : hits) s.chord(kGuitar, at + h, 0.45, keys, feel.velocity(62, 6));
  }
}

// Each section sways with its own percussion.
enum class Groove { Intro, Verse, Bridge, LastVerse, Outro };

void bossa_drums(Score& s, double beat, int bars, Groove groove) {
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    const bool even = bar % 2 == 0;
    switch (groove) {
      case Groove::Intro:  // the rim's two-bar clave and a shaker, nothing else
        s.grid(kDrums, kRim, at, even ? "x--x--x---x--x--" : "--x--x---x--x---");
        s.grid(kDrums, kShaker, at, "o.o.o.o.o.o.o.o.");
        break;
      case Groove::Verse:  // the clave over the surdo-like kick and a ticking hat
        s.grid(kDrums, kRim, at, even ? "x--x--x---x--x--" : "--x--x---x--x---");
        s.grid(kDrums, kShaker, at, "o.o.o.o.o.o.o.o.");
        s.grid(kDrums, kKick, at, "o--.o---o--.o---");
        s.grid(kDrums, kHat, at, "..o...o...o...o.");
        break;
      case Groove::Bridge:  // the lift opens up: ride and congas in place of rim and hat
        s.grid(kDrums, kRide, at, "o.o.o.o.o.o.o.o.");
        s.grid(kDrums, kOpenConga, at, even ? "----o--o----o-o-" : "--o---o-----o--o");
        s.grid(kDrums, kLowConga, at, even ? "o-------o-o-----" : "o-----o-o-------");
        s.grid(kDrums, kKick, at, "o-----o-o-----o-");
        break;
      case Groove::LastVerse:  // the verse with maracas in sixteenths and a tambourine on two and four
        s.grid(kDrums, kRim, at, even ? "x--x--x---x--x--" : "--x--x---x--x---");
        s.grid(kDrums, kMaracas, at, "o.o.x.o.o.o.x.o.");
        s.grid(kDrums, kKick, at, "o--.o---o--.o---");
        s.grid(kDrums, kHat, at, "..o...o...o...o.");
        s.grid(kDrums, kTambourine, at, "----o-------o---");
        break;
      case Groove::Outro:  // thinning out: the shaker, a soft kick and a triangle each bar
        s.grid(kDrums, kShaker, at, "o.o.o.o.o.o.o.o.");
        s.grid(kDrums, kKick, at, "o-------o-------");
        s.grid(kDrums, kTriangle, at, "o---------------");
        break;
    }
  }
}

}  // namespace

Score summer_thyme(double seconds) {
  Score s;
  Humanizer feel(5);
  s.program(kGuitar, 24);
  s.program(kFlute, 73);
  s.program(kBass, 32);
  s.program(kVibes, 11);
  s.program(kStrings, 49);
  s.mix(kGuitar, 104, 40, 50);
  s.mix(kFlute, 96, 78, 70);
  s.mix(kBass, 100, 64, 30);
  s.mix(kVibes, 90, 90, 70);
  s.mix(kStrings, 70, 64, 90);
  s.mix(kDrums, 80, 64, 40);

  double at = 0;
  // Intro: the guitar alone, the shaker and rim join on the second pair of bars.
  bossa_guitar(s, at, {"Gmaj7", "Am7", "Gmaj7", "D7"}, feel);
  bossa_drums(s, at + 8, 2, Groove::Intro);
  at += 16;

  // Verse: the flute's tune.
  bossa_guitar(s, at, kVerse, feel);
  bass_line(s, kBass, at, kVerse, 4, 31, {{0, 1.4, 0}, {1.5, 0.4, 0}, {2, 1.4, 7}, {3.5, 0.4, 7}}, 92, feel);
  bossa_drums(s, at, 16, Groove::Verse);
  s.melody(kFlute, at, kTune, 92);
  at += 64;

  // Bridge: the vibraphone takes the lift; the flute answers in long notes.
  bossa_guitar(s, at, kBridge, feel);
  bass_line(s, kBass, at, kBridge, 4, 31, {{0, 1.4, 0}, {1.5, 0.4, 0}, {2, 1.4, 7}, {3.5, 0.4, 7}}, 92, feel);
  bossa_drums(s, at, 16, Groove::Bridge);
  s.melody(kVibes, at, kLift, 96);
  s.melody(kFlute, at + 16, "c6:4 b5:4 a5:4 g#5:4", 62);
  s.melody(kFlute, at + 48, "c6:4 b5:4 a5:8", 62);
  at += 64;

  // Last verse: strings underneath, vibes on the tune, the flute floating an octave above at the end.
  bossa_guitar(s, at, kVerse, feel);
  bass_line(s, kBass, at, kVerse, 4, 31, {{0, 1.4, 0}, {1.5, 0.4, 0}, {2, 1.4, 7}, {3.5, 0.4, 7}}, 94, feel);
  hold_chords(s, kStrings, at, kVerse, 4, 55, 52);
  bossa_drums(s, at, 16, Groove::LastVerse);
  s.melody(kVibes, at, kTune, 94);
  s.melody(kFlute, at + 32,
           "g5:1.5 f#5:.5 e5:1 d5:1 b4:3 d5:1 e5:1.5 d5:.5 c5:1 b4:1 a4:2 eb5:2 "
           "d5:1.5 c5:.5 b4:1 a4:1 g#4:2 b4:2 a4:1 c5:1 e5:1 g5:1 f#5:2 a5:2",
           84, 12);
  at += 64;

  // Outro: the sway between G and C, a last phrase, and the final chord.
  const Progression sway = {"Gmaj7", "Cmaj7", "Gmaj7", "Cmaj7", "Am7", "D7"};
  bossa_guitar(s, at, sway, feel);
  bass_line(s, kBass, at, sway, 4, 31, {{0, 1.4, 0}, {2, 1.4, 7}}, 86, feel);
  bossa_drums(s, at, 6, Groove::Outro);
  hold_chords(s, kStrings, at, sway, 4, 55, 48);
  s.melody(kFlute, at, "d5:1.5 b4:.5 g4:1 a4:1 b4:4 d5:1.5 b4:.5 g4:1 a4:1 g4:4 c5:1 e5:1 a5:1 g5:1 f#5:4",
           84);
  at += 24;
  s.chord(kGuitar, at, 6, {43, 50, 54, 57, 59, 62}, 76);
  s.chord(kVibes, at, 6, {69, 74, 78}, 70);
  s.chord(kStrings, at, 6, {55, 59, 62, 66}, 56);
  s.note(kBass, at, 6, 31, 88);
  s.note(kDrums, at, 1, kRim, 70);
  s.ramp(kStrings, at + 1, 5, 127, 20);
  at += 6;

  fit_tempo(s, at, seconds, 3.0, {{0, 1.0}, {at - 14, 0.9}});
  return s;
}

}  // namespace ventora::soundtrack
