// Start-up for --record, --replay and --check: what the game does instead of (or besides)
// playing, decided before the window opens.
#pragma once

#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/replay_recorder.h"
#include "replay/replay_reader.h"

namespace ventora {

struct ReplayStart {
  std::optional<int> exit_code;                    // the program ends now with this status
  std::unique_ptr<replay::ReplayReader> playback;  // play this in the window instead of a game
  std::unique_ptr<ReplayRecorder> recorder;        // record the game to a file
};

// Runs `--check` to its end; reads the replay to play; creates the recording. Problems give one
// line on stderr and an exit code.
ReplayStart start_replay_options(const CommandLine& command_line);

}  // namespace ventora
