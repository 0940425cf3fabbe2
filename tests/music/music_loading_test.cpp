#include "music/music_loading.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

#include "mp3_fixtures.h"
#include "music/mp3_decode.h"
#include "music/music_player.h"
#include "random/rng.h"
#include "recording_audio.h"
#include "tests/support/error_messages.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

TEST(LoadMusic, AFailedTrackIsReportedAndLeftOutKeepingTheListsParallel) {
  const std::vector<std::uint8_t> good = testing::mp3_tone(0.3);
  const std::vector<std::uint8_t> empty = id3v2_tag("Jazzeton", "Dastrow");
  const std::array<EmbeddedTrack, 6> tracks{{
      {"Bongo Rave - Corvane", good, 233.326f},
      {"Cat Circus - Pellith", good, 94.72f},
      {"Heaven and Earth - Corvane", good, 277.368f},
      {"Jazzeton - Dastrow", empty, 202.971f},
      {"Summer Thyme - Vintaro", good, 117.264f},
      {"Whack a Mole - Hollice", good, 95.033f},
  }};
  const EmbeddedTrack cue{"Game Over - Marrowind", good, 24.555f};
  for (const DecodeOn decode_on : {DecodeOn::Workers, DecodeOn::Frames}) {
    std::vector<AudioCall> calls;
    RecordingAudio audio(&calls);
    audio.refuse = {5};  // the fifth load (from 0): the cue

    ::testing::internal::CaptureStderr();
    const LoadedMusic music = load_music(tracks, cue, audio, decode_on);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // the caller reports the failures
    EXPECT_EQ(test::messages_of(music.failures),
              (std::vector<std::string>{
                  "failed to decode embedded music 'Jazzeton - Dastrow': no MP3 frames decoded",
                  "failed to load embedded music 'Game Over - Marrowind': unsupported sound format"}));
    EXPECT_EQ(music.tracks, (std::vector<SoundId>{100, 101, 102, 103, 104}));
    EXPECT_EQ(music.track_seconds, (std::vector<float>{233.326f, 94.72f, 277.368f, 117.264f, 95.033f}));
    EXPECT_FALSE(music.defeat_cue.has_value());
    EXPECT_TRUE(calls.empty());
  }
}

// Loading frame by frame: each poll loads whatever has finished, never a track before an earlier
// one, and the result and the failure lines are those of loading all at once.
TEST(LoadMusic, PollingLoadsInTrackOrderWithTheSameResultAsWaiting) {
  const std::vector<std::uint8_t> short_tone = testing::mp3_tone(0.2);
  const std::vector<std::uint8_t> long_tone = testing::mp3_tone(3.0);
  const std::vector<std::uint8_t> empty = id3v2_tag("Cat Circus", "Pellith");
  const std::array<EmbeddedTrack, 3> tracks{{
      {"Bongo Rave - Corvane", long_tone, 233.326f},  // finishes last, yet loads first
      {"Cat Circus - Pellith", empty, 94.72f},
      {"Heaven and Earth - Corvane", short_tone, 277.368f},
  }};
  const EmbeddedTrack cue{"Game Over - Marrowind", short_tone, 140.304f};
  for (const DecodeOn decode_on : {DecodeOn::Workers, DecodeOn::Frames}) {
    std::vector<AudioCall> calls;
    std::vector<std::size_t> sizes;
    RecordingAudio audio(&calls);
    audio.loaded_sizes = &sizes;

    MusicLoading loading(tracks, cue, decode_on);
    std::vector<std::string> failures;
    bool done = false;
    while (!done) {
      done = loading.load_ready(audio, false);
      for (const std::string& failure : test::messages_of(loading.take_failures())) {
        failures.push_back(failure);
      }
      std::this_thread::yield();
    }
    EXPECT_EQ(failures, std::vector<std::string>{
                            "failed to decode embedded music 'Cat Circus - Pellith': no MP3 frames decoded"});
    const LoadedMusic music = loading.take();
    EXPECT_TRUE(music.failures.empty());  // all taken while loading
    EXPECT_EQ(music.tracks, (std::vector<SoundId>{100, 101}));
    EXPECT_EQ(music.track_seconds, (std::vector<float>{233.326f, 277.368f}));
    EXPECT_EQ(music.defeat_cue, std::optional<SoundId>(102));
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_GT(sizes[0], sizes[1]);  // the long tone went in first
    EXPECT_EQ(sizes[1], sizes[2]);
  }
}

