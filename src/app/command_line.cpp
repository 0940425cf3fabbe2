#include "app/command_line.h"

#include <charconv>

namespace ventora {

namespace {

constexpr std::string_view kModes[] = {"og", "hd720", "hd1080", "hd4k"};

bool known_mode(std::string_view mode) {
  for (std::string_view m : kModes) {
    if (m == mode) return true;
  }
  return false;
}

std::optional<int> parse_count(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

CommandLine parse_command_line(std::span<const std::string_view> args) {
  CommandLine cl;
  bool mode_seen = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      cl.show_help = true;
    } else if (arg == "--version") {
      cl.show_version = true;
    } else if (arg == "--fullscreen") {
      cl.fullscreen = true;
    } else if (arg == "--check") {
      cl.check = true;
    } else if (arg == "--mode") {
      // Only the first --mode counts, as render_settings_from_args reads it.
      if (!has_value) {
        if (!mode_seen) cl.notes.push_back("ventora: --mode needs a value (og, hd720, hd1080, hd4k); playing in hd720");
        continue;
      }
      const std::string_view mode = args[++i];
      if (!mode_seen && !known_mode(mode)) {
        cl.notes.push_back("ventora: unknown mode '" + std::string(mode) +
                           "' (og, hd720, hd1080, hd4k); playing in hd720");
      }
      mode_seen = true;
    } else if (arg == "--fps") {
      const std::optional<int> fps = has_value ? parse_count(args[i + 1]) : std::nullopt;
      if (!fps) {
        cl.notes.push_back("ventora: --fps needs a whole number of frames a second (0 = no cap)");
        if (has_value) ++i;
        continue;
      }
      cl.fps = *fps;
      ++i;
    } else if (arg == "--record" || arg == "--replay") {
      if (!has_value) {
        cl.notes.push_back("ventora: " + std::string(arg) + " needs a file name");
        continue;
      }
      (arg == "--record" ? cl.record_path : cl.replay_path) = std::string(args[++i]);
    } else if (arg.starts_with("--mode=")) {
      cl.notes.push_back("ventora: unknown option '" + std::string(arg) + "' (write --mode " +
                         std::string(arg.substr(7)) + "); playing in hd720");
    } else {
      cl.notes.push_back("ventora: unknown option '" + std::string(arg) + "' (see --help)");
    }
  }
  return cl;
}

std::optional<int> frame_cap(CommandLine& cl, const char* env_value) {
  if (cl.fps || env_value == nullptr) return cl.fps;
  const std::optional<int> fps = parse_count(env_value);
  if (!fps) {
    cl.notes.push_back("ventora: VENTORA_FPS needs a whole number of frames a second (0 = no cap); ignored");
  }
  return fps;
}

std::string usage_text() {
  return "Usage: ventora [options]\n"
         "\n"
         "Stand on a tiny planet, turn it by running, and fire its launch pads at the boss.\n"
         "\n"
         "Options:\n"
         "  --mode og|hd720|hd1080|hd4k  output mode: the plain 960x720 window (og) or pixel art\n"
         "                               at 720p (the default), 1080p or 4K\n"
         "  --fullscreen                 start in fullscreen (F11 or Alt+Enter toggles it)\n"
         "  --fps N                      draw at most N frames a second (0: no cap)\n"
         "  --record FILE                record this session to a replay file\n"
         "  --replay FILE                play a replay file back\n"
         "  --replay FILE --check        re-run a replay without a window and compare its states\n"
         "  -h, --help                   show this help and exit\n"
         "  --version                    show the version and exit\n"
         "\n"
         "Environment:\n"
         "  VENTORA_ENABLE_MUSIC         turn the music on (it is off by default)\n"
         "  VENTORA_DISABLE_MUSIC        turn the music off (wins over the other)\n"
         "  VENTORA_DISABLE_SOUND        turn the sound effects off (they are on by default)\n"
         "  VENTORA_FPS                  like --fps\n"
         "\n"
         "While playing, M mutes and unmutes everything, and - and + turn the volume down and up.\n";
}

std::string version_text() { return "ventora " VENTORA_VERSION; }

}  // namespace ventora
