// Build tool: synthesises every sound effect and writes them, in SoundEffect order, as one bank of
// WAV files that the game embeds. Prints each effect's figures, then the loudest burst the mixer
// can hold, alone and over the loudest music; an effect or a burst that breaks the mix's limits
// fails the build and no bank is written.
//   ventora_render_effects <out.bank> <soundtrack folder> <cue slug> [<folder for one WAV each>]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/music/audio_out.h"
#include "src/music/mp3_decode.h"
#include "src/music/music_player.h"
#include "src/music/sound_effect.h"
#include "src/music/wav.h"
#include "soundtrack/effects/effects_check.h"
#include "soundtrack/effects/recipes.h"

namespace {

using namespace ventora;
namespace fs = std::filesystem;

bool write_file(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

double dbfs(int peak) { return peak > 0 ? 20.0 * std::log10(peak / 32768.0) : -200.0; }

// A decoded piece of the soundtrack: its interleaved samples (past the WAV header) and its peak.
struct Piece {
  std::string name;
  std::vector<std::uint8_t> wav;
  std::span<const std::int16_t> samples() const {
    return {reinterpret_cast<const std::int16_t*>(wav.data() + kWavHeaderBytes),
            (wav.size() - kWavHeaderBytes) / 2};
  }
  int peak() const {
    int p = 0;
    for (const std::int16_t s : samples()) p = std::max(p, std::abs(static_cast<int>(s)));
    return p;
  }
};

std::optional<Piece> decode_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> mp3((std::istreambuf_iterator<char>(in)), {});
  Result<std::vector<std::uint8_t>> decoded = decode_mp3(mp3);
  if (!decoded) {
    std::fprintf(stderr, "effects: cannot decode %s: %s\n", path.c_str(), decoded.error().message.c_str());
    return std::nullopt;
  }
  return Piece{path.stem().string(), std::move(decoded.value())};
}

// The loudest background track and the defeat cue, which may sound together after a restart.
bool loudest_music(const fs::path& folder, const std::string& cue_slug, Piece& track, Piece& cue) {
  bool have_track = false, have_cue = false;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".mp3") continue;
    std::optional<Piece> piece = decode_file(entry.path());
    if (!piece) return false;
    if (piece->name == cue_slug) {
      cue = std::move(*piece);
      have_cue = true;
    } else if (!have_track || piece->peak() > track.peak()) {
      track = std::move(*piece);
      have_track = true;
    }
  }
  if (!have_track || !have_cue) std::fprintf(stderr, "effects: no tracks or no cue in %s\n", folder.c_str());
  return have_track && have_cue;
}

bool report(const char* what, const effects::WorstMoment& worst) {
  std::printf("effects: %s: peak %.2f dBFS, clipped %zu, DC %.4f\n", what, worst.figures.peak_dbfs,
              worst.figures.clipped, worst.figures.dc);
  for (const std::string& fault : worst.faults)
    std::fprintf(stderr, "effects: %s: mix fault: %s\n", what, fault.c_str());
  return worst.faults.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <out.bank> <soundtrack folder> <cue slug> [<wav folder>]\n", argv[0]);
    return 2;
  }
  bool ok = true;
  std::vector<effects::EffectSound> sounds;
  std::vector<std::uint8_t> bank;
  for (std::size_t i = 0; i < kSoundEffectCount; ++i) {
    const auto effect = static_cast<SoundEffect>(i);
    const effects::Recipe recipe = effects::recipe(effect);
    effects::EffectSound sound{info(effect).name, effects::render(recipe), info(effect).voices};
    int peak = 0;
    for (const std::int16_t s : sound.mono) peak = std::max(peak, std::abs(static_cast<int>(s)));
    std::printf("effects: %s: %.3f s, peak %.1f dBFS, %s\n", std::string(sound.name).c_str(),
                static_cast<double>(sound.mono.size()) / effects::kSampleRate, dbfs(peak),
                std::string(recipe.pitch).c_str());
    for (const std::string& fault : effects::effect_faults(sound, effects::kSampleRate)) {
      std::fprintf(stderr, "effects: %s\n", fault.c_str());
      ok = false;
    }
    const std::vector<std::uint8_t> wav = build_wav(sound.mono, 1, effects::kSampleRate);
    if (argc > 4 && !write_file(fs::path(argv[4]) / (std::to_string(i) + ".wav"), wav)) {
      std::fprintf(stderr, "effects: cannot write into %s\n", argv[4]);
      return 1;
    }
    bank.insert(bank.end(), wav.begin(), wav.end());
    sounds.push_back(std::move(sound));
  }

  std::vector<effects::Layer> layers = effects::loudest_burst(sounds, kEffectChannels, 1.0);
  ok = report("loudest burst alone", effects::check_worst_moment(layers, effects::kSampleRate)) && ok;
  Piece track, cue;
  if (!loudest_music(argv[2], argv[3], track, cue)) return 1;
  layers.push_back({track.samples(), 2, kTrackVolume});
  layers.push_back({cue.samples(), 2, kDefeatCueVolume});
  const std::string with_music = "loudest burst over " + track.name + " and " + cue.name;
  ok = report(with_music.c_str(), effects::check_worst_moment(layers, effects::kSampleRate)) && ok;

  if (!ok) return 1;
  if (!write_file(argv[1], bank)) {
    std::fprintf(stderr, "effects: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
