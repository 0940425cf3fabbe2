#include "music/music_player.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "music/music_loading.h"
#include "random/rng.h"
#include "recording_audio.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

// The generator state right after srand(seed).
Pcg32 seeded(std::uint64_t seed) {
  Pcg32 g;
  g.seed(seed);
  return g;
}

struct PlayerFixture {
  std::vector<AudioCall> calls;
  Pcg32 rng;  // what the playlist draws from, from `start` on
  std::unique_ptr<MusicPlayer> player;

  // Sounds are numbered 100 + index; the cue is 200.
  explicit PlayerFixture(std::vector<float> seconds, bool with_cue = true, Pcg32 start = {})
      : rng(start) {
    LoadedMusic music;
    for (std::size_t i = 0; i < seconds.size(); ++i) music.tracks.push_back(100 + static_cast<int>(i));
    music.track_seconds = std::move(seconds);
    if (with_cue) music.defeat_cue = 200;
    player = make_music_player(std::make_unique<RecordingAudio>(&calls), std::move(music), rng);
  }

  std::vector<SoundId> played() const {
    std::vector<SoundId> ids;
    for (const AudioCall& call : calls) {
      if (call.what == "play") ids.push_back(call.sound);
    }
    return ids;
  }
};

std::uint64_t state_after_draws(std::uint64_t state, int draws) {
  Pcg32 g{state};
  for (int i = 0; i < draws; ++i) g.next();
  return g.state;
}

TEST(MusicPlayer, FirstOrderAfterStartUpIsFixedAndUsesSixDraws) {
  PlayerFixture f({10, 20, 30, 40, 50, 60});
  EXPECT_EQ(f.player->order, (std::vector<std::size_t>{2, 4, 3, 1, 0, 5}));
  EXPECT_EQ(f.rng.state, state_after_draws(0, 6));

  // The first tick starts track 2 at once, at the track volume; the next one follows its length + 0.35 s.
  music_tick(f.player.get(), f.rng, 0.016f);
  ASSERT_EQ(f.calls, (std::vector<AudioCall>{{"play", 102, 0.32f}}));
  EXPECT_EQ(f.player->current, std::optional<std::size_t>(2));
  for (int i = 0; i < 30 * 20; ++i) music_tick(f.player.get(), f.rng, 0.05f);  // 30 s: track 2 is 30 s long
  EXPECT_EQ(f.played().size(), 1u);
  for (int i = 0; i < 8; ++i) music_tick(f.player.get(), f.rng, 0.05f);  // past 30.35 s
  EXPECT_EQ(f.played(), (std::vector<SoundId>{102, 104}));
}

TEST(MusicPlayer, SingleTrackDrawsNothingAndRestartsAfterItsLengthAndGap) {
  const std::uint64_t before = seeded(42).state;
  PlayerFixture f({1.0f}, true, seeded(42));
  EXPECT_EQ(f.player->order, (std::vector<std::size_t>{0}));
  music_tick(f.player.get(), f.rng, 0.0f);
  // 1.35 s after it started (length + gap) it starts again: not at 1.30 s, but by 1.40 s.
  for (int round = 2; round <= 3; ++round) {
    for (int i = 0; i < 26; ++i) music_tick(f.player.get(), f.rng, 0.05f);
    EXPECT_EQ(f.played().size(), static_cast<std::size_t>(round - 1));
    music_tick(f.player.get(), f.rng, 0.1f);
    EXPECT_EQ(f.played().size(), static_cast<std::size_t>(round));
  }
  EXPECT_EQ(f.played(), (std::vector<SoundId>{100, 100, 100}));
  EXPECT_EQ(f.rng.state, before);
}

TEST(MusicPlayer, ReshufflesWhenTheOrderRunsOutAndMayRepeatTheLastTrack) {
  // Find a generator state whose second order begins with the track the first order ended on.
  for (std::uint64_t seed = 1; seed < 200; ++seed) {
    PlayerFixture f({0.1f, 0.1f, 0.1f}, true, seeded(seed));
    const std::vector<std::size_t> first = f.player->order;
    for (int i = 0; i < 3; ++i) {
      music_tick(f.player.get(), f.rng, 1.0f);
    }
    const std::uint64_t before_reshuffle = f.rng.state;
    music_tick(f.player.get(), f.rng, 1.0f);
    EXPECT_EQ(f.rng.state, state_after_draws(before_reshuffle, 3));
    EXPECT_EQ(f.player->position, 1u);
    const std::vector<std::size_t> second = f.player->order;
    if (second.front() != first.back()) continue;
    const std::vector<SoundId> played = f.played();
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[2], played[3]);  // the track just ended starts again
    return;
  }
  FAIL() << "no seed below 200 repeats the last track";
}

