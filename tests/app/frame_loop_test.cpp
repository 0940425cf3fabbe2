#include "app/frame_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include <unistd.h>
#include <vector>

#include "app/desktop_host.h"
#include "app/replay_check.h"
#include "tests/app/fake_waits.h"
#include "game/draft.h"
#include "replay/replay_reader.h"
#include "replay/state_hash.h"
#include "tests/support/draw_queries.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/overlay_geometry.h"
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
  std::deque<ShellInput> shells;  // one per frame, while any are queued
  std::vector<bool> sound_pauses;  // each pause (true) and resume (false) of the sound
  int music_set_ups = 0;
  // Frames last 0.016 s, or, when set, as long as between the last two frames shown (at their
  // inputs' times), as a window measures them from present to present.
  bool timed_by_shows = false;
  double polled_at = 0;
  double shown_at = 0;
  double shown_before = 0;

  bool poll(FrameInput& input) override {
    input = FrameInput{};
    input.screen_width = 1280;
    input.screen_height = 720;
    if (!inputs.empty()) {
      input = inputs.front();
      inputs.pop_front();
    }
    polled_at = input.time;
    return true;
  }
  PadInput pad() override {
    if (pads.empty()) return {};
    PadInput pad = pads.front();
    pads.pop_front();
    return pad;
  }
  ShellInput shell() override {
    if (shells.empty()) return {};
    ShellInput shell = shells.front();
    shells.pop_front();
    return shell;
  }
  void pause_sound(bool paused) override { sound_pauses.push_back(paused); }
  double frame_seconds() override { return timed_by_shows ? shown_at - shown_before : 0.016; }
  void request_size(WindowSize size) override { size_requests.push_back(size); }
  void show(const DrawList& list) override {
    shown.push_back(list);
    shown_before = std::exchange(shown_at, polled_at);
  }
  // The music is ready on the `music_polls_until_ready`-th poll.
  int music_polls_until_ready = 1;
  int music_polls = 0;
  bool poll_music(std::unique_ptr<MusicPlayer>& player, Pcg32& rng) override {
    if (++music_polls < music_polls_until_ready) return false;
    player = set_up_music(rng);
    return true;
  }
  // The drawing is warm on the `warm_ups_until_ready`-th call.
  int warm_ups_until_ready = 1;
  int warm_ups = 0;
  bool warm_up() override { return ++warm_ups >= warm_ups_until_ready; }
  std::unique_ptr<MusicPlayer> set_up_music(Pcg32& rng) {
    ++music_set_ups;
    LoadedMusic music;
    music.tracks = {kTrack, kTrack + 1};
    music.track_seconds = {60.0f, 60.0f};
    music.defeat_cue = kCue;
    return make_music_player(std::make_unique<RecordingAudio>(&audio_calls), std::move(music), rng);
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

// A step that leaves the program running.
bool goes_on(const StepResult& result) { return result.next != StepResult::Next::Quit; }

// Runs the music set-up and the empty first frame; the loop is then Running.
void start(FrameLoop& loop) {
  ASSERT_TRUE(goes_on(loop.step()));
  ASSERT_TRUE(goes_on(loop.step()));
  ASSERT_EQ(loop.loop_state(), LoopState::Running);
}

TEST(FrameLoop, MusicIsSetUpThenOneFrameDrawsNothingThenTheRunStarts) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_EQ(host.music_set_ups, 1);
  EXPECT_EQ(loop.state(), nullptr);
  ASSERT_TRUE(goes_on(loop.step()));
  ASSERT_NE(loop.state(), nullptr);
  EXPECT_EQ(loop.state()->stage, 1u);
  ASSERT_TRUE(goes_on(loop.step()));
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
  ASSERT_TRUE(goes_on(loop.step()));
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
    ASSERT_TRUE(goes_on(loop.step()));
    EXPECT_EQ(loop.loop_state(), LoopState::LoadingMusic);
  }
  EXPECT_EQ(host.shown.size(), 3u);
  EXPECT_EQ(host.music_polls, 3);
  EXPECT_EQ(loop.state(), nullptr);
  ASSERT_TRUE(goes_on(loop.step()));  // the fourth poll finds the music ready
  EXPECT_EQ(loop.loop_state(), LoopState::FirstFrame);
  EXPECT_NE(loop.music(), nullptr);
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_EQ(loop.loop_state(), LoopState::Running);
  for (const DrawList& list : host.shown) EXPECT_TRUE(list.commands.empty());

  // Warming the drawing up may take longer than the music: the music, once ready, is not set up
  // again, and the run waits for both.
  FakeHost warming;
  warming.music_polls_until_ready = 2;
  warming.warm_ups_until_ready = 5;
  FrameLoop waiting(warming, OutputMode::Hd720);
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_TRUE(goes_on(waiting.step()));
    EXPECT_EQ(waiting.loop_state(), LoopState::LoadingMusic);
  }
  ASSERT_TRUE(goes_on(waiting.step()));
  EXPECT_EQ(waiting.loop_state(), LoopState::FirstFrame);
  EXPECT_EQ(warming.music_polls, 2);
  EXPECT_EQ(warming.warm_ups, 5);

  FakeHost loading;
  loading.music_polls_until_ready = 100;
  FrameLoop quitting(loading, OutputMode::Hd720);
  ASSERT_TRUE(goes_on(quitting.step()));
  loading.inputs.push_back(pressing(Key::Escape));
  EXPECT_FALSE(goes_on(quitting.step()));
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
  EXPECT_FALSE(goes_on(loop.step()));
  EXPECT_EQ(loop.loop_state(), LoopState::Ended);
  EXPECT_TRUE(host.audio_calls.empty());
  EXPECT_TRUE(host.size_requests.empty());
  EXPECT_EQ(host.shown.size(), 2u);  // the two start-up frames only
  EXPECT_EQ(loop.state(), nullptr);
  EXPECT_FALSE(goes_on(loop.step()));
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
  ASSERT_TRUE(goes_on(loop.step()));
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

