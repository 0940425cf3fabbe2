#include "soundtrack/effects/recipes.h"

namespace ventora::effects {

namespace {

// MIDI note numbers of the notes the effects use.
constexpr int kD2 = 38;
constexpr int kD3 = 50, kG3 = 55, kA3 = 57;
constexpr int kD4 = 62, kG4 = 67, kA4 = 69;
constexpr int kD5 = 74, kG5 = 79, kA5 = 81;
constexpr int kD6 = 86, kG6 = 91, kA6 = 93;
constexpr int kD7 = 98;

double hz(int midi) { return note_hz(midi); }

Tone square(double start, double length, int from, int to, double level, double duty = 0.5) {
  Tone t;
  t.wave = Wave::Square;
  t.start = start;
  t.length = length;
  t.from_hz = hz(from);
  t.to_hz = hz(to);
  t.level = level;
  t.duty = duty;
  return t;
}

Tone triangle(double start, double length, int from, int to, double level) {
  Tone t = square(start, length, from, to, level);
  t.wave = Wave::Triangle;
  return t;
}

// Noise stepping at `from_hz` falling (or rising) to `to_hz`: high rates hiss, low ones rumble.
Tone noise(double start, double length, double from_hz, double to_hz, double level) {
  Tone t;
  t.wave = Wave::Noise;
  t.start = start;
  t.length = length;
  t.from_hz = from_hz;
  t.to_hz = to_hz;
  t.level = level;
  return t;
}

// A note that sounds steadily, then dies away: for beeps and the jingles' notes.
Tone held(Tone t, double hold, double curve = 1.5) {
  t.hold = hold;
  t.curve = curve;
  return t;
}

Tone with_vibrato(Tone t, double rate_hz, double semitones) {
  t.vibrato_hz = rate_hz;
  t.vibrato_semitones = semitones;
  return t;
}

Tone with_attack(Tone t, double seconds) {
  t.attack = seconds;
  return t;
}

// The notes of an arpeggio, one after another, each ringing on under the next.
void arpeggio(Recipe& r, Wave wave, double start, double gap, std::initializer_list<int> notes, double ring,
              double level, double duty = 0.5) {
  double at = start;
  for (const int n : notes) {
    Tone t = square(at, ring, n, n, level, duty);
    t.wave = wave;
    t.curve = 1.6;
    r.tones.push_back(t);
    at += gap;
  }
}

}  // namespace

Recipe recipe(SoundEffect effect) {
  Recipe r;
  switch (effect) {
    case SoundEffect::Jump:
      // A quick upward sweep, the oldest jump there is, with a soft octave below.
      r.tones = {square(0, 0.16, kD5, kD6, 1.0, 0.25), triangle(0, 0.14, kD4, kD5, 0.6)};
      r.peak_dbfs = -22;
      r.pitch = "D5 up to D6";
      break;
    case SoundEffect::Land:
      // A low thump: a falling triangle and a dull puff of noise.
      r.tones = {triangle(0, 0.12, kD3, kD2, 1.0), noise(0, 0.06, 1800, 600, 0.35)};
      r.peak_dbfs = -22;
      r.lowpass_hz = 3000;
      r.pitch = "D3 down to D2";
      break;
    case SoundEffect::PadWindUp:
      // A warbling charge that rises for as long as the pad winds up.
      r.tones = {with_attack(with_vibrato(square(0, 0.34, kG4, kG5, 1.0, 0.125), 18, 0.4), 0.05),
                 with_attack(triangle(0, 0.34, kG3, kG4, 0.5), 0.05)};
      r.tones[0].curve = 0.6;
      r.tones[1].curve = 0.6;
      r.peak_dbfs = -23;
      r.pitch = "G4 up to G5";
      break;
    case SoundEffect::StrikeBoss:
      // A heavy blow: a burst of noise falling from a crack to a rumble, and a square falling
      // from A4 onto a low D.
      r.tones = {noise(0, 0.30, 6000, 250, 1.0), square(0, 0.20, kA4, kD3, 0.7, 0.5),
                 triangle(0, 0.26, kD3, kD2, 0.6)};
      r.peak_dbfs = -21;
      r.lowpass_hz = 7000;
      r.pitch = "A4 down to D3, noise";
      break;
    case SoundEffect::StrikeClone:
      // Lighter and higher than a blow on the boss.
      r.tones = {noise(0, 0.18, 8000, 900, 0.8), square(0, 0.14, kD5, kA4, 0.7, 0.25)};
      r.peak_dbfs = -22;
      r.lowpass_hz = 8000;
      r.pitch = "D5 down to A4, noise";
      break;
    case SoundEffect::StrikeMiss:
      // A soft whoosh into nothing.
      r.tones = {with_attack(noise(0, 0.24, 2500, 9000, 1.0), 0.06)};
      r.tones[0].curve = 1.2;
      r.peak_dbfs = -27;
      r.lowpass_hz = 3500;
      r.pitch = "noise";
      break;
    case SoundEffect::BossHit:
      // The boss's yelp: a wobbling square dropping a fifth.
      r.tones = {with_vibrato(square(0, 0.22, kA5, kD5, 1.0, 0.5), 28, 0.7)};
      r.peak_dbfs = -23;
      r.pitch = "A5 down to D5";
      break;
    case SoundEffect::BossKnockedOut:
      // The boss tumbles down its arpeggio while the blast rumbles away.
      arpeggio(r, Wave::Square, 0, 0.05, {kA5, kG5, kD5, kA4, kG4, kD4}, 0.12, 0.7, 0.25);
      r.tones.push_back(noise(0, 0.80, 3000, 60, 1.0));
      r.tones.push_back(triangle(0.30, 0.45, kD3, kD2, 0.7));
      r.peak_dbfs = -21;
      r.lowpass_hz = 6000;
      r.pitch = "A5 G5 D5 A4 G4 D4, D3 to D2, noise";
      break;
    case SoundEffect::PlayerHit:
      // A buzzing knock: a square shaken hard, falling a fourth, over a short thud.
      r.tones = {with_vibrato(square(0, 0.28, kD4, kA3, 1.0, 0.25), 24, 1.0), noise(0, 0.10, 3000, 500, 0.6)};
      r.peak_dbfs = -21;
      r.lowpass_hz = 5000;
      r.pitch = "D4 down to A3";
      break;
    case SoundEffect::ShieldBlock:
      // A bright ping, two triangles a fourth apart, with a tap of noise.
      r.tones = {triangle(0, 0.40, kA6, kA6, 1.0), triangle(0, 0.30, kD7, kD7, 0.6),
                 noise(0, 0.03, 9000, 9000, 0.3)};
      r.tones[0].curve = 3;
      r.tones[1].curve = 3;
      r.peak_dbfs = -23;
      r.lowpass_hz = 10000;
      r.pitch = "A6 and D7";
      break;
    case SoundEffect::VampireHeal:
      // Life drawn back: a soft triangle arpeggio climbing.
      arpeggio(r, Wave::Triangle, 0, 0.07, {kD5, kG5, kA5, kD6}, 0.22, 1.0);
      for (Tone& t : r.tones) t.attack = 0.015;
      r.peak_dbfs = -22;
      r.pitch = "D5 G5 A5 D6";
      break;
    case SoundEffect::ClonesAppear:
      // A shimmer of thin squares, back and forth between G and D.
      arpeggio(r, Wave::Square, 0, 0.045, {kG5, kD6, kG6, kD6, kG6, kD7}, 0.12, 0.8, 0.125);
      r.peak_dbfs = -23;
      r.pitch = "G5 D6 G6 D6 G6 D7";
      break;
    case SoundEffect::CloneVanish:
      // A pop and a puff.
      r.tones = {square(0, 0.10, kD6, kD5, 1.0, 0.5), noise(0.02, 0.16, 5000, 1200, 0.5)};
      r.peak_dbfs = -23;
      r.lowpass_hz = 7000;
      r.pitch = "D6 down to D5";
      break;
    case SoundEffect::Tick:
      r.tones = {triangle(0, 0.06, kD6, kD6, 1.0), noise(0, 0.012, 9000, 9000, 0.4)};
      r.tones[0].curve = 3;
      r.peak_dbfs = -24;
      r.pitch = "D6";
      break;
    case SoundEffect::Tock:
      r.tones = {triangle(0, 0.09, kG5, kG5, 1.0), noise(0, 0.012, 5000, 5000, 0.4)};
      r.tones[0].curve = 3;
      r.peak_dbfs = -23;
      r.pitch = "G5";
      break;
    case SoundEffect::ConfuseFlip:
      // The world turns: a woozy square swinging up.
      r.tones = {with_attack(with_vibrato(square(0, 0.36, kD4, kA4, 1.0, 0.25), 9, 1.5), 0.03)};
      r.peak_dbfs = -25;
      r.pitch = "D4 up to A4";
      break;
    case SoundEffect::ConfuseUnflip:
      // And back again.
      r.tones = {with_attack(with_vibrato(square(0, 0.30, kA4, kD4, 1.0, 0.25), 9, 1.5), 0.03)};
      r.peak_dbfs = -25;
      r.pitch = "A4 down to D4";
      break;
    case SoundEffect::CardHover:
      r.tones = {square(0, 0.04, kA5, kA5, 1.0, 0.25)};
      r.tones[0].attack = 0.002;
      r.peak_dbfs = -29;
      r.pitch = "A5";
      break;
    case SoundEffect::CardPick:
      // Two notes that say yes.
      r.tones = {held(square(0, 0.09, kD5, kD5, 0.8, 0.25), 0.04),
                 held(square(0.08, 0.16, kA5, kA5, 0.8, 0.25), 0.05),
                 held(triangle(0.08, 0.16, kD5, kD5, 0.6), 0.05)};
      r.peak_dbfs = -22;
      r.pitch = "D5 then A5";
      break;
    case SoundEffect::CountdownTick:
      r.tones = {held(square(0, 0.13, kA4, kA4, 1.0, 0.5), 0.06)};
      r.peak_dbfs = -25;
      r.pitch = "A4";
      break;
    case SoundEffect::CountdownGo:
      r.tones = {held(square(0, 0.36, kA5, kA5, 0.8, 0.5), 0.16),
                 held(triangle(0, 0.36, kD5, kD5, 0.7), 0.16)};
      r.peak_dbfs = -23;
      r.pitch = "A5 over D5";
      break;
    case SoundEffect::StageClear:
      // A rising jingle that comes to rest on an open D.
      arpeggio(r, Wave::Square, 0, 0.09, {kD5, kG5, kA5}, 0.16, 0.7, 0.25);
      r.tones.push_back(held(square(0.27, 0.62, kD6, kD6, 0.7, 0.25), 0.18, 1.8));
      r.tones.push_back(held(triangle(0.27, 0.62, kA5, kA5, 0.6), 0.18, 1.8));
      r.tones.push_back(held(triangle(0.27, 0.62, kD4, kD4, 0.7), 0.18, 1.8));
      r.peak_dbfs = -22;
      r.pitch = "D5 G5 A5, then D6 over A5 and D4";
      break;
    case SoundEffect::Victory:
      // A fanfare: a pickup, a climb, and a long open chord on G.
      arpeggio(r, Wave::Square, 0, 0.10, {kG4, kD5, kG5}, 0.16, 0.7, 0.25);
      arpeggio(r, Wave::Square, 0.34, 0.13, {kA5, kD6}, 0.20, 0.7, 0.25);
      r.tones.push_back(held(square(0.62, 0.95, kG6, kG6, 0.6, 0.25), 0.35, 1.6));
      r.tones.push_back(held(triangle(0.62, 0.95, kD6, kD6, 0.6), 0.35, 1.6));
      r.tones.push_back(held(triangle(0.62, 0.95, kG3, kG3, 0.8), 0.35, 1.6));
      r.tones.push_back(with_attack(noise(0.62, 0.30, 7000, 3000, 0.15), 0.01));
      r.peak_dbfs = -22;
      r.pitch = "G4 D5 G5, A5 D6, then G6 over D6 and G3";
      break;
    case SoundEffect::Count: break;
  }
  return r;
}

}  // namespace ventora::effects
