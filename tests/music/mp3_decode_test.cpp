#include "music/mp3_decode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "mp3_fixtures.h"
#include "music/wav.h"
#include "soundtrack/mp3_frames.h"

namespace ventora {
namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::string error_of(const Result<std::vector<std::uint8_t>>& result) {
  return result ? "(decoded)" : result.error().message;
}

TEST(BuildWav, WritesTheCanonicalHeaderAndLittleEndianSamples) {
  const std::vector<std::int16_t> samples{1, -2, 0x1234, -32768, 32767, 0};
  struct Case {
    std::uint16_t channels;
    std::uint32_t rate;
  };
  for (const Case c : {Case{2, 44100}, Case{1, 22050}}) {
    const std::vector<std::uint8_t> wav = build_wav(samples, c.channels, c.rate);
    ASSERT_EQ(wav.size(), 44u + 12u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(u32(wav, 4), 12u + 36u);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u32(wav, 16), 16u);
    EXPECT_EQ(u16(wav, 20), 1u);
    EXPECT_EQ(u16(wav, 22), c.channels);
    EXPECT_EQ(u32(wav, 24), c.rate);
    EXPECT_EQ(u32(wav, 28), c.rate * c.channels * 2);
    EXPECT_EQ(u16(wav, 32), c.channels * 2);
    EXPECT_EQ(u16(wav, 34), 16u);
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(u32(wav, 40), 12u);
    EXPECT_EQ((std::vector<std::uint8_t>(wav.begin() + 44, wav.begin() + 52)),
              (std::vector<std::uint8_t>{0x01, 0x00, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x80}));
  }
}

TEST(DecodeMp3, CleanStereoFileDecodesEveryFrame) {
  const std::vector<std::uint8_t> mp3 = testing::mp3_tone(2.0);
  const std::size_t audio_frames = read_mp3_frames(mp3).audio_frames;
  const Result<std::vector<std::uint8_t>> result = decode_mp3(mp3);
  ASSERT_TRUE(result.ok()) << error_of(result);
  const auto& wav = result.value();
  EXPECT_EQ(wav.size(), 44 + 4 * 1152 * audio_frames);
  EXPECT_EQ(u32(wav, 24), 44100u);
  EXPECT_EQ(u32(wav, 28), 176400u);
  EXPECT_EQ(u16(wav, 32), 4u);
  EXPECT_EQ(u16(wav, 22), 2u);
  // The tone is there, at about its level (0.5 of full scale at the peaks).
  int peak = 0;
  for (std::size_t at = 44; at < wav.size(); at += 2) {
    peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(u16(wav, at)))));
  }
  EXPECT_GT(peak, 14000);
  EXPECT_LT(peak, 18500);
}

TEST(DecodeMp3, AFormatChangeAfterTheFirstFrameIsRefused) {
  std::vector<std::uint8_t> mixed = testing::mp3_tone(0.5, 44100);
  const std::vector<std::uint8_t> other = testing::mp3_tone(0.5, 48000);
  mixed.insert(mixed.end(), other.begin(), other.end());
  EXPECT_EQ(error_of(decode_mp3(mixed)), "variable sample rate/channel count is unsupported");

  std::vector<std::uint8_t> mono_after = testing::mp3_tone(0.5, 44100);
  const std::vector<std::uint8_t> mono = testing::mp3_tone(0.5, 44100, 1, 128);
  mono_after.insert(mono_after.end(), mono.begin(), mono.end());
  EXPECT_EQ(error_of(decode_mp3(mono_after)), "variable sample rate/channel count is unsupported");

  // Two streams in the same format are just one longer stream.
  std::vector<std::uint8_t> same = testing::mp3_tone(0.5, 44100);
  const std::vector<std::uint8_t> again = testing::mp3_tone(0.5, 44100);
  same.insert(same.end(), again.begin(), again.end());
  EXPECT_EQ(error_of(decode_mp3(same)), "(decoded)");
}

