#include "tests/replays/bot_session.h"

#include <stdexcept>
#include <utility>

#include "app/replay_playback.h"

namespace ventora::bot {

RecordedSession::RecordedSession(const std::string& path, SessionSetup setup)
    : setup_(std::move(setup)) {
  Result<std::unique_ptr<ReplayRecorder>> recorder = ReplayRecorder::create(path, VENTORA_VERSION);
  if (!recorder) throw std::runtime_error(recorder.error().message);
  recorder_ = std::move(recorder.value());
  replay::Header music;
  music.music = setup_.music;
  music.track_seconds = setup_.track_seconds;
  music_ = silent_music(music, rng_);
  state_ = std::make_unique<GameState>(
      recorder_->start_run(music_.get(), rng_, clock_, setup_.mode));
}

ClockReading RecordedSession::next_clock() {
  const ClockReading reading = setup_.clock_readings[clock_index_];
  if (clock_index_ + 1 < setup_.clock_readings.size()) ++clock_index_;
  return reading;
}

void RecordedSession::frame(FrameInput input) {
  const FrameInput window = idle_input(*state_, time_);
  input.screen_width = window.screen_width;
  input.screen_height = window.screen_height;
  input.time = time_;
  DrawList list;
  const FrameOutcome outcome =
      recorder_->run_frame(*state_, rng_, music_.get(), input,
                           frame_geometry(setup_.mode, input), setup_.dt, list, clock_);
  if (outcome.quit) throw std::logic_error("a recorded bot frame pressed Escape");
  time_ += setup_.dt;
}

void RecordedSession::idle(int count) {
  for (int i = 0; i < count; ++i) frame(FrameInput{});
}

void RecordedSession::press(Key key, const char* name) {
  FrameInput input;
  input.press(key);
  input.pressed_names.emplace_back(name);
  frame(input);
}

RunRecord RecordedSession::play(RunPlan plan) {
  plan.dt = setup_.dt;
  plan.step = [this](GameState&, Pcg32&, const FrameInput& input, float) { frame(input); };
  return play_run(*state_, rng_, plan);
}

}  // namespace ventora::bot
