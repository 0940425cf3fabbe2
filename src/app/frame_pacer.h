// Waits out the rest of each frame after it was shown, by the pacing rule of frame_timing.h.
#pragma once

#include <chrono>

#include "app/frame_timing.h"

namespace ventora {

class FramePacer {
 public:
  explicit FramePacer(const FramePacing& pacing);
  // Call right after the swap: sleeps for most of the wait, then waits the last stretch precisely
  // (a sleep may overshoot by a millisecond or more).
  void wait_after_present();

 private:
  FramePacing pacing_;
  std::chrono::steady_clock::time_point frame_start_;
};

}  // namespace ventora
