// Build tool: renders one piece of the soundtrack and encodes it as the MP3 the game embeds. Prints the
// mix's figures; a piece that breaks the mix's limits fails the build and no MP3 is written (the WAV
// still is, when asked for, so it can be listened to).
//   ventora_render_music <slug> <soundfont.sf2> <out.mp3> [<out.wav>]
#include <cstdio>
#include <fstream>
#include <string>

#include "soundtrack/mix_check.h"
#include "soundtrack/mp3_encode.h"
#include "soundtrack/mp3_frames.h"
#include "soundtrack/render.h"
#include "soundtrack/soundtrack.h"
#include "src/music/wav.h"

namespace {

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ventora;
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <slug> <soundfont.sf2> <out.mp3> [<out.wav>]\n", argv[0]);
    return 2;
  }
  const std::string slug = argv[1];
  for (const soundtrack::TrackScore& track : soundtrack::tracks()) {
    if (track.slug != slug) continue;
    const std::size_t samples = samples_for_frames(track.frames);
    const soundtrack::Score score = track.compose(static_cast<double>(samples) / soundtrack::kSampleRate);
    const std::vector<std::int16_t> pcm = soundtrack::render_score(score, argv[2], samples);
    if (argc > 4 && !write_file(argv[4], build_wav(pcm, 2, soundtrack::kSampleRate))) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[1], argv[4]);
      return 1;
    }
    const soundtrack::MixFigures figures = soundtrack::measure_mix(pcm, soundtrack::kSampleRate);
    std::printf("%s: %s\n", argv[1], soundtrack::describe(figures).c_str());
    const std::vector<std::string> faults = soundtrack::mix_faults(figures);
    for (const std::string& fault : faults) std::fprintf(stderr, "%s: mix fault: %s\n", argv[1], fault.c_str());
    if (!faults.empty()) return 1;
    const std::vector<std::uint8_t> mp3 =
        encode_mp3(pcm, {2, soundtrack::kSampleRate, 320, std::string(track.title), std::string(track.artist)});
    const std::size_t frames = read_mp3_frames(mp3).audio_frames;
    if (frames != track.frames) {
      std::fprintf(stderr, "%s: %zu audio frames, wanted %zu\n", argv[1], frames, track.frames);
      return 1;
    }
    if (!write_file(argv[3], mp3)) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[1], argv[3]);
      return 1;
    }
    return 0;
  }
  std::fprintf(stderr, "unknown track %s\n", argv[1]);
  return 2;
}
