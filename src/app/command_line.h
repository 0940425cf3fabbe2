// The command line: what the player asked for, and one note per thing we could not honour.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/output_mode.h"

namespace ventora {

struct CommandLine {
  // The last "--mode" decides, like the last use of every option; a word that names no mode, a
  // "--mode" without one, or no "--mode" at all gives the default mode.
  OutputMode mode = kDefaultOutputMode;
  bool show_help = false;
  bool show_version = false;
  bool fullscreen = false;
  bool integer_scale = false;  // scale the picture by whole numbers only
  std::optional<int> fps;                  // frames a second at most; 0 = uncapped
  std::optional<std::string> record_path;  // write a replay of this session
  std::optional<std::string> replay_path;  // play a replay back
  bool check = false;                      // with a replay: re-run it headless and compare
  // One line each, printed to stderr before the game starts (the game still starts): at most one
  // per option, and one for all unknown options together. An option's value is never itself an
  // option ("--record --replay x" records nothing and replays x).
  std::vector<std::string> notes;
};

// Reads the arguments (program name included).
CommandLine parse_command_line(std::span<const std::string_view> args);
// The frame cap asked for: `--fps` wins over VENTORA_FPS (`env_value`, null when unset). A value
// that is not a whole number of frames a second adds a note to `cl` and is ignored.
std::optional<int> frame_cap(CommandLine& cl, const char* env_value);
// What `--help` prints.
std::string usage_text();
// "ventora X.Y.Z", what `--version` prints.
std::string version_text();

}  // namespace ventora
