#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "view/control_hints.h"

namespace ventora {

namespace {

std::optional<int> parse_count(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// Unknown options named on their one line; the rest are only counted.
constexpr std::size_t kUnknownNamed = 3;
// The most of one argument that a line quotes, so that a huge argument makes no huge line.
constexpr std::size_t kQuotedBytes = 40;

std::string clipped(std::string_view word) {
  if (word.size() <= kQuotedBytes) return std::string(word);
  return std::string(word.substr(0, kQuotedBytes)) + "...";
}

std::string quoted(std::string_view word) { return "'" + clipped(word) + "'"; }

// A word that is an option is never taken as the value of the option before it.
bool is_option(std::string_view arg) { return arg.starts_with("--") || arg == "-h"; }

// An option that takes a value, as the command line used it: how often, and the value of its
// last use (none: that use had no value).
struct ValueOption {
  std::string_view name;
  int times = 0;
  std::optional<std::string_view> value;
};

ValueOption* value_option(std::span<ValueOption> options, std::string_view arg) {
  for (ValueOption& option : options) {
    if (option.name == arg) return &option;
  }
  return nullptr;
}

void add_repeat_note(std::vector<std::string>& notes, const ValueOption& option) {
  if (option.times < 2) return;
  notes.push_back("ventora: " + std::string(option.name) + " given " + std::to_string(option.times) +
                  " times; the last one counts: " + quoted(*option.value));
}

// One line for any number of unknown options: the first few, how many more, and a hint when one
// of those shown is a value option written as "--option=value".
std::string unknown_note(std::span<const std::string_view> unknown, std::span<const ValueOption> options,
                         const std::string& playing_in) {
  std::string line = unknown.size() == 1 ? "ventora: unknown option " : "ventora: unknown options ";
  const std::size_t named = std::min(unknown.size(), kUnknownNamed);
  for (std::size_t k = 0; k < named; ++k) line += (k > 0 ? ", " : "") + quoted(unknown[k]);
  if (unknown.size() > named) line += " and " + std::to_string(unknown.size() - named) + " more";
  for (const std::string_view arg : unknown.first(named)) {
    const std::size_t equals = arg.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = arg.substr(0, equals);
    for (const ValueOption& option : options) {
      if (option.name != name) continue;
      line += " (write " + std::string(name) + " " + clipped(arg.substr(equals + 1)) + ")";
      return name == "--mode" ? line + playing_in : line;
    }
  }
  return line + " (see --help)";
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
  std::array<ValueOption, 4> options{{{"--mode", 0, std::nullopt},
                                      {"--fps", 0, std::nullopt},
                                      {"--record", 0, std::nullopt},
                                      {"--replay", 0, std::nullopt}}};
  ValueOption& mode = options[0];
  ValueOption& fps = options[1];
  ValueOption& record = options[2];
  ValueOption& replay = options[3];
  std::vector<std::string_view> unknown;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
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
    } else if (ValueOption* option = value_option(options, arg)) {
      ++option->times;
      option->value.reset();
      if (i + 1 < args.size() && !is_option(args[i + 1])) option->value = args[++i];
    } else {
      unknown.push_back(arg);
    }
  }

  // Every option is read from its last use: one line when that use cannot be honoured, or else
  // one line when earlier uses were overridden.
  const std::string known_modes = " (" + mode_words(", ") + ")";
  std::optional<std::string> mode_problem;
  if (mode.times > 0) {
    const std::optional<OutputMode> chosen = mode.value ? mode_from_word(*mode.value) : std::nullopt;
    if (chosen) {
      cl.mode = *chosen;
    } else if (mode.value) {
      mode_problem = "ventora: unknown mode " + quoted(*mode.value) + known_modes;
    } else {
      mode_problem = "ventora: --mode needs a value" + known_modes;
    }
  }
  const std::string playing_in = "; playing in " + std::string(mode_word(cl.mode));
  if (mode_problem) {
    cl.notes.push_back(*mode_problem + playing_in);
  } else {
    add_repeat_note(cl.notes, mode);
  }

  if (fps.times > 0) {
    cl.fps = fps.value ? parse_count(*fps.value) : std::nullopt;
    if (cl.fps) {
      add_repeat_note(cl.notes, fps);
    } else {
      cl.notes.push_back("ventora: --fps needs a whole number of frames a second (0 = no cap)");
    }
  }

  for (auto [option, path] : {std::pair{&record, &cl.record_path}, std::pair{&replay, &cl.replay_path}}) {
    if (option->times == 0) continue;
    if (option->value) {
      *path = std::string(*option->value);
      add_repeat_note(cl.notes, *option);
    } else {
      cl.notes.push_back("ventora: " + std::string(option->name) + " needs a file name");
    }
  }

  if (!unknown.empty()) cl.notes.push_back(unknown_note(unknown, options, playing_in));
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
         "and - and + turn the volume down and up.\n"
         "\n" +
         std::string(kAimHint) + " Running turns the planet:\n"
         "bring the boss there as the strike lands.\n";
}

std::string version_text() { return "ventora " VENTORA_VERSION; }

}  // namespace ventora
