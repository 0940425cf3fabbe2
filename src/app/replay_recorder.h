// `--record FILE`: the game plays as always while everything its simulation consumes goes to a
// replay file: the clock readings of every run start, and each frame's time step and input.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "app/running_frame.h"
#include "game/game_state.h"
#include "game/run_seed.h"
#include "music/music_player.h"
#include "replay/replay_writer.h"

namespace ventora {

class ReplayRecorder {
 public:
  // Readies the recording (see ReplayWriter::create: `path` is replaced only once the first
  // frame is recorded); one line when it cannot.
  static Result<std::unique_ptr<ReplayRecorder>> create(const std::string& path,
                                                        std::string_view game_version);

  // start_run in `mode` from `clock`, recording the reading; writes the header, which also
  // records whether music plays (and its track lengths), since the playlist draws from `rng` too.
  GameState start_run(const MusicPlayer* music, Pcg32& rng, const ClockSource& clock,
                      OutputMode mode);
  // run_frame, recording the frame and every reading it takes from `clock`; a frame that ends the
  // game (Escape) is not recorded.
  FrameOutcome run_frame(GameState& state, Pcg32& rng, MusicPlayer* music, const FrameInput& input,
                         const FrameGeometry& geometry, float dt, DrawList& list,
                         const ClockSource& clock, EffectCues* effects = nullptr);
  // The end record, with the last state's hash. Only once a frame is recorded: before that
  // there is no file.
  void finish();

 private:
  ReplayRecorder(std::unique_ptr<replay::ReplayWriter> writer, std::string game_version);
  // Says once, on stderr, why the recording stopped, after the write that failed.
  void report_failure();
  // `clock` as handed to the game: each reading is kept for the record being made.
  ClockSource recording(const ClockSource& clock);

  std::unique_ptr<replay::ReplayWriter> writer_;
  std::string game_version_;
  std::vector<ClockReading> readings_;
  bool started_ = false;
  std::uint64_t last_hash_ = 0;
};

}  // namespace ventora
