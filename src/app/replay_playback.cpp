#include "app/replay_playback.h"

#include <cstdio>
#include <utility>

#include "game/run.h"
#include "music/arriving_music.h"
#include "replay/state_hash.h"

namespace ventora {

std::string hash_text(std::uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::unique_ptr<MusicPlayer> silent_music(const replay::Header& header, Pcg32& rng) {
  if (!header.music) return nullptr;
  return silent_music_player(header.track_seconds, rng);
}

ReplayPlayback::ReplayPlayback(replay::ReplayReader& reader, const MusicMaker& make_music,
                               EffectCues* effects)
    : reader_(reader), effects_(effects) {
  const replay::Header& header = reader.header();
  music_ = make_music(rng_);
  state_ = start_run(rng_, header.start_clock, header.mode);
  hash_ = replay::state_hash(*state_, rng_);
  if (hash_ != header.start_hash) {
    part(0, "state " + hash_text(hash_) + ", recorded " + hash_text(header.start_hash));
  }
  read_next();
}

void ReplayPlayback::read_next() {
  if (!next_) next_.emplace();
  if (!reader_.next(*next_)) next_.reset();
}

FrameOutcome ReplayPlayback::step(DrawList& list) {
  const replay::Frame frame = std::move(*next_);
  const std::uint64_t number = ++played_;
  std::size_t readings = 0;
  const ClockSource recorded_clock = [&] {
    // A frame that reads the clock more often than it did when recorded has parted already.
    return readings < frame.clock_readings.size() ? frame.clock_readings[readings++]
                                                  : (++readings, ClockReading{});
  };
  const FrameOutcome outcome =
      play_frame(*state_, rng_, music_.get(), frame.input,
                frame_geometry(state_->render_settings.mode, frame.input), frame.dt, list,
                recorded_clock, effects_);
  hash_ = replay::state_hash(*state_, rng_);
  if (readings != frame.clock_readings.size()) {
    part(number, "the run read the clock " + std::to_string(readings) + " times, recorded " +
                     std::to_string(frame.clock_readings.size()));
  } else if (hash_ != frame.state_hash) {
    part(number, "state " + hash_text(hash_) + ", recorded " + hash_text(frame.state_hash));
  }
  read_next();
  return outcome;
}

void ReplayPlayback::part(std::uint64_t frame, std::string what) {
  if (!parting_) parting_ = Parting{frame, std::move(what)};
}

}  // namespace ventora
