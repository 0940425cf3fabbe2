#include "app/frame_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "game/draft.h"
#include "music/music_loading.h"
#include "random/rng.h"
#include "tests/music/recording_audio.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

constexpr SoundId kTrack = 100;
constexpr SoundId kCue = 200;

// A window that hands out queued inputs (an idle 1280 × 720 frame when the queue is empty) and
// records what the loop shows and asks for. Its music is two tracks, the first due at once.
class FakeHost final : public FrameHost {
 public:
  std::deque<FrameInput> inputs;
  std::vector<DrawList> shown;
  std::vector<WindowSize> size_requests;
  std::vector<AudioCall> audio_calls;
  std::deque<PadInput> pads;  // one per frame, while any are queued
  int music_set_ups = 0;

  bool poll(FrameInput& input) override {
    input = FrameInput{};
    input.screen_width = 1280;
    input.screen_height = 720;
    if (!inputs.empty()) {
      input = inputs.front();
      inputs.pop_front();
    }
    return true;
  }
  PadInput pad() override {
    if (pads.empty()) return {};
    PadInput pad = pads.front();
    pads.pop_front();
    return pad;
  }
  double frame_seconds() override { return 0.016; }
  void request_size(WindowSize size) override { size_requests.push_back(size); }
  void show(const DrawList& list) override { shown.push_back(list); }
  // The music is ready on the `music_polls_until_ready`-th poll.
  int music_polls_until_ready = 1;
  int music_polls = 0;
  bool poll_music(std::unique_ptr<MusicPlayer>& player) override {
    if (++music_polls < music_polls_until_ready) return false;
    player = set_up_music();
    return true;
  }
  // The drawing is warm on the `warm_ups_until_ready`-th call.
  int warm_ups_until_ready = 1;
  int warm_ups = 0;
  bool warm_up() override { return ++warm_ups >= warm_ups_until_ready; }
  std::unique_ptr<MusicPlayer> set_up_music() {
    ++music_set_ups;
    LoadedMusic music;
    music.tracks = {kTrack, kTrack + 1};
    music.track_seconds = {60.0f, 60.0f};
    music.defeat_cue = kCue;
    return make_music_player(std::make_unique<RecordingAudio>(&audio_calls), std::move(music));
  }
  ClockReading clock() override { return {1765000000, 0}; }
};

FrameInput frame_of(float width, float height) {
  FrameInput input;
  input.screen_width = width;
  input.screen_height = height;
  return input;
}

FrameInput pressing(Key key) {
  FrameInput input = frame_of(1280, 720);
  input.press(key);
  return input;
}

// Runs the music set-up and the empty first frame; the loop is then Running.
void start(FrameLoop& loop) {
  ASSERT_TRUE(loop.frame());
  ASSERT_TRUE(loop.frame());
  ASSERT_EQ(loop.loop_state(), LoopState::Running);
}

TEST(FrameLoop, MusicIsSetUpThenOneFrameDrawsNothingThenTheRunStarts) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  ASSERT_TRUE(loop.frame());
  EXPECT_EQ(host.music_set_ups, 1);
  EXPECT_EQ(loop.state(), nullptr);
  ASSERT_TRUE(loop.frame());
  ASSERT_NE(loop.state(), nullptr);
  EXPECT_EQ(loop.state()->stage, 1u);
  ASSERT_TRUE(loop.frame());
  ASSERT_EQ(host.shown.size(), 3u);
  EXPECT_TRUE(host.shown[0].commands.empty());
  EXPECT_TRUE(host.shown[1].commands.empty());
  EXPECT_FALSE(host.shown[2].commands.empty());
  EXPECT_EQ(host.music_set_ups, 1);
}

// The host's controllers reach the running frame as the keys they stand for.
TEST(FrameLoop, ARunningFrameTakesTheHostsControllers) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  PadInput south;
  south.press(PadButton::South);
  host.pads.push_back(south);
  ASSERT_TRUE(loop.frame());
  EXPECT_EQ(loop.state()->jump_count, 1u);
  EXPECT_GT(loop.state()->player_vspeed, 0);
}

// While the tracks decode the loop keeps showing empty frames; the run starts one frame after
// the music is ready, and Escape ends the program during the set-up too.
TEST(FrameLoop, FramesGoOnWhileTheMusicLoadsAndEscapeQuitsThen) {
  FakeHost host;
  host.music_polls_until_ready = 4;
  FrameLoop loop(host, OutputMode::Hd720);
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_TRUE(loop.frame());
    EXPECT_EQ(loop.loop_state(), LoopState::LoadingMusic);
  }
  EXPECT_EQ(host.shown.size(), 3u);
  EXPECT_EQ(host.music_polls, 3);
  EXPECT_EQ(loop.state(), nullptr);
  ASSERT_TRUE(loop.frame());  // the fourth poll finds the music ready
  EXPECT_EQ(loop.loop_state(), LoopState::FirstFrame);
  EXPECT_NE(loop.music(), nullptr);
  ASSERT_TRUE(loop.frame());
  EXPECT_EQ(loop.loop_state(), LoopState::Running);
  for (const DrawList& list : host.shown) EXPECT_TRUE(list.commands.empty());

  // Warming the drawing up may take longer than the music: the music, once ready, is not set up
  // again, and the run waits for both.
  FakeHost warming;
  warming.music_polls_until_ready = 2;
  warming.warm_ups_until_ready = 5;
  FrameLoop waiting(warming, OutputMode::Hd720);
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_TRUE(waiting.frame());
    EXPECT_EQ(waiting.loop_state(), LoopState::LoadingMusic);
  }
  ASSERT_TRUE(waiting.frame());
  EXPECT_EQ(waiting.loop_state(), LoopState::FirstFrame);
  EXPECT_EQ(warming.music_polls, 2);
  EXPECT_EQ(warming.warm_ups, 5);

  FakeHost loading;
  loading.music_polls_until_ready = 100;
  FrameLoop quitting(loading, OutputMode::Hd720);
  ASSERT_TRUE(quitting.frame());
  loading.inputs.push_back(pressing(Key::Escape));
  EXPECT_FALSE(quitting.frame());
  EXPECT_EQ(loading.shown.size(), 1u);
  EXPECT_EQ(loading.music_set_ups, 0);
}

