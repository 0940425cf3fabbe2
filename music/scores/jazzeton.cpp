// "Jazzeton": a swinging small-band tune in F for muted trumpet, tenor sax, piano, bass and drums.
// The piano sets it up, the horns play the 32-bar head (A A B A), the tenor takes a chorus, the piano
// half a chorus, the head returns and a three-times tag closes on a ringing F major ninth.
#include <algorithm>
#include <cmath>

#include "music/arrange.h"
#include "music/soundtrack.h"

namespace ventora::music {

namespace {

enum Channel { kTrumpet, kSax, kPiano, kBass };

constexpr int kKick = 36, kSnare = 38, kPedalHat = 44, kRide = 51, kCrash = 49, kRideBell = 53;

// Chords by half bar (two beats each).
const Progression kA1 = {"Fmaj7", "Fmaj7", "D7",  "D7", "Gm7",   "Gm7", "C7",  "C7",
                         "Am7",   "D7",    "Gm7", "C7", "Fmaj7", "D7",  "Gm7", "C7"};
const Progression kA2 = {"Fmaj7", "Fmaj7", "D7",  "D7", "Gm7",   "Gm7",   "C7",    "C7",
                         "Am7",   "D7",    "Gm7", "C7", "Fmaj7", "Fmaj7", "Fmaj7", "Fmaj7"};
const Progression kB = {"Cm7", "Cm7", "F7", "F7", "Bbmaj7", "Bbmaj7", "Bbmaj7", "Bbmaj7",
                        "Dm7", "Dm7", "G7", "G7", "Gm7",    "Gm7",    "C7",     "C7"};

const char* kHeadA1 =
    "a4:.5 c5:.5 e5:.5 g5:1 f5:.5 e5:1 d5:.5 f#5:.5 a5:1 c6:1 a5:1 "
    "bb5:1.5 a5:.5 g5:1 d5:1 e5:2 r:1 c5:1 "
    "c5:.5 e5:.5 g5:.5 c6:1 a5:.5 f#5:1 f5:.5 d5:.5 bb4:1 e5:1 g4:1 "
    "f4:.5 a4:.5 c5:.5 e5:1 d5:.5 r:1 r:4";
const char* kHeadA2 =
    "a4:.5 c5:.5 e5:.5 g5:1 f5:.5 e5:1 d5:.5 f#5:.5 a5:1 c6:1 a5:1 "
    "bb5:1.5 a5:.5 g5:1 d5:1 e5:2 r:1 c5:1 "
    "c5:.5 e5:.5 g5:.5 c6:1 a5:.5 f#5:1 f5:.5 d5:.5 bb4:1 e5:1 g4:1 "
    "g5:1 e5:1 c5:1 e5:1 f5:3 r:1";
const char* kHeadB =
    "g5:.5 bb5:.5 g5:.5 eb5:1 c5:1.5 a4:.5 c5:.5 eb5:.5 g5:1 f5:1.5 "
    "d5:1.5 f5:.5 a5:2 g5:1 f5:1 d5:2 "
    "f5:.5 a5:.5 c6:.5 a5:1 f5:1.5 f5:1 a5:1 b5:1 d6:1 "
    "bb5:1.5 g5:.5 e5:1 d5:1 c5:1 e5:1 g5:1 bb5:1";

// Offbeat eighths lean late: the swing feel, applied to whole channels after they are written.
void swing(Score& s, std::initializer_list<int> channels) {
  for (NoteEvent& n : s.notes) {
    if (std::find(channels.begin(), channels.end(), n.channel) == channels.end()) continue;
    const double frac = n.beat - std::floor(n.beat);
    if (std::fabs(frac - 0.5) < 1e-6) {
      n.beat += 1.0 / 6.0;
      n.beats = std::max(0.15, n.beats - 1.0 / 6.0);
    } else if (frac < 1e-6 && std::fabs(n.beats - 0.46) < 1e-3) {
      n.beats = 0.6;
    }
  }
}

std::vector<int> scale_of(std::string_view chord) {
  if (chord.find("maj7") != std::string_view::npos) return {0, 2, 4, 5, 7, 9, 11};
  if (chord.find("m7") != std::string_view::npos) return {0, 2, 3, 5, 7, 9, 10};
  return {0, 2, 4, 5, 7, 9, 10};
}

// An improvised line over half-bar chords: eighth-note runs that turn at the range's edges, land on
// chord tones on the beat, and breathe between two-bar phrases.
void improvise(Score& s, int channel, double beat, const Progression& chords, int low, int high, int velocity,
               Humanizer& feel) {
  int key = (low + high) / 2;
  int direction = 1;
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const double start = beat + 2.0 * i;
    const bool phrase_end = i % 4 == 3;
    const std::vector<int> tones = chord_keys(chords[i], 0);
    const std::vector<int> scale = scale_of(chords[i]);
    const int root = tones[0] % 12;
    const bool rest_half = phrase_end && feel.next() > -0.3;
    const int eighths = rest_half ? 2 : 4;
    for (int e = 0; e < eighths; ++e) {
      if (feel.next() > 0.75) direction = -direction;
      if (key > high) direction = -1;
      if (key < low) direction = 1;
      // Step through the chord's scale; on the beat settle on the nearest chord tone.
      int next = key + direction;
      for (int tries = 0; tries < 12; ++tries) {
        const int pc = ((next - root) % 12 + 12) % 12;
        const bool in_scale = std::find(scale.begin(), scale.end(), pc) != scale.end();
        bool chord_tone = false;
        for (const int t : tones) chord_tone = chord_tone || (t % 12) == ((next % 12) + 12) % 12;
        if (e % 2 == 0 ? chord_tone : in_scale) break;
        next += direction;
      }
      key = next;
      const double length = (e == eighths - 1 && rest_half) ? 1.0 : 0.46;
      s.note(channel, start + 0.5 * e, length, key, feel.velocity(e % 2 == 0 ? velocity : velocity - 12, 8));
    }
  }
}

// Walking quarter notes: roots on chord changes, chord tones within, chromatic steps into the next root.
void walk(Score& s, double beat, const Progression& chords, Humanizer& feel) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const bool same_as_before = i > 0 && chords[i - 1] == chords[i];
    const std::vector<int> tones = chord_keys(chords[i], 36);
    const int first = same_as_before ? tones[feel.next() > 0 ? 1 : 2] : tones[0];
    int second = tones[2];
    if (i + 1 < chords.size() && chords[i + 1] != chords[i]) {
      const int target = chord_bass(chords[i + 1], 36);
      second = target + (feel.next() > 0 ? 1 : -1);
    }
    s.note(kBass, beat + 2.0 * i, 0.9, first, feel.velocity(96, 6));
    s.note(kBass, beat + 2.0 * i + 1, 0.9, second, feel.velocity(88, 6));
  }
}

