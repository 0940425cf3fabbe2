// Measurements of a rendered piece and the limits its mix must keep: no clipping, peaks at or under
// -1 dBFS, no DC, left and right never far out of phase, and no section much quieter than the rest.
//
// What is computed, on interleaved 16-bit stereo (full scale = 32768):
// - peak: the largest |sample| in dBFS; clipped: samples at -32768 or 32767.
// - dc: the largest |mean| of one channel over any 10-second window (hop 1 s), in full-scale units.
// - correlation: over every 10-second window (hop 1 s), sum(L·R) / sqrt(sum(L²)·sum(R²)), the phase
//   meter's reading (+1 mono, 0 unrelated, -1 inverted); the lowest is kept. Windows quieter than
//   -50 dBFS RMS are skipped (the reading means nothing there). A piece under 10 s is one window.
// - loudness range, after EBU R128 / Tech 3342: both channels K-weighted (the BS.1770 shelf and
//   high-pass, designed for the sample rate), mean square summed over the channels in 100 ms blocks,
//   short-term loudness -0.691 + 10·log10(power) of each 3 s window at a 100 ms hop; values under
//   -70 LUFS are dropped, then those more than 20 LU under the power mean of the rest; the range is
//   the 95th minus the 10th percentile (nearest rank) of what is left, in LU.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ventora::soundtrack {

struct MixFigures {
  double seconds = 0;
  double peak_dbfs = -200;
  std::size_t clipped = 0;
  double dc = 0;
  double worst_correlation = 1;
  double worst_correlation_at = 0;  // start of that window, in seconds
  double loudness_range = 0;        // LU
};

struct MixLimits {
  double peak_dbfs = -1.0;
  double dc = 0.002;
  double correlation = 0.2;
  double loudness_range = 8.0;
};

MixFigures measure_mix(std::span<const std::int16_t> stereo, int sample_rate);

// One line per limit broken; empty when the mix is within all of them.
std::vector<std::string> mix_faults(const MixFigures& figures, const MixLimits& limits = {});

// The figures on one line, for build logs and notes.
std::string describe(const MixFigures& figures);

// The short-term loudness values (LUFS, 3 s windows at a 100 ms hop) that the range is taken from,
// before gating; exposed so the K-weighting can be checked against known levels.
std::vector<double> short_term_loudness(std::span<const std::int16_t> stereo, int sample_rate);

}  // namespace ventora::soundtrack