// The playlist's reshuffle and the offer both draw from the loop's one generator: the offer of a
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
  Pcg32 rng;
  rng.seed(kSeed);
  rng.next();  // a two-track reshuffle takes two draws
  rng.next();
  const Offer after_reshuffle = draw_offer(rng);
  rng.seed(kSeed);
  const Offer before_reshuffle = draw_offer(rng);
  ASSERT_FALSE(same_offer(after_reshuffle, before_reshuffle));

  loop.rng().seed(kSeed);
  host.inputs.push_back(pressing(Key::C));
  ASSERT_TRUE(goes_on(loop.step()));
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
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_EQ(host.size_requests, std::vector<WindowSize>{(WindowSize{1280, 720})});
}

// The loop's mode is the run's: an OG loop holds its window at 960 × 720, and a restart keeps it.
TEST(LoopStates, TheRunPlaysInTheLoopsMode) {
  FakeHost host;  // its window is 1280 × 720
  FrameLoop loop(host, OutputMode::Og);
  start(loop);
  EXPECT_EQ(loop.state()->render_settings.mode, OutputMode::Og);
  host.inputs.push_back(pressing(Key::R));
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_EQ(loop.state()->render_settings.mode, OutputMode::Og);
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_EQ(host.size_requests, std::vector<WindowSize>{(WindowSize{960, 720})});
}


// A frame that would move the run in every way: D held, jump and fire pressed on the keyboard and
// on the pad, the stick held right.
void busy_frame(FakeHost& host) {
  FrameInput input = frame_of(1280, 720);
  input.hold(Key::D);
  input.press(Key::Space);
  input.press(Key::J);
  host.inputs.push_back(input);
  PadInput pad;
  pad.press(PadButton::South);
  pad.press(PadButton::West);
  pad.hold(PadButton::StickRight);
  host.pads.push_back(pad);
}

ShellInput shell_with(bool ShellInput::*flag) {
  ShellInput shell;
  shell.*flag = true;
  return shell;
}

PadInput pad_pressing(PadButton button) {
  PadInput pad;
  pad.press(button);
  return pad;
}

FrameInput clicking() {
  FrameInput input = frame_of(1280, 720);
  input.left_click = true;
  return input;
}

