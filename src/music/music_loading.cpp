#include "music/music_loading.h"

#include <atomic>
#include <string>
#include <utility>

#include "music/worker_thread.h"

namespace ventora {

namespace {

// Bytes of a track checked between two hand-backs of its pages.
constexpr std::size_t kReleaseStep = std::size_t{1} << 20;
// MP3 frames checked between two looks at the clock or at a stop request: half a millisecond or so.
constexpr std::size_t kFramesPerStep = 16;

// Loads one checked track as a stream, making the streamer with the first; the line that says why
// it cannot be.
Result<SoundId> load_track(const EmbeddedTrack& track, const Result<Mp3Length>& checked, DecodeOn decode_on,
                           std::shared_ptr<MusicStreamer>& streamer, AudioOut& audio) {
  const std::string label(track.label);
  if (!checked) return Error{"failed to decode embedded music '" + label + "': " + checked.error().message};
  if (!streamer) streamer = std::make_shared<MusicStreamer>(decode_on);
  const Result<SoundId> loaded = audio.load_stream(streamer->add(track.mp3_bytes, checked.value()));
  if (!loaded) return Error{"failed to load embedded music '" + label + "': " + loaded.error().message};
  return loaded;
}

}  // namespace

// One track decoded through, a few frames at a time, by a worker of its own or by load_ready.
struct MusicLoading::Check {
  explicit Check(const EmbeddedTrack& checked) : track(checked), measure(checked.mp3_bytes) {}

  // A few more frames; the outcome once the track is done.
  std::optional<Result<Mp3Length>> step() {
    std::optional<Result<Mp3Length>> checked = measure.step(kFramesPerStep);
    // Checked, the bytes are read again only as they play: the pages behind the decoder go back
    // as it goes, so that the whole soundtrack is never resident at once.
    const std::size_t read = measure.bytes_read();
    if (read >= kept_from + kReleaseStep) {
      release_embedded_pages(track.mp3_bytes.subspan(kept_from, read - kept_from));
      kept_from = read;
    }
    return checked;
  }

  // The worker: steps until the track is done or a stop is asked for.
  void run() {
    while (!stop.load(std::memory_order_relaxed) && !outcome) outcome = step();
    done.store(true, std::memory_order_release);
  }

  const EmbeddedTrack& track;
  Mp3Measure measure;
  std::size_t kept_from = 0;                  // the pages before it went back
  std::optional<Result<Mp3Length>> outcome;   // with a worker: its own until `done`
  std::atomic<bool> done{false};
  std::atomic<bool> stop{false};
  std::optional<WorkerThread> worker;  // declared last: joined first
};

MusicLoading::MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue,
                           DecodeOn decode_on)
    : decode_on_(decode_on) {
  for (std::size_t i = 0; i <= tracks.size(); ++i) {
    auto check = std::make_unique<Check>(i < tracks.size() ? tracks[i] : cue);
    if (decode_on == DecodeOn::Workers) {
      // Decoding is pure CPU work on bytes nobody else touches, so every track is checked on its
      // own thread; the audio output is used from the loading thread only. A track whose thread
      // cannot be started is checked by load_ready when its turn comes.
      Check* checking = check.get();
      if (Result<WorkerThread> started = WorkerThread::start([checking] { checking->run(); })) {
        check->worker.emplace(std::move(started.value()));
      }
    }
    checks_.push_back(std::move(check));
  }
}

MusicLoading::~MusicLoading() {
  // Every worker told first, so that they stop together rather than each in its turn.
  for (const auto& check : checks_) check->stop.store(true, std::memory_order_relaxed);
}

bool MusicLoading::load_ready(AudioOut& audio, bool wait) {
  const auto until = std::chrono::steady_clock::now() + kLoadingStep;
  const std::size_t cue = checks_.size() - 1;
  for (; next_ < checks_.size(); ++next_) {
    Check& check = *checks_[next_];
    if (check.worker) {
      if (wait) {
        check.worker.reset();  // joined: its outcome is there
      } else if (!check.done.load(std::memory_order_acquire)) {
        return false;
      }
    } else {
      while (!check.outcome) {
        if (!wait && std::chrono::steady_clock::now() >= until) return false;
        check.outcome = check.step();
      }
    }
    const Result<SoundId> sound = load_track(check.track, *check.outcome, decode_on_, music_.streamer, audio);
    if (!sound) {
      music_.failures.push_back(sound.error());
    } else if (next_ == cue) {
      music_.defeat_cue = sound.value();
    } else {
      music_.tracks.push_back(sound.value());
      music_.track_seconds.push_back(check.track.seconds);
    }
  }
  return true;
}

std::vector<Error> MusicLoading::take_failures() { return std::exchange(music_.failures, {}); }

LoadedMusic MusicLoading::take() { return std::move(music_); }

LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio,
                       DecodeOn decode_on) {
  MusicLoading loading(tracks, cue, decode_on);
  loading.load_ready(audio, true);
  return loading.take();
}

void release_embedded_track_pages() {
  for (const EmbeddedTrack& track : music_tracks()) release_embedded_pages(track.mp3_bytes);
  release_embedded_pages(defeat_cue_track().mp3_bytes);
}

}  // namespace ventora
