// Decoding the embedded tracks and handing them to the audio output, one error line per failed track.
#pragma once

#include <future>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "music/audio_out.h"
#include "music/embedded_tracks.h"
#include "music/mp3_decode.h"

namespace ventora {

// What survived decoding and loading: parallel sound and length lists, and the cue if it loaded.
struct LoadedMusic {
  std::vector<SoundId> tracks;
  std::vector<float> track_seconds;
  std::optional<SoundId> defeat_cue;
};

// The tracks and the cue decoding on worker threads while the caller's thread goes on (drawing
// frames); the caller hands them to the audio output in order as they finish. Dropping it stops
// the workers within an MP3 frame.
class MusicLoading {
 public:
  // Starts a worker per track and one for the cue; a track whose worker cannot start decodes on
  // the caller's thread when its turn comes.
  MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue);
  MusicLoading(const MusicLoading&) = delete;
  MusicLoading& operator=(const MusicLoading&) = delete;

  // Loads the decoded tracks into `audio` in track order, then the cue, up to the first one still
  // decoding (waiting for it only when `wait`). A failure prints
  // "failed to decode embedded music '<label>': <error>" (or "failed to load ...") and skips that
  // track. True once every track and the cue are done.
  bool load_ready(AudioOut& audio, bool wait);
  // What was loaded; call once load_ready returned true.
  LoadedMusic take() { return std::move(music_); }

 private:
  struct Decoding {
    const EmbeddedTrack* track = nullptr;
    std::future<DecodeResult> result;  // not valid: no worker, decode when its turn comes
    std::jthread worker;               // declared last: stopped and joined first
  };
  std::vector<Decoding> decodings_;  // the tracks in order, then the cue
  std::size_t next_ = 0;             // first entry not yet loaded
  LoadedMusic music_;
};

// Decodes and loads every track in order, then the cue, waiting for all of them.
LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio);

// Decoded, the embedded MP3 bytes are not read again: hands their resident pages back to the kernel.
void release_embedded_track_pages();

}  // namespace ventora
