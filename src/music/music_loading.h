// Checking the embedded tracks and handing them to the audio output as streams, with one line per
// failed track for the caller to report.
#pragma once

#include <future>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "music/audio_out.h"
#include "music/embedded_tracks.h"
#include "music/mp3_decode.h"
#include "music/music_streamer.h"

namespace ventora {

// What survived decoding and loading: parallel sound and length lists, and the cue if it loaded.
struct LoadedMusic {
  std::vector<SoundId> tracks;
  std::vector<float> track_seconds;
  std::optional<SoundId> defeat_cue;
  // One line per track that failed, in track order: "failed to decode embedded music '<label>':
  // <error>" or "failed to load embedded music '<label>': <error>".
  std::vector<std::string> failures;
};

// The tracks and the cue decoded through once on worker threads while the caller's thread goes on
// (drawing frames), so that a track that cannot be decoded is known at start-up; nothing decoded is
// kept. The caller hands the good ones to the audio output in order as they finish, as streams that
// decode while they play. Dropping it stops the workers within an MP3 frame.
class MusicLoading {
 public:
  // Starts a worker per track and one for the cue; a track whose worker cannot start decodes on
  // the caller's thread when its turn comes.
  MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue);
  MusicLoading(const MusicLoading&) = delete;
  MusicLoading& operator=(const MusicLoading&) = delete;

  // Loads the checked tracks into `audio` in track order, then the cue, up to the first one still
  // being checked (waiting for it only when `wait`). A failure adds its line to the failures and skips
  // that track. True once every track and the cue are done.
  bool load_ready(AudioOut& audio, bool wait);
  // The failure lines added since the last call, so that they can be reported while loading goes on.
  std::vector<std::string> take_failures() { return std::exchange(music_.failures, {}); }
  // What was loaded, with the failures not yet taken; call once load_ready returned true.
  LoadedMusic take() { return std::move(music_); }

 private:
  struct Decoding {
    const EmbeddedTrack* track = nullptr;
    std::future<LengthResult> result;  // not valid: no worker, check when its turn comes
    std::jthread worker;               // declared last: stopped and joined first
  };
  std::vector<Decoding> decodings_;  // the tracks in order, then the cue
  std::size_t next_ = 0;             // first entry not yet loaded
  std::shared_ptr<MusicStreamer> streamer_;  // made with the first track that checks out
  LoadedMusic music_;
};

// Checks and loads every track in order, then the cue, waiting for all of them.
LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio);

// Checked, the embedded MP3 bytes are read again only as they play: hands their resident pages back.
void release_embedded_track_pages();

}  // namespace ventora
