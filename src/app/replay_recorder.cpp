#include "app/replay_recorder.h"

#include <utility>

#include "game/run.h"
#include "replay/state_hash.h"

namespace ventora {

std::unique_ptr<ReplayRecorder> ReplayRecorder::create(const std::string& path,
                                                       std::string_view game_version,
                                                       std::string& error, ClockSource clock) {
  auto writer = replay::ReplayWriter::create(path, error);
  if (!writer) return nullptr;
  return std::unique_ptr<ReplayRecorder>(
      new ReplayRecorder(std::move(writer), std::string(game_version), std::move(clock)));
}

ReplayRecorder::ReplayRecorder(std::unique_ptr<replay::ReplayWriter> writer,
                               std::string game_version, ClockSource clock)
    : writer_(std::move(writer)),
      game_version_(std::move(game_version)),
      clock_(std::move(clock)) {}

ClockReading ReplayRecorder::read_clock() {
  const ClockReading reading = clock_();
  readings_.push_back(reading);
  return reading;
}

GameState ReplayRecorder::start_run(const MusicPlayer* music) {
  readings_.clear();
  GameState state = ventora::start_run(read_clock());
  replay::Header header;
  header.game_version = game_version_;
  header.mode = replay::mode_of(state.render_settings);
  header.music = music != nullptr;
  if (music) header.track_seconds = music->track_seconds;
  header.start_clock = readings_.front();
  header.start_hash = last_hash_ = replay::state_hash(state);
  writer_->write_header(header);
  readings_.clear();
  started_ = true;
  return state;
}

FrameOutcome ReplayRecorder::run_frame(GameState& state, MusicPlayer* music,
                                       const FrameInput& input, float dt, DrawList& list) {
  readings_.clear();
  const FrameOutcome outcome =
      ventora::run_frame(state, music, input, dt, list, [this] { return read_clock(); });
  if (outcome.quit) return outcome;
  replay::Frame frame;
  frame.dt = dt;
  frame.input = input;
  frame.clock_readings = readings_;
  frame.state_hash = last_hash_ = replay::state_hash(state);
  writer_->write_frame(frame);
  return outcome;
}

void ReplayRecorder::finish() {
  if (!started_) return;
  writer_->write_end(last_hash_);
  started_ = false;
}

}  // namespace ventora
