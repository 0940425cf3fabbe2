#include "app/replay_recorder.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "game/run.h"
#include "replay/state_hash.h"

namespace ventora {

std::unique_ptr<ReplayRecorder> ReplayRecorder::create(const std::string& path,
                                                       std::string_view game_version,
                                                       std::string& error) {
  auto writer = replay::ReplayWriter::create(path, error);
  if (!writer) return nullptr;
  return std::unique_ptr<ReplayRecorder>(
      new ReplayRecorder(std::move(writer), std::string(game_version)));
}

ReplayRecorder::ReplayRecorder(std::unique_ptr<replay::ReplayWriter> writer,
                               std::string game_version)
    : writer_(std::move(writer)), game_version_(std::move(game_version)) {}

ClockSource ReplayRecorder::recording(const ClockSource& clock) {
  readings_.clear();
  return [this, &clock] {
    const ClockReading reading = clock();
    readings_.push_back(reading);
    return reading;
  };
}

GameState ReplayRecorder::start_run(const MusicPlayer* music, const ClockSource& clock,
                                    OutputMode mode) {
  GameState state = ventora::start_run(recording(clock)(), mode);
  replay::Header header;
  header.game_version = game_version_;
  header.mode = mode;
  header.music = music != nullptr;
  if (music) header.track_seconds = music->track_seconds;
  header.start_clock = readings_.front();
  header.start_hash = last_hash_ = replay::state_hash(state);
  writer_->write_header(header);
  report_failure();
  started_ = true;
  return state;
}

FrameOutcome ReplayRecorder::run_frame(GameState& state, MusicPlayer* music,
                                       const FrameInput& input, float dt, DrawList& list,
                                       const ClockSource& clock, EffectCues* effects) {
  const FrameOutcome outcome =
      ventora::run_frame(state, music, input, dt, list, recording(clock), effects);
  if (outcome.quit) return outcome;
  replay::Frame frame;
  frame.dt = dt;
  frame.input = input;
  frame.clock_readings = readings_;
  frame.state_hash = last_hash_ = replay::state_hash(state);
  writer_->write_frame(frame);
  report_failure();
  return outcome;
}

void ReplayRecorder::finish() {
  if (!started_) return;
  writer_->write_end(last_hash_);
  report_failure();
  started_ = false;
}

void ReplayRecorder::report_failure() {
  if (const std::optional<std::string> failure = writer_->take_failure()) {
    std::fprintf(stderr, "%s\n", failure->c_str());
  }
}

}  // namespace ventora