TEST(DecodeMp3, FilesWithoutAudioFramesFail) {
  const std::vector<std::uint8_t> tag_only = id3v2_tag("Silence", "Nobody");
  EXPECT_EQ(error_of(decode_mp3(tag_only)), "no MP3 frames decoded");
  const std::vector<std::uint8_t> text(4000, 'x');
  EXPECT_EQ(error_of(decode_mp3(text)), "MP3 had no default audio track");
  EXPECT_EQ(error_of(decode_mp3({})), "MP3 had no default audio track");
}

// Where the Info frame's big-endian frame count sits: after "Info" and its 4 flag bytes.
std::size_t info_frame_count_at(const std::vector<std::uint8_t>& mp3) {
  const std::string_view text(reinterpret_cast<const char*>(mp3.data()), mp3.size());
  const std::size_t info = text.find("Info");
  return info == std::string_view::npos ? 0 : info + 8;
}

// An ID3v2 tag size (synchsafe: seven bits per byte) written over the tag's header.
void claim_tag_size(std::vector<std::uint8_t>& mp3, std::uint32_t size) {
  for (int i = 0; i < 4; ++i) mp3[6 + i] = static_cast<std::uint8_t>(size >> (7 * (3 - i)) & 0x7F);
}

TEST(DecodeMp3, SizesTheFileClaimsAreNotBelieved) {
  const std::vector<std::uint8_t> clean = testing::mp3_tone(1.0);
  const std::size_t audio_frames = read_mp3_frames(clean).audio_frames;

  // An Info frame claiming 16.7 million frames (77 GB of WAV) decodes what is really there.
  std::vector<std::uint8_t> huge_count = clean;
  const std::size_t count_at = info_frame_count_at(huge_count);
  ASSERT_GT(count_at, 0u);
  huge_count[count_at] = 0x01;
  huge_count[count_at + 1] = huge_count[count_at + 2] = huge_count[count_at + 3] = 0;
  const Result<std::vector<std::uint8_t>> result = decode_mp3(huge_count);
  ASSERT_TRUE(result.ok()) << error_of(result);
  EXPECT_EQ(result.value().size(), 44 + 4 * 1152 * audio_frames);

  // A tag claiming 200 MB swallows the whole file; a file cut inside its tag holds no audio.
  std::vector<std::uint8_t> big_tag = clean;
  claim_tag_size(big_tag, 200u << 20);
  EXPECT_EQ(error_of(decode_mp3(big_tag)), "no MP3 frames decoded");
  const std::vector<std::uint8_t> cut_in_tag(clean.begin(), clean.begin() + 20);
  EXPECT_EQ(error_of(decode_mp3(cut_in_tag)), "no MP3 frames decoded");
}

TEST(DecodeMp3, CorruptFramesInTheMiddleAreSkipped) {
  const std::vector<std::uint8_t> clean = testing::mp3_tone(5.0);
  const std::size_t audio_frames = read_mp3_frames(clean).audio_frames;
  // About six frames' worth in the middle overwritten: noise (which can mimic a frame header of another
  // sample rate) or zeros.
  for (const std::uint32_t seed : {12345u, 777u, 4242u, 0u}) {
    SCOPED_TRACE(seed);
    std::vector<std::uint8_t> mp3 = clean;
    std::uint32_t x = seed;
    for (std::size_t at = mp3.size() / 2; at < mp3.size() / 2 + 6000; ++at) {
      x = x * 1664525u + 1013904223u;
      mp3[at] = seed == 0 ? 0 : static_cast<std::uint8_t>(x >> 24);
    }
    const Result<std::vector<std::uint8_t>> result = decode_mp3(mp3);
    ASSERT_TRUE(result.ok()) << error_of(result);
    const auto& wav = result.value();
    EXPECT_EQ(u32(wav, 24), 44100u);
    const std::size_t decoded_frames = (wav.size() - 44) / (4 * 1152);
    EXPECT_GE(decoded_frames, audio_frames - 12);
    EXPECT_LT(decoded_frames, audio_frames);
  }
}

}  // namespace
}  // namespace ventora