TEST(FrameLoop, EscapeEndsTheProgramBeforeTheFramesUpdate) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  // A drifted window and a track due: an update would ask for a size, a tick would play.
  FrameInput escape = pressing(Key::Escape);
  escape.screen_width = 1000;
  host.inputs.push_back(escape);
  EXPECT_FALSE(loop.frame());
  EXPECT_EQ(loop.loop_state(), LoopState::Ended);
  EXPECT_TRUE(host.audio_calls.empty());
  EXPECT_TRUE(host.size_requests.empty());
  EXPECT_EQ(host.shown.size(), 2u);  // the two start-up frames only
  EXPECT_EQ(loop.state(), nullptr);
  EXPECT_FALSE(loop.frame());
}

TEST(FrameLoop, MusicTicksBeforeTheUpdateThatEntersDefeat) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  // Picking Tit for Tat at 2 hit points: the start damage ends the run in this frame's update.
  GameState& state = *loop.state();
  state.screen = Screen::CardChoice;
  state.player_hp = 2;
  state.offer[0].card = Card::TitForTat;
  host.inputs.push_back(pressing(Key::Num1));
  ASSERT_TRUE(loop.frame());
  ASSERT_EQ(loop.state()->screen, Screen::Defeat);
  // The due track started first, then the defeat stopped it and played the cue.
  ASSERT_EQ(host.audio_calls.size(), 3u);
  const SoundId track = host.audio_calls[0].sound;
  const std::vector<AudioCall> expected = {
      {"play", track, kTrackVolume}, {"stop", track, 0.0f}, {"play", kCue, kDefeatCueVolume}};
  EXPECT_EQ(host.audio_calls, expected);
}

bool same_offer(const Offer& a, const Offer& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].card != b[i].card || a[i].rarity != b[i].rarity) return false;
  return true;
}

// The playlist's reshuffle and the offer both draw from the shared generator: the offer of a
// frame shows whose draws came first.
TEST(FrameLoop, MusicTicksBeforeTheUpdateDrawsTheOffer) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  MusicPlayer& music = *loop.music();
  music.position = music.order.size();  // the next track due needs a new play order
  music.next_start_in = 0;
  GameState& state = *loop.state();
  state.screen = Screen::StageClear;
  state.rng_reseeded = true;  // so C draws the offer from the generator as it stands

  constexpr std::uint64_t kSeed = 77;
  rng::seed(kSeed);
  rng::next();  // a two-track reshuffle takes two draws
  rng::next();
  const Offer after_reshuffle = draw_offer();
  rng::seed(kSeed);
  const Offer before_reshuffle = draw_offer();
  ASSERT_FALSE(same_offer(after_reshuffle, before_reshuffle));

  rng::seed(kSeed);
  host.inputs.push_back(pressing(Key::C));
  ASSERT_TRUE(loop.frame());
  ASSERT_EQ(loop.state()->screen, Screen::CardChoice);
  EXPECT_TRUE(same_offer(loop.state()->offer, after_reshuffle));
}

TEST(FrameLoop, AWindowSizeRequestIsAppliedOnceForTheFrameThatMadeIt) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  host.inputs.push_back(frame_of(1000, 700));
  host.inputs.push_back(frame_of(1280, 720));
  host.inputs.push_back(frame_of(1280, 720));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(loop.frame());
  EXPECT_EQ(host.size_requests, std::vector<WindowSize>{(WindowSize{1280, 720})});
}

// The loop's mode is the run's: an OG loop holds its window at 960 × 720, and a restart keeps it.
TEST(LoopStates, TheRunPlaysInTheLoopsMode) {
  FakeHost host;  // its window is 1280 × 720
  FrameLoop loop(host, OutputMode::Og);
  start(loop);
  EXPECT_EQ(loop.state()->render_settings.preset, OutputMode::Og);
  host.inputs.push_back(pressing(Key::R));
  ASSERT_TRUE(loop.frame());
  EXPECT_EQ(loop.state()->render_settings.preset, OutputMode::Og);
  ASSERT_TRUE(loop.frame());
  EXPECT_EQ(host.size_requests, std::vector<WindowSize>{(WindowSize{960, 720})});
}

}  // namespace
}  // namespace ventora
