// Recording and checking whole sessions: sessions the bot plays are recorded through the game's
// own frame and checked as `--check` does, in every output mode, with music on and off; a change
// to one recorded value makes the check stop at the frame where it was made.
#include "app/replay_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/replay_playback.h"
#include "app/replay_recorder.h"
#include "replay/replay_reader.h"
#include "tests/replays/bot_session.h"

namespace ventora {
namespace {

namespace fs = std::filesystem;
using replay::ReplayFile;

constexpr const char* kVersion = VENTORA_VERSION;

struct CheckResult {
  int code = -1;
  std::string line;
};

CheckResult check(const ReplayFile& replay) {
  std::FILE* out = std::tmpfile();
  CheckResult result;
  result.code = check_replay(replay, out);
  std::rewind(out);
  char text[512] = {};
  if (std::fgets(text, sizeof text, out)) result.line = text;
  std::fclose(out);
  return result;
}

std::vector<std::uint8_t> file_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

ReplayFile read(const fs::path& path) {
  replay::ReadResult read = replay::read_replay_file(path, kVersion);
  EXPECT_TRUE(read.replay) << read.error;
  return read.replay ? std::move(*read.replay) : ReplayFile{};
}

class ReplayCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("ventora-replay-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path path(const std::string& name) const { return dir_ / name; }

  fs::path dir_;
};

// Short tracks, so the playlist runs out and reshuffles from the shared generator again and
// again between the offers.
const std::vector<float> kShortTracks = {0.7f, 1.3f, 0.4f};

// Two fights (card picks by key and by mouse in the mode's own layout), knocked out on the third,
// the defeat panel, R with a new clock reading, and a little of the new run.
void play_session(bot::RecordedSession& session) {
  bot::RunPlan plan;
  plan.pick_with = bot::PickWith::Alternate;
  plan.give_up_at_stage = 3;
  session.play(plan);
  ASSERT_EQ(session.state().screen, Screen::Defeat);
  session.idle(30);
  session.press(Key::R, "R");
  for (int i = 0; i < 60; ++i) session.frame(bot::fight_input(session.state(), 1.0f / 60.0f));
  session.finish();
}

bot::SessionSetup setup(OutputMode mode, bool music) {
  bot::SessionSetup s;
  s.mode = mode;
  s.music = music;
  if (music) s.track_seconds = kShortTracks;
  s.clock_readings = {{1765000000, 500}, {1765000123, 456789000}};
  return s;
}

TEST_F(ReplayCheck, BotSessionsCheckOkInEveryModeWithMusicOnAndOff) {
  for (OutputMode mode :
       {OutputMode::Og, OutputMode::Hd720, OutputMode::Hd1080, OutputMode::Hd4k}) {
    for (bool music : {false, true}) {
      const std::string name = std::string(mode_word(mode)) + (music ? "-music" : "-quiet");
      SCOPED_TRACE(name);
      const fs::path file = path(name + ".vrep");
      {
        bot::RecordedSession session(file.string(), setup(mode, music));
        play_session(session);
      }
      ReplayFile replay = read(file);
      ASSERT_TRUE(replay.end);
      EXPECT_EQ(replay.header.mode, mode);
      EXPECT_EQ(replay.header.music, music);
      const CheckResult result = check(replay);
      EXPECT_EQ(result.code, kReplayOk) << result.line;
      EXPECT_EQ(result.line, "replay ok: " + std::to_string(replay.frames.size()) +
                                 " frames, end state " + hash_text(replay.end->end_hash) + "\n");
      // The music's draws are part of the run: played back the other way, it parts.
      replay.header.music = !music;
      replay.header.track_seconds = music ? std::vector<float>{} : kShortTracks;
      EXPECT_EQ(check(replay).code, kReplayFailed);
    }
  }
}

// Record offsets of every frame's time step in a replay file.
std::vector<std::size_t> frame_dt_offsets(const std::vector<std::uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  std::vector<std::size_t> offsets;
  for (std::size_t at = text.find("\n\n") + 2; at + 3 <= bytes.size();) {
    if (bytes[at] == replay::kFrameTag) offsets.push_back(at + 3);
    at += 3 + (bytes[at + 1] | (bytes[at + 2] << 8));
  }
  return offsets;
}

class RecordedFight : public ReplayCheck {
 protected:
  void SetUp() override {
    ReplayCheck::SetUp();
    file_ = path("fight.vrep");
    bot::RecordedSession session(file_.string(), setup(OutputMode::Hd720, true));
    play_session(session);
  }
  fs::path file_;
};

TEST_F(RecordedFight, OneChangedFrameTimeFailsTheCheckAtThatFrame) {
  std::vector<std::uint8_t> bytes = file_bytes(file_);
  const std::vector<std::size_t> dts = frame_dt_offsets(bytes);
  const std::size_t frame = 200;  // mid-fight: the player runs and the boss walks
  ASSERT_GT(dts.size(), frame);
  // About 1 % of the step: a change in its last bit alone can vanish in the rounding of every
  // sum it enters, and then the state is rightly the same.
  bytes[dts[frame - 1] + 2] ^= 1;
  write_bytes(file_, bytes);
  const ReplayFile replay = read(file_);
  EXPECT_NE(replay.frames[frame - 1].dt, 1.0f / 60.0f);
  const CheckResult result = check(replay);
  EXPECT_EQ(result.code, kReplayFailed);
  EXPECT_TRUE(result.line.starts_with("replay differs at frame 200: state ")) << result.line;
}

TEST_F(RecordedFight, TheRestartTakesTheRecordedClockReading) {
  ReplayFile replay = read(file_);
  std::size_t restart = 0;
  for (std::size_t i = 0; i < replay.frames.size(); ++i) {
    if (!replay.frames[i].clock_readings.empty()) restart = i + 1;
  }
  ASSERT_NE(restart, 0u);
  EXPECT_TRUE(replay.frames[restart - 1].input.is_pressed(Key::R));
  EXPECT_EQ(replay.frames[restart - 1].clock_readings[0].seconds, 1765000123);

  ReplayFile other_time = replay;
  other_time.frames[restart - 1].clock_readings[0].nanoseconds += 100;
  CheckResult result = check(other_time);
  EXPECT_EQ(result.code, kReplayFailed);
  EXPECT_TRUE(
      result.line.starts_with("replay differs at frame " + std::to_string(restart) + ": state "))
      << result.line;

  ReplayFile no_reading = replay;
  no_reading.frames[restart - 1].clock_readings.clear();
  result = check(no_reading);
  EXPECT_EQ(result.line, "replay differs at frame " + std::to_string(restart) +
                             ": the run read the clock 1 times, recorded 0\n");
}

TEST_F(RecordedFight, AnotherStartOrEndIsCaught) {
  ReplayFile replay = read(file_);
  ReplayFile other_start = replay;
  other_start.header.start_clock.seconds += 1;
  CheckResult result = check(other_start);
  EXPECT_EQ(result.code, kReplayFailed);
  EXPECT_TRUE(result.line.starts_with("replay differs at the start: state ")) << result.line;

  ReplayFile other_mode = replay;
  other_mode.header.mode = OutputMode::Og;
  EXPECT_TRUE(check(other_mode).line.starts_with("replay differs at the start"));

  ReplayFile other_end = replay;
  other_end.end->end_hash ^= 1;
  result = check(other_end);
  EXPECT_EQ(result.code, kReplayFailed);
  EXPECT_TRUE(result.line.starts_with("replay differs at the end: state ")) << result.line;
}

TEST_F(RecordedFight, AFileCutShortChecksItsWholeFramesAndSaysIncomplete) {
  std::vector<std::uint8_t> bytes = file_bytes(file_);
  const std::vector<std::size_t> dts = frame_dt_offsets(bytes);
  bytes.resize(dts[500] + 2);  // in the middle of frame 501
  write_bytes(file_, bytes);
  const CheckResult result = check(read(file_));
  EXPECT_EQ(result.code, kReplayIncomplete);
  EXPECT_EQ(result.line, "replay incomplete: 500 frames checked, no end record\n");
}

// Every frame reaches the file as it is played, before the next: a game killed at any moment
// leaves a replay of what it played.
TEST_F(ReplayCheck, TheFileHoldsEveryFramePlayedSoFar) {
  const fs::path file = path("running.vrep");
  bot::RecordedSession session(file.string(), setup(OutputMode::Og, false));
  EXPECT_TRUE(read(file).frames.empty());
  session.idle(3);
  session.press(Key::J, "J");
  const ReplayFile so_far = read(file);
  ASSERT_EQ(so_far.frames.size(), 4u);
  EXPECT_FALSE(so_far.end);
  EXPECT_EQ(check(so_far).line, "replay incomplete: 4 frames checked, no end record\n");
  session.finish();
  EXPECT_EQ(check(read(file)).code, kReplayOk);
}

TEST_F(ReplayCheck, RecordingProblemsAreOneLine) {
  std::string error;
  EXPECT_FALSE(ReplayRecorder::create("/nonexistent/dir/x.vrep", kVersion, error));
  EXPECT_EQ(error, "ventora: cannot record to /nonexistent/dir/x.vrep: No such file or directory");

  // A full disk stops the recording with one line; the game plays on.
  ::testing::internal::CaptureStderr();
  {
    bot::RecordedSession session("/dev/full", setup(OutputMode::Og, false));
    session.idle(5);
    session.finish();
  }
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "ventora: recording stopped: cannot write /dev/full: No space left on device\n");
}

}  // namespace
}  // namespace ventora
