#include "app/replay_recorder.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "game/run.h"
#include "replay/state_hash.h"

namespace ventora {

Result<std::unique_ptr<ReplayRecorder>> ReplayRecorder::create(const std::string& path,
                                                               std::string_view game_version) {
  Result<std::unique_ptr<replay::ReplayWriter>> writer = replay::ReplayWriter::create(path);
  if (!writer) return writer.error();
  return std::unique_ptr<ReplayRecorder>(
      new ReplayRecorder(std::move(writer.value()), std::string(game_version)));
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

GameState ReplayRecorder::start_run(const MusicPlayer* music, Pcg32& rng, const ClockSource& clock,
                                    OutputMode mode) {
  GameState state = ventora::start_run(rng, recording(clock)(), mode);
  replay::Header header;
  header.game_version = game_version_;
  header.mode = mode;
  header.music = music != nullptr;
  if (music) header.track_seconds = music->track_seconds;
  header.start_clock = readings_.front();
  header.start_hash = last_hash_ = replay::state_hash(state, rng);
  writer_->write_header(header);
  report_failure();
  started_ = true;
  return state;
}

FrameOutcome ReplayRecorder::run_frame(GameState& state, Pcg32& rng, MusicPlayer* music,
                                       const FrameInput& input, const FrameGeometry& geometry,
                                       float dt, DrawList& list, const ClockSource& clock,
                                       EffectCues* effects) {
  const FrameOutcome outcome =
      ventora::run_frame(state, rng, music, input, geometry, dt, list, recording(clock), effects);
  if (outcome.quit) return outcome;
  replay::Frame frame;
  frame.dt = dt;
  frame.input = input;
  frame.clock_readings = readings_;
  frame.state_hash = last_hash_ = replay::state_hash(state, rng);
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
  if (const std::optional<Error> failure = writer_->take_failure()) {
    std::fprintf(stderr, "%s\n", failure->message.c_str());
  }
}

}  // namespace ventora
