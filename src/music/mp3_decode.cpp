#include "music/mp3_decode.h"

#include <mpg123.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "music/wav.h"

namespace ventora {

namespace {

// The bytes libmpg123 reads through its replaceable reader.
struct MemoryReader {
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
};

mpg123_ssize_t read_memory(void* handle, void* out, std::size_t count) {
  auto* reader = static_cast<MemoryReader*>(handle);
  const std::size_t n = std::min(count, reader->bytes.size() - reader->at);
  if (n > 0) std::memcpy(out, reader->bytes.data() + reader->at, n);  // an empty file has no data()
  reader->at += n;
  return static_cast<mpg123_ssize_t>(n);
}

off_t seek_memory(void* handle, off_t offset, int whence) {
  auto* reader = static_cast<MemoryReader*>(handle);
  const auto size = static_cast<off_t>(reader->bytes.size());
  off_t target = offset;
  if (whence == SEEK_CUR) target += static_cast<off_t>(reader->at);
  if (whence == SEEK_END) target += size;
  if (target < 0 || target > size) return -1;
  reader->at = static_cast<std::size_t>(target);
  return target;
}

struct HandleDeleter {
  void operator()(mpg123_handle* mh) const {
    mpg123_close(mh);
    mpg123_delete(mh);
  }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// Frames a new sample rate or channel count must last to be a real change of format.
constexpr std::size_t kFramesToConfirmChange = 3;

// Quiet, resyncing over any corrupt stretch, without gapless trimming (every frame counts), and
// accepting every sample rate so that a change of rate shows instead of being resampled away.
int configure(mpg123_handle* mh) {
  int err = mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  if (err == MPG123_OK) err = mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
  if (err == MPG123_OK) err = mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0.0);
  if (err == MPG123_OK) err = mpg123_format_none(mh);
  const long* rates = nullptr;
  std::size_t rate_count = 0;
  mpg123_rates(&rates, &rate_count);
  for (std::size_t i = 0; i < rate_count && err == MPG123_OK; ++i) {
    err = mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  return err;
}

bool starts_with_id3(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && std::memcmp(bytes.data(), "ID3", 3) == 0;
}

// The most samples per channel one byte of MP3 can carry: the smallest Layer III frame, 72 bytes
// at 8 kbit/s and 8 kHz, holds 576.
constexpr std::size_t kMostSamplesPerByte = 8;

// The most samples a WAV file can hold, in bytes: its sizes are 32-bit.
constexpr std::size_t kMostWavData = std::numeric_limits<std::uint32_t>::max() - 36;

// Room for the WAV of a stream whose header claims `claimed_samples` per channel. The claim is
// the file's word, so it is believed only as far as the file's size could back it.
std::size_t wav_room(std::size_t claimed_samples, int channels, std::size_t mp3_bytes) {
  const std::size_t samples = std::min(claimed_samples, mp3_bytes * kMostSamplesPerByte);
  return kWavHeaderBytes + std::min(samples * static_cast<std::size_t>(channels) * 2, kMostWavData);
}

}  // namespace

struct Mp3FrameDecoder::Decoder {
  MemoryReader reader;
  Handle handle;
};

Mp3FrameDecoder::Mp3FrameDecoder(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
  int err = MPG123_OK;
  decoder_ = std::make_unique<Decoder>(Decoder{{bytes, 0}, Handle(mpg123_new(nullptr, &err))});
  mpg123_handle* mh = decoder_->handle.get();
  if (mh == nullptr) {
    fail(mpg123_plain_strerror(err));
  } else if (configure(mh) != MPG123_OK ||
             mpg123_replace_reader_handle(mh, read_memory, seek_memory, nullptr) != MPG123_OK ||
             mpg123_open_handle(mh, &decoder_->reader) != MPG123_OK) {
    fail(mpg123_strerror(mh));
  }
}

Mp3FrameDecoder::~Mp3FrameDecoder() = default;

Error Mp3FrameDecoder::fail(std::string error) {
  failed_ = Error{std::move(error)};
  return *failed_;
}

std::size_t Mp3FrameDecoder::claimed_length() const {
  const off_t length = mpg123_length(decoder_->handle.get());
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

std::size_t Mp3FrameDecoder::bytes_read() const { return decoder_->reader.at; }

Result<std::span<const std::int16_t>> Mp3FrameDecoder::next() {
  if (failed_) return *failed_;
  mpg123_handle* mh = decoder_->handle.get();
  for (;;) {
    off_t frame = 0;
    unsigned char* audio = nullptr;
    std::size_t size = 0;
    const int status = mpg123_decode_frame(mh, &frame, &audio, &size);
    if (status == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0;
      int encoding = 0;
      mpg123_getformat(mh, &rate, &channels, &encoding);
      if (!decoded_any_) {
        rate_ = rate;
        channels_ = channels;
        format_known_ = true;
      } else {
        changed_ = rate != rate_ || channels != channels_;
        changed_frames_ = 0;
      }
    } else if (status == MPG123_OK) {
      decoded_any_ = decoded_any_ || size > 0;
      if (changed_) {
        if (++changed_frames_ >= kFramesToConfirmChange) {
          return fail("variable sample rate/channel count is unsupported");
        }
        continue;  // dropped: it may be noise in a corrupt stretch
      }
      if (size == 0) continue;
      return std::span<const std::int16_t>(reinterpret_cast<const std::int16_t*>(audio), size / 2);
    } else if (status == MPG123_DONE) {
      if (decoded_any_) return std::span<const std::int16_t>();
      // A file with neither a tag nor a frame header holds no audio stream at all.
      if (!format_known_ && !starts_with_id3(bytes_)) return fail("MP3 had no default audio track");
      return fail("no MP3 frames decoded");
    } else {
      return fail(mpg123_strerror(mh));
    }
  }
}

Result<std::vector<std::uint8_t>> decode_mp3(std::span<const std::uint8_t> bytes) {
  Mp3FrameDecoder frames(bytes);
  // The WAV file grows in place: header room first, then the decoder's 16-bit little-endian output
  // appended as bytes (this is a little-endian target), so no second copy of the audio is made.
  static_assert(std::endian::native == std::endian::little);
  std::vector<std::uint8_t> wav(kWavHeaderBytes);
  for (;;) {
    Result<std::span<const std::int16_t>> next = frames.next();
    if (!next) return next.error();
    const std::span<const std::int16_t> samples = next.value();
    if (samples.empty()) break;
    if (wav.size() == kWavHeaderBytes) {
      wav.reserve(wav_room(frames.claimed_length(), frames.channels(), bytes.size()));
    }
    if (wav.size() - kWavHeaderBytes + samples.size_bytes() > kMostWavData) {
      return Error{"MP3 too long for a WAV file"};
    }
    const auto* audio = reinterpret_cast<const std::uint8_t*>(samples.data());
    wav.insert(wav.end(), audio, audio + samples.size_bytes());
  }
  write_wav_header(wav.data(), static_cast<std::uint32_t>(wav.size() - kWavHeaderBytes),
                   static_cast<std::uint16_t>(frames.channels()), static_cast<std::uint32_t>(frames.rate()));
  return wav;
}

std::optional<Result<Mp3Length>> Mp3Measure::step(std::size_t frames) {
  for (std::size_t i = 0; i < frames; ++i) {
    Result<std::span<const std::int16_t>> next = frames_.next();
    if (!next) return Result<Mp3Length>(next.error());
    if (next.value().empty()) {
      return Result<Mp3Length>(Mp3Length{samples_, frames_.channels(), frames_.rate()});
    }
    samples_ += next.value().size();
  }
  return std::nullopt;
}

Result<Mp3Length> measure_mp3(std::span<const std::uint8_t> bytes) {
  Mp3Measure measure(bytes);
  std::optional<Result<Mp3Length>> measured;
  while (!measured) measured = measure.step(std::numeric_limits<std::size_t>::max());
  return std::move(*measured);
}

}  // namespace ventora
