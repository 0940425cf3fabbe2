// The window replay as a step: it plays a recorded frame only once the frame's time has come on
// the host's clock, never waits itself, pauses on Space and quits on Escape.
#include "app/replay_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/desktop_host.h"
#include "app/replay_check.h"
#include "replay/replay_reader.h"
#include "tests/app/fake_waits.h"
#include "tests/replays/bot_session.h"

namespace ventora {
namespace {

namespace fs = std::filesystem;

// A window whose clock is the waits' fake clock; it presses the keys queued for given times.
class ClockedHost final : public FrameHost {
 public:
  explicit ClockedHost(const double& now) : now_(now) {}
  struct KeyAt {
    double time;
    Key key;
  };
  std::deque<KeyAt> keys;
  int shown = 0;

  bool poll(FrameInput& input) override {
    input = FrameInput{};
    input.time = now_;
    while (!keys.empty() && keys.front().time <= now_) {
      input.press(keys.front().key);
      keys.pop_front();
    }
    return true;
  }
  ShellInput shell() override { return {}; }
  void pause_sound(bool) override {}
  double frame_seconds() override { return 0; }
  void request_size(WindowSize) override {}
  void show(const DrawList&) override { ++shown; }
  bool poll_music(std::unique_ptr<MusicPlayer>&, Pcg32&) override { return true; }
  ClockReading clock() override { return {}; }

 private:
  const double& now_;
};

class ReplayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = fs::temp_directory_path() /
            ("ventora-replay-window-" + std::to_string(::getpid()) + ".vrep");
  }
  void TearDown() override { fs::remove(file_); }

