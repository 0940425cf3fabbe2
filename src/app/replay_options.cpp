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
    if (!opened.reader) {
      // Nothing to play: told as --check tells it.
      const ReplayVerdict verdict = unopened_verdict(path, opened);
      return exit_with(verdict.exit_code, verdict.line);
    }
    ReplayStart start;
    start.playback = std::move(opened.reader);
    return start;
  }
  ReplayStart start;
  if (command_line.record_path) {
    std::string error;
    start.recorder = ReplayRecorder::create(*command_line.record_path, kGameVersion, error);
    if (!start.recorder) return exit_with(1, error);
  }
  return start;
}

}  // namespace ventora
