// Recording and checking whole sessions: sessions the bot plays are recorded through the game's
// own frame and checked as `--check` does, in every output mode, with music on and off; a change
// to one recorded value makes the check stop at the frame where it was made.
#include "app/replay_check.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
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

CheckResult check_bytes(const std::vector<std::uint8_t>& bytes) {
  const replay::OpenResult opened = replay::open_replay_bytes(bytes, kVersion);
  CheckResult result;
  if (!opened.ok()) {
    ADD_FAILURE() << opened.error().message;
    return result;
  }
  std::FILE* out = std::tmpfile();
  result.code = check_replay(*opened.value(), out);
  std::rewind(out);
  char text[512] = {};
  if (std::fgets(text, sizeof text, out)) result.line = text;
  std::fclose(out);
  return result;
}

CheckResult check(const ReplayFile& replay) { return check_bytes(replay::encode_replay(replay)); }

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
  replay::ReadResult read = replay::read_replay(file_bytes(path), kVersion);
  EXPECT_TRUE(read.ok()) << read.error().message;
  return read.ok() ? std::move(read.value()) : ReplayFile{};
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
  const CheckResult result = check_bytes(bytes);
  EXPECT_EQ(result.code, kReplayIncomplete);
  EXPECT_EQ(result.line, "replay incomplete: 500 frames checked, no end record\n");
}

// Damage in the middle of a file is no recording cut short: the frames before it check, then the
// check says where the file is damaged and fails.
TEST_F(RecordedFight, DamageInTheMiddleSaysDamaged) {
  const std::vector<std::uint8_t> good = file_bytes(file_);
  const std::size_t frame = 300;
  const std::size_t record = frame_dt_offsets(good)[frame - 1] - 3;
  const std::size_t length = good[record + 1] | (good[record + 2] << 8);
  const std::string at = "replay damaged at byte " + std::to_string(record) + " (frame 300): ";
  const struct {
    const char* name;
    std::size_t offset;  // from the record's start
    std::uint8_t value;
    std::string line;
  } cases[] = {
      {"a length no frame there has", 2, 0xff,
       at + std::to_string((0xff00 | length) - length) + " bytes more than its fields\n"},
      {"an unknown record", 0, 'X', at + "unknown record 0x58\n"},
      {"a frame time of hours", 3 + 3, 0x45, at + "frame time "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = good;
    bytes[record + c.offset] = c.value;
    const CheckResult result = check_bytes(bytes);
    EXPECT_EQ(result.code, kReplayFailed);
    EXPECT_TRUE(result.line.starts_with(c.line)) << result.line;
  }
}

// Every frame reaches the file as it is played, before the next: a game killed at any moment
// leaves a replay of what it played.
TEST_F(ReplayCheck, TheFileHoldsEveryFramePlayedSoFar) {
  const fs::path file = path("running.vrep");
  bot::RecordedSession session(file.string(), setup(OutputMode::Og, false));
  EXPECT_FALSE(fs::exists(file));  // the run has started, but no frame is recorded yet
  session.idle(3);
  session.press(Key::J, "J");
  const ReplayFile so_far = read(file);
  ASSERT_EQ(so_far.frames.size(), 4u);
  EXPECT_FALSE(so_far.end);
  EXPECT_EQ(check(so_far).line, "replay incomplete: 4 frames checked, no end record\n");
  session.finish();
  EXPECT_EQ(check(read(file)).code, kReplayOk);
}

// Whatever the path held stays byte for byte until a frame is recorded, and a recording that
// ends before that (the start-up failed, or the player quit while the game started) leaves no
// file of its own in the folder. With the first frame the recording takes the path's place.
TEST_F(ReplayCheck, AnEarlierFileIsKeptUntilAFrameIsRecorded) {
  const fs::path old = path("keep.vrep");
  const std::vector<std::uint8_t> earlier(5000, 'x');
  const auto folder = [this] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
  };
  write_bytes(old, earlier);
  {
    auto recorder = ReplayRecorder::create(old.string(), kVersion);
    ASSERT_TRUE(recorder) << recorder.error().message;
    EXPECT_EQ(file_bytes(old), earlier);
    recorder.value()->finish();  // no run: no end record, no file
  }
  {
    bot::RecordedSession session(old.string(), setup(OutputMode::Og, false));
    EXPECT_EQ(file_bytes(old), earlier);  // the header alone replaces nothing
    session.finish();
  }
  EXPECT_EQ(file_bytes(old), earlier);
  EXPECT_EQ(folder(), std::vector<std::string>{"keep.vrep"});

  bot::RecordedSession session(old.string(), setup(OutputMode::Og, false));
  session.idle(1);
  EXPECT_EQ(read(old).frames.size(), 1u);
  EXPECT_EQ(folder(), std::vector<std::string>{"keep.vrep"});
  session.finish();
  EXPECT_EQ(check(read(old)).code, kReplayOk);
}

TEST_F(ReplayCheck, RecordingProblemsAreOneLine) {
  const std::string fifo = path("pipe.vrep").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::string why;
  } refused[] = {
      {"/nonexistent/dir/x.vrep", "No such file or directory"},
      {dir_.string(), "it is a directory, not a regular file"},
      // Nothing reads it: opening it to write would wait for ever.
      {fifo, "it is a named pipe, not a regular file"},
      {"/dev/null", "it is a character device, not a regular file"},
  };
  for (const auto& c : refused) {
    const auto recorder = ReplayRecorder::create(c.path, kVersion);
    ASSERT_FALSE(recorder);
    EXPECT_EQ(recorder.error().message, "ventora: cannot record to " + c.path + ": " + c.why);
  }

  // A recording the user made read-only is not replaced (root may write any file).
  if (::geteuid() != 0) {
    const fs::path kept = path("kept.vrep");
    write_bytes(kept, {1, 2, 3});
    fs::permissions(kept, fs::perms::owner_read);
    const auto recorder = ReplayRecorder::create(kept.string(), kVersion);
    ASSERT_FALSE(recorder);
    EXPECT_EQ(recorder.error().message,
              "ventora: cannot record to " + kept.string() + ": Permission denied");
  }

  // A write that fails (here: past the largest file the process may write) stops the recording
  // with one line; the game plays on.
  const fs::path limited = path("limited.vrep");
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit small = before;
  small.rlim_cur = 400;  // the header and a few frames
  const auto signal_before = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  ::testing::internal::CaptureStderr();
  {
    bot::RecordedSession session(limited.string(), setup(OutputMode::Og, false));
    session.idle(20);
    session.finish();
  }
  const std::string err = ::testing::internal::GetCapturedStderr();
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, signal_before);
  EXPECT_EQ(err,
            "ventora: recording stopped: cannot write " + limited.string() + ": File too large\n");
  const ReplayFile so_far = read(limited);
  EXPECT_GT(so_far.frames.size(), 0u);
  EXPECT_LT(so_far.frames.size(), 20u);
}

}  // namespace
}  // namespace ventora
