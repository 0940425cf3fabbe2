// Reading an MP3's length from its frame headers: the build stores each embedded track's playing time
// from this, so a frame miscounted is a track started too early or too late.
#include "soundtrack/mp3_frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <variant>

#include "mp3_fixtures.h"
#include "music/mp3_decode.h"

namespace ventora {
namespace {

constexpr std::size_t kFrames = 40;

// Where the first frame (the encoder's Info frame) starts: after the ID3v2 tag.
std::size_t first_frame_at(const std::vector<std::uint8_t>& mp3) {
  return 10 + ((mp3[6] & 0x7Fu) << 21 | (mp3[7] & 0x7Fu) << 14 | (mp3[8] & 0x7Fu) << 7 | (mp3[9] & 0x7Fu));
}

// A 44.1 kHz stereo file of exactly kFrames audio frames after its Info frame.
std::vector<std::uint8_t> encoded(const std::string& title) {
  const std::vector<std::int16_t> samples =
      testing::tone(static_cast<double>(samples_for_frames(kFrames)) / 44100, 44100, 2);
  return encode_mp3(samples, {2, 44100, 320, title, title.empty() ? "" : "Tests"});
}

std::vector<std::uint8_t> with_header_tag(std::vector<std::uint8_t> mp3, const char* tag) {
  std::memcpy(mp3.data() + first_frame_at(mp3) + 36, tag, 4);  // after the stereo side information
  return mp3;
}

TEST(Mp3Frames, CountsTheAudioFramesOnly) {
  const std::vector<std::uint8_t> tagged = encoded("Fixture");
  ASSERT_EQ(std::string(tagged.begin() + static_cast<std::ptrdiff_t>(first_frame_at(tagged) + 36),
                        tagged.begin() + static_cast<std::ptrdiff_t>(first_frame_at(tagged) + 40)),
            "Info");
  struct Case {
    const char* name;
    std::vector<std::uint8_t> mp3;
    std::size_t audio_frames;
  };
  const Case cases[] = {
      {"ID3 tag, Info frame, audio", tagged, kFrames},
      {"no ID3 tag", encoded(""), kFrames},
      {"a Xing header frame", with_header_tag(tagged, "Xing"), kFrames},
      // Without its tag the first frame is an ordinary (silent) frame of the stream.
      {"a first frame that is not a header frame", with_header_tag(tagged, "Junk"), kFrames + 1},
      {"the last frame cut short", std::vector<std::uint8_t>(tagged.begin(), tagged.end() - 100),
       kFrames - 1},
      {"an ID3v1 tag after the last frame", [&] {
         std::vector<std::uint8_t> mp3 = tagged;
         const std::size_t at = mp3.size();
         mp3.resize(at + 128, 0xFF);
         std::memcpy(mp3.data() + at, "TAG", 3);
         return mp3;
       }(), kFrames},
      {"an ID3 tag only", id3v2_tag("Fixture", "Tests"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Mp3Frames frames = read_mp3_frames(c.mp3);
    EXPECT_EQ(frames.audio_frames, c.audio_frames);
    if (c.audio_frames == 0) continue;
    EXPECT_EQ(frames.sample_rate, 44100);
    EXPECT_EQ(frames.samples_per_frame, 1152);
  }
}

TEST(Mp3Frames, AgreesWithTheDecoderAtEveryRate) {
  struct Case {
    int rate, channels, kbps, samples_per_frame;
  };
  for (const Case c : {Case{44100, 2, 320, 1152}, Case{32000, 1, 64, 1152}, Case{22050, 1, 64, 576},
                       Case{24000, 2, 96, 576}}) {
    SCOPED_TRACE(c.rate);
    const std::vector<std::uint8_t> mp3 = testing::mp3_tone(1.5, c.rate, c.channels, c.kbps);
    const Mp3Frames frames = read_mp3_frames(mp3);
    EXPECT_EQ(frames.sample_rate, c.rate);
    EXPECT_EQ(frames.samples_per_frame, c.samples_per_frame);
    const Result<std::vector<std::uint8_t>> decoded = decode_mp3(mp3);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    const std::size_t wav_bytes = decoded.value().size();
    const std::size_t decoded_samples = (wav_bytes - 44) / (2 * static_cast<std::size_t>(c.channels));
    EXPECT_EQ(frames.audio_frames * static_cast<std::size_t>(c.samples_per_frame), decoded_samples);
  }
}

TEST(Mp3Frames, PlayingTimeIsRoundedToTheNearestMillisecond) {
  struct Case {
    Mp3Frames frames;
    std::int64_t milliseconds;
  };
  for (const Case c : {Case{{8932, 44100, 1152}, 233326},  // 233.3257 s
                       Case{{3626, 44100, 1152}, 94720},   // 94.7200 s
                       Case{{940, 44100, 1152}, 24555},    // 24.5551 s
                       Case{{5, 44100, 1152}, 131},        // 130.61 ms
                       Case{{3, 22050, 576}, 78},          // 78.37 ms
                       Case{{0, 0, 0}, 0}}) {
    EXPECT_EQ(playing_milliseconds(c.frames), c.milliseconds) << c.frames.audio_frames << " frames";
  }
}

}  // namespace
}  // namespace ventora
