// Decoding an MP3 file held in memory: frame by frame, whole into a WAV file, or through once to
// learn its length.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <variant>
#include <vector>

namespace ventora {

// Errors common to every way of decoding: "no MP3 frames decoded", "variable sample rate/channel
// count is unsupported", "MP3 had no default audio track", or libmpg123's text.

// The frames of a file in the format of its first, one at a time. Corrupt stretches are skipped:
// garbage can pass for a single frame header of any format, so a frame of another format is dropped,
// and only a change that holds for several frames is an error.
class Mp3FrameDecoder {
 public:
  enum class Status { Samples, End, Failed };

  // Reads `bytes`, which must outlive it.
  explicit Mp3FrameDecoder(std::span<const std::uint8_t> bytes);
  ~Mp3FrameDecoder();
  Mp3FrameDecoder(const Mp3FrameDecoder&) = delete;
  Mp3FrameDecoder& operator=(const Mp3FrameDecoder&) = delete;

  // Samples: `samples` holds the next frame's interleaved 16-bit samples (at most kMostFrameSamples),
  // valid until the next call. End: the file is done. Failed: see error(); every later call fails too.
  Status next(std::span<const std::int16_t>& samples);
  const std::string& error() const { return error_; }
  // The stream's format, known once the first frame's samples came.
  long rate() const { return rate_; }
  int channels() const { return channels_; }
  // Samples per channel the file's header claims (0: no claim); the file's word, not a measure.
  std::size_t claimed_length() const;
  // How far into the file the decoder has read.
  std::size_t bytes_read() const;

  static constexpr std::size_t kMostFrameSamples = 1152 * 2;

 private:
  Status fail(std::string error);

  std::span<const std::uint8_t> bytes_;
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
  std::string error_;
  long rate_ = 0;
  int channels_ = 0;
  bool format_known_ = false;
  bool decoded_any_ = false;
  // A different format counts only once it holds for several frames (kFramesToConfirmChange).
  bool changed_ = false;
  std::size_t changed_frames_ = 0;
};

// The decoded WAV file, or the reason there is none.
using DecodeResult = std::variant<std::vector<std::uint8_t>, std::string>;

// Decodes every frame. Errors: those above, or "out of memory decoding MP3". Lengths the file claims
// never size an allocation. A stop requested through `stop` ends decoding within a frame with
// "decoding stopped".
DecodeResult decode_mp3(std::span<const std::uint8_t> bytes, std::stop_token stop = {});

// What decoding a whole file gives, without keeping its samples.
struct Mp3Length {
  std::uint64_t samples = 0;  // all channels
  int channels = 0;
  long rate = 0;
};
using LengthResult = std::variant<Mp3Length, std::string>;

// Decodes every frame as decode_mp3 does and counts the samples: the same errors, nothing kept.
// `read`, if given, is told after every frame how far into `bytes` decoding has read.
LengthResult measure_mp3(std::span<const std::uint8_t> bytes, std::stop_token stop = {},
                         const std::function<void(std::size_t)>& read = {});

}  // namespace ventora
