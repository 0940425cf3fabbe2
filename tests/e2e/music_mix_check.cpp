// Checks the game's mixed audio output (SDL's disk driver: S16 stereo at 44.1 kHz) against the
// embedded soundtrack, sample for sample: the first track of the start-up order (track 2) at the track
// volume until the defeat, then the defeat cue at the cue volume; with --restart also the next track of
// the order (track 4) starting over the cue, which plays on.
//   music_mix_check <output.raw> [--restart]   exit 0: all found; 1: not (yet)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "music/embedded_tracks.h"
#include "music/mp3_decode.h"
#include "music/wav.h"

namespace {

// The track's samples as the mixer plays them at `volume` out of 128 (SDL's integer scaling).
std::vector<int> as_mixed(const ventora::EmbeddedTrack& track, int volume) {
  const auto wav = ventora::decode_mp3(track.mp3_bytes).value();
  std::vector<int> samples;
  for (std::size_t at = ventora::kWavHeaderBytes; at + 1 < wav.size(); at += 2) {
    const auto s = static_cast<std::int16_t>(wav[at] | wav[at + 1] << 8);
    samples.push_back(s * volume / 128);
  }
  return samples;
}

// Samples from `from` on that equal `want` from its start, plus `over` from `over_from` when given
// (two sounds mixed: the mixer adds them; these levels never reach the clipping point).
std::size_t matching(const std::vector<std::int16_t>& out, std::size_t from, const std::vector<int>& want,
                     const std::vector<int>* over = nullptr, std::size_t over_from = 0) {
  std::size_t k = 0;
  while (from + k < out.size() && k < want.size()) {
    const std::size_t o = over_from + k;
    const int under = over != nullptr && o < over->size() ? (*over)[o] : 0;
    if (out[from + k] != want[k] + under) break;
    ++k;
  }
  return k;
}

constexpr double kRate = 2 * 44100.0;       // samples per second, both channels
constexpr std::size_t kEnough = 44100 * 2;  // one second

// Where `sound` starts within `window` samples before `left` and then matches for a second; 0 if nowhere.
std::size_t find_start(const std::vector<std::int16_t>& out, std::size_t left, const std::vector<int>& sound,
                       const std::vector<int>* over = nullptr, std::size_t over_start = 0) {
  for (std::size_t back = 0; back <= 16384 && back <= left; back += 2) {
    const std::size_t at = left - back;
    if (over != nullptr && at < over_start) break;
    if (matching(out, at, sound, over, at - over_start) >= kEnough) return at;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<char> raw((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::int16_t> out(raw.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<std::int16_t>(static_cast<unsigned char>(raw[2 * i]) | raw[2 * i + 1] << 8);
  }
  const std::vector<int> track = as_mixed(ventora::music_tracks()[2], 41);  // volume 0.32
  const std::vector<int> cue = as_mixed(ventora::defeat_cue_track(), 56);   // volume 0.44

  // Align the output's first audible sample with the track's.
  std::size_t out_first = 0;
  while (out_first < out.size() && out[out_first] == 0) ++out_first;
  std::size_t track_first = 0;
  while (track_first < track.size() && track[track_first] == 0) ++track_first;
  if (out_first == out.size() || out_first % 2 != track_first % 2 || out_first < track_first) {
    std::printf("no music in the output yet\n");
    return 1;
  }
  const std::size_t start = out_first - track_first;
  const std::size_t played = matching(out, start, track);
  std::printf("track 2 from %.3f s, exact for %.3f s\n", start / kRate, played / kRate);
  if (played < kEnough) return 1;

  // The track stops at the defeat; the cue starts within a mixer buffer of where the output leaves it.
  const std::size_t cue_start = find_start(out, (start + played) & ~std::size_t{1}, cue);
  if (cue_start == 0) {
    std::printf("no defeat cue after %.3f s\n", (start + played) / kRate);
    return 1;
  }
  const std::size_t cue_alone = matching(out, cue_start, cue);
  std::printf("defeat cue from %.3f s, alone for %.3f s\n", cue_start / kRate, cue_alone / kRate);
  if (argc < 3 || std::string_view(argv[2]) != "--restart") return 0;

  // After the restart the next track of the order starts while the cue plays on.
  const std::vector<int> next = as_mixed(ventora::music_tracks()[4], 41);
  const std::size_t next_start =
      find_start(out, (cue_start + cue_alone) & ~std::size_t{1}, next, &cue, cue_start);
  if (next_start == 0) {
    std::printf("no track 4 over the cue after %.3f s\n", (cue_start + cue_alone) / kRate);
    return 1;
  }
  std::printf("track 4 from %.3f s over the cue, exact for %.3f s\n", next_start / kRate,
              matching(out, next_start, next, &cue, next_start - cue_start) / kRate);
  return 0;
}