// An output that takes streams as the game's does, keeping them undecoded.
class StreamingAudio final : public AudioOut {
 public:
  std::vector<std::shared_ptr<SoundStream>> streams;

  Result<SoundId> load_wav(std::vector<std::uint8_t>) override { return Error{"streams only"}; }
  Result<SoundId> load_stream(std::shared_ptr<SoundStream> stream) override {
    streams.push_back(std::move(stream));
    return static_cast<SoundId>(streams.size() - 1);
  }
  void play(SoundId, float) override {}
  void stop(SoundId) override {}
  void play_effect(SoundId, float) override {}
  void set_master_volume(float) override {}
  void set_paused(bool) override {}
};

// The CPU time this thread has used, in seconds: what a poll costs the frame, however busy the
// machine.
double thread_cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Without workers the whole soundtrack is checked by the polls themselves, a few milliseconds
// each, so that no frame waits long; the tracks come out as the workers give them.
TEST(MusicLoading, WithoutWorkersEachPollDoesALittle) {
  StreamingAudio on_workers;
  const LoadedMusic expected = load_music(music_tracks(), defeat_cue_track(), on_workers, DecodeOn::Workers);

  StreamingAudio on_frames;
  MusicLoading loading(music_tracks(), defeat_cue_track(), DecodeOn::Frames);
  int polls = 0;
  double longest = 0;
  double total = 0;
  for (bool done = false; !done;) {
    const double before = thread_cpu_seconds();
    done = loading.load_ready(on_frames, false);
    const double spent = thread_cpu_seconds() - before;
    longest = std::max(longest, spent);
    total += spent;
    ++polls;
  }
  const LoadedMusic music = loading.take();
  EXPECT_EQ(music.tracks, expected.tracks);
  EXPECT_EQ(music.track_seconds, expected.track_seconds);
  EXPECT_EQ(music.defeat_cue, expected.defeat_cue);
  EXPECT_TRUE(music.failures.empty());
  ASSERT_EQ(on_frames.streams.size(), on_workers.streams.size());
  for (std::size_t i = 0; i < on_frames.streams.size(); ++i) {
    EXPECT_EQ(on_frames.streams[i]->samples(), on_workers.streams[i]->samples()) << i;
  }
  EXPECT_GT(polls, 10);
  EXPECT_LT(longest, 0.02) << polls << " polls, " << total << " s in all";
}

// Dropping the loading while its workers decode stops them at once, not once the tracks are done.
TEST(MusicLoading, DroppingItStopsItsWorkers) {
  using Clock = std::chrono::steady_clock;
  StreamingAudio audio;
  const Clock::time_point start = Clock::now();
  static_cast<void>(load_music(music_tracks(), defeat_cue_track(), audio, DecodeOn::Workers));
  const Clock::duration whole = Clock::now() - start;

  const Clock::time_point dropped = Clock::now();
  { const MusicLoading loading(music_tracks(), defeat_cue_track(), DecodeOn::Workers); }
  EXPECT_LT(Clock::now() - dropped, whole / 5);
}

// The ID3v2 text frame `id`'s value, or "" when the tag has no such frame.
std::string id3_text(std::span<const std::uint8_t> mp3, const char* id) {
  const std::size_t size =
      (mp3[6] & 0x7F) << 21 | (mp3[7] & 0x7F) << 14 | (mp3[8] & 0x7F) << 7 | (mp3[9] & 0x7F);
  for (std::size_t at = 10; at + 10 < 10 + size;) {
    const std::size_t frame = (mp3[at + 4] & 0x7F) << 21 | (mp3[at + 5] & 0x7F) << 14 |
                              (mp3[at + 6] & 0x7F) << 7 | (mp3[at + 7] & 0x7F);
    if (std::memcmp(mp3.data() + at, id, 4) == 0) {
      return std::string(mp3.begin() + static_cast<std::ptrdiff_t>(at + 11),
                         mp3.begin() + static_cast<std::ptrdiff_t>(at + 10 + frame));
    }
    at += 10 + frame;
  }
  return "";
}

