#include "soundtrack/score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <string>

namespace ventora::soundtrack {

namespace {

// Semitone of a pitch letter with its accidentals; advances `at` past them.
int pitch_class(std::string_view text, std::size_t& at) {
  static constexpr int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text.at(at))));
  if (letter < 'a' || letter > 'g') throw std::invalid_argument("bad pitch: " + std::string(text));
  int pc = kLetters[letter - 'a'];
  ++at;
  while (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
    pc += text[at] == '#' ? 1 : -1;
    ++at;
  }
  return (pc + 12) % 12;
}

// A single note like "c#5" (MIDI: c4 = 60).
int parse_key(std::string_view text) {
  std::size_t at = 0;
  const int pc = pitch_class(text, at);
  const int octave = std::stoi(std::string(text.substr(at)));
  return 12 * (octave + 1) + pc;
}

}  // namespace

void Score::program(int channel, int program, double beat) { programs.push_back({beat, channel, program}); }

void Score::control(int channel, int control, int value, double beat) {
  controls.push_back({beat, channel, control, value});
}

void Score::mix(int channel, int volume, int pan, int reverb) {
  control(channel, 7, volume);
  control(channel, 10, pan);
  control(channel, 91, reverb);
}

void Score::note(int channel, double beat, double beats, int key, int velocity) {
  notes.push_back({beat, beats, channel, key, std::clamp(velocity, 1, 127)});
}

void Score::chord(int channel, double beat, double beats, const std::vector<int>& keys, int velocity) {
  for (const int key : keys) note(channel, beat, beats, key, velocity);
}

double Score::melody(int channel, double beat, std::string_view text, int velocity, int transpose) {
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size()) break;
    const std::size_t colon = text.find(':', at);
    if (colon == std::string_view::npos) {
      throw std::invalid_argument("missing duration in: " + std::string(text));
    }
    const std::string_view pitch = text.substr(at, colon - at);
    const std::size_t end = std::min(text.find(' ', colon), text.size());
    const double beats = std::stod(std::string(text.substr(colon + 1, end - colon - 1)));
    // Slightly detached: each note leaves a little air before the next.
    if (pitch != "r") note(channel, beat, beats * 0.92, parse_key(pitch) + transpose, velocity);
    beat += beats;
    at = end;
  }
  return beat;
}

void Score::grid(int channel, int key, double beat, std::string_view steps, double beats_per_step) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    int velocity = 0;
    switch (steps[i]) {
      case 'X': velocity = 118; break;
      case 'x': velocity = 100; break;
      case 'o': velocity = 78; break;
      case '.': velocity = 48; break;
      default: break;
    }
    if (velocity > 0) {
      note(channel, beat + static_cast<double>(i) * beats_per_step, beats_per_step, key, velocity);
    }
  }
}

void Score::ramp(int channel, double beat, double beats, int from, int to) {
  const int steps = std::max(1, static_cast<int>(beats * 8));
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    control(channel, 11, static_cast<int>(std::lround(from + (to - from) * t)), beat + beats * t);
  }
}

double Score::seconds_at(double beat) const {
  double seconds = 0;
  for (std::size_t i = 0; i < tempo.size(); ++i) {
    const double start = tempo[i].beat;
    if (beat <= start) break;
    const double end = i + 1 < tempo.size() ? std::min(beat, tempo[i + 1].beat) : beat;
    seconds += (end - start) * 60.0 / tempo[i].bpm;
  }
  return seconds;
}

std::vector<int> chord_keys(std::string_view symbol, int low) {
  const std::size_t slash = symbol.find('/');
  const std::string_view body = symbol.substr(0, slash);
  std::size_t at = 0;
  const int root_pc = pitch_class(body, at);
  const std::string_view quality = body.substr(at);
  struct Quality {
    std::string_view name;
    std::vector<int> intervals;
  };
  static const Quality kQualities[] = {
      {"", {0, 4, 7}},          {"m", {0, 3, 7}},
      {"7", {0, 4, 7, 10}},     {"maj7", {0, 4, 7, 11}},
      {"m7", {0, 3, 7, 10}},    {"m9", {0, 3, 7, 10, 14}},
      {"9", {0, 4, 7, 10, 14}}, {"maj9", {0, 4, 7, 11, 14}},
      {"6", {0, 4, 7, 9}},      {"m6", {0, 3, 7, 9}},
      {"sus4", {0, 5, 7}},      {"sus2", {0, 2, 7}},
      {"add9", {0, 4, 7, 14}},  {"dim", {0, 3, 6}},
      {"dim7", {0, 3, 6, 9}},   {"m7b5", {0, 3, 6, 10}},
      {"aug", {0, 4, 8}},       {"7b9", {0, 4, 7, 10, 13}},
  };
  const Quality* found = nullptr;
  for (const Quality& q : kQualities) {
    if (q.name == quality) found = &q;
  }
  if (found == nullptr) throw std::invalid_argument("unknown chord: " + std::string(symbol));
  const std::vector<int>& intervals = found->intervals;
  int root = low + ((root_pc - low) % 12 + 12) % 12;
  std::vector<int> keys;
  for (const int interval : intervals) keys.push_back(root + interval);
  return keys;
}

int chord_bass(std::string_view symbol, int low) {
  const std::size_t slash = symbol.find('/');
  std::string_view name = slash == std::string_view::npos ? symbol : symbol.substr(slash + 1);
  std::size_t at = 0;
  const int pc = pitch_class(name, at);
  return low + ((pc - low) % 12 + 12) % 12;
}

double Humanizer::next() {
  state_ = state_ * 1664525u + 1013904223u;
  return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
}

int Humanizer::velocity(int base, int spread) {
  return std::clamp(base + static_cast<int>(std::lround(next() * spread)), 1, 127);
}

}  // namespace ventora::soundtrack
