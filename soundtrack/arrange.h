// Arranging helpers shared by the scores: chords held, bass lines and arpeggios over a progression.
#pragma once

#include <string_view>
#include <vector>

#include "soundtrack/score.h"

namespace ventora::soundtrack {

using Progression = std::vector<std::string_view>;

// Each chord held for `beats_each`, voiced from `low`; returns the beat after the last chord.
double hold_chords(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
                   int velocity);

// A bass line: for each chord, `pattern` gives (offset in beats, length, interval above the chord's bass)
// relative to the chord's start; returns the beat after the last chord.
struct BassStep {
  double offset;
  double beats;
  int interval;
};
double bass_line(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
                 const std::vector<BassStep>& pattern, int velocity, Humanizer& feel);

// Chord tones played one after another every `step` beats, walking `order` (indices into the voicing,
// wrapping into the next octave); returns the beat after the last chord.
double arpeggio(Score& s, int channel, double beat, const Progression& chords, double beats_each, double step,
                int low, const std::vector<int>& order, int velocity, Humanizer& feel);

// Chords struck on the given offsets within each chord's span (a comping rhythm).
double comp(Score& s, int channel, double beat, const Progression& chords, double beats_each, int low,
            const std::vector<BassStep>& hits, int velocity, Humanizer& feel);

}  // namespace ventora::soundtrack
