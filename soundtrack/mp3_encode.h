// Constant-bitrate MP3 encoding with LAME: an ID3v2.4 tag, the Info header frame, then the audio.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ventora {

struct Mp3Settings {
  int channels = 2;
  int sample_rate = 44100;
  int kbps = 320;
  std::string title;   // ID3 title; no tag when both title and artist are empty
  std::string artist;  // ID3 artist
};

// Encodes interleaved 16-bit samples. Stereo is coded as plain stereo (no joint stereo).
std::vector<std::uint8_t> encode_mp3(std::span<const std::int16_t> samples, const Mp3Settings& settings);

// An ID3v2.4 tag with UTF-8 title and artist frames.
std::vector<std::uint8_t> id3v2_tag(const std::string& title, const std::string& artist);

// Samples per channel before LAME's delay and padding that make exactly `frames` audio frames
// (the Info frame not counted) at 1152 samples per frame.
std::size_t samples_for_frames(std::size_t frames);

}  // namespace ventora
