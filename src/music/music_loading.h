// Checking the embedded tracks and handing them to the audio output as streams, with the error of
// each track that failed for the caller to report.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/result.h"
#include "music/audio_out.h"
#include "music/decode_on.h"
#include "music/embedded_tracks.h"
#include "music/music_streamer.h"

namespace ventora {

// What survived decoding and loading: parallel sound and length lists, and the cue if it loaded.
// Not one Result for the lot: a track that fails is left out and the others play, so beside them
// come the errors of the ones that did not.
struct LoadedMusic {
  std::vector<SoundId> tracks;
  std::vector<float> track_seconds;
  std::optional<SoundId> defeat_cue;
  // One per track that failed, in track order: "failed to decode embedded music '<label>':
  // <error>" or "failed to load embedded music '<label>': <error>".
  std::vector<Error> failures;
  // Decodes the streams handed to the output as they play (nothing when none was handed over).
  std::shared_ptr<MusicStreamer> streamer;
};

// The tracks and the cue decoded through once while the caller's thread goes on (drawing frames),
// so that a track that cannot be decoded is known at start-up; nothing decoded is kept. The caller
// hands the good ones to the audio output in order as they finish, as streams that decode while
// they play. With DecodeOn::Workers every track is checked on a thread of its own; with
// DecodeOn::Frames, or for a track whose thread cannot be started, the caller's calls check them,
// kLoadingStep's worth each. Dropping it stops the workers within a few MP3 frames.
class MusicLoading {
 public:
  MusicLoading(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue,
               DecodeOn decode_on = kDecodeOn);
  ~MusicLoading();
  MusicLoading(const MusicLoading&) = delete;
  MusicLoading& operator=(const MusicLoading&) = delete;

  // Loads the checked tracks into `audio` in track order, then the cue, up to the first one still
  // being checked; a track without a worker is checked here for up to kLoadingStep per call.
  // With `wait`, goes on until all are loaded. A failure adds its error to the failures and skips
  // that track. True once every track and the cue are done.
  bool load_ready(AudioOut& audio, bool wait);
  // The failures added since the last call, so that they can be reported while loading goes on.
  std::vector<Error> take_failures();
  // What was loaded, with the failures not yet taken; call once load_ready returned true.
  LoadedMusic take();

 private:
  struct Check;
  std::vector<std::unique_ptr<Check>> checks_;  // the tracks in order, then the cue
  std::size_t next_ = 0;                        // first entry not yet loaded
  DecodeOn decode_on_;
  LoadedMusic music_;
};

// The time one call of MusicLoading::load_ready spends checking tracks itself, at most about: half
// a frame at 60 Hz, the frames meanwhile being the loading screen's.
inline constexpr auto kLoadingStep = std::chrono::milliseconds(8);

// Checks and loads every track in order, then the cue, waiting for all of them.
LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio,
                       DecodeOn decode_on = kDecodeOn);

// Checked, the embedded MP3 bytes are read again only as they play: hands their resident pages back.
void release_embedded_track_pages();

}  // namespace ventora
