#include "soundtrack/mp3_encode.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace ventora {

namespace {

constexpr std::size_t kFrameSamples = 1152;
constexpr std::size_t kChunkFrames = 8192;

void put_syncsafe(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 21; shift >= 0; shift -= 7) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0x7F));
}

void put_text_frame(std::vector<std::uint8_t>& out, const char* id, const std::string& text) {
  out.insert(out.end(), id, id + 4);
  put_syncsafe(out, static_cast<std::uint32_t>(text.size() + 1));
  out.push_back(0);  // flags
  out.push_back(0);
  out.push_back(3);  // UTF-8
  out.insert(out.end(), text.begin(), text.end());
}

struct LameDeleter {
  void operator()(lame_global_flags* gf) const { lame_close(gf); }
};

}  // namespace

std::vector<std::uint8_t> id3v2_tag(const std::string& title, const std::string& artist) {
  std::vector<std::uint8_t> frames;
  put_text_frame(frames, "TIT2", title);
  put_text_frame(frames, "TPE1", artist);
  std::vector<std::uint8_t> tag{'I', 'D', '3', 4, 0, 0};
  put_syncsafe(tag, static_cast<std::uint32_t>(frames.size()));
  tag.insert(tag.end(), frames.begin(), frames.end());
  return tag;
}

std::size_t samples_for_frames(std::size_t frames) {
  // LAME's encoder delay and end padding add between one and two frames' worth of samples, so any
  // length in ((frames - 2) x 1152, (frames - 1) x 1152] comes out at `frames` frames; take the longest.
  return (frames - 1) * kFrameSamples;
}

std::vector<std::uint8_t> encode_mp3(std::span<const std::int16_t> samples, const Mp3Settings& settings) {
  std::unique_ptr<lame_global_flags, LameDeleter> gf(lame_init());
  if (!gf) throw std::runtime_error("lame_init failed");
  lame_set_in_samplerate(gf.get(), settings.sample_rate);
  lame_set_out_samplerate(gf.get(), settings.sample_rate);
  lame_set_num_channels(gf.get(), settings.channels);
  lame_set_mode(gf.get(), settings.channels == 2 ? STEREO : MONO);
  lame_set_VBR(gf.get(), vbr_off);
  lame_set_brate(gf.get(), settings.kbps);
  lame_set_bWriteVbrTag(gf.get(), 1);
  if (lame_init_params(gf.get()) < 0) throw std::runtime_error("lame_init_params failed");

  std::vector<std::uint8_t> out;
  if (!settings.title.empty() || !settings.artist.empty()) out = id3v2_tag(settings.title, settings.artist);
  const std::size_t audio_start = out.size();

  const auto channels = static_cast<std::size_t>(settings.channels);
  const std::size_t total_frames = samples.size() / channels;
  std::vector<short> left(kChunkFrames);
  std::vector<short> right(kChunkFrames);
  std::vector<unsigned char> buffer(kChunkFrames * 5 / 4 + 7200);
  for (std::size_t start = 0; start < total_frames; start += kChunkFrames) {
    const std::size_t n = std::min(kChunkFrames, total_frames - start);
    for (std::size_t i = 0; i < n; ++i) {
      left[i] = samples[(start + i) * channels];
      right[i] = samples[(start + i) * channels + channels - 1];
    }
    const int written = lame_encode_buffer(gf.get(), left.data(), right.data(), static_cast<int>(n),
                                           buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) throw std::runtime_error("lame_encode_buffer failed");
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int flushed = lame_encode_flush(gf.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (flushed < 0) throw std::runtime_error("lame_encode_flush failed");
  out.insert(out.end(), buffer.begin(), buffer.begin() + flushed);

  // LAME wrote a placeholder where the Info frame belongs; put the finished one over it.
  unsigned char info[2880];
  const std::size_t info_bytes = lame_get_lametag_frame(gf.get(), info, sizeof info);
  if (info_bytes > 0 && audio_start + info_bytes <= out.size()) {
    std::copy(info, info + info_bytes, out.begin() + static_cast<std::ptrdiff_t>(audio_start));
  }
  return out;
}

}  // namespace ventora
