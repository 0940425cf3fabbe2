// The sound effects' share of the mix check. Alone, each effect must be short, keep the mix's
// limits and start and end in silence (no click). Together, the loudest burst the mixer can hold
// (its effect channels filled with the loudest effects, no more of each than may sound at once)
// over the loudest music that can play must still keep the limits: every part is lined up at the
// sample where it swings furthest to the same side, so this is the worst any moment can be.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "soundtrack/mix_check.h"

namespace ventora::effects {

// Longer effects would drag behind the moment they belong to.
inline constexpr double kLongestEffectSeconds = 2.0;
// A first or last sample above this is a step out of or into silence: a click.
inline constexpr int kLargestEdgeSample = 16;

struct EffectSound {
  std::string_view name;
  std::vector<std::int16_t> mono;  // at the synthesiser's rate
  int voices = 1;                  // how many may sound at once
};

// One line per fault of one effect; empty when it is fine.
std::vector<std::string> effect_faults(const EffectSound& effect, int sample_rate);

// Something that plays in the worst moment: its samples, interleaved over `channels`, and the
// volume it plays at.
struct Layer {
  std::span<const std::int16_t> samples;
  int channels = 1;
  double volume = 1;
};

// The loudest burst: `channels` voices, the effects taken loudest first, each as many times as it
// may sound at once, all at `volume`.
std::vector<Layer> loudest_burst(std::span<const EffectSound> effects, int channels, double volume);

// The stereo mix, as the mixer makes it (summed, held to 16 bits), of the layers lined up at the
// sample where they swing furthest to whichever side adds up to more, `seconds` long and centred
// on that sample.
std::vector<std::int16_t> worst_moment(std::span<const Layer> layers, int sample_rate, double seconds);

// The figures of the worst moment and the faults they show against the mix's limits.
struct WorstMoment {
  soundtrack::MixFigures figures;
  std::vector<std::string> faults;
};
WorstMoment check_worst_moment(std::span<const Layer> layers, int sample_rate);

}  // namespace ventora::effects
