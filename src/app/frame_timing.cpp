#include "app/frame_timing.h"

#include <algorithm>

namespace ventora {

float frame_dt(double seconds) {
  return std::min(static_cast<float>(seconds), kMaxFrameSeconds);
}

namespace {
constexpr double kAssumedRefreshHz = 60;
}  // namespace

double frame_wait_seconds(const FramePacing& pacing, double elapsed) {
  if (pacing.cap == 0) return 0;
  const double refresh = pacing.refresh_hz > 0 ? pacing.refresh_hz : kAssumedRefreshHz;
  const double interval = 1.0 / (pacing.cap ? *pacing.cap : refresh);
  if (pacing.vsync && !pacing.cap && elapsed >= 0.5 * interval) return 0;
  return std::max(0.0, interval - elapsed);
}

}  // namespace ventora
