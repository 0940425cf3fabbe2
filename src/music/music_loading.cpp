#include "music/music_loading.h"

#include <chrono>
#include <string>
#include <system_error>
#include <utility>

namespace ventora {

namespace {

// Bytes of a track checked between two hand-backs of its pages.
constexpr std::size_t kReleaseStep = std::size_t{1} << 20;

// Loads one checked track as a stream; on failure adds its one line to `failures` and returns nothing.
std::optional<SoundId> load_track(const EmbeddedTrack& track, const LengthResult& checked,
                                  std::shared_ptr<MusicStreamer>& streamer, AudioOut& audio,
                                  std::vector<std::string>& failures) {
  const std::string label(track.label);
  if (const auto* error = std::get_if<std::string>(&checked)) {
    failures.push_back("failed to decode embedded music '" + label + "': " + *error);
    return std::nullopt;
  }
  try {
    if (!streamer) streamer = std::make_shared<MusicStreamer>();
  } catch (const std::system_error& e) {
    failures.push_back("failed to load embedded music '" + label +
                       "': no thread to decode it on: " + e.what());
    return std::nullopt;
  }
  const SoundLoad loaded = audio.load_stream(streamer->add(track.mp3_bytes, std::get<Mp3Length>(checked)));
  if (!loaded.ok()) {
    failures.push_back("failed to load embedded music '" + label + "': " + loaded.error);
    return std::nullopt;
  }
  return loaded.sound;
}

}  // namespace

MusicLoading::MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue) {
  // Decoding is pure CPU work on bytes nobody else touches, so every track is checked on its own
  // thread; the audio output is used from the loading thread only.
  decodings_.resize(tracks.size() + 1);
  for (std::size_t i = 0; i <= tracks.size(); ++i) {
    Decoding& d = decodings_[i];
    d.track = i < tracks.size() ? &tracks[i] : &cue;
    const std::span<const std::uint8_t> bytes = d.track->mp3_bytes;
    std::packaged_task<LengthResult(std::stop_token)> task([bytes](std::stop_token stop) {
      // Checked, the bytes are read again only as they play: the pages behind the decoder go back
      // as it goes, so that the whole soundtrack is never resident at once.
      std::size_t kept_from = 0;
      return measure_mp3(bytes, stop, [&](std::size_t read) {
        if (read < kept_from + kReleaseStep) return;
        release_embedded_pages(bytes.subspan(kept_from, read - kept_from));
        kept_from = read;
      });
    });
    std::future<LengthResult> result = task.get_future();
    try {
      d.worker = std::jthread(std::move(task));
      d.result = std::move(result);
    } catch (const std::system_error&) {
      // No thread to be had: this track is checked on the loading thread.
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
    const LengthResult checked = d.result.valid() ? d.result.get() : measure_mp3(d.track->mp3_bytes);
    const std::optional<SoundId> sound = load_track(*d.track, checked, streamer_, audio, music_.failures);
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
  for (const EmbeddedTrack& track : music_tracks()) release_embedded_pages(track.mp3_bytes);
  release_embedded_pages(defeat_cue_track().mp3_bytes);
}

}  // namespace ventora
