// "Game Over": a sombre elegy in D minor. A falling brass motif announces the defeat; the strings
// mourn it, a brief turn to F major remembers better times, and the motif returns to close in D minor.
#include "music/arrange.h"
#include "music/soundtrack.h"

namespace ventora::music {

namespace {

// Channel 9 is the percussion channel, so the violins sit above it.
enum Channel { kTrombone, kStrings, kCello, kPiano, kChoir, kHorn, kBass, kTimpani, kOboe, kViolin = 10 };

// Loud-to-soft roll on one timpani note.
void roll(Score& s, double beat, double beats, int key, int from, int to) {
  const int hits = static_cast<int>(beats * 6);
  for (int i = 0; i < hits; ++i) {
    s.note(kTimpani, beat + i / 6.0, 0.2, key, from + (to - from) * i / hits);
  }
}

}  // namespace

Score game_over(double seconds) {
  Score s;
  Humanizer feel(7);
  const int programs[] = {57, 48, 42, 0, 52, 60, 43, 47, 68};
  for (int ch = 0; ch < 9; ++ch) s.program(ch, programs[ch]);
  s.program(kViolin, 40);
  s.mix(kTrombone, 110, 54, 60);
  s.mix(kStrings, 96, 70, 80);
  s.mix(kCello, 108, 50, 70);
  s.mix(kPiano, 92, 64, 70);
  s.mix(kChoir, 80, 78, 90);
  s.mix(kHorn, 98, 40, 70);
  s.mix(kBass, 100, 60, 50);
  s.mix(kTimpani, 100, 64, 60);
  s.mix(kOboe, 100, 84, 70);
  s.mix(kViolin, 100, 88, 75);

  // The defeat motif: a slow fall from D to A by half steps, then the dominant sinks to the tonic.
  const char* motif = "d4:1.5 c#4:.5 c4:1 b3:1 bb3:3 a3:1 a3:2 g3:1 e3:1 d3:4";
  s.melody(kTrombone, 0, motif, 112);
  s.melody(kHorn, 0, motif, 92, 12);
  roll(s, 0, 4, 38, 100, 60);
  s.chord(kStrings, 0, 4, {38, 50}, 80);
  s.chord(kStrings, 4, 4, {34, 46}, 76);
  s.chord(kStrings, 8, 4, {43, 55}, 72);
  s.chord(kStrings, 12, 4, {45, 49, 52}, 70);
  s.note(kBass, 0, 16, 26, 90);
  roll(s, 12, 4, 33, 70, 96);

  // A: the strings' lament, the cello sings.
  const Progression lament = {"Dm", "Bb", "Gm", "A7", "Dm", "F/C", "Gm/Bb", "A"};
  hold_chords(s, kStrings, 16, lament, 4, 50, 64);
  bass_line(s, kBass, 16, lament, 4, 28, {{0, 3.9, 0}}, 84, feel);
  s.melody(
      kCello, 16,
      "a3:2 d4:1 e4:1 f4:3 e4:1 d4:2 bb3:2 a3:4 a3:1 f3:1 a3:1 d4:1 c4:2 a3:2 bb3:1 a3:1 g3:1 bb3:1 a3:4",
      96);

  // B: a memory in F major, piano and oboe over a soft choir.
  const Progression memory = {"F", "C/E", "Dm", "Bb", "Gm", "C", "F", "A7"};
  hold_chords(s, kChoir, 48, memory, 4, 55, 58);
  arpeggio(s, kPiano, 48, memory, 4, 0.5, 48, {0, 1, 2, 3, 2, 1, 0, 1}, 62, feel);
  bass_line(s, kBass, 48, memory, 4, 28, {{0, 3.9, 0}}, 76, feel);
  s.melody(
      kOboe, 48,
      "c5:2 a4:1 f4:1 e4:2 g4:2 f4:1.5 e4:.5 d4:2 d4:3 r:1 bb4:2 g4:1 e4:1 e4:1 f4:1 g4:2 a4:3 f4:1 e4:4",
      92);

  // A': the lament returns higher in the violins, the horn recalls the motif in long notes.
  hold_chords(s, kStrings, 80, lament, 4, 50, 74);
  bass_line(s, kBass, 80, lament, 4, 28, {{0, 2, 0}, {2, 1.9, 7}}, 88, feel);
  s.melody(
      kViolin, 80,
      "a4:2 d5:1 e5:1 f5:3 e5:1 d5:2 bb4:2 a4:4 a4:1 f4:1 a4:1 d5:1 c5:2 a4:2 bb4:1 a4:1 g4:1 bb4:1 a4:4",
      100);
  s.melody(kCello, 80, "d3:4 d3:4 g3:4 e3:4 f3:4 c3:4 d3:4 c#3:4", 80);
  s.melody(kHorn, 80, "d4:4 c#4:2 c4:2 bb3:4 a3:4 a3:4 g3:2 e3:2 d3:4 e3:4", 80);
  roll(s, 108, 4, 33, 60, 100);

  // Coda: the motif once more, slower, and the last D minor chord fades away.
  s.melody(kTrombone, 112, motif, 104);
  s.melody(kCello, 112, motif, 84, -12);
  s.chord(kStrings, 112, 4, {50, 53, 57}, 70);
  s.chord(kStrings, 116, 4, {46, 50, 53}, 66);
  s.chord(kStrings, 120, 4, {43, 46, 50}, 64);
  s.chord(kStrings, 124, 4, {45, 49, 52}, 62);
  s.note(kBass, 112, 16, 26, 80);
  s.chord(kStrings, 128, 8, {38, 50, 53, 57, 62}, 72);
  s.chord(kChoir, 128, 8, {50, 53, 57}, 60);
  s.note(kBass, 128, 8, 26, 80);
  s.note(kPiano, 128, 8, 26, 70);
  s.note(kPiano, 128, 8, 38, 60);
  roll(s, 128, 6, 38, 70, 30);
  for (const int ch : {kStrings, kChoir, kBass}) s.ramp(ch, 129, 7, 127, 20);

  fit_tempo(s, 136, seconds, 4.0, {{0, 1.0}, {112, 0.88}, {128, 0.75}});
  return s;
}

}  // namespace ventora::music