TEST(EmbeddedMusic, EveryTrackIsTaggedAndDecodesToItsPlayingTime) {
  std::vector<const EmbeddedTrack*> all;
  for (const EmbeddedTrack& track : music_tracks()) all.push_back(&track);
  all.push_back(&defeat_cue_track());
  for (const EmbeddedTrack* track : all) {
    SCOPED_TRACE(std::string(track->label));
    const auto mp3 = track->mp3_bytes;
    ASSERT_GT(mp3.size(), 1000u);
    // An ID3v2.4 tag naming title and artist, then the Info frame of a 320 kbit/s 44.1 kHz stereo stream.
    ASSERT_EQ(std::string(mp3.begin(), mp3.begin() + 4), std::string("ID3\x04", 4));
    EXPECT_EQ(id3_text(mp3, "TIT2") + " - " + id3_text(mp3, "TPE1"), track->label);
    const std::size_t audio =
        10 + ((mp3[6] & 0x7F) << 21 | (mp3[7] & 0x7F) << 14 | (mp3[8] & 0x7F) << 7 | (mp3[9] & 0x7F));
    EXPECT_EQ(mp3[audio], 0xFF);
    EXPECT_EQ(mp3[audio + 1] & 0xFE, 0xFA);   // MPEG-1 Layer III
    EXPECT_EQ(mp3[audio + 2] >> 4, 14);       // 320 kbit/s
    EXPECT_EQ((mp3[audio + 2] >> 2) & 3, 0);  // 44.1 kHz
    EXPECT_EQ(mp3[audio + 3] >> 6, 0);        // stereo, not joint stereo
    EXPECT_EQ(std::string(mp3.begin() + static_cast<std::ptrdiff_t>(audio + 36),
                          mp3.begin() + static_cast<std::ptrdiff_t>(audio + 40)),
              "Info");

    const Result<std::vector<std::uint8_t>> result = decode_mp3(mp3);
    ASSERT_TRUE(result.ok());
    const auto& wav = result.value();
    const double seconds = static_cast<double>(wav.size() - 44) / 4 / 44100;
    EXPECT_EQ(std::round(seconds * 1000), std::round(track->seconds * 1000.0));
  }
}

TEST(EmbeddedMusic, MusicOnLoadsAllSevenAndStartsWithHeavenAndEarth) {
  for (const DecodeOn decode_on : {DecodeOn::Workers, DecodeOn::Frames}) {
    unsetenv("VENTORA_DISABLE_MUSIC");
    setenv("VENTORA_ENABLE_MUSIC", "1", 1);
    Pcg32 rng;  // where a process starts
    std::vector<AudioCall> calls;
    std::vector<std::size_t> sizes;
    MusicStart start = music_player_from_environment(
        [&] {
          auto audio = std::make_unique<RecordingAudio>(&calls);
          audio->loaded_sizes = &sizes;
          return audio;
        },
        rng, decode_on);
    EXPECT_TRUE(start.messages.empty());
    unsetenv("VENTORA_ENABLE_MUSIC");
    const std::unique_ptr<MusicPlayer> player = std::move(start.player);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->tracks.size(), 6u);
    EXPECT_EQ(player->defeat_cue, std::optional<SoundId>(106));
    ASSERT_EQ(sizes.size(), 7u);
    // Every sound handed over is the whole track: 44 header bytes + 4 per sample frame.
    EXPECT_EQ(sizes[2], 44 + 4 * std::size_t{10618} * 1152);
    music_tick(player.get(), rng, 0.016f);
    EXPECT_EQ(calls, (std::vector<AudioCall>{{"play", 102, 0.32f}}));
    EXPECT_EQ(player->order, (std::vector<std::size_t>{2, 4, 3, 1, 0, 5}));
  }
}

}  // namespace
}  // namespace ventora
