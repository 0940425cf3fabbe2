// The replay file on its own: what is written reads back bit for bit, and every kind of damage
// gives one line instead of a replay (and never a crash).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "replay/replay_format.h"
#include "replay/replay_reader.h"
#include "replay/replay_writer.h"

namespace ventora::replay {
namespace {

constexpr const char* kVersion = VENTORA_VERSION;

using Bytes = std::vector<std::uint8_t>;

Frame frame(float dt, double time, std::uint64_t hash) {
  Frame f;
  f.dt = dt;
  f.input.time = time;
  f.input.screen_width = 960;
  f.input.screen_height = 720;
  f.state_hash = hash;
  return f;
}

// Three frames that use every field: keys pressed and held, names, a click, a mouse that stays
// put (not written again), a screen that changes, a restart's clock reading.
ReplayFile sample() {
  ReplayFile r;
  r.header.game_version = kVersion;
  r.header.mode = OutputMode::Og;
  r.header.music = true;
  r.header.track_seconds = {181.25f, 0.1f};
  r.header.start_clock = {1765000000, 999999999};
  r.header.start_hash = 0x0123456789abcdefULL;
  Frame a = frame(1.0f / 60.0f, 0.25, 1);
  a.input.press(Key::J);
  a.input.hold(Key::A);
  a.input.pressed_names = {"J"};
  a.input.mouse = {10.5f, -3.0f};
  Frame b = frame(0.05f, 0.3, 2);
  b.input.mouse = a.input.mouse;
  b.input.left_click = true;
  b.input.press(Key::R);
  b.input.pressed_names = {"R", "LeftShift"};
  b.clock_readings = {{-1, 0}};
  Frame c = frame(0.0f, 0.3, 0xffffffffffffffffULL);
  c.input.mouse = {-0.0f, 719.75f};
  c.input.screen_width = 1280;
  r.frames = {a, b, c};
  r.end = End{3, 0xffffffffffffffffULL};
  return r;
}

// Where the binary part begins: after the blank line.
std::size_t header_size(const Bytes& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  return text.find("\n\n") + 2;
}

// Where each record begins.
std::vector<std::size_t> record_starts(const Bytes& bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t at = header_size(bytes); at + 3 <= bytes.size();) {
    starts.push_back(at);
    at += 3 + (bytes[at + 1] | (bytes[at + 2] << 8));
  }
  return starts;
}

void expect_same(const Frame& got, const Frame& want) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(got.dt), std::bit_cast<std::uint32_t>(want.dt));
  EXPECT_EQ(got.input.pressed, want.input.pressed);
  EXPECT_EQ(got.input.held, want.input.held);
  EXPECT_EQ(got.input.pressed_names, want.input.pressed_names);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(got.input.mouse.x),
            std::bit_cast<std::uint32_t>(want.input.mouse.x));
  EXPECT_EQ(std::bit_cast<std::uint32_t>(got.input.mouse.y),
            std::bit_cast<std::uint32_t>(want.input.mouse.y));
  EXPECT_EQ(got.input.left_click, want.input.left_click);
  EXPECT_EQ(got.input.screen_width, want.input.screen_width);
  EXPECT_EQ(got.input.screen_height, want.input.screen_height);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(got.input.time),
            std::bit_cast<std::uint64_t>(want.input.time));
  ASSERT_EQ(got.clock_readings.size(), want.clock_readings.size());
  for (std::size_t i = 0; i < got.clock_readings.size(); ++i) {
    EXPECT_EQ(got.clock_readings[i].seconds, want.clock_readings[i].seconds);
    EXPECT_EQ(got.clock_readings[i].nanoseconds, want.clock_readings[i].nanoseconds);
  }
  EXPECT_EQ(got.state_hash, want.state_hash);
}

