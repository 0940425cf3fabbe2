// The soundtrack carried inside the executable: six background tracks and the defeat cue, as MP3 files.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ventora {

struct EmbeddedTrack {
  std::string_view label;                   // title, " - ", artist
  std::span<const std::uint8_t> mp3_bytes;  // the complete MP3 file
  float seconds = 0.0f;                     // stored playing time: frames x 1152 / 44100
};

// The background tracks; their index is the playlist's track number.
const std::array<EmbeddedTrack, 6>& music_tracks();

const EmbeddedTrack& defeat_cue_track();

}  // namespace ventora
