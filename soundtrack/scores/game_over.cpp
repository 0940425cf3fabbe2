// "Game Over": a short lament in D minor, over in well under half a minute, since the next run may
// start while it still sounds. The brass falls by half steps over a timpani roll, the violins and the
// cello sing over the lament bass falling from D to A, and the motif sinks to a last D minor chord.
#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

// Channel 9 is the percussion channel, so the violins sit above it.
enum Channel { kTrombone, kStrings, kCello, kHorn, kBass, kTimpani, kOboe, kChoir, kViolin = 10 };

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
  const int programs[] = {57, 48, 42, 60, 43, 47, 68, 52};
  for (int ch = 0; ch < 8; ++ch) s.program(ch, programs[ch]);
  s.program(kViolin, 40);
  s.mix(kTrombone, 110, 56, 50);
  s.mix(kStrings, 96, 68, 60);
  s.mix(kCello, 108, 52, 50);
  s.mix(kHorn, 98, 48, 55);
  s.mix(kBass, 100, 62, 40);
  s.mix(kTimpani, 100, 64, 50);
  s.mix(kOboe, 100, 76, 55);
  s.mix(kChoir, 80, 72, 60);
  s.mix(kViolin, 104, 76, 55);

  // The fall: D to A by half steps in the brass, the bass walking the same way, the strings' chords
  // darkening under it.
  const char* motif = "d4:1.5 c#4:.5 c4:1 b3:1 bb3:2 a3:2";
  s.melody(kTrombone, 0, motif, 100);
  s.melody(kHorn, 0, motif, 84, 12);
  roll(s, 0, 2, 38, 86, 60);
  const Progression fall = {"Dm", "Dm/C", "Gm/Bb", "A7"};
  hold_chords(s, kStrings, 0, fall, 2, 50, 76);
  bass_line(s, kBass, 0, fall, 2, 28, {{0, 1.9, 0}}, 92, feel);

  // The lament: the violins sing, the cello answers a sixth below, the lament bass falls again.
  const Progression lament = {"Dm", "Dm/C", "Bb", "A7", "Gm", "Dm/F", "Em7b5", "A7"};
  hold_chords(s, kStrings, 8, lament, 2, 50, 78);
  hold_chords(s, kChoir, 8, lament, 2, 55, 58);
  bass_line(s, kBass, 8, lament, 2, 28, {{0, 1.9, 0}}, 90, feel);
  s.melody(kViolin, 8, "a4:1.5 d5:.5 f5:1 e5:1 d5:1.5 c5:.5 c#5:2 bb4:1.5 a4:.5 a4:1 g4:1 g4:1.5 f4:.5 e4:2",
           110);
  s.melody(kCello, 8, "f3:2 e3:2 d3:1.5 f3:.5 e3:2 d3:2 a2:1 c3:1 bb2:2 a2:2", 88);
  roll(s, 20, 4, 33, 60, 96);

  // The motif once more, slower, in the oboe over the horn, and the last chord dies away.
  s.melody(kOboe, 24, "d5:1.5 c#5:.5 c5:1 b4:1", 92);
  s.melody(kHorn, 24, "f4:2 e4:2", 84);
  s.chord(kStrings, 24, 2, {46, 50, 53}, 66);
  s.chord(kStrings, 26, 2, {45, 49, 52, 55}, 66);
  s.note(kBass, 24, 2, 34, 86);
  s.note(kBass, 26, 2, 33, 86);
  s.chord(kStrings, 28, 6, {38, 50, 53, 57, 62}, 88);
  s.chord(kChoir, 28, 6, {50, 53, 57}, 72);
  s.note(kTrombone, 28, 6, 50, 90);
  s.note(kBass, 28, 6, 26, 90);
  roll(s, 28, 3, 38, 80, 40);
  for (const int ch : {kStrings, kChoir, kBass, kTrombone}) s.ramp(ch, 30, 4, 127, 80);

  fit_tempo(s, 34, seconds, 2.0, {{0, 1.0}, {24, 0.85}, {28, 0.75}});
  return s;
}

}  // namespace ventora::soundtrack