TEST(ReplayFile, ReadsBackWhatWasWrittenBitForBit) {
  const ReplayFile written = sample();
  const ReadResult read = read_replay(encode_replay(written), kVersion);
  ASSERT_TRUE(read.ok()) << read.error().message;
  const Header& h = read.value().header;
  EXPECT_EQ(h.game_version, kVersion);
  EXPECT_EQ(h.mode, OutputMode::Og);
  EXPECT_TRUE(h.music);
  EXPECT_EQ(h.track_seconds, written.header.track_seconds);
  EXPECT_EQ(h.start_clock.seconds, 1765000000);
  EXPECT_EQ(h.start_clock.nanoseconds, 999999999u);
  EXPECT_EQ(h.start_hash, written.header.start_hash);
  ASSERT_EQ(read.value().frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("frame " + std::to_string(i + 1));
    expect_same(read.value().frames[i], written.frames[i]);
  }
  ASSERT_TRUE(read.value().end);
  EXPECT_EQ(read.value().end->frame_count, 3u);
  EXPECT_EQ(read.value().end->end_hash, written.end->end_hash);
}

// The reader holds one record at a time; the longest a frame can be (near 64 KB of key names)
// reads back as well as the usual ones around it.
TEST(ReplayFile, TheLongestFramesReadBack) {
  ReplayFile r = sample();
  r.frames[1].input.pressed_names.assign(250, std::string(250, 'K'));
  r.frames[2].input.pressed_names.assign(200, std::string(200, 'L'));
  const ReadResult read = read_replay(encode_replay(r), kVersion);
  ASSERT_TRUE(read.ok()) << read.error().message;
  ASSERT_EQ(read.value().frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("frame " + std::to_string(i + 1));
    expect_same(read.value().frames[i], r.frames[i]);
  }
  EXPECT_TRUE(read.value().end);
}

// A frame is written whole or not at all: one that a record's count and length fields cannot
// hold is refused with the reason, never written with its counts wrapped around; the largest that
// fits reads back.
TEST(ReplayFile, AFrameTooBigForARecordIsRefusedWithTheReason) {
  const struct {
    const char* what;
    std::size_t names, name_bytes, readings;
    const char* refusal;  // empty: fits
  } cases[] = {
      {"255 names of 255 bytes", 255, 255, 0, ""},
      {"255 clock readings", 1, 1, 255, ""},
      {"256 names", 256, 1, 0, "256 key names in one frame"},
      {"a 256-byte name", 1, 256, 0, "a key name of 256 bytes"},
      {"256 clock readings", 1, 1, 256, "256 clock readings in one frame"},
      {"both at their largest", 255, 255, 255, "a frame record of 68383 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReplayFile r = sample();
    Frame& big = r.frames[1];
    big.input.pressed_names.clear();
    for (std::size_t i = 0; i < c.names; ++i) {
      std::string name = std::to_string(i);  // distinct, as a frame's names are
      name.resize(c.name_bytes, 'K');
      big.input.pressed_names.push_back(name);
    }
    big.clock_readings.assign(c.readings, ClockReading{1765000000, 7});
    const Status fits = check_frame_fits(big);
    if (*c.refusal != '\0') {
      EXPECT_EQ(fits ? "fits" : fits.error().message, c.refusal);
      continue;
    }
    ASSERT_TRUE(fits.ok()) << fits.error().message;
    const ReadResult read = read_replay(encode_replay(r), kVersion);
    ASSERT_TRUE(read.ok()) << read.error().message;
    expect_same(read.value().frames[1], big);
  }
}

// A recording meeting such a frame stops before it, with one line, and what it wrote before reads
// as a recording that stopped early.
TEST(ReplayFile, TheWriterStopsBeforeAFrameThatDoesNotFit) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("ventora-big-" + std::to_string(::getpid()) + ".vrep");
  const ReplayFile r = sample();
  {
    Result<std::unique_ptr<ReplayWriter>> created = ReplayWriter::create(path.string());
    ASSERT_TRUE(created.ok()) << created.error().message;
    const std::unique_ptr<ReplayWriter>& writer = created.value();
    writer->write_header(r.header);
    writer->write_frame(r.frames[0]);
    EXPECT_FALSE(writer->take_failure());
    Frame big = r.frames[1];
    big.input.pressed_names.assign(300, "K");
    writer->write_frame(big);
    writer->write_frame(r.frames[2]);
    writer->write_end(9);
    EXPECT_FALSE(writer->ok());
    EXPECT_EQ(writer->frames_written(), 1u);
    EXPECT_EQ(writer->take_failure().value_or(Error{}).message,
              "ventora: recording stopped: frame 2 does not fit in a replay: 300 key names in one frame");
    EXPECT_FALSE(writer->take_failure());  // said once
  }
  const OpenResult opened = open_replay_file(path.string(), kVersion);
  ASSERT_TRUE(opened.ok()) << opened.error().message;
  Frame frame;
  int frames = 0;
  while (opened.value()->next(frame)) ++frames;
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(opened.value()->ending(), Ending::Cut);
  std::filesystem::remove(path);
}