// Each way into a pause, and each way out: in between, many frames that would all move the run
// change nothing of it (its hash covers every field and the generator), the music's clock stands
// and the sound holds; nothing is shown after the paused picture, the host may rest instead. The
// run moves again from the frame after the one that resumes.
TEST(Pause, NothingOfTheRunMovesWhilePaused) {
  struct Way {
    const char* what;
    ShellInput shell;
    PadInput pad;
    FrameInput input;
  };
  const Way into[] = {
      {"P", shell_with(&ShellInput::pause_key), {}, frame_of(1280, 720)},
      {"Start in a fight", {}, pad_pressing(PadButton::Start), frame_of(1280, 720)},
      {"focus lost or minimised", shell_with(&ShellInput::focus_lost), {}, frame_of(1280, 720)},
  };
  const Way out[] = {
      {"P", shell_with(&ShellInput::pause_key), {}, frame_of(1280, 720)},
      {"Start", {}, pad_pressing(PadButton::Start), frame_of(1280, 720)},
      {"a click", {}, {}, clicking()},
  };
  for (const Way& pause : into) {
    for (const Way& resume : out) {
      SCOPED_TRACE(std::string(pause.what) + ", then " + resume.what);
      FakeHost host;
      FrameLoop loop(host, OutputMode::Hd720);
      start(loop);
      busy_frame(host);  // the run moves
      ASSERT_TRUE(goes_on(loop.step()));
      const auto music_position = loop.music()->position;
      const float music_due_in = loop.music()->next_start_in;
      host.inputs.push_back(pause.input);
      host.shells.push_back(pause.shell);
      host.pads.push_back(pause.pad);
      const std::uint64_t before = replay::state_hash(*loop.state(), loop.rng());
      const std::size_t shown_before = host.shown.size();
      ASSERT_TRUE(goes_on(loop.step()));
      EXPECT_TRUE(loop.paused());
      EXPECT_EQ(host.sound_pauses, std::vector<bool>{true});
      ASSERT_EQ(host.shown.size(), shown_before + 1);
      draw_queries::drawn_text(host.shown.back(), "Paused");
      const std::size_t audio_calls = host.audio_calls.size();

      int idle = 0;
      for (int frame = 0; frame < 200; ++frame) {
        busy_frame(host);
        if (frame % 50 == 7) host.shells.push_back(shell_with(&ShellInput::focus_lost));
        const StepResult step = loop.step();
        ASSERT_TRUE(goes_on(step));
        if (step.next == StepResult::Next::Idle && step.idle_seconds > 0) ++idle;
      }
      EXPECT_TRUE(loop.paused());
      EXPECT_EQ(replay::state_hash(*loop.state(), loop.rng()), before);
      EXPECT_EQ(loop.music()->position, music_position);
      EXPECT_EQ(loop.music()->next_start_in, music_due_in);
      EXPECT_EQ(host.audio_calls.size(), audio_calls);
      EXPECT_EQ(host.shown.size(), shown_before + 1);
      EXPECT_EQ(idle, 200);

      host.inputs.push_back(resume.input);
      host.shells.push_back(resume.shell);
      host.pads.push_back(resume.pad);
      ASSERT_TRUE(goes_on(loop.step()));
      EXPECT_FALSE(loop.paused());
      EXPECT_EQ(host.sound_pauses, (std::vector<bool>{true, false}));
      EXPECT_EQ(replay::state_hash(*loop.state(), loop.rng()), before);  // the resuming frame moves nothing yet
      EXPECT_EQ(draw_queries::find_text(host.shown.back(), "Paused"), nullptr);
      busy_frame(host);
      ASSERT_TRUE(goes_on(loop.step()));
      EXPECT_NE(replay::state_hash(*loop.state(), loop.rng()), before);
    }
  }
}

// A recording holds the frames that ran, on a clock without the pause, and checks as it was played;
// the first step after the pause is as long as the frames around it, not the pause.
TEST(Pause, ARecordingLeavesThePausedFramesOut) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("ventora-pause-" + std::to_string(::getpid()) + ".vrep");
  auto created = ReplayRecorder::create(file.string(), "pause-test");
  ASSERT_TRUE(created) << created.error().message;
  const std::unique_ptr<ReplayRecorder>& recorder = created.value();
  FakeHost host;
  host.timed_by_shows = true;
  FrameLoop loop(host, OutputMode::Hd720, recorder.get());
  start(loop);
  // One frame at `time` running right, with P pressed or not.
  const auto add = [&host](double time, bool p) {
    FrameInput input = frame_of(1280, 720);
    input.time = time;
    input.hold(Key::D);
    host.inputs.push_back(input);
    host.shells.push_back(p ? shell_with(&ShellInput::pause_key) : ShellInput{});
  };
  double t = 1.0;
  for (int i = 0; i < 5; ++i, t += 0.016) add(t, false);
  add(t, true);  // pauses
  for (t = 2.0; t < 60.0; t += 0.5) add(t, false);
  add(t, true);  // resumes
  for (int i = 0; i < 5; ++i) add(t += 0.016, false);
  while (!host.inputs.empty()) ASSERT_TRUE(goes_on(loop.step()));
  recorder->finish();

  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  const replay::ReadResult read = replay::read_replay(bytes, "pause-test");
  ASSERT_TRUE(read.ok()) << read.error().message;
  ASSERT_EQ(read.value().frames.size(), 10u);
  for (std::size_t i = 1; i < read.value().frames.size(); ++i) {
    EXPECT_LT(read.value().frames[i].input.time - read.value().frames[i - 1].input.time, 0.05) << i;
  }
  for (std::size_t i = 2; i < read.value().frames.size(); ++i) {  // the first two follow the start
    EXPECT_NEAR(read.value().frames[i].dt, 0.016, 1e-4) << i;
  }
  ::testing::internal::CaptureStdout();
  const int checked = check_replay_file(file.string(), "pause-test");
  const std::string said = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(checked, kReplayOk) << said;
  std::filesystem::remove(file);
}

