// "Jazzeton": a swinging small-band tune in F for muted trumpet, tenor sax, piano, bass and drums.
// The piano sets it up, the horns play the 32-bar head (A A B A), the tenor takes a chorus, the piano
// half a chorus, the head returns and a three-times tag closes on a ringing F major ninth.
#include <algorithm>
#include <cmath>

#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

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

// A motif of the head: semitones from its first note (or a rest), and beats.
constexpr int kRest = -99;
struct Motif {
  std::vector<int> steps;
  std::vector<double> beats;
};

// Cells taken from the head, each one bar long.
const Motif kMotifs[] = {
    {{0, 3, 7, 10, 8, 7}, {.5, .5, .5, 1, .5, 1}},  // the opening arpeggio up and its sigh back
    {{0, 4, 7, 10, 7}, {.5, .5, 1, 1, 1}},          // the turn up to the top of the second bar
    {{0, -1, -3, -8}, {1.5, .5, 1, 1}},             // the third bar's fall
    {{0, 3, 0, -4, -7}, {.5, .5, .5, 1, 1.5}},      // the bridge's opening
    {{0, -3, -7, -3}, {1, 1, 1, 1}},                // the last A's closing figure
};

// The cell cut (or its last note stretched) to last exactly `beats`.
Motif fit_length(Motif m, double beats) {
  double total = 0;
  std::size_t keep = 0;
  while (keep < m.beats.size() && total + m.beats[keep] <= beats + 1e-9) total += m.beats[keep++];
  m.steps.resize(keep);
  m.beats.resize(keep);
  m.beats.back() += beats - total;
  return m;
}

// The same cell in another rhythm, still one bar long.
Motif vary_rhythm(const Motif& m, int variation) {
  Motif v = m;
  switch (variation % 4) {
    case 1: {  // pushed: the cell starts on the "and" of one, its last note shortened to fit
      v.steps.insert(v.steps.begin(), kRest);
      v.beats.insert(v.beats.begin(), 0.5);
      v.beats.back() = std::max(0.5, v.beats.back() - 0.5);
      break;
    }
    case 2: {  // doubled up: the cell in eighths, then again a step higher
      const std::size_t n = v.steps.size();
      v.beats.assign(n, 0.5);
      for (std::size_t i = 0; i < n; ++i) v.steps.push_back(m.steps[i] == kRest ? kRest : m.steps[i] + 2);
      v.beats.resize(2 * n, 0.5);
      return fit_length(v, 4.0);
    }
    case 3: {  // stretched: the first note held, the rest in eighths
      v.beats.assign(v.steps.size(), 0.5);
      v.beats[0] = 4.0 - 0.5 * static_cast<double>(v.steps.size() - 1);
      break;
    }
    default: break;
  }
  return v;
}

// The nearest key to `key` that belongs to the chord (or, off the beat, to its scale).
int fit_to_chord(int key, std::string_view chord, bool chord_tone) {
  const std::vector<int> tones = chord_keys(chord, 0);
  const std::vector<int> scale = scale_of(chord);
  const int root = tones[0] % 12;
  const auto fits = [&](int k) {
    const int pc = ((k % 12) + 12) % 12;
    if (chord_tone) {
      return std::any_of(tones.begin(), tones.end(), [&](int t) { return t % 12 == pc; });
    }
    return std::find(scale.begin(), scale.end(), ((pc - root) % 12 + 12) % 12) != scale.end();
  };
  for (int d = 0; d < 12; ++d) {
    if (fits(key - d)) return key - d;
    if (fits(key + d)) return key + d;
  }
  return key;
}

