#include "music/music_loading.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <future>
#include <string>
#include <utility>

#include "music/mp3_decode.h"

namespace ventora {

namespace {

// A thread per track, or decoding on this thread when no thread can be started.
constexpr auto kDecodePolicy = std::launch::async | std::launch::deferred;

// Loads one decoded track; prints its one error line and returns nothing on failure.
std::optional<SoundId> load_track(const EmbeddedTrack& track, DecodeResult decoded, AudioOut& audio) {
  const std::string label(track.label);
  if (auto* error = std::get_if<std::string>(&decoded)) {
    std::fprintf(stderr, "failed to decode embedded music '%s': %s\n", label.c_str(), error->c_str());
    return std::nullopt;
  }
  SoundLoad loaded = audio.load_wav(std::move(std::get<std::vector<std::uint8_t>>(decoded)));
  if (!loaded.ok()) {
    std::fprintf(stderr, "failed to load embedded music '%s': %s\n", label.c_str(), loaded.error.c_str());
    return std::nullopt;
  }
  return loaded.sound;
}

// Drops this process's resident copy of the whole pages inside `bytes`.
void release_pages(std::span<const std::uint8_t> bytes) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<std::uintptr_t>(bytes.data()) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(bytes.data()) + bytes.size()) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

}  // namespace

LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio) {
  // Decoding is pure CPU work on bytes nobody else touches, so every track decodes on its own thread;
  // the audio output and the error stream are used from this thread only, in track order.
  std::vector<std::future<DecodeResult>> decoding;
  for (const EmbeddedTrack& track : tracks) {
    decoding.push_back(std::async(kDecodePolicy, decode_mp3, track.mp3_bytes));
  }
  std::future<DecodeResult> cue_decoding = std::async(kDecodePolicy, decode_mp3, cue.mp3_bytes);

  LoadedMusic music;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    if (const auto sound = load_track(tracks[i], decoding[i].get(), audio)) {
      music.tracks.push_back(*sound);
      music.track_seconds.push_back(tracks[i].seconds);
    }
  }
  music.defeat_cue = load_track(cue, cue_decoding.get(), audio);
  return music;
}

LoadedMusic load_embedded_music(AudioOut& audio) {
  LoadedMusic music = load_music(music_tracks(), defeat_cue_track(), audio);
  // Decoded, the 47 MB of MP3 are not read again: hand their pages back to the kernel (they are
  // read-only pages of the executable and come back from it should anything touch them).
  for (const EmbeddedTrack& track : music_tracks()) release_pages(track.mp3_bytes);
  release_pages(defeat_cue_track().mp3_bytes);
  return music;
}

}  // namespace ventora