TEST(MusicPlayer, DefeatStopsTheTrackPlaysTheCueAndHoldsUntilRestart) {
  PlayerFixture f({10, 20, 30, 40, 50, 60});
  music_tick(f.player.get(), f.rng, 0.016f);  // track 2
  start_defeat_cue(f.player.get());
  EXPECT_EQ(f.calls,
            (std::vector<AudioCall>{{"play", 102, 0.32f}, {"stop", 102, 0.0f}, {"play", 200, 0.44f}}));
  EXPECT_FALSE(f.player->current.has_value());

  // The Defeat screen stays: no track starts, even long after the cue has ended.
  for (int i = 0; i < 200 * 20; ++i) music_tick(f.player.get(), f.rng, 0.05f);
  EXPECT_EQ(f.calls.size(), 3u);

  // Restart: the next tick starts the next track of the order; the cue is left to finish.
  release_hold(f.player.get());
  music_tick(f.player.get(), f.rng, 0.016f);
  ASSERT_EQ(f.calls.size(), 4u);
  EXPECT_EQ(f.calls.back(), (AudioCall{"play", 104, 0.32f}));

  // A second release without a defeat changes nothing.
  const float pending = f.player->next_start_in;
  release_hold(f.player.get());
  EXPECT_EQ(f.player->next_start_in, pending);
}

// After the device came back nothing plays: the next track of the order starts on the next tick
// (not the interrupted one, and not only when its time would have run out); a held playlist
// stays held.
TEST(MusicPlayer, AfterTheDeviceCameBackTheNextTrackStartsAtOnce) {
  PlayerFixture f({10, 20, 30, 40, 50, 60});
  music_tick(f.player.get(), f.rng, 0.016f);  // track 2, 30 s long
  for (int i = 0; i < 100; ++i) music_tick(f.player.get(), f.rng, 0.05f);
  resume_after_device_loss(f.player.get());
  EXPECT_FALSE(f.player->current.has_value());
  music_tick(f.player.get(), f.rng, 0.016f);
  EXPECT_EQ(f.played(), (std::vector<SoundId>{102, 104}));

  start_defeat_cue(f.player.get());
  resume_after_device_loss(f.player.get());
  for (int i = 0; i < 100; ++i) music_tick(f.player.get(), f.rng, 0.05f);
  EXPECT_EQ(f.played(), (std::vector<SoundId>{102, 104, 200}));
  release_hold(f.player.get());
  music_tick(f.player.get(), f.rng, 0.016f);
  EXPECT_EQ(f.played(), (std::vector<SoundId>{102, 104, 200, 103}));
  resume_after_device_loss(nullptr);
}

TEST(MusicPlayer, DefeatWithoutACueOrBeforeAnyTrackIsSilent) {
  PlayerFixture f({5, 5}, /*with_cue=*/false);
  start_defeat_cue(f.player.get());
  EXPECT_TRUE(f.calls.empty());
  EXPECT_TRUE(f.player->held);
}

// Music off is a null player: every call returns at once, and above all no playlist draws from
// the generator the offers and the confetti share.
TEST(MusicPlayer, NullPlayerMeansMusicOffAndLeavesTheGeneratorAlone) {
  Pcg32 rng = seeded(7);
  const std::uint64_t before = rng.state;
  for (int frame = 0; frame < 100; ++frame) music_tick(nullptr, rng, 0.05f);
  start_defeat_cue(nullptr);
  release_hold(nullptr);
  music_tick(nullptr, rng, 0.05f);
  EXPECT_EQ(rng.state, before);
}

class EnvironmentSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("VENTORA_DISABLE_MUSIC");
    unsetenv("VENTORA_ENABLE_MUSIC");
  }
  void TearDown() override { SetUp(); }
};

TEST_F(EnvironmentSwitch, OffByDefaultAndWhenDisableIsPresent) {
  struct Case {
    const char* disable;  // nullptr: unset
    const char* enable;
  };
  const Case off_cases[] = {{nullptr, nullptr}, {"1", "1"}, {"", ""}, {"0", nullptr}};
  for (const Case& c : off_cases) {
    SetUp();
    if (c.disable != nullptr) setenv("VENTORA_DISABLE_MUSIC", c.disable, 1);
    if (c.enable != nullptr) setenv("VENTORA_ENABLE_MUSIC", c.enable, 1);
    bool opened = false;
    ::testing::internal::CaptureStderr();
    Pcg32 rng;
    const MusicStart start = music_player_from_environment(
        [&] {
          opened = true;
          return std::unique_ptr<AudioOut>();
        },
        rng);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");  // the caller prints the message
    EXPECT_EQ(start.messages, std::vector<std::string>{"background music disabled on this platform/session"});
    EXPECT_EQ(start.player, nullptr);
    EXPECT_FALSE(opened);
  }
}

TEST_F(EnvironmentSwitch, EnableEvenEmptyOpensTheAudioAndNoDeviceMeansNoMusic) {
  for (const char* value : {"", "1", "no"}) {
    setenv("VENTORA_ENABLE_MUSIC", value, 1);
    int opened = 0;
    Pcg32 rng;
    const MusicStart start = music_player_from_environment(
        [&] {
          ++opened;
          return std::unique_ptr<AudioOut>();
        },
        rng);
    EXPECT_TRUE(start.messages.empty());  // the opener says why there is no device
    EXPECT_EQ(start.player, nullptr);
    EXPECT_EQ(opened, 1);
  }
}

}  // namespace
}  // namespace ventora
