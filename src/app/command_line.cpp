#include "app/command_line.h"

#include <charconv>
#include <utility>

namespace ventora {

namespace {

std::optional<int> parse_count(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// One line per output mode, under --mode: its word and its window.
std::string mode_lines() {
  std::string lines;
  for (const OutputModeInfo& info : kOutputModes) {
    std::string line(33, ' ');
    line += info.word;
    line.resize(41, ' ');
    line += info.mode == OutputMode::Og ? "plain, " : "pixel art, ";
    line += std::to_string(info.window.width) + "x" + std::to_string(info.window.height) + " window";
    if (info.mode == kDefaultOutputMode) line += " (the default)";
    lines += line + "\n";
  }
  return lines;
}

}  // namespace

CommandLine parse_command_line(std::span<const std::string_view> args) {
  CommandLine cl;
  bool mode_seen = false;
  // A note about a mode it cannot use ends with the mode it plays in, known once all are read.
  std::vector<std::size_t> mode_notes;
  const auto mode_note = [&](std::string text) {
    mode_notes.push_back(cl.notes.size());
    cl.notes.push_back(std::move(text) + "; playing in ");
  };
  const std::string known_modes = " (" + mode_words(", ") + ")";
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      cl.show_help = true;
    } else if (arg == "--version") {
      cl.show_version = true;
    } else if (arg == "--fullscreen") {
      cl.fullscreen = true;
    } else if (arg == "--integer-scale") {
      cl.integer_scale = true;
    } else if (arg == "--check") {
      cl.check = true;
    } else if (arg == "--mode") {
      // Only the first --mode counts.
      if (!has_value) {
        if (!mode_seen) mode_note("ventora: --mode needs a value" + known_modes);
        continue;
      }
      const std::string_view word = args[++i];
      if (!mode_seen) {
        const std::optional<OutputMode> mode = mode_from_word(word);
        if (mode) {
          cl.mode = *mode;
        } else {
          mode_note("ventora: unknown mode '" + std::string(word) + "'" + known_modes);
        }
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
      mode_note("ventora: unknown option '" + std::string(arg) + "' (write --mode " +
                std::string(arg.substr(7)) + ")");
    } else {
      cl.notes.push_back("ventora: unknown option '" + std::string(arg) + "' (see --help)");
    }
  }
  for (std::size_t note : mode_notes) cl.notes[note] += mode_word(cl.mode);
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
         "  --mode MODE                  output mode, one of:\n" +
         mode_lines() +
         "  --fullscreen                 start in fullscreen (F11 or Alt+Enter toggles it)\n"
         "  --integer-scale              scale the picture by whole numbers only (sharp, with borders)\n"
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
         "While playing, P pauses (so does leaving the window), M mutes and unmutes everything,\n"
         "and - and + turn the volume down and up.\n";
}

std::string version_text() { return "ventora " VENTORA_VERSION; }

}  // namespace ventora