TEST(ReplayFile, EveryOutputModeAndMusicOffReadBack) {
  for (OutputMode mode :
       {OutputMode::Og, OutputMode::Hd720, OutputMode::Hd1080, OutputMode::Hd4k}) {
    ReplayFile r = sample();
    r.header.mode = mode;
    r.header.music = false;
    r.header.track_seconds.clear();
    const ReadResult read = read_replay(encode_replay(r), kVersion);
    ASSERT_TRUE(read.ok()) << read.error().message;
    EXPECT_EQ(read.value().header.mode, mode);
    EXPECT_FALSE(read.value().header.music);
  }
}

// A game killed while writing leaves a file cut anywhere: inside the header it is a recording
// that stopped before its run began; after it, the whole frames before the cut replay and the
// missing end record says the recording stopped early. A cut is never damage.
TEST(ReplayFile, AFileCutAnywhereKeepsItsWholeFrames) {
  const Bytes full = encode_replay(sample());
  const std::vector<std::size_t> starts = record_starts(full);  // three frames, then the end
  ASSERT_EQ(starts.size(), 4u);
  // From its first word on ("ventora-replay", 14 bytes) the file says what it is.
  const std::size_t word_size = std::string(kMagic).size();
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut));
    const ReadResult read = read_replay(std::span(full).first(cut), kVersion);
    if (cut < word_size) {
      ASSERT_FALSE(read.ok());
      EXPECT_FALSE(read.error().header_cut);
      EXPECT_TRUE(read.error().message.starts_with("not a Ventora replay")) << read.error().message;
      continue;
    }
    if (cut < header_size(full)) {
      ASSERT_FALSE(read.ok());
      EXPECT_TRUE(read.error().header_cut) << read.error().message;
      continue;
    }
    ASSERT_TRUE(read.ok()) << read.error().message;
    std::size_t whole = 0;
    while (whole < 3 && starts[whole + 1] <= cut) ++whole;
    EXPECT_EQ(read.value().frames.size(), whole);
    EXPECT_FALSE(read.value().end);
  }
}

// Any single byte turned into any of a few values reads as a replay or as one line of error.
TEST(ReplayFile, NoChangedByteCrashesTheReader) {
  const Bytes full = encode_replay(sample());
  for (std::size_t i = 0; i < full.size(); ++i) {
    for (std::uint8_t value : {0x00, 0x0a, 0x20, 0x46, 0x7f, 0x80, 0xff}) {
      Bytes changed = full;
      changed[i] = value;
      const ReadResult read = read_replay(changed, kVersion);
      EXPECT_TRUE(read.ok() || (!read.error().message.empty() &&
                                read.error().message.find('\n') == std::string::npos))
          << "byte " << i << " = " << int{value};
    }
  }
}

std::string replaced(const Bytes& bytes, const std::string& from, const std::string& to) {
  std::string text(bytes.begin(), bytes.end());
  text.replace(text.find(from), from.size(), to);
  return text;
}

Bytes as_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Patches byte `offset` of the payload of record `record` (0: the first frame).
Bytes patched(Bytes bytes, std::size_t record, std::size_t offset, std::uint8_t value) {
  bytes[record_starts(bytes)[record] + 3 + offset] = value;
  return bytes;
}

