// Decoding an MP3 file held in memory: frame by frame, whole into a WAV file, or through once to
// learn its length.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace ventora {

// Errors common to every way of decoding: "no MP3 frames decoded", "variable sample rate/channel
// count is unsupported", "MP3 had no default audio track", or libmpg123's text.

// The frames of a file in the format of its first, one at a time. Corrupt stretches are skipped:
// garbage can pass for a single frame header of any format, so a frame of another format is dropped,
// and only a change that holds for several frames is an error.
class Mp3FrameDecoder {
 public:
  // Reads `bytes`, which must outlive it.
  explicit Mp3FrameDecoder(std::span<const std::uint8_t> bytes);
  ~Mp3FrameDecoder();
  Mp3FrameDecoder(const Mp3FrameDecoder&) = delete;
  Mp3FrameDecoder& operator=(const Mp3FrameDecoder&) = delete;

  // The next frame's interleaved 16-bit samples (at most kMostFrameSamples), valid until the next
  // call; none once the file is done. A failure fails every later call the same way.
  Result<std::span<const std::int16_t>> next();
  // The stream's format, known once the first frame's samples came.
  long rate() const { return rate_; }
  int channels() const { return channels_; }
  // Samples per channel the file's header claims (0: no claim); the file's word, not a measure.
  std::size_t claimed_length() const;
  // How far into the file the decoder has read.
  std::size_t bytes_read() const;

  static constexpr std::size_t kMostFrameSamples = 1152 * 2;

 private:
  Error fail(std::string error);

  std::span<const std::uint8_t> bytes_;
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
  std::optional<Error> failed_;
  long rate_ = 0;
  int channels_ = 0;
  bool format_known_ = false;
  bool decoded_any_ = false;
  // A different format counts only once it holds for several frames (kFramesToConfirmChange).
  bool changed_ = false;
  std::size_t changed_frames_ = 0;
};

// The whole file as a WAV file. Errors: those above, or "MP3 too long for a WAV file" when its
// samples would not fit one. Lengths the file claims never size an allocation beyond what its
// bytes could hold.
Result<std::vector<std::uint8_t>> decode_mp3(std::span<const std::uint8_t> bytes);

// What decoding a whole file gives, without keeping its samples.
struct Mp3Length {
  std::uint64_t samples = 0;  // all channels
  int channels = 0;
  long rate = 0;
};

// Decoding a file through to learn its length, as decode_mp3 does it (the same errors), a few
// frames at a time so that the caller can spread it out or stop it.
class Mp3Measure {
 public:
  // Reads `bytes`, which must outlive it.
  explicit Mp3Measure(std::span<const std::uint8_t> bytes) : frames_(bytes) {}
  // Decodes up to `frames` more frames: the length, or the error, once the file is done; nothing
  // while there is more to decode.
  std::optional<Result<Mp3Length>> step(std::size_t frames);
  // How far into the file decoding has read.
  std::size_t bytes_read() const { return frames_.bytes_read(); }

 private:
  Mp3FrameDecoder frames_;
  std::uint64_t samples_ = 0;
};

// Mp3Measure taken through in one go.
Result<Mp3Length> measure_mp3(std::span<const std::uint8_t> bytes);

}  // namespace ventora