// Shell voicings on the Charleston and its cousins, chosen anew each bar.
void comp_piano(Score& s, double beat, const Progression& chords, int velocity, Humanizer& feel) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const std::vector<int> keys = chord_keys(chords[i], 52);
    const double r = feel.next();
    const double offset = r > 0.3 ? 0.0 : (r > -0.4 ? 0.5 : 1.5);
    s.chord(kPiano, beat + 2.0 * i + offset, offset == 0.0 ? 0.9 : 0.4, keys, feel.velocity(velocity, 8));
  }
}

void ride(Score& s, double beat, int bars, bool fill_last, Humanizer& feel) {
  for (int bar = 0; bar < bars; ++bar) {
    const double at = beat + bar * 4;
    s.grid(kDrums, kRide, at, "x-o.x-o.", 0.5);
    s.grid(kDrums, kPedalHat, at, "--o---o-", 0.5);
    s.grid(kDrums, kKick, at, ".-.-.-.-", 0.5);
    if (feel.next() > 0.2) {
      s.note(kDrums, at + 2.5 + (feel.next() > 0 ? 1 : 0), 0.3, kSnare, feel.velocity(46, 10));
    }
    if (fill_last && bar == bars - 1) s.grid(kDrums, kSnare, at + 2, "o-x-oxx-", 0.25);
  }
}

}  // namespace