struct DamageCase {
  const char* name;
  std::function<Bytes()> file;
  std::string error;  // a part of the one line
};

ReplayFile with(const std::function<void(ReplayFile&)>& change) {
  ReplayFile r = sample();
  change(r);
  return r;
}

// Payload offsets in the first frame (mouse and screen size both follow).
constexpr std::size_t kFlagsAt = 4, kPressedAt = 5, kNameCountAt = 33, kClockCountAt = 36;

TEST(ReplayFile, DamagedFilesGiveOneLine) {
  const Bytes good = encode_replay(sample());
  const std::string v = kVersion;
  const std::vector<DamageCase> cases = {
      {"empty file", [] { return Bytes{}; }, "not a Ventora replay (the file is empty)"},
      {"wrong magic", [] { return as_bytes("GIF89a\n\n"); },
       "not a Ventora replay (it does not begin with"},
      {"newer format",
       [&] { return as_bytes(replaced(good, "ventora-replay 1", "ventora-replay 2")); },
       "replay format 2 made by ventora " + v + "; this is ventora " + v +
           ", which reads format 1"},
      {"other game version", [&] { return as_bytes(replaced(good, "game " + v, "game 0.9.0")); },
       "made by ventora 0.9.0, this is ventora " + v},
      {"unknown mode", [&] { return as_bytes(replaced(good, "mode og", "mode hd8k")); },
       "damaged header: line 3 should be a known output mode"},
      {"track count past its lengths",
       [&] { return as_bytes(replaced(good, "music on 2", "music on 3")); },
       "damaged header: line 4"},
      {"too many tracks",
       [&] { return as_bytes(replaced(good, "music on 2", "music on 99999999999")); },
       "damaged header: line 4"},
      {"track length not a number",
       [&] { return as_bytes(replaced(good, "43354000", "7fc00000")); },
       "damaged header: line 4 should be track lengths of 0 s or more"},
      {"clock nanoseconds of a second",
       [&] { return as_bytes(replaced(good, "999999999", "1000000000")); },
       "damaged header: line 5"},
      {"short start hash",
       [&] { return as_bytes(replaced(good, "start 0123456789abcdef", "start 123")); },
       "damaged header: line 6"},
      {"header without its blank line",
       [&] {
         Bytes b = good;
         b[header_size(good) - 1] = 'X';
         return b;
       },
       "damaged header: line 7"},
      {"header longer than any header",
       [&] { return as_bytes(replaced(good, "game " + v, "game " + v + std::string(5000, ' '))); },
       "damaged header: line 2"},
      {"unknown record",
       [&] {
         Bytes b = good;
         b[record_starts(b)[0]] = 'X';
         return b;
       },
       "unknown record 0x58"},
      {"frame record too short for its fields",
       [&] {
         Bytes b = good;
         const std::size_t at = record_starts(b)[0];
         b[at + 1] = 5;
         b[at + 2] = 0;
         return b;
       },
       "a frame record of 5 bytes"},
      {"name length past the record", [&] { return patched(good, 0, kNameCountAt + 1, 200); },
       "a key name runs past the end of the record"},
      {"clock reading count past the record", [&] { return patched(good, 0, kClockCountAt, 3); },
       "a clock reading runs past the end of the record"},
      {"unknown flags", [&] { return patched(good, 0, kFlagsAt, 0x80 | 7); },
       "unknown frame flags"},
      {"a key the game does not know", [&] { return patched(good, 0, kPressedAt + 1, 0x80); },
       "a key the game does not know"},
      {"frame time not a number",
       [] { return encode_replay(with([](ReplayFile& r) { r.frames[1].dt = std::nanf(""); })); },
       "frame time nan s"},
      {"negative frame time",
       [] { return encode_replay(with([](ReplayFile& r) { r.frames[1].dt = -0.01f; })); },
       "frame time -0.01 s"},
      {"frame time of minutes",
       [] { return encode_replay(with([](ReplayFile& r) { r.frames[1].dt = 120.0f; })); },
       "frame time 120 s"},
      {"Escape in a frame",
       [] {
         return encode_replay(with([](ReplayFile& r) { r.frames[1].input.press(Key::Escape); }));
       },
       "Escape pressed in a recorded frame"},
      {"mouse not a number",
       [] {
         return encode_replay(with([](ReplayFile& r) {
           r.frames[2].input.mouse.x = std::numeric_limits<float>::infinity();
         }));
       },
       "mouse position not a number"},
      {"no screen size",
       [] {
         return encode_replay(with([](ReplayFile& r) { r.frames[0].input.screen_width = 0; }));
       },
       "screen size out of range"},
      {"clock going backwards",
       [] { return encode_replay(with([](ReplayFile& r) { r.frames[2].input.time = 0.1; })); },
       "clock going backwards"},
      {"clock not a number",
       [] { return encode_replay(with([](ReplayFile& r) { r.frames[2].input.time = std::nan(""); })); },
       "(frame 3): clock time not a number"},
      {"clock infinite",
       [] {
         return encode_replay(with([](ReplayFile& r) {
           r.frames[2].input.time = std::numeric_limits<double>::infinity();
         }));
       },
       "(frame 3): clock time not finite"},
      {"the first word and the rest of its line missing",
       [] { return as_bytes(std::string(kMagic) + "\n\n"); },
       "damaged header: line 1 should be 'ventora-replay <format number>'"},
      {"a name that is not text",
       [] {
         return encode_replay(
             with([](ReplayFile& r) { r.frames[1].input.pressed_names[1] = "\x1b[2J"; }));
       },
       "a key name that is not printable text"},
      {"an empty name",
       [] {
         return encode_replay(with([](ReplayFile& r) { r.frames[1].input.pressed_names[1] = ""; }));
       },
       "a key name that is not printable text"},
      {"clock reading of 10^9 ns",
       [] {
         return encode_replay(
             with([](ReplayFile& r) { r.frames[1].clock_readings[0].nanoseconds = 1000000000; }));
       },
       "clock nanoseconds of 10^9 or more"},
      {"frame record longer than its fields",
       [&] {
         Bytes b = good;
         const std::size_t at = record_starts(b)[1];
         const std::size_t end = at + 3 + b[at + 1];
         b[at + 1] = static_cast<std::uint8_t>(b[at + 1] + 2);
         b.insert(b.begin() + static_cast<long>(end), {0, 0});
         return b;
       },
       "(frame 2): 2 bytes more than its fields"},
      // A length no frame of the file has, in the middle of it: its fields end long before the
      // length, so this is no recording cut short.
      {"a frame length of 65535 in the middle",
       [&] {
         Bytes b = good;
         const std::size_t at = record_starts(b)[1];
         b[at + 1] = b[at + 2] = 0xff;
         return b;
       },
       "damaged at byte " + std::to_string(record_starts(good)[1]) +
           " (frame 2): " + std::to_string(0xffff - good[record_starts(good)[1] + 1]) +
           " bytes more than its fields"},
      // The file stops inside a record, but what is there is no start of a frame.
      {"a cut frame that is no frame",
       [] {
         Bytes b = encode_replay(with([](ReplayFile& r) {
           r.frames[2].dt = std::nanf("");
           r.end.reset();
         }));
         b.resize(b.size() - 10);
         return b;
       },
       "(frame 3): frame time nan s"},
      {"a stray byte after the last frame",
       [&] {
         Bytes b = good;
         b.resize(record_starts(b)[3]);
         b.push_back(0);
         return b;
       },
       "(frame 4): unknown record 0x00"},
      {"an end record whose length is cut off and wrong",
       [&] {
         Bytes b = good;
         const std::size_t at = record_starts(b)[3];
         b[at + 1] = 17;
         b.resize(at + 3);
         return b;
       },
       "an end record of 17 bytes"},
      {"end record counting other frames",
       [] { return encode_replay(with([](ReplayFile& r) { r.end->frame_count = 5; })); },
       "the end record counts 5 frames, the file holds 3"},
      {"end record of the wrong size",
       [&] {
         Bytes b = good;
         b[record_starts(b)[3] + 1] = 8;
         b.resize(b.size() - 8);
         return b;
       },
       "an end record of 8 bytes"},
      {"data after the end record",
       [&] {
         Bytes b = good;
         b.push_back(kFrameTag);
         return b;
       },
       "data after the end record"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult read = read_replay(c.file(), kVersion);
    ASSERT_FALSE(read.ok());
    EXPECT_FALSE(read.error().header_cut);
    EXPECT_NE(read.error().message.find(c.error), std::string::npos) << read.error().message;
    EXPECT_EQ(read.error().message.find('\n'), std::string::npos) << read.error().message;
  }
}

// Only a regular file is read: the others are refused at once, unopened where opening could
// wait (a pipe with no writer) or read on without end (a device).
TEST(ReplayFile, WhatIsNoRegularFileIsOneLine) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("ventora-kinds-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string fifo = (dir / "pipe.vrep").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {"/nonexistent/ventora.vrep", "cannot read it: No such file or directory"},
      {dir.string(), "cannot read it: it is a directory, not a regular file"},
      {fifo, "cannot read it: it is a named pipe, not a regular file"},
      {"/dev/zero", "cannot read it: it is a character device, not a regular file"},
  };
  for (const auto& c : cases) {
    const OpenResult opened = open_replay_file(c.path, kVersion);
    ASSERT_FALSE(opened.ok()) << c.path;
    EXPECT_EQ(opened.error().message, c.error) << c.path;
  }
  std::filesystem::remove_all(dir);
}