  // A quiet session of `frames` idle frames, 1/60 s apart, recorded and read back.
  replay::ReplayFile record(int frames) {
    {
      bot::SessionSetup setup;
      setup.mode = OutputMode::Og;
      bot::RecordedSession session(file_.string(), setup);
      session.idle(frames);
      session.finish();
    }
    std::ifstream in(file_, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    replay::ReadResult read = replay::read_replay(bytes, VENTORA_VERSION);
    EXPECT_TRUE(read) << (read ? "" : read.error().message);
    return read ? std::move(read.value()) : replay::ReplayFile{};
  }

  // Plays `replay` through the desktop host's loop on the fake clock, Escape pressed at
  // `escape_at`; what the replay said on stderr.
  std::string play(const replay::ReplayFile& replay, double escape_at, int* status = nullptr) {
    return play_bytes(replay::encode_replay(replay), escape_at, status);
  }
  std::string play_bytes(std::vector<std::uint8_t> bytes, double escape_at, int* status = nullptr) {
    bytes_ = std::move(bytes);
    replay::OpenResult opened = replay::open_replay_bytes(bytes_, VENTORA_VERSION);
    EXPECT_TRUE(opened) << (opened ? "" : opened.error().message);
    if (!opened) return {};
    ClockedHost host(waits.now);
    host.keys.push_back({escape_at, Key::Escape});
    ::testing::internal::CaptureStderr();
    const replay::Header& header = opened.value()->header();
    ReplayWindow window(host, *opened.value(), [&](Pcg32& rng) { return silent_music(header, rng); });
    const int quit = run_steps([&] { return waits.stepping([&] { return window.step(); }); }, waits);
    if (status) *status = quit;
    return ::testing::internal::GetCapturedStderr();
  }

  testing::FakeWaits waits;
  fs::path file_;
  std::vector<std::uint8_t> bytes_;
};

// Played at its recorded pace: 120 frames 1/60 s apart take about 2 s of the host's clock, every
// wait is the host's, and between two frames the step asks for a rest no longer than what is left.
TEST_F(ReplayWindowTest, FramesPlayWhenTheirTimeHasComeAndNoStepWaits) {
  const replay::ReplayFile replay = record(120);
  ASSERT_EQ(replay.frames.size(), 120u);
  int status = -1;
  const std::string said = play(replay, 10.0, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(said.find("replay ok: 120 frames, end state "), std::string::npos) << said;
  EXPECT_EQ(waits.paced, 120);  // one shown step per recorded frame
  for (double rest : waits.rests) {
    EXPECT_GT(rest, 0);
    EXPECT_LE(rest, 0.0100001);
  }
}

// A jump in the recorded clock (a minute, or ages) holds no frame up for longer than the game lets
// one frame's step last: the replay plays on to its end, as --check does.
TEST_F(ReplayWindowTest, AJumpInTheRecordedClockDoesNotHoldTheReplayUp) {
  const replay::ReplayFile recorded = record(150);
  for (double jump : {60.0, 1e9}) {
    SCOPED_TRACE(jump);
    replay::ReplayFile jumped = recorded;
    for (std::size_t i = 100; i < jumped.frames.size(); ++i) jumped.frames[i].input.time += jump;
    waits = testing::FakeWaits{};
    const std::string said = play(jumped, 10.0);
    EXPECT_NE(said.find("replay ok: 150 frames, end state "), std::string::npos) << said;
    EXPECT_EQ(waits.paced, 150);
  }
}

// Whatever the file turns out to be, the window says at its end what --check says, and quitting
// then exits with --check's status; the frame where a replay parts is told in --check's words.
TEST_F(ReplayWindowTest, TheWindowAndCheckAgreeOnEveryOutcome) {
  const replay::ReplayFile recorded = record(30);
  const auto changed = [&](const std::function<void(replay::ReplayFile&)>& change) {
    replay::ReplayFile r = recorded;
    change(r);
    return replay::encode_replay(r);
  };
  std::vector<std::uint8_t> trailing = replay::encode_replay(recorded);
  trailing.push_back('X');
  const struct {
    const char* name;
    std::vector<std::uint8_t> file;
  } cases[] = {
      {"as recorded", replay::encode_replay(recorded)},
      {"another start", changed([](replay::ReplayFile& r) { r.header.start_hash ^= 1; })},
      {"another frame 12", changed([](replay::ReplayFile& r) { r.frames[11].state_hash ^= 1; })},
      {"another end", changed([](replay::ReplayFile& r) { r.end->end_hash ^= 1; })},
      {"no end record", changed([](replay::ReplayFile& r) { r.end.reset(); })},
      {"damaged", trailing},
      {"a clock that is not a number",
       changed([](replay::ReplayFile& r) { r.frames[20].input.time = std::nan(""); })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    replay::OpenResult opened = replay::open_replay_bytes(c.file, VENTORA_VERSION);
    ASSERT_TRUE(opened) << opened.error().message;
    std::FILE* out = std::tmpfile();
    const int checked = check_replay(*opened.value(), out);
    std::rewind(out);
    char line[512] = {};
    ASSERT_TRUE(std::fgets(line, sizeof line, out));
    std::fclose(out);
    std::string check_line = line;
    check_line.pop_back();  // its newline

    waits = testing::FakeWaits{};
    int status = -1;
    const std::string said = play_bytes(c.file, 5.0, &status);
    EXPECT_EQ(status, checked) << said;
    EXPECT_TRUE(said.ends_with(check_line + "; Escape quits\n")) << said << "--check: " << check_line;
    if (check_line.starts_with("replay differs") && !check_line.starts_with("replay differs at the end")) {
      EXPECT_TRUE(said.starts_with(check_line + "\n")) << said;  // told when it happens
    }
  }
}

// Space holds the replay where it is until it is pressed again.
TEST_F(ReplayWindowTest, SpacePausesTheReplay) {
  const replay::ReplayFile replay = record(120);
  bytes_ = replay::encode_replay(replay);
  replay::OpenResult opened = replay::open_replay_bytes(bytes_, VENTORA_VERSION);
  ASSERT_TRUE(opened) << opened.error().message;
  ClockedHost host(waits.now);
  host.keys = {{0.5, Key::Space}, {20.5, Key::Space}};
  ReplayWindow window(host, *opened.value(), [&](Pcg32& rng) { return silent_music(replay.header, rng); });
  // Steps the window as the desktop host does until the fake clock reaches `until`.
  const auto step_until = [&](double until) {
    while (waits.now < until) {
      const StepResult result = waits.stepping([&] { return window.step(); });
      ASSERT_NE(result.next, StepResult::Next::Quit);
      result.next == StepResult::Next::Continue ? waits.after_shown()
                                                : waits.rest(result.idle_seconds);
    }
  };
  step_until(20.0);  // 0.5 s in, about 30 frames have played; then none until 20.5 s
  EXPECT_GE(waits.paced, 29);
  EXPECT_LE(waits.paced, 32);
  const int before = waits.paced;
  step_until(20.49);
  EXPECT_EQ(waits.paced, before);
  step_until(25.0);
  EXPECT_EQ(waits.paced, 120);
}

}  // namespace
}  // namespace ventora
