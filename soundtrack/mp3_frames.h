// What an MP3 file's frame headers say about its length, read without decoding: the build takes each
// embedded track's playing time from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ventora {

struct Mp3Frames {
  std::size_t audio_frames = 0;  // frames that carry audio: an Info (or Xing) header frame is not counted
  int sample_rate = 0;           // of the first frame
  int samples_per_frame = 0;     // 1152 for MPEG-1 Layer III, 576 for MPEG-2 and 2.5
};

// Walks the Layer III frames that follow an ID3v2 tag, up to the first bytes that are not a frame.
Mp3Frames read_mp3_frames(std::span<const std::uint8_t> mp3);

// audio_frames x samples_per_frame / sample_rate in whole milliseconds, rounded to the nearest
// (0 for a file without frames).
std::int64_t playing_milliseconds(const Mp3Frames& frames);

}  // namespace ventora