// A window manager moves the focus about while it places a new window: however often the window
// loses the focus while the game starts up (the music loading, the empty first frame) or before
// the fight's first picture, the fight starts unpaused. From then on losing the focus pauses.
TEST(Pause, FocusChangesBeforeTheFirstFightFrameNeverPause) {
  FakeHost host;
  host.music_polls_until_ready = 4;
  FrameLoop loop(host, OutputMode::Hd720);
  for (int i = 0; i < 6; ++i) host.shells.push_back(shell_with(&ShellInput::focus_lost));
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(goes_on(loop.step()));  // 4 loading, 1 first, 1 fight
  ASSERT_EQ(loop.loop_state(), LoopState::Running);
  EXPECT_FALSE(loop.paused());
  draw_queries::drawn_text(host.shown.back(), "A/D run   Space jumps   J/Enter fires");
  EXPECT_EQ(draw_queries::find_text(host.shown.back(), "Paused"), nullptr);
  host.shells.push_back(shell_with(&ShellInput::focus_lost));
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_TRUE(loop.paused());
}

// Start pauses only in a fight: on the stage-clear panel it continues, as it always did. P
// pauses on any screen, and the click that resumes reaches no button under it.
TEST(Pause, StartContinuesTheClearedStageAndPPausesIt) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  loop.state()->screen = Screen::StageClear;
  host.pads.push_back(pad_pressing(PadButton::Start));
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_FALSE(loop.paused());
  EXPECT_EQ(loop.state()->screen, Screen::CardChoice);

  loop.state()->screen = Screen::StageClear;
  host.shells.push_back(shell_with(&ShellInput::pause_key));
  ASSERT_TRUE(goes_on(loop.step()));
  ASSERT_TRUE(loop.paused());
  FrameInput click_on_continue = clicking();
  const Rect button = continue_button(hud_scale(make_frame_layout(OutputMode::Hd720, 1280, 720), 1280, 720));
  click_on_continue.mouse = {button.x + button.w / 2, button.y + button.h / 2};
  host.inputs.push_back(click_on_continue);
  ASSERT_TRUE(goes_on(loop.step()));
  EXPECT_FALSE(loop.paused());
  EXPECT_EQ(loop.state()->screen, Screen::StageClear);
}

// Escape, and the pad's Back, quit from a pause; R does not restart in one.
TEST(Pause, EscapeOrBackQuitsFromAPause) {
  for (const bool by_pad : {false, true}) {
    FakeHost host;
    FrameLoop loop(host, OutputMode::Hd720);
    start(loop);
    host.shells.push_back(shell_with(&ShellInput::pause_key));
    ASSERT_TRUE(goes_on(loop.step()));
    const std::uint64_t before = replay::state_hash(*loop.state(), loop.rng());
    host.inputs.push_back(pressing(Key::R));
    ASSERT_TRUE(goes_on(loop.step()));
    EXPECT_EQ(replay::state_hash(*loop.state(), loop.rng()), before);
    if (by_pad) {
      host.pads.push_back(pad_pressing(PadButton::Back));
    } else {
      host.inputs.push_back(pressing(Key::Escape));
    }
    EXPECT_FALSE(goes_on(loop.step()));
    EXPECT_EQ(loop.loop_state(), LoopState::Ended);
  }
}

