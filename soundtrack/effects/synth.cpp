#include "soundtrack/effects/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventora::effects {

namespace {

constexpr double kFadeInSeconds = 0.003;
constexpr double kFadeOutSeconds = 0.005;

// The correction that takes the step out of a naive square's edge (polynomial band-limited step):
// without it the edges alias into a hiss above the tone.
double edge_correction(double phase, double step) {
  if (phase < step) {
    const double t = phase / step;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - step) {
    const double t = (phase - 1.0) / step;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

// The envelope at `t` seconds into the tone: a linear rise, a hold, then a fall to silence at the
// tone's end.
double envelope(const Tone& tone, double t) {
  if (t < tone.attack) return t / tone.attack;
  const double falling = tone.length - tone.attack - tone.hold;
  const double u = std::clamp((t - tone.attack - tone.hold) / std::max(falling, 1e-9), 0.0, 1.0);
  return std::pow(1.0 - u, tone.curve);
}

// The console's noise channel: a 15-bit shift register stepped at the tone's pitch.
class Noise {
 public:
  double step() {
    const std::uint16_t bit = (register_ ^ (register_ >> 1)) & 1u;
    register_ = static_cast<std::uint16_t>((register_ >> 1) | (bit << 14));
    return (register_ & 1u) ? 1.0 : -1.0;
  }

 private:
  std::uint16_t register_ = 1;
};

void add_tone(const Tone& tone, std::vector<double>& out) {
  const auto first = static_cast<std::size_t>(std::lround(tone.start * kSampleRate));
  const auto count = static_cast<std::size_t>(std::lround(tone.length * kSampleRate));
  const double to_hz = tone.to_hz > 0 ? tone.to_hz : tone.from_hz;
  Noise noise;
  double noise_value = noise.step();
  double phase = 0;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double hz = tone.from_hz * std::pow(to_hz / tone.from_hz, t / tone.length);
    if (tone.vibrato_semitones != 0) {
      hz *= std::pow(2.0,
                     tone.vibrato_semitones / 12.0 * std::sin(2.0 * std::numbers::pi * tone.vibrato_hz * t));
    }
    const double step = std::min(hz / kSampleRate, 0.5);
    double value = 0;
    switch (tone.wave) {
      case Wave::Square: {
        value = phase < tone.duty ? 1.0 : -1.0;
        value += edge_correction(phase, step);
        value -= edge_correction(std::fmod(phase + 1.0 - tone.duty, 1.0), step);
        value -= 2.0 * tone.duty - 1.0;  // a narrow pulse is lopsided: centre it
        break;
      }
      case Wave::Triangle: value = 4.0 * std::fabs(phase - 0.5) - 1.0; break;
      case Wave::Noise: value = noise_value; break;
    }
    out[first + i] += tone.level * envelope(tone, t) * value;
    phase += step;
    if (phase >= 1.0) {
      phase -= 1.0;
      if (tone.wave == Wave::Noise) noise_value = noise.step();
    }
  }
}

double peak_of(const std::vector<double>& mix) {
  double peak = 0;
  for (const double v : mix) peak = std::max(peak, std::fabs(v));
  return peak;
}

// A high-pass at about 35 Hz.
void block_dc(std::vector<double>& mix) {
  double last_in = 0, last_out = 0;
  for (double& v : mix) {
    last_out = v - last_in + 0.995 * last_out;
    last_in = v;
    v = last_out;
  }
}

}  // namespace

double note_hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

std::vector<std::int16_t> render(const Recipe& recipe) {
  double seconds = 0;
  for (const Tone& tone : recipe.tones) seconds = std::max(seconds, tone.start + tone.length);
  std::vector<double> mix(static_cast<std::size_t>(std::lround(seconds * kSampleRate)));
  for (const Tone& tone : recipe.tones) add_tone(tone, mix);

  // Soften the edges with a one-pole low-pass.
  const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * recipe.lowpass_hz / kSampleRate);
  double low = 0;
  for (double& v : mix) v = low += a * (v - low);

  // A gentle saturation rounds off the few highest swings, so the body of the sound sits closer to
  // its peak: louder for the same headroom. Narrow pulses lean to one side, and so does what the
  // saturation leaves of them: the DC comes out before and after.
  block_dc(mix);
  const double loudest = peak_of(mix);
  if (loudest > 0 && recipe.drive > 0) {
    for (double& v : mix) v = std::tanh(recipe.drive * v / loudest);
  }
  block_dc(mix);

  const auto fade_in = static_cast<std::size_t>(kFadeInSeconds * kSampleRate);
  const auto fade_out = static_cast<std::size_t>(kFadeOutSeconds * kSampleRate);
  for (std::size_t i = 0; i < mix.size(); ++i) {
    const std::size_t to_end = mix.size() - 1 - i;
    if (i < fade_in) mix[i] *= static_cast<double>(i) / fade_in;
    if (to_end < fade_out) mix[i] *= static_cast<double>(to_end) / fade_out;
  }

  const double peak = peak_of(mix);
  const double scale = peak > 0 ? std::pow(10.0, recipe.peak_dbfs / 20.0) * 32767.0 / peak : 0.0;
  std::vector<std::int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(),
                 [scale](double v) { return static_cast<std::int16_t>(std::lround(v * scale)); });
  return samples;
}

}  // namespace ventora::effects
