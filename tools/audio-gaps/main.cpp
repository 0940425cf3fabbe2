// Counts the dropouts in a capture of the game's sound: runs of digital silence inside the
// sound, at least MIN_MS long (10 by default). The silence before the first sound and after the
// last is not counted, nor is anything quieter than silence: a dropout is exact zeros.
// Input: raw 16-bit little-endian stereo at 44.1 kHz, as `parec --raw` and SDL's disk driver write.
// Usage: audio-gaps FILE [MIN_MS]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

double to_ms(std::size_t frames) { return 1000.0 * static_cast<double>(frames) / kRate; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: audio-gaps FILE [MIN_MS]\n");
    return 2;
  }
  const double min_ms = argc == 3 ? std::atof(argv[2]) : 10.0;
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "audio-gaps: cannot read %s\n", argv[1]);
    return 2;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t frames = bytes.size() / (2 * kChannels);
  const auto silent = [&](std::size_t frame) {
    for (int c = 0; c < kChannels; ++c) {
      const std::size_t at = (frame * kChannels + c) * 2;
      if (bytes[at] != 0 || bytes[at + 1] != 0) return false;
    }
    return true;
  };

  std::size_t first = 0;
  while (first < frames && silent(first)) ++first;
  std::size_t end = frames;
  while (end > first && silent(end - 1)) --end;

  int gaps = 0;
  double gap_ms = 0;
  for (std::size_t at = first; at < end;) {
    if (!silent(at)) {
      ++at;
      continue;
    }
    const std::size_t from = at;
    while (at < end && silent(at)) ++at;
    const double ms = to_ms(at - from);
    if (ms < min_ms) continue;
    ++gaps;
    gap_ms += ms;
    std::printf("gap at %.3f s: %.1f ms\n", static_cast<double>(from) / kRate, ms);
  }
  std::printf("%s: %.1f s of sound from %.3f s; %d gaps of %g ms or more, %.0f ms in all\n", argv[1],
              to_ms(end - first) / 1000.0, static_cast<double>(first) / kRate, gaps, min_ms, gap_ms);
  return 0;
}
