#include "music/music_loading.h"

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

namespace ventora {

namespace {

// Loads one decoded track; on failure adds its one line to `failures` and returns nothing.
std::optional<SoundId> load_track(const EmbeddedTrack& track, DecodeResult decoded, AudioOut& audio,
                                  std::vector<std::string>& failures) {
  const std::string label(track.label);
  if (auto* error = std::get_if<std::string>(&decoded)) {
    failures.push_back("failed to decode embedded music '" + label + "': " + *error);
    return std::nullopt;
  }
  SoundLoad loaded = audio.load_wav(std::move(std::get<std::vector<std::uint8_t>>(decoded)));
  if (!loaded.ok()) {
    failures.push_back("failed to load embedded music '" + label + "': " + loaded.error);
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

MusicLoading::MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue) {
  // Decoding is pure CPU work on bytes nobody else touches, so every track decodes on its own
  // thread; the audio output is used from the loading thread only.
  decodings_.resize(tracks.size() + 1);
  for (std::size_t i = 0; i <= tracks.size(); ++i) {
    Decoding& d = decodings_[i];
    d.track = i < tracks.size() ? &tracks[i] : &cue;
    std::packaged_task<DecodeResult(std::stop_token)> task(
        [bytes = d.track->mp3_bytes](std::stop_token stop) { return decode_mp3(bytes, stop); });
    std::future<DecodeResult> result = task.get_future();
    try {
      d.worker = std::jthread(std::move(task));
      d.result = std::move(result);
    } catch (const std::system_error&) {
      // No thread to be had: this track decodes on the loading thread.
    }
  }
}

bool MusicLoading::load_ready(AudioOut& audio, bool wait) {
  const std::size_t cue = decodings_.size() - 1;
  for (; next_ < decodings_.size(); ++next_) {
    Decoding& d = decodings_[next_];
    if (d.result.valid() && !wait &&
        d.result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
      return false;
    }
    DecodeResult decoded = d.result.valid() ? d.result.get() : decode_mp3(d.track->mp3_bytes);
    const std::optional<SoundId> sound = load_track(*d.track, std::move(decoded), audio, music_.failures);
    if (next_ == cue) {
      music_.defeat_cue = sound;
    } else if (sound) {
      music_.tracks.push_back(*sound);
      music_.track_seconds.push_back(d.track->seconds);
    }
  }
  return true;
}

LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio) {
  MusicLoading loading(tracks, cue);
  loading.load_ready(audio, true);
  return loading.take();
}

void release_embedded_track_pages() {
  // They are read-only pages of the executable and come back from it should anything touch them.
  for (const EmbeddedTrack& track : music_tracks()) release_pages(track.mp3_bytes);
  release_pages(defeat_cue_track().mp3_bytes);
}

}  // namespace ventora
