#include "app/replay_options.h"

#include <cstdio>

#include "app/replay_check.h"
#include "replay/replay_reader.h"

namespace ventora {

namespace {

constexpr const char* kGameVersion = VENTORA_VERSION;

ReplayStart exit_with(int code, const std::string& line = {}) {
  if (!line.empty()) std::fprintf(stderr, "%s\n", line.c_str());
  ReplayStart start;
  start.exit_code = code;
  return start;
}

}  // namespace

ReplayStart start_replay_options(const CommandLine& command_line) {
  if (command_line.check && !command_line.replay_path) {
    return exit_with(1, "ventora: --check needs --replay FILE");
  }
  if (command_line.replay_path && command_line.record_path) {
    return exit_with(1, "ventora: --record and --replay cannot be used together");
  }
  if (command_line.replay_path) {
    const std::string& path = *command_line.replay_path;
    if (command_line.check) return exit_with(check_replay_file(path, kGameVersion));
    replay::OpenResult opened = replay::open_replay_file(path, kGameVersion);
    if (!opened) {
      // Nothing to play: told as --check tells it.
      const ReplayVerdict verdict = unopened_verdict(path, opened.error());
      return exit_with(verdict.exit_code, verdict.line);
    }
    ReplayStart start;
    start.playback = std::move(opened.value());
    return start;
  }
  ReplayStart start;
  if (command_line.record_path) {
    Result<std::unique_ptr<ReplayRecorder>> recorder =
        ReplayRecorder::create(*command_line.record_path, kGameVersion);
    if (!recorder) return exit_with(1, recorder.error().message);
    start.recorder = std::move(recorder.value());
  }
  return start;
}

}  // namespace ventora
