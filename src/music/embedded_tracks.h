// The soundtrack carried inside the executable as MP3 files: the background tracks and the defeat cue,
// one per row of soundtrack/tracks.def.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ventora {

struct EmbeddedTrack {
  std::string_view label;                   // title, " - ", artist
  std::span<const std::uint8_t> mp3_bytes;  // the complete MP3 file
  float seconds = 0.0f;                     // playing time, read from the file by the build (to the ms)
};

// The background tracks, in the table's order; their index is the playlist's track number.
std::span<const EmbeddedTrack> music_tracks();

const EmbeddedTrack& defeat_cue_track();

// When `bytes` lie within an embedded track: hands their resident whole pages back to the kernel.
// They are read-only pages of the executable, read from it again should anything touch them.
void release_embedded_pages(std::span<const std::uint8_t> bytes);

}  // namespace ventora