Score jazzeton(double seconds) {
  Score s;
  Humanizer feel(4);
  s.program(kTrumpet, 59);
  s.program(kSax, 66);
  s.program(kPiano, 0);
  s.program(kBass, 32);
  s.mix(kTrumpet, 100, 80, 50);
  s.mix(kSax, 104, 44, 50);
  s.mix(kPiano, 90, 70, 45);
  s.mix(kBass, 112, 60, 25);
  s.mix(kDrums, 96, 64, 40);

  // The beats a progression of half-bar chords lasts.
  const auto span = [](const Progression& chords) { return 2.0 * static_cast<double>(chords.size()); };
  double at = 0;

  // Intro: the piano alone on the turnaround, the drums brush in.
  const Progression turnaround = {"Am7", "D7", "Gm7", "C7", "Am7", "D7", "Gm7", "C7"};
  comp_piano(s, at, turnaround, 76, feel);
  s.melody(kPiano, at,
           "e5:.5 g5:.5 a5:1 f#5:1 d5:1 f5:.5 a5:.5 g5:1 e5:1 c5:1 a4:.5 c5:.5 e5:1 d5:1 f#5:1 g5:1 e5:1 "
           "c5:1 bb4:1",
           80);
  s.note(kBass, at + 12, 4, 36, 90);
  ride(s, at + 8, 2, true, feel);
  at += 16;

  // Head: trumpet leads, the tenor an octave below.
  const auto head = [&](double start, int velocity) {
    double t = start;
    for (const auto& [chords, line] :
         {std::pair{&kA1, kHeadA1}, {&kA2, kHeadA2}, {&kB, kHeadB}, {&kA2, kHeadA2}}) {
      s.melody(kTrumpet, t, line, velocity);
      s.melody(kSax, t, line, velocity - 6, -12);
      walk(s, t, *chords, feel);
      comp_piano(s, t, *chords, 66, feel);
      ride(s, t, 8, true, feel);
      t += span(*chords);
    }
    return t;
  };
  s.note(kDrums, at, 2, kCrash, 96);
  at = head(at, 100);

  // Tenor solo: one chorus.
  s.note(kDrums, at, 2, kCrash, 90);
  for (const Progression* chords : {&kA1, &kA2, &kB, &kA2}) {
    improvise(s, kSax, at, *chords, 53, 74, 98, feel);
    walk(s, at, *chords, feel);
    comp_piano(s, at, *chords, 62, feel);
    ride(s, at, 8, false, feel);
    at += span(*chords);
  }

  // Piano solo: the bridge and the last A, right hand over the left hand's shells.
  for (const Progression* chords : {&kB, &kA2}) {
    improvise(s, kPiano, at, *chords, 65, 86, 84, feel);
    comp_piano(s, at, *chords, 56, feel);
    walk(s, at, *chords, feel);
    ride(s, at, 8, chords == &kA2, feel);
    at += span(*chords);
  }

  // Head out.
  s.note(kDrums, at, 2, kCrash, 100);
  at = head(at, 104);

  // Tag: the last turnaround three times, then the final chord rings out with a cymbal.
  for (int i = 0; i < 3; ++i) {
    const Progression tag = {"Gm7", "C7"};
    s.melody(kTrumpet, at, "g5:1 e5:1 c5:1 e5:1", 96 + 4 * i);
    s.melody(kSax, at, "bb4:1 g4:1 e4:1 g4:1", 90 + 4 * i);
    walk(s, at, tag, feel);
    comp_piano(s, at, tag, 66, feel);
    ride(s, at, 1, false, feel);
    at += 4;
  }
  s.chord(kPiano, at, 6, {41, 52, 55, 57, 60, 64}, 86);
  s.chord(kTrumpet, at, 6, {76}, 92);
  s.chord(kSax, at, 6, {64}, 86);
  s.note(kBass, at, 6, 29, 100);
  s.note(kDrums, at, 4, kCrash, 100);
  s.note(kDrums, at, 1, kKick, 90);
  s.note(kDrums, at, 2, kRideBell, 80);
  at += 6;

  swing(s, {kTrumpet, kSax, kPiano, kBass, kDrums});
  fit_tempo(s, at, seconds, 3.5, {{0, 1.0}, {at - 18, 0.9}});
  return s;
}

}  // namespace ventora::music
