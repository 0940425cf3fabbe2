#include "music/mp3_decode.h"

#include <mpg123.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <optional>

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

struct StreamFormat {
  long rate = 0;
  int channels = 0;
};

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

// Room for the WAV of a stream whose header claims `claimed_samples` per channel. The claim is
// the file's word, so it is believed only as far as the file's size could back it.
std::size_t wav_room(std::size_t claimed_samples, int channels, std::size_t mp3_bytes) {
  const std::size_t samples = std::min(claimed_samples, mp3_bytes * kMostSamplesPerByte);
  return kWavHeaderBytes + samples * static_cast<std::size_t>(channels) * 2;
}

DecodeResult decode_stream(std::span<const std::uint8_t> bytes, std::stop_token stop) {
  int err = MPG123_OK;
  Handle mh(mpg123_new(nullptr, &err));
  if (!mh) return std::string(mpg123_plain_strerror(err));
  MemoryReader reader{bytes};
  if (configure(mh.get()) != MPG123_OK ||
      mpg123_replace_reader_handle(mh.get(), read_memory, seek_memory, nullptr) != MPG123_OK ||
      mpg123_open_handle(mh.get(), &reader) != MPG123_OK) {
    return std::string(mpg123_strerror(mh.get()));
  }

  std::optional<StreamFormat> format;
  // The WAV file grows in place: header room first, then the decoder's 16-bit little-endian output
  // appended as bytes (this is a little-endian target), so no second copy of the audio is made.
  static_assert(std::endian::native == std::endian::little);
  std::vector<std::uint8_t> wav(kWavHeaderBytes);
  bool decoded_any = false;
  // A different format mid-stream counts only once it holds for several frames: garbage in a corrupt
  // stretch can pass for a single frame header of any rate, and that frame is noise to be skipped.
  std::optional<StreamFormat> changed;
  std::size_t changed_frames = 0;
  std::size_t changed_from_byte = 0;
  for (;;) {
    if (stop.stop_requested()) return std::string("decoding stopped");
    off_t frame = 0;
    unsigned char* audio = nullptr;
    std::size_t size = 0;
    const int status = mpg123_decode_frame(mh.get(), &frame, &audio, &size);
    if (status == MPG123_NEW_FORMAT) {
      StreamFormat next;
      int encoding = 0;
      mpg123_getformat(mh.get(), &next.rate, &next.channels, &encoding);
      if (!decoded_any) {
        const off_t length = mpg123_length(mh.get());
        if (!format && length > 0) {
          wav.reserve(wav_room(static_cast<std::size_t>(length), next.channels, bytes.size()));
        }
        format = next;
      } else if (next.rate == format->rate && next.channels == format->channels) {
        if (changed) wav.resize(changed_from_byte);
        changed.reset();
      } else {
        if (!changed) changed_from_byte = wav.size();
        changed = next;
        changed_frames = 0;
      }
    } else if (status == MPG123_OK) {
      wav.insert(wav.end(), audio, audio + size);
      decoded_any = decoded_any || size > 0;
      if (changed && ++changed_frames >= kFramesToConfirmChange) {
        return std::string("variable sample rate/channel count is unsupported");
      }
    } else if (status == MPG123_DONE) {
      break;
    } else {
      return std::string(mpg123_strerror(mh.get()));
    }
  }
  if (changed) wav.resize(changed_from_byte);
  if (!decoded_any) {
    // A file with neither a tag nor a frame header holds no audio stream at all.
    if (!format && !starts_with_id3(bytes)) return std::string("MP3 had no default audio track");
    return std::string("no MP3 frames decoded");
  }
  write_wav_header(wav.data(), static_cast<std::uint32_t>(wav.size() - kWavHeaderBytes),
                   static_cast<std::uint16_t>(format->channels), static_cast<std::uint32_t>(format->rate));
  return wav;
}

}  // namespace

DecodeResult decode_mp3(std::span<const std::uint8_t> bytes, std::stop_token stop) {
  // Whatever a file claims, running out of memory on it costs that track only.
  try {
    return decode_stream(bytes, stop);
  } catch (const std::bad_alloc&) {
    return std::string("out of memory decoding MP3");
  } catch (const std::length_error&) {
    return std::string("out of memory decoding MP3");
  }
}

}  // namespace ventora
