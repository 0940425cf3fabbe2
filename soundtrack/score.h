// A score as the renderer plays it: notes, controller changes and programs on MIDI channels, placed in
// beats, with a tempo map. Plus a small text notation for melodies and a drum-grid notation.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ventora::soundtrack {

inline constexpr int kDrums = 9;  // the General MIDI percussion channel

struct NoteEvent {
  double beat = 0;
  double beats = 0;
  int channel = 0;
  int key = 60;
  int velocity = 90;
};

struct ControlEvent {
  double beat = 0;
  int channel = 0;
  int control = 0;
  int value = 0;
};

struct ProgramEvent {
  double beat = 0;
  int channel = 0;
  int program = 0;
};

struct TempoChange {
  double beat = 0;
  double bpm = 120;
};

struct Score {
  std::vector<NoteEvent> notes;
  std::vector<ControlEvent> controls;
  std::vector<ProgramEvent> programs;
  std::vector<TempoChange> tempo{{0, 120}};

  void program(int channel, int program, double beat = 0);
  void control(int channel, int control, int value, double beat = 0);
  // Channel volume (CC 7), pan (CC 10, 64 = centre) and reverb send (CC 91) in one call.
  void mix(int channel, int volume, int pan, int reverb);
  void note(int channel, double beat, double beats, int key, int velocity);
  void chord(int channel, double beat, double beats, const std::vector<int>& keys, int velocity);
  // Plays a melody written as "c5:1 e5:.5 r:.5 g#4:2" (durations in beats, "r" a rest); returns the
  // beat after its end.
  double melody(int channel, double beat, std::string_view text, int velocity, int transpose = 0);
  // One bar per string, one character per step: 'X' loud, 'x' accent, 'o' normal, '.' ghost, '-' rest.
  void grid(int channel, int key, double beat, std::string_view steps, double beats_per_step = 0.25);
  // Expression (CC 11) ramp from `from` to `to` over the given beats, in small steps.
  void ramp(int channel, double beat, double beats, int from, int to);
  // Seconds from the start to `beat`, through the tempo map.
  double seconds_at(double beat) const;
};

// The keys of a chord symbol such as "C", "F#m7", "Bbmaj7", "G7", "Dm9", "Esus4", "Bdim", "Am7b5",
// "C6", "Caug", "C/G" (slash bass), voiced upwards from the root nearest at or above `low`.
std::vector<int> chord_keys(std::string_view symbol, int low);
// The root key of a chord symbol (or the slash bass if given) in the octave starting at `low`.
int chord_bass(std::string_view symbol, int low);

// A small deterministic generator for human feel (velocity and timing), independent of the game's.
class Humanizer {
 public:
  explicit Humanizer(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  // A value in [-1, 1].
  double next();
  int velocity(int base, int spread);

 private:
  std::uint32_t state_;
};

}  // namespace ventora::soundtrack
