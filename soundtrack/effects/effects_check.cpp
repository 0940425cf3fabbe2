#include "soundtrack/effects/effects_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ventora::effects {

namespace {

// The mixer's volume steps: 0 to 128.
double mixer_volume(double volume) { return std::lround(volume * 128.0) / 128.0; }

std::vector<std::int16_t> as_stereo(std::span<const std::int16_t> mono) {
  std::vector<std::int16_t> stereo;
  stereo.reserve(mono.size() * 2);
  for (const std::int16_t s : mono) {
    stereo.push_back(s);
    stereo.push_back(s);
  }
  return stereo;
}

int peak_of(std::span<const std::int16_t> samples) {
  int peak = 0;
  for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// A layer's sample for output channel `out` (0 left, 1 right) at frame `frame`; 0 outside it.
double sample_at(const Layer& layer, std::ptrdiff_t frame, int out) {
  const auto frames = static_cast<std::ptrdiff_t>(layer.samples.size()) / layer.channels;
  if (frame < 0 || frame >= frames) return 0;
  const int channel = std::min(out, layer.channels - 1);
  return layer.samples[static_cast<std::size_t>(frame * layer.channels + channel)];
}

// Where a layer swings furthest towards `side` (+1 or -1) in output channel `out`, and how far.
struct Swing {
  std::ptrdiff_t frame = 0;
  double size = 0;
};

Swing furthest_swing(const Layer& layer, int side, int out) {
  Swing best;
  const auto frames = static_cast<std::ptrdiff_t>(layer.samples.size()) / layer.channels;
  for (std::ptrdiff_t f = 0; f < frames; ++f) {
    const double v = side * sample_at(layer, f, out);
    if (v > best.size) best = {f, v};
  }
  return best;
}

}  // namespace

std::vector<std::string> effect_faults(const EffectSound& effect, int sample_rate) {
  std::vector<std::string> faults;
  const std::string name(effect.name);
  char line[200];
  const double seconds = static_cast<double>(effect.mono.size()) / sample_rate;
  if (effect.mono.empty()) return {name + ": no samples"};
  if (seconds > kLongestEffectSeconds) {
    std::snprintf(line, sizeof line, "%s: %.2f s long, above %.1f s", name.c_str(), seconds,
                  kLongestEffectSeconds);
    faults.emplace_back(line);
  }
  for (const auto& [where, sample] :
       {std::pair{"starts", effect.mono.front()}, {"ends", effect.mono.back()}}) {
    if (std::abs(static_cast<int>(sample)) > kLargestEdgeSample) {
      std::snprintf(line, sizeof line, "%s: %s on sample %d, a click", name.c_str(), where, sample);
      faults.emplace_back(line);
    }
  }
  soundtrack::MixFigures figures = soundtrack::measure_mix(as_stereo(effect.mono), sample_rate);
  figures.clipped /= 2;  // each of its samples was counted in both channels
  for (const std::string& fault : soundtrack::mix_faults(figures)) {
    faults.push_back(name + ": " + fault);
  }
  return faults;
}

std::vector<Layer> loudest_burst(std::span<const EffectSound> effects, int channels, double volume) {
  std::vector<const EffectSound*> loudest;
  for (const EffectSound& e : effects) loudest.push_back(&e);
  std::stable_sort(loudest.begin(), loudest.end(), [](const EffectSound* a, const EffectSound* b) {
    return peak_of(a->mono) > peak_of(b->mono);
  });
  std::vector<Layer> burst;
  for (const EffectSound* e : loudest) {
    for (int v = 0; v < e->voices && static_cast<int>(burst.size()) < channels; ++v) {
      burst.push_back({e->mono, 1, volume});
    }
  }
  return burst;
}

std::vector<std::int16_t> worst_moment(std::span<const Layer> layers, int sample_rate, double seconds) {
  // The output channel and side where the layers' furthest swings add up to the most.
  int worst_side = 1, worst_out = 0;
  double worst_total = -1;
  for (const int side : {1, -1}) {
    for (const int out : {0, 1}) {
      double total = 0;
      for (const Layer& layer : layers)
        total += mixer_volume(layer.volume) * furthest_swing(layer, side, out).size;
      if (total > worst_total) {
        worst_total = total;
        worst_side = side;
        worst_out = out;
      }
    }
  }
  std::vector<std::ptrdiff_t> aligned;
  for (const Layer& layer : layers) aligned.push_back(furthest_swing(layer, worst_side, worst_out).frame);

  const auto frames = static_cast<std::ptrdiff_t>(std::lround(seconds * sample_rate));
  std::vector<std::int16_t> mix;
  mix.reserve(static_cast<std::size_t>(frames) * 2);
  for (std::ptrdiff_t f = -frames / 2; f < frames - frames / 2; ++f) {
    for (int out = 0; out < 2; ++out) {
      double sum = 0;
      for (std::size_t i = 0; i < layers.size(); ++i) {
        sum += mixer_volume(layers[i].volume) * sample_at(layers[i], aligned[i] + f, out);
      }
      mix.push_back(static_cast<std::int16_t>(std::clamp(std::lround(sum), -32768L, 32767L)));
    }
  }
  return mix;
}

WorstMoment check_worst_moment(std::span<const Layer> layers, int sample_rate) {
  constexpr double kMomentSeconds = 2.0;
  WorstMoment worst;
  worst.figures = soundtrack::measure_mix(worst_moment(layers, sample_rate, kMomentSeconds), sample_rate);
  worst.faults = soundtrack::mix_faults(worst.figures);
  return worst;
}

}  // namespace ventora::effects