// A solo over half-bar chords, built from the head's cells in two-bar phrases: a cell in one of its
// rhythms, then a cell answering it, then a breath. The phrases climb through the solo to a peak about
// two thirds in, then come down to rest on the last chord's root.
void solo(Score& s, int channel, double beat, const Progression& chords, int low, int high, int velocity,
          Humanizer& feel) {
  const double total_beats = 2.0 * static_cast<double>(chords.size());
  const auto chord_at = [&](double t) {
    const auto i = static_cast<std::size_t>(std::clamp((t - beat) / 2.0, 0.0, total_beats / 2.0 - 1.0));
    return chords[i];
  };
  const int phrases = static_cast<int>(total_beats / 8.0);
  for (int p = 0; p < phrases; ++p) {
    const double x = (p + 0.5) / phrases;
    const double shape = x < 0.68 ? x / 0.68 : 1.0 - 0.85 * (x - 0.68) / 0.32;
    const int target = low + 3 + static_cast<int>(std::lround((high - low - 6) * shape));
    const double start = beat + 8.0 * p;
    const Motif call = vary_rhythm(kMotifs[(p * 2) % 5], p + (feel.next() > 0 ? 1 : 0));
    // The answer leaves a beat's breath before the next phrase.
    const Motif answer =
        fit_length(vary_rhythm(kMotifs[(p * 2 + 1 + (feel.next() > 0.3 ? 1 : 0)) % 5], p * 3 + 1), 3.0);
    const bool last = p == phrases - 1;
    double t = start;
    int key = target;
    for (const Motif* m : {&call, &answer}) {
      // The answer moves on from where the call ended: up while climbing, down after the peak; the
      // whole cell shifts to stay in the instrument's range rather than flattening at its edges.
      int lowest = 0, highest = 0;
      for (const int step : m->steps) {
        if (step == kRest) continue;
        lowest = std::min(lowest, step);
        highest = std::max(highest, step);
      }
      const int wanted = m == &call ? target : key + (x < 0.68 ? 2 : -2);
      const int base = std::clamp(wanted, low - lowest, high - highest);
      for (std::size_t i = 0; i < m->steps.size(); ++i) {
        const bool final_note = m == &answer && i + 1 == m->steps.size();
        if (m->steps[i] != kRest) {
          const double frac = t - std::floor(t);
          int k = fit_to_chord(base + m->steps[i], chord_at(t), frac < 1e-6);
          const bool home = last && final_note;  // down to the last chord's root, held to the end
          if (home) k = chord_bass(chords.back(), key - 11);
          const int accent = static_cast<int>(std::lround(14 * shape)) - (frac < 1e-6 ? 0 : 10);
          s.note(channel, t, home ? start + 8.0 - t : m->beats[i] * 0.92, k,
                 feel.velocity(velocity - 8 + accent, 6));
          key = k;
        }
        t += m->beats[i];
      }
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
  comp_piano(s, at, turnaround, 86, feel);
  s.melody(kPiano, at,
           "e5:.5 g5:.5 a5:1 f#5:1 d5:1 f5:.5 a5:.5 g5:1 e5:1 c5:1 a4:.5 c5:.5 e5:1 d5:1 f#5:1 g5:1 e5:1 "
           "c5:1 bb4:1",
           94);
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

  // The chords of several sections in a row.
  const auto joined = [](std::initializer_list<const Progression*> sections) {
    Progression all;
    for (const Progression* p : sections) all.insert(all.end(), p->begin(), p->end());
    return all;
  };

  // Tenor solo: one chorus.
  s.note(kDrums, at, 2, kCrash, 90);
  solo(s, kSax, at, joined({&kA1, &kA2, &kB, &kA2}), 53, 79, 106, feel);
  for (const Progression* chords : {&kA1, &kA2, &kB, &kA2}) {
    walk(s, at, *chords, feel);
    comp_piano(s, at, *chords, 62, feel);
    ride(s, at, 8, false, feel);
    at += span(*chords);
  }

  // Piano solo: the bridge and the last A, right hand over the left hand's shells. Alone, the piano
  // needs its fader up to sit where the horns did.
  s.control(kPiano, 7, 124, at);
  solo(s, kPiano, at, joined({&kB, &kA2}), 65, 89, 108, feel);
  for (const Progression* chords : {&kB, &kA2}) {
    comp_piano(s, at, *chords, 70, feel);
    walk(s, at, *chords, feel);
    ride(s, at, 8, chords == &kA2, feel);
    at += span(*chords);
  }

  // Head out.
  s.control(kPiano, 7, 90, at);
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

}  // namespace ventora::soundtrack
