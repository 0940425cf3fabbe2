#include "soundtrack/arrange.h"

namespace ventora::soundtrack {

double hold_chords(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
                   int velocity) {
  for (const std::string_view chord : chords) {
    s.chord(channel, beat, beats_each * 0.98, chord_keys(chord, low), velocity);
    beat += beats_each;
  }
  return beat;
}

double bass_line(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
                 const std::vector<BassStep>& pattern, int velocity, Humanizer& feel) {
  for (const std::string_view chord : chords) {
    const int bass = chord_bass(chord, low);
    for (const BassStep& step : pattern) {
      s.note(channel, beat + step.offset, step.beats, bass + step.interval, feel.velocity(velocity, 8));
    }
    beat += beats_each;
  }
  return beat;
}

double arpeggio(Score& s, int channel, double beat, const Progression& chords, double beats_each, double step,
                int low, const std::vector<int>& order, int velocity, Humanizer& feel) {
  for (const std::string_view chord : chords) {
    const std::vector<int> keys = chord_keys(chord, low);
    const int n = static_cast<int>(keys.size());
    std::size_t i = 0;
    for (double t = 0; t < beats_each - 1e-9; t += step, ++i) {
      const int index = order[i % order.size()];
      const int key = keys[index % n] + 12 * (index / n);
      s.note(channel, beat + t, step * 1.5, key, feel.velocity(velocity, 10));
    }
    beat += beats_each;
  }
  return beat;
}

double comp(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
            const std::vector<BassStep>& hits, int velocity, Humanizer& feel) {
  for (const std::string_view chord : chords) {
    const std::vector<int> keys = chord_keys(chord, low);
    for (const BassStep& hit : hits) {
      s.chord(channel, beat + hit.offset, hit.beats, keys, feel.velocity(velocity + hit.interval, 6));
    }
    beat += beats_each;
  }
  return beat;
}

}  // namespace ventora::soundtrack
