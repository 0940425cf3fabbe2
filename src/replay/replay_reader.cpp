#include "replay/replay_reader.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "replay/bytes.h"

namespace ventora::replay {

namespace {

constexpr std::size_t kMaxHeaderBytes = 4096;
// dt, flags, key bits, time, name count, clock count, hash: a frame record holds at least these.
constexpr std::size_t kMinFramePayload = 4 + 1 + 2 + 2 + 8 + 1 + 1 + 8;
constexpr std::size_t kEndPayload = 16;
constexpr std::uint8_t kKnownFlags = 1 | 2 | 4;
constexpr std::uint32_t kNanosPerSecond = 1000000000;

// Failure of a parse step: the message, ready for the caller's one line.
struct Failure {
  std::string message;
};

// ---- header ----

std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t end = line.find(' ', i);
    const std::size_t stop = end == std::string_view::npos ? line.size() : end;
    if (stop > i) words.push_back(line.substr(i, stop - i));
    i = stop + 1;
  }
  return words;
}

template <class T>
bool parse_number(std::string_view text, T& value, int base = 10) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// A version is short printable text without spaces ("1.0.0"), so it can be shown on one line.
bool is_version(std::string_view text) {
  if (text.empty() || text.size() > 64) return false;
  for (char c : text) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

bool parse_hex(std::string_view text, std::size_t digits, std::uint64_t& value) {
  return text.size() == digits && parse_number(text, value, 16);
}

class HeaderParser {
 public:
  HeaderParser(std::string_view text, std::string_view game_version)
      : text_(text), game_version_(game_version) {}

  // The header, or a failure; `end` is where the binary part starts.
  std::optional<Header> parse(std::size_t& end, Failure& failure) {
    Header header;
    std::string_view line;
    if (!next_line(line) || !line.starts_with(std::string(kMagic) + " ")) {
      failure.message =
          "not a Ventora replay (it does not begin with \"" + std::string(kMagic) + "\")";
      return std::nullopt;
    }
    int format = 0;
    if (!parse_number(line.substr(kMagic.size() + 1), format))
      return damaged(failure, "'ventora-replay <format number>'");
    std::string_view version_line;
    const bool has_version = next_line(version_line) && version_line.starts_with("game ");
    const std::string_view version = has_version ? version_line.substr(5) : std::string_view{};
    if (format != kFormatVersion) {
      failure.message =
          "replay format " + std::to_string(format) +
          (has_version && is_version(version) ? " made by ventora " + std::string(version)
                                              : std::string()) +
          "; this is ventora " + std::string(game_version_) + ", which reads format " +
          std::to_string(kFormatVersion);
      return std::nullopt;
    }
    if (!has_version || !is_version(version)) return damaged(failure, "'game <version>'");
    if (version != game_version_) {
      failure.message = "made by ventora " + std::string(version) + ", this is ventora " +
                        std::string(game_version_) + "; replay it with that version";
      return std::nullopt;
    }
    header.game_version = version;

    std::vector<std::string_view> w;
    if (!next_words(w) || w.size() != 2 || w[0] != "mode")
      return damaged(failure, "'mode <" + mode_words("|") + ">'");
    const auto mode = mode_from_word(w[1]);
    if (!mode) return damaged(failure, "a known output mode (" + mode_words(", ") + ")");
    header.mode = *mode;

    if (!next_words(w) || w.size() < 2 || w[0] != "music")
      return damaged(failure, "'music on|off'");
    if (w[1] == "on") {
      std::size_t count = 0;
      if (w.size() < 3 || !parse_number(w[2], count) || count > kMaxTracks || w.size() != 3 + count)
        return damaged(failure, "'music on <tracks> <length>...' with at most 64 tracks");
      header.music = true;
      for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t bits = 0;
        if (!parse_hex(w[3 + i], 8, bits)) return damaged(failure, "track lengths as 8 hex digits");
        const float seconds = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (!std::isfinite(seconds) || seconds < 0)
          return damaged(failure, "track lengths of 0 s or more");
        header.track_seconds.push_back(seconds);
      }
    } else if (w[1] != "off" || w.size() != 2) {
      return damaged(failure, "'music on|off'");
    }

    if (!next_words(w) || w.size() != 3 || w[0] != "clock" ||
        !parse_number(w[1], header.start_clock.seconds) ||
        !parse_number(w[2], header.start_clock.nanoseconds) ||
        header.start_clock.nanoseconds >= kNanosPerSecond)
      return damaged(failure, "'clock <seconds> <nanoseconds below 10^9>'");

    if (!next_words(w) || w.size() != 2 || w[0] != "start" ||
        !parse_hex(w[1], 16, header.start_hash))
      return damaged(failure, "'start <16 hex digits>'");

    if (!next_line(line) || !line.empty())
      return damaged(failure, "the blank line that ends the header");
    end = pos_;
    return header;
  }

 private:
  bool next_line(std::string_view& line) {
    ++line_number_;  // the line being read, also when it is missing
    const std::size_t newline = text_.find('\n', pos_);
    if (newline == std::string_view::npos) return false;
    line = text_.substr(pos_, newline - pos_);
    pos_ = newline + 1;
    return true;
  }
  bool next_words(std::vector<std::string_view>& words) {
    std::string_view line;
    if (!next_line(line)) return false;
    words = words_of(line);
    return true;
  }
  std::optional<Header> damaged(Failure& failure, std::string_view expected) {
    failure.message = "damaged header: line " + std::to_string(line_number_) + " should be " +
                      std::string(expected);
    return std::nullopt;
  }

  std::string_view text_;
  std::string_view game_version_;
  std::size_t pos_ = 0;
  int line_number_ = 0;
};

