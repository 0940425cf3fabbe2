#include "app/frame_pacer.h"

#include <thread>

namespace ventora {

namespace {
using Clock = std::chrono::steady_clock;
// The stretch before the deadline that is not left to the scheduler.
constexpr auto kPreciseTail = std::chrono::microseconds(1500);
}  // namespace

FramePacer::FramePacer(const FramePacing& pacing) : pacing_(pacing), frame_start_(Clock::now()) {}

void FramePacer::wait_after_present() {
  const Clock::time_point now = Clock::now();
  const double wait = frame_wait_seconds(pacing_, std::chrono::duration<double>(now - frame_start_).count());
  const Clock::time_point deadline =
      now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(wait));
  if (deadline - now > kPreciseTail) std::this_thread::sleep_until(deadline - kPreciseTail);
  while (Clock::now() < deadline) std::this_thread::yield();
  frame_start_ = Clock::now();
}

}  // namespace ventora
