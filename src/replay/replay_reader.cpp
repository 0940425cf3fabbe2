#include "replay/replay_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "replay/bytes.h"
#include "replay/regular_file.h"

namespace ventora::replay {

namespace {

constexpr std::size_t kMaxHeaderBytes = 4096;
// A record's tag and payload length.
constexpr std::size_t kRecordLead = 3;
// Room for the header and the records a game writes; a longer record makes room for itself.
constexpr std::size_t kBufferBytes = 16 * 1024;
static_assert(kBufferBytes >= kMaxHeaderBytes);
// dt, flags, key bits, time, name count, clock count, hash: a frame record holds at least these.
constexpr std::size_t kMinFramePayload = 4 + 1 + 2 + 2 + 8 + 1 + 1 + 8;
constexpr std::size_t kEndPayload = 16;
constexpr std::uint8_t kKnownFlags = 1 | 2 | 4;
constexpr std::uint32_t kNanosPerSecond = 1000000000;

// Failure of a parse step: the message, ready for the caller's one line.
struct Failure {
  std::string message;
  bool cut = false;  // the file stops inside the header
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
  // `whole_file`: the text is all the file holds, so a line without its newline is where the
  // file stops, not damage.
  HeaderParser(std::string_view text, bool whole_file, std::string_view game_version)
      : text_(text), whole_file_(whole_file), game_version_(game_version) {}

  // The header, or a failure; `end` is where the binary part starts.
  std::optional<Header> parse(std::size_t& end, Failure& failure) {
    Header header;
    std::string_view line;
    const std::string magic = std::string(kMagic) + " ";
    if (!next_line(line, magic) || !line.starts_with(magic)) {
      // A file that begins with the word is a replay, cut short or damaged.
      if (text_.starts_with(kMagic)) return damaged(failure, "'ventora-replay <format number>'");
      failure.message =
          "not a Ventora replay (it does not begin with \"" + std::string(kMagic) + "\")";
      return std::nullopt;
    }
    int format = 0;
    if (!parse_number(line.substr(kMagic.size() + 1), format))
      return damaged(failure, "'ventora-replay <format number>'");
    std::string_view version_line;
    const bool has_version = next_line(version_line, "game ") && version_line.starts_with("game ");
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
    if (!next_words(w, "mode ") || w.size() != 2 || w[0] != "mode")
      return damaged(failure, "'mode <" + mode_words("|") + ">'");
    const auto mode = mode_from_word(w[1]);
    if (!mode) return damaged(failure, "a known output mode (" + mode_words(", ") + ")");
    header.mode = *mode;

    if (!next_words(w, "music ") || w.size() < 2 || w[0] != "music")
      return damaged(failure, "'music on|off'");
    if (w[1] == "on") {
      std::size_t count = 0;
      if (w.size() < 3 || !parse_number(w[2], count) || count > kMaxTracks || w.size() != 3 + count)
        return damaged(failure, "'music on <tracks> <length>...' with at most 64 tracks");
      header.music = true;
      for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t bits = 0;
        if (!parse_hex(w[3 + i], 8, bits)) return damaged(failure, "track lengths as 8 hex digits");
        const float seconds = copy_bits<float>(static_cast<std::uint32_t>(bits));
        if (!std::isfinite(seconds) || seconds < 0)
          return damaged(failure, "track lengths of 0 s or more");
        header.track_seconds.push_back(seconds);
      }
    } else if (w[1] != "off" || w.size() != 2) {
      return damaged(failure, "'music on|off'");
    }

    if (!next_words(w, "clock ") || w.size() != 3 || w[0] != "clock" ||
        !parse_number(w[1], header.start_clock.seconds) ||
        !parse_number(w[2], header.start_clock.nanoseconds) ||
        header.start_clock.nanoseconds >= kNanosPerSecond)
      return damaged(failure, "'clock <seconds> <nanoseconds below 10^9>'");

    if (!next_words(w, "start ") || w.size() != 2 || w[0] != "start" ||
        !parse_hex(w[1], 16, header.start_hash))
      return damaged(failure, "'start <16 hex digits>'");

    if (!next_line(line, "") || !line.empty())
      return damaged(failure, "the blank line that ends the header");
    end = pos_;
    return header;
  }