// ---- frames ----

bool printable(std::span<const std::uint8_t> name) {
  for (std::uint8_t c : name) {
    if (c < 0x20 || c > 0x7e) return false;
  }
  return !name.empty();
}

std::string shown(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// Reads one frame's payload; `previous` holds the mouse and screen size that carry over.
// On failure returns the reason.
std::optional<std::string> read_frame(std::span<const std::uint8_t> payload,
                                      const FrameInput& previous, Frame& frame) {
  ByteReader r(payload);
  const char* const kShort = "its fields run past the end of the record";
  std::uint8_t flags = 0;
  std::uint16_t pressed = 0, held = 0;
  FrameInput& in = frame.input;
  if (!r.f32(frame.dt) || !r.u8(flags) || !r.u16(pressed) || !r.u16(held)) return kShort;
  if (!std::isfinite(frame.dt) || frame.dt < 0 || frame.dt > kMaxFrameStep)
    return "frame time " + shown(frame.dt) + " s";
  if ((flags & ~kKnownFlags) != 0) return "unknown frame flags";
  constexpr auto kKeys = static_cast<unsigned>(Key::Count);
  if ((pressed >> kKeys) != 0 || (held >> kKeys) != 0) return "a key the game does not know";
  in.pressed = pressed;
  in.held = held;
  if (in.is_pressed(Key::Escape))
    return "Escape pressed in a recorded frame (Escape ends a recording)";
  in.left_click = (flags & 1) != 0;
  in.mouse = previous.mouse;
  if ((flags & 2) != 0 && (!r.f32(in.mouse.x) || !r.f32(in.mouse.y))) return kShort;
  if (!std::isfinite(in.mouse.x) || !std::isfinite(in.mouse.y))
    return "mouse position not a number";
  in.screen_width = previous.screen_width;
  in.screen_height = previous.screen_height;
  if ((flags & 4) != 0 && (!r.f32(in.screen_width) || !r.f32(in.screen_height))) return kShort;
  for (float side : {in.screen_width, in.screen_height}) {
    if (!(side >= 1 && side <= kMaxScreenSide)) return "screen size out of range";
  }
  if (!r.f64(in.time)) return kShort;
  if (!std::isfinite(in.time) || in.time < previous.time) return "clock going backwards";
  std::uint8_t names = 0;
  if (!r.u8(names)) return kShort;
  for (int i = 0; i < names; ++i) {
    std::uint8_t length = 0;
    std::span<const std::uint8_t> name;
    if (!r.u8(length) || !r.bytes(length, name))
      return "a key name runs past the end of the record";
    if (!printable(name)) return "a key name that is not printable text";
    in.pressed_names.emplace_back(name.begin(), name.end());
  }
  std::uint8_t readings = 0;
  if (!r.u8(readings)) return kShort;
  for (int i = 0; i < readings; ++i) {
    ClockReading reading;
    if (!r.i64(reading.seconds) || !r.u32(reading.nanoseconds))
      return "a clock reading runs past the end of the record";
    if (reading.nanoseconds >= kNanosPerSecond) return "clock nanoseconds of 10^9 or more";
    frame.clock_readings.push_back(reading);
  }
  if (!r.u64(frame.state_hash)) return kShort;
  if (r.remaining() != 0) return std::to_string(r.remaining()) + " bytes more than its fields";
  return std::nullopt;
}

std::string at(std::size_t byte, std::size_t frame) {
  return "damaged at byte " + std::to_string(byte) + " (frame " + std::to_string(frame) + "): ";
}

}  // namespace

