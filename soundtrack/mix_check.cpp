#include "soundtrack/mix_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "soundtrack/biquad.h"

namespace ventora::soundtrack {

namespace {

constexpr double kFullScale = 32768.0;
constexpr double kWindowSeconds = 10.0;
constexpr double kSilentWindowRms = 0.00316;  // -50 dBFS

// The two stages of the K-weighting curve (a +4 dB shelf above ~1.7 kHz, a high-pass at ~38 Hz),
// from their analogue prototypes through the bilinear transform, so any sample rate gets the curve.
std::vector<Biquad> k_weighting(int sample_rate) {
  const double fs = sample_rate;
  const double shelf_f0 = 1681.974450955533, shelf_gain_db = 3.999843853973347, shelf_q = 0.7071752369554196;
  double k = std::tan(std::numbers::pi * shelf_f0 / fs);
  const double vh = std::pow(10.0, shelf_gain_db / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  double a0 = 1.0 + k / shelf_q + k * k;
  const Biquad shelf{(vh + vb * k / shelf_q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                     (vh - vb * k / shelf_q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                     (1.0 - k / shelf_q + k * k) / a0};
  const double hp_f0 = 38.13547087602444, hp_q = 0.5003270373238773;
  k = std::tan(std::numbers::pi * hp_f0 / fs);
  a0 = 1.0 + k / hp_q + k * k;
  const Biquad high_pass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / hp_q + k * k) / a0};
  return {shelf, high_pass};
}

// Per-block sums over fixed-length blocks of frames.
struct Blocks {
  std::vector<double> ll, rr, lr, l, r;
};

Blocks block_sums(std::span<const std::int16_t> stereo, std::size_t block_frames) {
  const std::size_t frames = stereo.size() / 2;
  const std::size_t count = (frames + block_frames - 1) / block_frames;
  Blocks b{std::vector<double>(count), std::vector<double>(count), std::vector<double>(count),
           std::vector<double>(count), std::vector<double>(count)};
  for (std::size_t i = 0; i < frames; ++i) {
    const std::size_t at = i / block_frames;
    const double l = stereo[2 * i] / kFullScale;
    const double r = stereo[2 * i + 1] / kFullScale;
    b.ll[at] += l * l;
    b.rr[at] += r * r;
    b.lr[at] += l * r;
    b.l[at] += l;
    b.r[at] += r;
  }
  return b;
}

double sum_of(const std::vector<double>& v, std::size_t from, std::size_t count) {
  double s = 0;
  for (std::size_t i = from; i < from + count; ++i) s += v[i];
  return s;
}

// The lowest correlation and the largest DC over every 10-second window of one-second blocks.
void windowed_figures(std::span<const std::int16_t> stereo, int sample_rate, MixFigures& f) {
  const std::size_t frames = stereo.size() / 2;
  const Blocks b = block_sums(stereo, static_cast<std::size_t>(sample_rate));
  const std::size_t per_window = static_cast<std::size_t>(kWindowSeconds);
  const std::size_t full = frames / static_cast<std::size_t>(sample_rate);
  // Whole blocks only, so every window holds the same number of frames; a short piece is one window.
  const std::size_t blocks = full >= per_window ? full : b.ll.size();
  const std::size_t width = std::min(per_window, blocks);
  const double window_frames =
      full >= per_window ? static_cast<double>(width) * sample_rate : static_cast<double>(frames);
  for (std::size_t start = 0; start + width <= blocks && width > 0; ++start) {
    const double ll = sum_of(b.ll, start, width);
    const double rr = sum_of(b.rr, start, width);
    const double lr = sum_of(b.lr, start, width);
    f.dc = std::max({f.dc, std::fabs(sum_of(b.l, start, width)) / window_frames,
                     std::fabs(sum_of(b.r, start, width)) / window_frames});
    const double rms = std::sqrt((ll + rr) / (2.0 * window_frames));
    if (rms < kSilentWindowRms) continue;
    const double correlation = lr / std::sqrt(ll * rr);
    if (correlation < f.worst_correlation) {
      f.worst_correlation = correlation;
      f.worst_correlation_at = static_cast<double>(start);
    }
  }
}

double percentile(std::vector<double> sorted, double p) {
  std::sort(sorted.begin(), sorted.end());
  const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

double loudness_range(const std::vector<double>& short_term) {
  std::vector<double> above_absolute;
  for (const double v : short_term) {
    if (v > -70.0) above_absolute.push_back(v);
  }
  if (above_absolute.empty()) return 0;
  double power = 0;
  for (const double v : above_absolute) power += std::pow(10.0, v / 10.0);
  const double relative_gate = 10.0 * std::log10(power / static_cast<double>(above_absolute.size())) - 20.0;
  std::vector<double> gated;
  for (const double v : above_absolute) {
    if (v > relative_gate) gated.push_back(v);
  }
  return percentile(gated, 95) - percentile(gated, 10);
}

}  // namespace

std::vector<double> short_term_loudness(std::span<const std::int16_t> stereo, int sample_rate) {
  const std::size_t frames = stereo.size() / 2;
  const std::size_t block = static_cast<std::size_t>(sample_rate) / 10;  // 100 ms
  std::vector<Biquad> left = k_weighting(sample_rate);
  std::vector<Biquad> right = left;
  std::vector<double> block_power((frames + block - 1) / block);
  for (std::size_t i = 0; i < frames; ++i) {
    double l = stereo[2 * i] / kFullScale;
    double r = stereo[2 * i + 1] / kFullScale;
    for (Biquad& stage : left) l = stage.run(l);
    for (Biquad& stage : right) r = stage.run(r);
    block_power[i / block] += l * l + r * r;
  }
  constexpr std::size_t kBlocksPerWindow = 30;  // 3 s
  std::vector<double> values;
  const std::size_t whole = frames / block;
  for (std::size_t start = 0; start + kBlocksPerWindow <= whole; ++start) {
    const double power =
        sum_of(block_power, start, kBlocksPerWindow) / static_cast<double>(kBlocksPerWindow * block);
    values.push_back(power > 0 ? -0.691 + 10.0 * std::log10(power) : -200.0);
  }
  return values;
}

MixFigures measure_mix(std::span<const std::int16_t> stereo, int sample_rate) {
  MixFigures f;
  f.seconds = static_cast<double>(stereo.size() / 2) / sample_rate;
  int peak = 0;
  for (const std::int16_t s : stereo) {
    peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (s == -32768 || s == 32767) ++f.clipped;
  }
  if (peak > 0) f.peak_dbfs = 20.0 * std::log10(peak / kFullScale);
  windowed_figures(stereo, sample_rate, f);
  f.loudness_range = loudness_range(short_term_loudness(stereo, sample_rate));
  return f;
}

std::vector<std::string> mix_faults(const MixFigures& f, const MixLimits& limits) {
  std::vector<std::string> faults;
  char line[160];
  if (f.clipped > 0) {
    std::snprintf(line, sizeof line, "%zu clipped samples", f.clipped);
    faults.emplace_back(line);
  }
  if (f.peak_dbfs > limits.peak_dbfs) {
    std::snprintf(line, sizeof line, "peak %.2f dBFS above %.1f dBFS", f.peak_dbfs, limits.peak_dbfs);
    faults.emplace_back(line);
  }
  if (f.dc > limits.dc) {
    std::snprintf(line, sizeof line, "DC %.4f above %.4f", f.dc, limits.dc);
    faults.emplace_back(line);
  }
  if (f.worst_correlation < limits.correlation) {
    std::snprintf(line, sizeof line, "L/R correlation %.2f below %.2f in the 10 s from %.0f s",
                  f.worst_correlation, limits.correlation, f.worst_correlation_at);
    faults.emplace_back(line);
  }
  if (f.loudness_range > limits.loudness_range) {
    std::snprintf(line, sizeof line, "loudness range %.1f LU above %.1f LU", f.loudness_range,
                  limits.loudness_range);
    faults.emplace_back(line);
  }
  return faults;
}

std::string describe(const MixFigures& f) {
  char line[200];
  std::snprintf(line, sizeof line,
                "length %.3f s, peak %.2f dBFS, clipped %zu, DC %.4f, "
                "worst 10 s correlation %+.2f (from %.0f s), "
                "loudness range %.1f LU",
                f.seconds, f.peak_dbfs, f.clipped, f.dc, f.worst_correlation, f.worst_correlation_at,
                f.loudness_range);
  return line;
}

}  // namespace ventora::soundtrack