// A paused picture is drawn again only when the window needs it (shown, exposed, resized) or its
// hints change with the device in use; the steps between show nothing and leave the host to rest.
TEST(Pause, APausedGameDrawsOnlyWhenThePictureMustChange) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  using Next = StepResult::Next;
  ASSERT_EQ(loop.step().next, Next::Continue);  // the fight's first frame
  host.shells.push_back(shell_with(&ShellInput::focus_lost));
  ASSERT_EQ(loop.step().next, Next::Continue);
  const std::size_t shown = host.shown.size();
  draw_queries::drawn_text(host.shown.back(), "P or a click resumes   Esc quits");
  ASSERT_EQ(loop.step().next, Next::Idle);
  EXPECT_EQ(host.shown.size(), shown);
  host.shells.push_back(shell_with(&ShellInput::redraw));
  ASSERT_EQ(loop.step().next, Next::Continue);
  EXPECT_EQ(host.shown.size(), shown + 1);
  // A pad's button (not one that resumes) switches the hints to its buttons.
  PadInput square;
  square.layout = PadLayout::PlayStation;
  square.press(PadButton::West);
  host.pads.push_back(square);
  ASSERT_EQ(loop.step().next, Next::Continue);
  ASSERT_EQ(host.shown.size(), shown + 2);
  draw_queries::drawn_text(host.shown.back(), "Options resumes   Share quits");
  draw_queries::drawn_text(host.shown.back(), "Stick runs   Cross jumps   Square fires");
  const StepResult still = loop.step();
  EXPECT_EQ(still.next, Next::Idle);
  EXPECT_GT(still.idle_seconds, 0);
  EXPECT_EQ(host.shown.size(), shown + 2);
}

// A whole session through the host: start-up, fight frames, a pause held over many frames, the
// resume and Escape. No step waits; the host paces after each shown frame and rests after each
// paused step that showed nothing, and the session's status comes from the step that quit.
TEST(DesktopHost, WaitsOnlyBetweenSteps) {
  FakeHost host;
  host.music_polls_until_ready = 3;
  FrameLoop loop(host, OutputMode::Hd720);
  for (int i = 0; i < 6; ++i) busy_frame(host);  // set-up and fight frames
  host.inputs.push_back(frame_of(1280, 720));
  host.shells.resize(host.inputs.size());
  host.shells.back() = shell_with(&ShellInput::pause_key);
  for (int i = 0; i < 30; ++i) busy_frame(host);  // paused
  host.shells.resize(host.inputs.size());
  host.inputs.push_back(clicking());  // resumes
  busy_frame(host);
  host.inputs.push_back(pressing(Key::Escape));
  testing::FakeWaits waits;
  int steps = 0;
  const auto step = [&] {
    ++steps;
    return loop.step();
  };
  const int status = run_steps([&] { return waits.stepping(step); }, waits);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(loop.loop_state(), LoopState::Ended);
  EXPECT_EQ(waits.paced, static_cast<int>(host.shown.size()));
  EXPECT_EQ(waits.rests, std::vector<double>(30, 0.25));
  EXPECT_EQ(steps, waits.paced + 30 + 1);
}

// The HUD and the launch pads name the buttons of the device used last, and switch back to the
// keyboard's keys, exactly as they always read, at its first key.
TEST(ControlHints, TheHintsFollowTheDeviceUsedLast) {
  FakeHost host;
  FrameLoop loop(host, OutputMode::Hd720);
  start(loop);
  const std::string keyboard_hint = "A/D run   Space jumps   J/Enter fires";
  ASSERT_TRUE(goes_on(loop.step()));
  draw_queries::drawn_text(host.shown.back(), keyboard_hint);
  draw_queries::drawn_text(host.shown.back(), "A");
  draw_queries::drawn_text(host.shown.back(), "D");

  const struct {
    PadLayout layout;
    const char* hint;
  } pads[] = {
      {PadLayout::Xbox, "Stick runs   A jumps   X fires"},
      {PadLayout::PlayStation, "Stick runs   Cross jumps   Square fires"},
      {PadLayout::Nintendo, "Stick runs   B jumps   Y fires"},
  };
  for (const auto& pad : pads) {
    PadInput stick;
    stick.layout = pad.layout;
    stick.press(PadButton::StickLeft);
    host.pads.push_back(stick);
    ASSERT_TRUE(goes_on(loop.step()));
    draw_queries::drawn_text(host.shown.back(), pad.hint);
    draw_queries::drawn_text(host.shown.back(), "\u2190");
    draw_queries::drawn_text(host.shown.back(), "\u2192");
    ASSERT_TRUE(goes_on(loop.step()));  // no input: the pad's names stay
    draw_queries::drawn_text(host.shown.back(), pad.hint);
    host.shells.push_back(shell_with(&ShellInput::keyboard_used));
    ASSERT_TRUE(goes_on(loop.step()));
    draw_queries::drawn_text(host.shown.back(), keyboard_hint);
    EXPECT_EQ(draw_queries::find_text(host.shown.back(), pad.hint), nullptr);
  }
}

}  // namespace
}  // namespace ventora
