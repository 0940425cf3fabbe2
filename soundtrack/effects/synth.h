// A small synthesiser for the sound effects, in the old consoles' manner: square and triangle
// waves, a stepped noise generator, pitch sweeps, vibrato and plain envelopes. An effect is a few
// tones laid over each other; rendering is deterministic.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ventora::effects {

inline constexpr int kSampleRate = 44100;

enum class Wave { Square, Triangle, Noise };

// One voice of an effect: a wave that sweeps in pitch while its envelope rises and falls.
struct Tone {
  Wave wave = Wave::Square;
  double start = 0;       // seconds into the effect
  double length = 0.1;    // seconds from the start to silence
  double from_hz = 440;   // pitch at the start; for noise, how often the generator steps
  double to_hz = 0;       // pitch at the end, reached exponentially; 0 keeps `from_hz`
  double level = 1;       // relative to the effect's other tones
  double attack = 0.004;  // seconds to full level
  double hold = 0;        // seconds at full level before the decay
  double curve = 2;       // shape of the decay to silence: 1 linear, larger falls away sooner
  double duty = 0.5;      // share of a square's period spent high
  double vibrato_hz = 0;  // pitch wobble
  double vibrato_semitones = 0;
};

struct Recipe {
  std::vector<Tone> tones;
  double peak_dbfs = -20;    // the rendered effect is scaled to peak exactly here
  double lowpass_hz = 9000;  // softens the waves' edges
  double drive = 2.0;        // how hard the saturation rounds the highest swings; 0: none
  std::string_view pitch;    // the notes it plays, for the build log ("D5 to D6", "noise")
};

// The pitch of a MIDI note number (69 = A4 = 440 Hz).
double note_hz(int midi);

// Mono 16-bit samples at kSampleRate: the tones summed, low-passed, saturated, freed of DC, faded
// in over 3 ms and out over 5 ms so it neither starts nor ends with a click, and scaled to the
// peak.
std::vector<std::int16_t> render(const Recipe& recipe);

}  // namespace ventora::effects
