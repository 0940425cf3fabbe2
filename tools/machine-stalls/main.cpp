// How long this machine keeps a running thread off its core: one thread reads the monotonic clock
// in a loop for a while and reports the longest gap between two readings and how many exceed 20 ms.
// A frame-time spike the same size as these gaps is the machine's, not the game's.
// Usage: machine-stalls [SECONDS]   (default 40)
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  using Clock = std::chrono::steady_clock;
  const double seconds = argc > 1 ? std::atof(argv[1]) : 40.0;
  if (!(seconds > 0)) {
    std::fprintf(stderr, "usage: %s [SECONDS]\n", argv[0]);
    return 2;
  }
  const Clock::time_point start = Clock::now();
  Clock::time_point last = start;
  double worst_ms = 0;
  int over_20_ms = 0;
  while (std::chrono::duration<double>(last - start).count() < seconds) {
    const Clock::time_point now = Clock::now();
    const double gap_ms = std::chrono::duration<double, std::milli>(now - last).count();
    if (gap_ms > worst_ms) worst_ms = gap_ms;
    if (gap_ms > 20) ++over_20_ms;
    last = now;
  }
  std::printf("%.0f s: longest gap %.1f ms, gaps over 20 ms: %d\n", seconds, worst_ms, over_20_ms);
  return 0;
}