// Bytes made on demand, as a pipe or a device would give them. It counts what was asked for into
// a counter the test owns, since the reader (and the source with it) may be gone by the check.
class EndlessSource final : public ReplayReader::Source {
 public:
  EndlessSource(Bytes start, Bytes repeat, std::size_t& given)
      : start_(std::move(start)), repeat_(std::move(repeat)), given_(given) {}
  long read(std::span<std::uint8_t> out) override {
    for (std::uint8_t& byte : out) {
      byte = given_ < start_.size() ? start_[given_]
                                    : repeat_[(given_ - start_.size()) % repeat_.size()];
      ++given_;
    }
    return static_cast<long>(out.size());
  }

 private:
  Bytes start_, repeat_;
  std::size_t& given_;
};

// The header is checked before anything else is read, and the frames are read as they are asked
// for: endless input is refused, or played, without reading it all.
TEST(ReplayFile, TheReaderReadsOnlyAsFarAsItGoes) {
  constexpr std::size_t kLittle = 256 * 1024;  // far below what the tests feed, far above a record
  {
    std::size_t given = 0;
    const OpenResult opened =
        ReplayReader::open(std::make_unique<EndlessSource>(Bytes{}, Bytes{0}, given), kVersion);
    EXPECT_EQ(opened.error().message, "not a Ventora replay (it does not begin with \"ventora-replay\")");
    EXPECT_LT(given, kLittle);
  }
  {
    ReplayFile r = sample();
    r.frames.resize(1);
    r.end.reset();
    const Bytes file = encode_replay(r);
    const std::size_t frame_start = header_size(file);
    Bytes frame(file.begin() + static_cast<long>(frame_start), file.end());
    std::size_t given = 0;
    const OpenResult opened = ReplayReader::open(
        std::make_unique<EndlessSource>(
            Bytes(file.begin(), file.begin() + static_cast<long>(frame_start)), frame, given),
        kVersion);
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    Frame read;
    constexpr int kFrames = 100000;  // megabytes of frames
    for (int i = 0; i < kFrames; ++i) {
      ASSERT_TRUE(opened.value()->next(read)) << opened.value()->problem();
    }
    expect_same(read, r.frames[0]);
    EXPECT_EQ(opened.value()->frames_read(), static_cast<std::uint64_t>(kFrames));
    EXPECT_LT(given, frame_start + kFrames * frame.size() + kLittle);
  }
}

}  // namespace
}  // namespace ventora::replay
