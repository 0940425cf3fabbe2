// "Heaven and Earth": slow and wide, in D major. Pads swell out of a low drone and a bell figure;
// a simple pentatonic theme rises on the pan flute; the strings and cello take it through B minor;
// the "earth" section sinks into the low horns and soft timpani; the theme returns, full and open,
// and the opening drone closes on a long D chord with an added ninth.
#include "soundtrack/arrange.h"
#include "soundtrack/soundtrack.h"

namespace ventora::soundtrack {

namespace {

// Channel 9 is the percussion channel, so the timpani and harp sit above it.
enum Channel {
  kWarmPad,
  kHaloPad,
  kBells,
  kFlute,
  kStrings,
  kCello,
  kHorn,
  kChoir,
  kBass,
  kTimpani = 10,
  kHarp
};

const char* kThemeFirst = "f#5:2 e5:1 d5:1 a4:4 b4:2 d5:2 e5:4 f#5:2 a5:2 g5:2 f#5:1 e5:1 d5:6 r:2";
const char* kThemeSecond = "f#5:2 e5:1 d5:1 b4:4 a4:2 b4:2 d5:4 e5:2 f#5:2 e5:2 d5:1 b4:1 d5:6 r:2";

void theme(Score& s, int channel, double beat, int velocity, int transpose) {
  s.melody(channel, s.melody(channel, beat, kThemeFirst, velocity, transpose), kThemeSecond, velocity + 4,
           transpose);
}

}  // namespace

Score heaven_and_earth(double seconds) {
  Score s;
  Humanizer feel(3);
  const int programs[] = {89, 94, 11, 75, 48, 42, 60, 52, 32};
  for (int ch = 0; ch < 9; ++ch) s.program(ch, programs[ch]);
  s.program(kTimpani, 47);
  s.program(kHarp, 46);
  // Pans stay near the middle and the reverb sends moderate: the pads' own stereo samples and a deep
  // reverb already make the piece wide, and more of either leaves left and right unrelated.
  s.mix(kWarmPad, 84, 46, 76);
  s.mix(kHaloPad, 98, 80, 80);
  s.mix(kBells, 80, 76, 80);
  s.mix(kFlute, 100, 58, 76);
  s.mix(kStrings, 96, 70, 76);
  s.mix(kCello, 100, 52, 70);
  s.mix(kHorn, 100, 48, 70);
  s.mix(kChoir, 78, 76, 80);
  s.mix(kBass, 90, 64, 50);
  s.mix(kTimpani, 96, 64, 70);
  s.mix(kHarp, 84, 44, 70);

  const Progression sky = {"D", "Gmaj7/D", "D", "Asus4", "D", "Gmaj7", "Bm", "A"};
  const Progression earth = {"Bm", "G", "D", "A", "Bm", "Em7", "G", "Asus4"};
  double at = 0;

  // Opening: a low drone, the pads swell in, the bells turn slowly.
  s.note(kBass, at, 32, 38, 88);
  s.ramp(kWarmPad, at, 8, 96, 127);
  hold_chords(s, kWarmPad, at, {"Dadd9", "Gmaj7/D", "Dadd9", "Asus4"}, 8, 50, 84);
  hold_chords(s, kHaloPad, at + 8, {"Gmaj7/D", "Dadd9", "Asus4"}, 8, 62, 66);
  arpeggio(s, kBells, at + 4, {"Dadd9", "Dadd9", "Dadd9", "Gmaj7", "Asus4", "Dadd9", "Asus4"}, 4, 1, 74,
           {0, 2, 1, 3}, 68, feel);
  at += 32;

  // A: the theme on the pan flute over pads and a slow harp.
  hold_chords(s, kWarmPad, at, sky, 4, 50, 66);
  hold_chords(s, kWarmPad, at + 32, sky, 4, 50, 66);
  bass_line(s, kBass, at, sky, 4, 38, {{0, 3.9, 0}}, 74, feel);
  bass_line(s, kBass, at + 32, sky, 4, 38, {{0, 3.9, 0}}, 74, feel);
  arpeggio(s, kHarp, at, sky, 4, 1, 62, {0, 1, 2, 1}, 60, feel);
  arpeggio(s, kHarp, at + 32, sky, 4, 0.5, 62, {0, 1, 2, 3, 2, 1, 0, 1}, 58, feel);
  theme(s, kFlute, at, 92, 0);
  at += 64;

  // B: to B minor; the cello carries the theme, the strings open wide above.
  hold_chords(s, kStrings, at, earth, 4, 54, 52);
  hold_chords(s, kStrings, at + 32, earth, 4, 62, 58);
  hold_chords(s, kWarmPad, at, earth, 4, 50, 72);
  hold_chords(s, kWarmPad, at + 32, earth, 4, 50, 72);
  bass_line(s, kBass, at, earth, 4, 35, {{0, 2, 0}, {2, 1.9, 7}}, 76, feel);
  bass_line(s, kBass, at + 32, earth, 4, 35, {{0, 2, 0}, {2, 1.9, 7}}, 78, feel);
  s.melody(kCello, at, "b3:4 d4:2 e4:2 f#4:4 e4:2 d4:2 a3:4 b3:2 c#4:2 e4:4 c#4:4", 94);
  s.melody(kCello, at + 32, "b3:4 d4:2 e4:2 f#4:4 a4:2 g4:2 f#4:2 e4:2 d4:2 b3:2 d4:4 e4:4", 98);
  s.melody(kFlute, at + 40, "f#5:6 e5:2 d5:4 c#5:4 d5:8", 70);
  at += 64;

  // C, the earth: low horns, soft timpani, the choir hums.
  const Progression ground = {"Bm", "Bm/A", "G", "G", "Em7", "Em7", "Asus4", "A"};
  hold_chords(s, kChoir, at, ground, 4, 50, 70);
  hold_chords(s, kChoir, at + 32, ground, 4, 50, 74);
  bass_line(s, kBass, at, ground, 4, 28, {{0, 3.9, 0}}, 84, feel);
  bass_line(s, kBass, at + 32, ground, 4, 28, {{0, 3.9, 0}}, 86, feel);
  s.melody(kHorn, at, "b3:4 a3:2 f#3:2 g3:6 d3:2 e3:4 g3:4 a3:8", 106);
  s.melody(kHorn, at + 32, "b3:4 d4:2 e4:2 d4:6 b3:2 g3:4 a3:2 b3:2 e4:4 c#4:4", 110);
  hold_chords(s, kStrings, at, ground, 4, 47, 60);
  for (int bar = 0; bar < 16; ++bar) {
    const int key = bar % 8 < 4 ? 47 : 45;
    s.note(kTimpani, at + bar * 4, 1, key - 12, 70 + bar);
    s.note(kTimpani, at + bar * 4 + 2.5, 0.5, key - 12, 40);
  }
  s.ramp(kChoir, at + 48, 16, 100, 127);
  at += 64;

  // A': the theme full and open, strings and flute in octaves, choir and bells above.
  hold_chords(s, kStrings, at, sky, 4, 54, 64);
  hold_chords(s, kStrings, at + 32, sky, 4, 54, 66);
  hold_chords(s, kChoir, at, sky, 4, 62, 50);
  hold_chords(s, kChoir, at + 32, sky, 4, 62, 52);
  bass_line(s, kBass, at, sky, 4, 38, {{0, 2, 0}, {2, 1.9, 7}}, 84, feel);
  bass_line(s, kBass, at + 32, sky, 4, 38, {{0, 2, 0}, {2, 1.9, 7}}, 84, feel);
  theme(s, kStrings, at, 84, 0);
  theme(s, kFlute, at, 84, 12);
  theme(s, kCello, at, 72, -24);
  arpeggio(s, kBells, at, sky, 4, 0.5, 74, {0, 1, 2, 1}, 50, feel);
  arpeggio(s, kBells, at + 32, sky, 4, 0.5, 74, {0, 1, 2, 1}, 50, feel);
  s.note(kTimpani, at, 2, 38, 80);
  at += 64;

  // Closing: back to the drone and the bells, the last chord held open and fading.
  s.note(kBass, at, 32, 38, 88);
  hold_chords(s, kWarmPad, at, {"Gmaj7/D", "Dadd9", "Asus4"}, 8, 50, 80);
  hold_chords(s, kHaloPad, at, {"Gmaj7", "Dadd9"}, 8, 62, 60);
  hold_chords(s, kStrings, at, {"Gmaj7/D", "Dadd9", "Asus4"}, 8, 50, 58);
  s.melody(kFlute, at, "f#5:2 e5:1 d5:1 a4:4 b4:2 a4:2 d5:4", 90);
  arpeggio(s, kBells, at + 8, {"Dadd9", "Gmaj7", "Dadd9", "Asus4"}, 4, 1, 74, {3, 2, 1, 0}, 64, feel);
  at += 24;
  s.chord(kWarmPad, at, 8, chord_keys("Dadd9", 50), 80);
  s.chord(kStrings, at, 8, {38, 50, 57, 62, 64, 66}, 72);
  s.chord(kChoir, at, 8, {62, 66, 69}, 62);
  s.note(kBells, at, 4, 74, 56);
  s.note(kBass, at, 8, 26, 70);
  for (const int ch : {kWarmPad, kStrings, kChoir, kBass}) s.ramp(ch, at + 1, 7, 127, 12);
  at += 8;

  fit_tempo(s, at, seconds, 5.0, {{0, 1.0}, {at - 32, 0.92}});
  return s;
}

}  // namespace ventora::soundtrack
