// Music kept compressed: a play read from its stream holds exactly the samples of decoding the file
// whole, from its first sample each time it starts, and measuring a file finds what decoding it does.
#include "music/music_streamer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <numeric>
#include <string>
#include <thread>

#include "mp3_fixtures.h"
#include "music/mp3_decode.h"
#include "music/wav.h"

namespace ventora {
namespace {

std::vector<std::int16_t> decoded_samples(std::span<const std::uint8_t> mp3) {
  const auto wav = std::get<std::vector<std::uint8_t>>(decode_mp3(mp3));
  std::vector<std::int16_t> samples((wav.size() - kWavHeaderBytes) / 2);
  std::memcpy(samples.data(), wav.data() + kWavHeaderBytes, samples.size() * 2);
  return samples;
}

// Reads `voice` as an audio thread would, in buffers of `buffer` samples, until `total` came (the
// worker decodes meanwhile; a short read is only a wait for it).
std::vector<std::int16_t> drain(StreamVoice& voice, std::uint64_t total, std::size_t buffer) {
  std::vector<std::int16_t> out;
  std::vector<std::int16_t> chunk(buffer);
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (out.size() < total && std::chrono::steady_clock::now() < give_up) {
    const std::size_t n = voice.read(chunk);
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < buffer) std::this_thread::yield();
  }
  return out;
}

std::vector<std::uint8_t> with_noise_in_the_middle(std::vector<std::uint8_t> mp3) {
  std::uint32_t x = 12345;
  for (std::size_t at = mp3.size() / 2; at < mp3.size() / 2 + 6000; ++at) {
    x = x * 1664525u + 1013904223u;
    mp3[at] = static_cast<std::uint8_t>(x >> 24);
  }
  return mp3;
}

TEST(MusicStreamer, EveryPlayHoldsExactlyTheDecodedSamplesFromTheFirst) {
  // Longer than the ring holds, so the worker must keep up; and one with a corrupt stretch skipped.
  const std::vector<std::uint8_t> clean = testing::mp3_tone(4.0);
  const std::vector<std::uint8_t> corrupt = with_noise_in_the_middle(testing::mp3_tone(3.0));
  const auto streamer = std::make_shared<MusicStreamer>();
  for (const auto* mp3 : {&clean, &corrupt}) {
    const std::vector<std::int16_t> whole = decoded_samples(*mp3);
    const LengthResult measured = measure_mp3(*mp3);
    ASSERT_TRUE(std::holds_alternative<Mp3Length>(measured)) << std::get<std::string>(measured);
    const Mp3Length length = std::get<Mp3Length>(measured);
    EXPECT_EQ(length.samples, whole.size());
    EXPECT_EQ(length.channels, 2);
    EXPECT_EQ(length.rate, 44100);

    const std::shared_ptr<SoundStream> stream = streamer->add(*mp3, length);
    EXPECT_EQ(stream->samples(), whole.size());
    // The first play, a second one started while it plays, and a third after both finished.
    std::shared_ptr<StreamVoice> first = stream->start();
    std::shared_ptr<StreamVoice> second = stream->start();
    EXPECT_EQ(drain(*first, whole.size(), 4096), whole);
    EXPECT_EQ(drain(*second, whole.size(), 1000), whole);
    std::vector<std::int16_t> rest(16);
    EXPECT_EQ(first->read(rest), 0u);  // nothing past the end
    first->finish();
    second->finish();
    std::shared_ptr<StreamVoice> third = stream->start();
    EXPECT_EQ(drain(*third, whole.size(), 777), whole);
    third->finish();
    EXPECT_EQ(stream->whole_wav(), std::get<std::vector<std::uint8_t>>(decode_mp3(*mp3)));
  }
}

TEST(MeasureMp3, FailsAsDecodingDoes) {
  std::vector<std::uint8_t> format_change = testing::mp3_tone(0.5, 44100);
  const std::vector<std::uint8_t> other = testing::mp3_tone(0.5, 48000);
  format_change.insert(format_change.end(), other.begin(), other.end());
  const std::vector<std::uint8_t> cases[] = {
      id3v2_tag("Silence", "Nobody"), std::vector<std::uint8_t>(4000, 'x'), {}, format_change};
  for (const std::vector<std::uint8_t>& mp3 : cases) {
    const LengthResult measured = measure_mp3(mp3);
    const DecodeResult decoded = decode_mp3(mp3);
    ASSERT_TRUE(std::holds_alternative<std::string>(measured));
    ASSERT_TRUE(std::holds_alternative<std::string>(decoded));
    EXPECT_EQ(std::get<std::string>(measured), std::get<std::string>(decoded));
  }
  std::stop_source stop;
  stop.request_stop();
  EXPECT_EQ(std::get<std::string>(measure_mp3(testing::mp3_tone(0.3), stop.get_token())), "decoding stopped");
}

TEST(PcmRing, PassesSamplesInOrderAcrossItsEndAndNeverMoreThanItHolds) {
  PcmRing ring(8);
  std::vector<std::int16_t> in(20);
  std::iota(in.begin(), in.end(), 1);
  ring.write(std::span(in).first(5));
  std::vector<std::int16_t> out(3);
  EXPECT_EQ(ring.read(out), 3u);
  EXPECT_EQ(out, (std::vector<std::int16_t>{1, 2, 3}));
  EXPECT_EQ(ring.room(), 6u);
  ring.write(std::span(in).subspan(5, 10));  // only six fit, wrapping round
  EXPECT_EQ(ring.room(), 0u);
  std::vector<std::int16_t> all(12);
  EXPECT_EQ(ring.read(all), 8u);
  EXPECT_EQ(std::vector<std::int16_t>(all.begin(), all.begin() + 8),
            (std::vector<std::int16_t>{4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(ring.read(all), 0u);
}

}  // namespace
}  // namespace ventora