 private:
  // The next line, which begins with `start`. False when there is none; if the file stops in
  // the middle of a line that could still become one, cut_ is set.
  bool next_line(std::string_view& line, std::string_view start) {
    ++line_number_;  // the line being read, also when it is missing
    const std::size_t newline = text_.find('\n', pos_);
    if (newline == std::string_view::npos) {
      const std::string_view rest = text_.substr(pos_);
      cut_ = whole_file_ && (start.starts_with(rest) || rest.starts_with(start)) &&
             std::all_of(rest.begin(), rest.end(), [](char c) { return c >= ' ' && c <= '~'; });
      return false;
    }
    line = text_.substr(pos_, newline - pos_);
    pos_ = newline + 1;
    return true;
  }
  bool next_words(std::vector<std::string_view>& words, std::string_view start) {
    std::string_view line;
    if (!next_line(line, start)) return false;
    words = words_of(line);
    return true;
  }
  // Every whole line was right, but the file stops before the header's end.
  std::optional<Header> cut(Failure& failure) {
    failure.cut = true;
    failure.message =
        "the file stops inside its header: the recording stopped before its run began";
    return std::nullopt;
  }
  std::optional<Header> damaged(Failure& failure, std::string_view expected) {
    if (cut_) return cut(failure);
    failure.message = "damaged header: line " + std::to_string(line_number_) + " should be " +
                      std::string(expected);
    return std::nullopt;
  }

