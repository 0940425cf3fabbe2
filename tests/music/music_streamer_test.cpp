// Music kept compressed: a play read from its stream holds exactly the samples of decoding the file
// whole, from its first sample each time it starts, decoded on a worker or pumped each frame alike;
// and measuring a file finds what decoding it does.
#include "music/music_streamer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <numeric>
#include <string>
#include <thread>

#include "mp3_fixtures.h"
#include "music/embedded_tracks.h"
#include "music/mp3_decode.h"
#include "music/wav.h"

namespace ventora {
namespace {

std::vector<std::int16_t> decoded_samples(std::span<const std::uint8_t> mp3) {
  const auto wav = decode_mp3(mp3).value();
  std::vector<std::int16_t> samples((wav.size() - kWavHeaderBytes) / 2);
  std::memcpy(samples.data(), wav.data() + kWavHeaderBytes, samples.size() * 2);
  return samples;
}

// One play as the mixer hears it.
struct Play {
  std::shared_ptr<StreamVoice> voice;
  std::uint64_t total = 0;  // its length in samples
  std::vector<std::int16_t> heard;
};

// A frame's worth of a play: 1/60 s of 44.1 kHz stereo.
constexpr std::size_t kFrameSamples = 1470;

// Plays `plays` together as the mixer does, `buffer` samples of each per frame, until all are over;
// each frame ends as the game's does, pumping a streamer without a worker (music_tick). Returns the
// reads that came short of a play's end: gaps a listener would hear. A worker is raced here far
// faster than real time, so with one a short read only means waiting for it, and is not counted.
std::size_t play_together(MusicStreamer& streamer, DecodeOn decode_on, std::vector<Play*> plays,
                          std::size_t buffer = kFrameSamples) {
  std::size_t gaps = 0;
  std::vector<std::int16_t> chunk(buffer);
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  const auto over = [](const Play* p) { return p->heard.size() >= p->total; };
  while (!std::ranges::all_of(plays, over) && std::chrono::steady_clock::now() < give_up) {
    for (Play* play : plays) {
      if (over(play)) continue;
      const std::size_t n = play->voice->read(chunk);
      play->heard.insert(play->heard.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
      if (n < buffer && !over(play)) {
        if (decode_on == DecodeOn::Frames) ++gaps;
        std::this_thread::yield();
      }
    }
    streamer.pump();
  }
  return gaps;
}

std::vector<std::uint8_t> with_noise_in_the_middle(std::vector<std::uint8_t> mp3) {
  std::uint32_t x = 12345;
  for (std::size_t at = mp3.size() / 2; at < mp3.size() / 2 + 6000; ++at) {
    x = x * 1664525u + 1013904223u;
    mp3[at] = static_cast<std::uint8_t>(x >> 24);
  }
  return mp3;
}

const char* name_of(DecodeOn decode_on) { return decode_on == DecodeOn::Workers ? "worker" : "pumped"; }

TEST(MusicStreamer, EveryPlayHoldsExactlyTheDecodedSamplesFromTheFirst) {
  // Longer than the ring holds, so the decoding must keep up; and one with a corrupt stretch skipped.
  const std::vector<std::uint8_t> clean = testing::mp3_tone(4.0);
  const std::vector<std::uint8_t> corrupt = with_noise_in_the_middle(testing::mp3_tone(3.0));
  for (const DecodeOn decode_on : {DecodeOn::Workers, DecodeOn::Frames}) {
    SCOPED_TRACE(name_of(decode_on));
    const auto streamer = std::make_shared<MusicStreamer>(decode_on);
    for (const auto* mp3 : {&clean, &corrupt}) {
      const std::vector<std::int16_t> whole = decoded_samples(*mp3);
      const Result<Mp3Length> measured = measure_mp3(*mp3);
      ASSERT_TRUE(measured.ok()) << measured.error().message;
      const Mp3Length length = measured.value();
      EXPECT_EQ(length.samples, whole.size());
      EXPECT_EQ(length.channels, 2);
      EXPECT_EQ(length.rate, 44100);

      const std::shared_ptr<SoundStream> stream = streamer->add(*mp3, length);
      EXPECT_EQ(stream->samples(), whole.size());
      // The first play, a second one started while it plays, and a third after both finished.
      Play first{stream->start(), whole.size(), {}};
      Play second{stream->start(), whole.size(), {}};
      EXPECT_EQ(play_together(*streamer, decode_on, {&first, &second}, 4096), 0u);
      EXPECT_EQ(first.heard, whole);
      EXPECT_EQ(second.heard, whole);
      std::vector<std::int16_t> rest(16);
      EXPECT_EQ(first.voice->read(rest), 0u);  // nothing past the end
      first.voice->finish();
      second.voice->finish();
      Play third{stream->start(), whole.size(), {}};
      EXPECT_EQ(play_together(*streamer, decode_on, {&third}, 777), 0u);
      EXPECT_EQ(third.heard, whole);
      third.voice->finish();
      const Result<std::vector<std::uint8_t>> wav = stream->whole_wav();
      ASSERT_TRUE(wav.ok()) << wav.error().message;
      EXPECT_EQ(wav.value(), decode_mp3(*mp3).value());
    }
  }
}

// The embedded soundtrack as the game plays it over a defeat: a track and the cue together, then
// the cue again after a restart, read a frame's worth at a time. Pumped once a frame instead of
// decoded on a worker, every play holds the same samples, those of decoding it whole, and never
// runs dry.
TEST(MusicStreamer, PumpedEachFrameTheSoundtrackPlaysAsOnItsWorker) {
  const EmbeddedTrack& cue = defeat_cue_track();
  const EmbeddedTrack& track =
      *std::ranges::min_element(music_tracks(), {}, [](const EmbeddedTrack& t) { return t.seconds; });
  const std::vector<std::int16_t> whole_cue = decoded_samples(cue.mp3_bytes);
  const std::vector<std::int16_t> whole_track = decoded_samples(track.mp3_bytes);
  std::vector<std::vector<std::int16_t>> heard[2];
  for (const DecodeOn decode_on : {DecodeOn::Workers, DecodeOn::Frames}) {
    SCOPED_TRACE(name_of(decode_on));
    const auto streamer = std::make_shared<MusicStreamer>(decode_on);
    const std::shared_ptr<SoundStream> track_stream =
        streamer->add(track.mp3_bytes, measure_mp3(track.mp3_bytes).value());
    const std::shared_ptr<SoundStream> cue_stream =
        streamer->add(cue.mp3_bytes, measure_mp3(cue.mp3_bytes).value());
    if (decode_on == DecodeOn::Frames) {
      // Nothing decodes behind the frame's back: a play holds its start, and more only once pumped.
      const std::shared_ptr<StreamVoice> unpumped = track_stream->start();
      std::vector<std::int16_t> all(kAheadSamples);
      EXPECT_EQ(unpumped->read(all), kPumpFrames * Mp3FrameDecoder::kMostFrameSamples);
      EXPECT_EQ(unpumped->read(all), 0u);
      unpumped->finish();
    }
    Play playing{track_stream->start(), whole_track.size(), {}};
    Play defeat{cue_stream->start(), whole_cue.size(), {}};
    std::size_t gaps = play_together(*streamer, decode_on, {&playing, &defeat});
    defeat.voice->finish();
    Play again{cue_stream->start(), whole_cue.size(), {}};
    gaps += play_together(*streamer, decode_on, {&again});
    EXPECT_EQ(gaps, 0u);
    EXPECT_TRUE(playing.heard == whole_track);
    EXPECT_TRUE(defeat.heard == whole_cue);
    EXPECT_TRUE(again.heard == whole_cue);
    heard[decode_on == DecodeOn::Frames] = {playing.heard, defeat.heard, again.heard};
  }
  EXPECT_TRUE(heard[0] == heard[1]);
}

TEST(MeasureMp3, FailsAsDecodingDoesAndStepByStepAsInOneGo) {
  std::vector<std::uint8_t> format_change = testing::mp3_tone(0.5, 44100);
  const std::vector<std::uint8_t> other = testing::mp3_tone(0.5, 48000);
  format_change.insert(format_change.end(), other.begin(), other.end());
  const std::vector<std::uint8_t> cases[] = {
      id3v2_tag("Silence", "Nobody"), std::vector<std::uint8_t>(4000, 'x'), {}, format_change};
  for (const std::vector<std::uint8_t>& mp3 : cases) {
    const Result<Mp3Length> measured = measure_mp3(mp3);
    const Result<std::vector<std::uint8_t>> decoded = decode_mp3(mp3);
    ASSERT_FALSE(measured.ok());
    ASSERT_FALSE(decoded.ok());
    EXPECT_EQ(measured.error().message, decoded.error().message);
  }
  // A frame at a time: as many steps as frames, then the length.
  const std::vector<std::uint8_t> tone = testing::mp3_tone(1.0);
  const Mp3Length whole = measure_mp3(tone).value();
  Mp3Measure measure(tone);
  std::size_t steps = 1;
  std::optional<Result<Mp3Length>> stepped;
  while (!(stepped = measure.step(1))) ++steps;
  ASSERT_TRUE(stepped->ok()) << stepped->error().message;
  EXPECT_EQ(stepped->value().samples, whole.samples);
  EXPECT_EQ(stepped->value().rate, 44100);
  EXPECT_EQ(steps, whole.samples / Mp3FrameDecoder::kMostFrameSamples + 1);
  EXPECT_EQ(measure.bytes_read(), tone.size());
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