ReadResult read_replay(std::span<const std::uint8_t> bytes, std::string_view game_version) {
  ReadResult result;
  if (bytes.empty()) {
    result.error = "not a Ventora replay (the file is empty)";
    return result;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                              std::min(bytes.size(), kMaxHeaderBytes));
  Failure failure;
  std::size_t header_end = 0;
  std::optional<Header> header = HeaderParser(text, game_version).parse(header_end, failure);
  if (!header) {
    result.error = failure.message;
    return result;
  }
  ReplayFile replay;
  replay.header = std::move(*header);

  FrameInput previous;
  previous.mouse = {};
  previous.screen_width = previous.screen_height = 0;
  ByteReader r(bytes.subspan(header_end));
  while (r.remaining() > 0) {
    const std::size_t start = header_end + r.position();
    const std::size_t number = replay.frames.size() + 1;
    if (replay.end) {
      result.error = at(start, number) + "data after the end record";
      return result;
    }
    std::uint8_t tag = 0;
    std::uint16_t length = 0;
    std::span<const std::uint8_t> payload;
    // A record cut off by the end of the file is the tail of a recording that was stopped.
    if (!r.u8(tag) || !r.u16(length) || !r.bytes(length, payload)) break;
    if (tag == kFrameTag) {
      Frame frame;
      if (length < kMinFramePayload) {
        result.error = at(start, number) + "a frame record of " + std::to_string(length) + " bytes";
        return result;
      }
      if (auto problem = read_frame(payload, previous, frame)) {
        result.error = at(start, number) + *problem;
        return result;
      }
      previous = frame.input;
      replay.frames.push_back(std::move(frame));
    } else if (tag == kEndTag) {
      ByteReader e(payload);
      End end;
      if (length != kEndPayload || !e.u64(end.frame_count) || !e.u64(end.end_hash)) {
        result.error = at(start, number) + "an end record of " + std::to_string(length) + " bytes";
        return result;
      }
      if (end.frame_count != replay.frames.size()) {
        result.error = at(start, number) + "the end record counts " +
                       std::to_string(end.frame_count) + " frames, the file holds " +
                       std::to_string(replay.frames.size());
        return result;
      }
      replay.end = end;
    } else {
      char tag_text[8];
      std::snprintf(tag_text, sizeof tag_text, "0x%02x", tag);
      result.error = at(start, number) + "unknown record " + tag_text;
      return result;
    }
  }
  result.replay = std::move(replay);
  return result;
}

ReadResult read_replay_file(const std::string& path, std::string_view game_version) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ReadResult result;
    result.error = std::string("cannot read it: ") + std::strerror(errno);
    return result;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                        std::istreambuf_iterator<char>());
  if (file.bad()) {
    ReadResult result;
    result.error = std::string("cannot read it: ") + std::strerror(errno);
    return result;
  }
  return read_replay(bytes, game_version);
}

}  // namespace ventora::replay
