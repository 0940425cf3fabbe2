#include "soundtrack/mp3_frames.h"

#include <cstring>

namespace ventora {

namespace {

// One Layer III frame header, decoded.
struct FrameHeader {
  std::size_t bytes = 0;  // 0: not a frame header
  int sample_rate = 0;
  int samples = 0;
  std::size_t side_info_end = 0;  // where an Info or Xing tag would start, from the header
};

FrameHeader read_header(const std::uint8_t* h) {
  if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || (h[1] & 0x06) != 0x02) return {};  // sync, Layer III
  const int version = (h[1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5, 1: reserved
  if (version == 1) return {};
  static constexpr int kMpeg1Kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static constexpr int kMpeg2Kbps[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
  static constexpr int kMpeg1Rates[3] = {44100, 48000, 32000};
  const bool mpeg1 = version == 3;
  const int kbps = (mpeg1 ? kMpeg1Kbps : kMpeg2Kbps)[h[2] >> 4];
  const int rate_index = (h[2] >> 2) & 3;
  if (kbps == 0 || rate_index == 3) return {};
  FrameHeader header;
  header.sample_rate = kMpeg1Rates[rate_index] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
  header.samples = mpeg1 ? 1152 : 576;
  const int padding = (h[2] >> 1) & 1;
  header.bytes = static_cast<std::size_t>(header.samples / 8 * kbps * 1000 / header.sample_rate + padding);
  const bool mono = (h[3] >> 6) == 3;
  const bool crc = (h[1] & 1) == 0;
  header.side_info_end = 4 + (crc ? 2 : 0) + (mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17));
  return header;
}

bool is_header_frame(const std::uint8_t* frame, const FrameHeader& header) {
  if (header.side_info_end + 4 > header.bytes) return false;
  const std::uint8_t* tag = frame + header.side_info_end;
  return std::memcmp(tag, "Info", 4) == 0 || std::memcmp(tag, "Xing", 4) == 0;
}

}  // namespace

Mp3Frames read_mp3_frames(std::span<const std::uint8_t> mp3) {
  std::size_t at = 0;
  if (mp3.size() >= 10 && std::memcmp(mp3.data(), "ID3", 3) == 0) {
    at = 10 + ((mp3[6] & 0x7Fu) << 21 | (mp3[7] & 0x7Fu) << 14 | (mp3[8] & 0x7Fu) << 7 | (mp3[9] & 0x7Fu));
  }
  Mp3Frames frames;
  bool first = true;
  while (at + 4 <= mp3.size()) {
    const FrameHeader header = read_header(mp3.data() + at);
    if (header.bytes == 0 || at + header.bytes > mp3.size()) break;
    if (first) {
      frames.sample_rate = header.sample_rate;
      frames.samples_per_frame = header.samples;
    }
    // Only the first frame may be the encoder's header frame; it holds no audio.
    if (!first || !is_header_frame(mp3.data() + at, header)) ++frames.audio_frames;
    first = false;
    at += header.bytes;
  }
  return frames;
}

std::int64_t playing_milliseconds(const Mp3Frames& frames) {
  if (frames.sample_rate == 0) return 0;
  const auto samples = static_cast<std::int64_t>(frames.audio_frames) * frames.samples_per_frame;
  return (samples * 2000 + frames.sample_rate) / (2 * frames.sample_rate);
}

}  // namespace ventora