  std::string_view text_;
  bool whole_file_;
  bool cut_ = false;  // a line was missing its newline at the end of the file
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
// On failure the reason (see r.cut() for a payload the file cuts off).
Status read_frame(ByteReader& r, const FrameInput& previous, Frame& frame) {
  const char* const kShort = "its fields run past the end of the record";
  std::uint8_t flags = 0;
  std::uint16_t pressed = 0, held = 0;
  FrameInput& in = frame.input;
  if (!r.f32(frame.dt) || !r.u8(flags) || !r.u16(pressed) || !r.u16(held)) return Error{kShort};
  if (!std::isfinite(frame.dt) || frame.dt < 0 || frame.dt > kMaxFrameStep)
    return Error{"frame time " + shown(frame.dt) + " s"};
  if ((flags & ~kKnownFlags) != 0) return Error{"unknown frame flags"};
  constexpr auto kKeys = static_cast<unsigned>(Key::Count);
  if ((pressed >> kKeys) != 0 || (held >> kKeys) != 0) return Error{"a key the game does not know"};
  in.pressed = pressed;
  in.held = held;
  if (in.is_pressed(Key::Escape))
    return Error{"Escape pressed in a recorded frame (Escape ends a recording)"};
  in.left_click = (flags & 1) != 0;
  in.mouse = previous.mouse;
  if ((flags & 2) != 0 && (!r.f32(in.mouse.x) || !r.f32(in.mouse.y))) return Error{kShort};
  if (!std::isfinite(in.mouse.x) || !std::isfinite(in.mouse.y))
    return Error{"mouse position not a number"};
  in.screen_width = previous.screen_width;
  in.screen_height = previous.screen_height;
  if ((flags & 4) != 0 && (!r.f32(in.screen_width) || !r.f32(in.screen_height))) return Error{kShort};
  for (float side : {in.screen_width, in.screen_height}) {
    if (!(side >= 1 && side <= kMaxScreenSide)) return Error{"screen size out of range"};
  }
  if (!r.f64(in.time)) return Error{kShort};
  if (std::isnan(in.time)) return Error{"clock time not a number"};
  if (std::isinf(in.time)) return Error{"clock time not finite"};
  if (in.time < previous.time) return Error{"clock going backwards"};
  std::uint8_t names = 0;
  if (!r.u8(names)) return Error{kShort};
  for (int i = 0; i < names; ++i) {
    std::uint8_t length = 0;
    std::span<const std::uint8_t> name;
    if (!r.u8(length) || !r.bytes(length, name))
      return Error{"a key name runs past the end of the record"};
    if (!printable(name)) return Error{"a key name that is not printable text"};
    in.pressed_names.emplace_back(name.begin(), name.end());
  }
  std::uint8_t readings = 0;
  if (!r.u8(readings)) return Error{kShort};
  for (int i = 0; i < readings; ++i) {
    ClockReading reading;
    if (!r.i64(reading.seconds) || !r.u32(reading.nanoseconds))
      return Error{"a clock reading runs past the end of the record"};
    if (reading.nanoseconds >= kNanosPerSecond) return Error{"clock nanoseconds of 10^9 or more"};
    frame.clock_readings.push_back(reading);
  }
  if (!r.u64(frame.state_hash)) return Error{kShort};
  if (r.remaining() != 0) return Error{std::to_string(r.remaining()) + " bytes more than its fields"};
  return Done{};
}

// Reads the file a few kilobytes at a time.
class FileSource final : public ReplayReader::Source {
 public:
  explicit FileSource(int fd) : fd_(fd) {}
  ~FileSource() override { ::close(fd_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  long read(std::span<std::uint8_t> out) override {
    while (true) {
      const ssize_t got = ::read(fd_, out.data(), out.size());
      if (got >= 0 || errno != EINTR) return got;
    }
  }

 private:
  int fd_;
};

class MemorySource final : public ReplayReader::Source {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  long read(std::span<std::uint8_t> out) override {
    const std::size_t size = std::min(out.size(), bytes_.size());
    std::copy_n(bytes_.begin(), size, out.begin());
    bytes_ = bytes_.subspan(size);
    return static_cast<long>(size);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

std::string cannot_read(int error) {
  return std::string("cannot read it: ") + std::strerror(error);
}

}  // namespace

ReplayReader::ReplayReader(std::unique_ptr<Source> source)
    : source_(std::move(source)), buffer_(kBufferBytes) {
  previous_.mouse = {};
  previous_.screen_width = previous_.screen_height = 0;  // the first frame must give its size
}

ReplayReader::~ReplayReader() = default;

OpenResult ReplayReader::open(std::unique_ptr<Source> source, std::string_view game_version) {
  std::unique_ptr<ReplayReader> reader(new ReplayReader(std::move(source)));
  // Only the first few kilobytes: whatever follows, a header can be no longer.
  const bool whole_file = !reader->fill(kMaxHeaderBytes);
  if (reader->read_error_ != 0) return ReplayError{cannot_read(reader->read_error_)};
  const std::span<const std::uint8_t> head =
      reader->buffered().first(std::min(reader->buffered().size(), kMaxHeaderBytes));
  if (head.empty()) return ReplayError{"not a Ventora replay (the file is empty)"};
  const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  Failure failure;
  std::size_t header_end = 0;
  std::optional<Header> header =
      HeaderParser(text, whole_file, game_version).parse(header_end, failure);
  if (!header) return ReplayError{failure.message, failure.cut};
  reader->header_ = std::move(*header);
  reader->consume(header_end);
  return reader;
}

bool ReplayReader::fill(std::size_t size) {
  while (filled_ - begin_ < size) {
    if (at_end_of_file_ || read_error_ != 0) return false;
    if (buffer_.size() - begin_ < size) {  // move what is left to the front to make room
      std::copy(buffer_.begin() + static_cast<long>(begin_),
                buffer_.begin() + static_cast<long>(filled_), buffer_.begin());
      filled_ -= begin_;
      begin_ = 0;
      if (buffer_.size() < size) buffer_.resize(size);  // at most one record: 64 KB
    }
    const long got = source_->read(std::span(buffer_).subspan(filled_));
    if (got < 0) {
      read_error_ = errno;
    } else {
      at_end_of_file_ = got == 0;
      filled_ += static_cast<std::size_t>(got);
    }
  }
  return true;
}

std::span<const std::uint8_t> ReplayReader::buffered() const {
  return std::span(buffer_).subspan(begin_, filled_ - begin_);
}

void ReplayReader::consume(std::size_t size) {
  begin_ += size;
  offset_ += size;
}

bool ReplayReader::next(Frame& frame) { return ending_ == Ending::None && read_record(frame); }

bool ReplayReader::stop(Ending ending, std::string problem) {
  ending_ = ending;
  problem_ = std::move(problem);
  return false;
}

std::string ReplayReader::damaged_at(std::uint64_t byte) const {
  return "damaged at byte " + std::to_string(byte) + " (frame " + std::to_string(frames_ + 1) +
         "): ";
}

bool ReplayReader::read_record(Frame& frame) {
  const std::uint64_t start = offset_;
  const bool whole_lead = fill(kRecordLead);
  if (read_error_ != 0) return stop(Ending::Damaged, damaged_at(start) + cannot_read(read_error_));
  const std::span<const std::uint8_t> lead = buffered();
  if (lead.empty()) return stop(Ending::Cut);  // right after a whole record
  const std::uint8_t tag = lead[0];
  if (tag != kFrameTag && tag != kEndTag) {
    char tag_text[8];
    std::snprintf(tag_text, sizeof tag_text, "0x%02x", tag);
    return stop(Ending::Damaged, damaged_at(start) + "unknown record " + tag_text);
  }
  if (!whole_lead) return stop(Ending::Cut);
  const std::size_t length = lead[1] | (lead[2] << 8);
  if (tag == kFrameTag && length < kMinFramePayload) {
    return stop(Ending::Damaged,
                damaged_at(start) + "a frame record of " + std::to_string(length) + " bytes");
  }
  if (tag == kEndTag && length != kEndPayload) {
    return stop(Ending::Damaged,
                damaged_at(start) + "an end record of " + std::to_string(length) + " bytes");
  }
  fill(kRecordLead + length);
  if (read_error_ != 0) return stop(Ending::Damaged, damaged_at(start) + cannot_read(read_error_));
  // A record the file cuts off is the tail of a recording that was stopped, but only if the
  // bytes that are there read as the start of a record of that length.
  const std::span<const std::uint8_t> payload = buffered().subspan(kRecordLead);
  ByteReader r(payload.first(std::min(length, payload.size())), length);
  if (tag == kFrameTag) {
    frame = Frame{};
    if (const Status read = read_frame(r, previous_, frame); !read) {
      return r.cut() ? stop(Ending::Cut) : stop(Ending::Damaged, damaged_at(start) + read.error().message);
    }
    consume(kRecordLead + length);
    previous_ = frame.input;
    ++frames_;
    return true;
  }
  End end;
  if (!r.u64(end.frame_count)) return stop(Ending::Cut);
  if (end.frame_count != frames_) {
    return stop(Ending::Damaged, damaged_at(start) + "the end record counts " +
                                     std::to_string(end.frame_count) + " frames, the file holds " +
                                     std::to_string(frames_));
  }
  if (!r.u64(end.end_hash)) return stop(Ending::Cut);
  consume(kRecordLead + length);
  end_ = end;
  fill(1);
  if (read_error_ != 0) {
    return stop(Ending::Damaged, damaged_at(offset_) + cannot_read(read_error_));
  }
  if (!buffered().empty()) {
    return stop(Ending::Damaged, damaged_at(offset_) + "data after the end record");
  }
  return stop(Ending::EndRecord);
}

OpenResult open_replay_file(const std::string& path, std::string_view game_version) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return ReplayError{cannot_read(errno)};
  if (Status regular = check_regular_file(info.st_mode); !regular) {
    return ReplayError{"cannot read it: " + regular.error().message};
  }
  // Non-blocking: should a pipe take the file's place meanwhile, opening it does not wait.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReplayError{cannot_read(errno)};
  auto source = std::make_unique<FileSource>(fd);
  if (::fstat(fd, &info) != 0) return ReplayError{cannot_read(errno)};
  if (Status regular = check_regular_file(info.st_mode); !regular) {
    return ReplayError{"cannot read it: " + regular.error().message};
  }
  return ReplayReader::open(std::move(source), game_version);
}

OpenResult open_replay_bytes(std::span<const std::uint8_t> bytes, std::string_view game_version) {
  return ReplayReader::open(std::make_unique<MemorySource>(bytes), game_version);
}

ReadResult read_replay(std::span<const std::uint8_t> bytes, std::string_view game_version) {
  OpenResult opened = open_replay_bytes(bytes, game_version);
  if (!opened) return opened.error();
  ReplayReader& reader = *opened.value();
  ReplayFile replay;
  replay.header = reader.header();
  Frame frame;
  while (reader.next(frame)) replay.frames.push_back(std::move(frame));
  if (reader.ending() == Ending::Damaged) return ReplayError{reader.problem()};
  replay.end = reader.end();
  return replay;
}

}  // namespace ventora::replay
