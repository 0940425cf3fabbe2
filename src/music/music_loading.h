// Decoding the embedded tracks and handing them to the audio output, one error line per failed track.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "music/audio_out.h"
#include "music/embedded_tracks.h"

namespace ventora {

// What survived decoding and loading: parallel sound and length lists, and the cue if it loaded.
struct LoadedMusic {
  std::vector<SoundId> tracks;
  std::vector<float> track_seconds;
  std::optional<SoundId> defeat_cue;
};

// Decodes and loads each track in order, then the cue. A failure prints
// "failed to decode embedded music '<label>': <error>" (or "failed to load ...") and skips that track.
LoadedMusic load_music(std::span<const EmbeddedTrack> tracks, const EmbeddedTrack& cue, AudioOut& audio);

// load_music over the soundtrack built into the executable.
LoadedMusic load_embedded_music(AudioOut& audio);

}  // namespace ventora
