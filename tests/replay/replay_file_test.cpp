// The replay file on its own: what is written reads back bit for bit, and every kind of damage
// gives one line instead of a replay (and never a crash).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "replay/replay_format.h"
#include "replay/replay_reader.h"

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

Bytes bytes_of(const ReplayFile& r) {
  const std::string header = encode_header(r.header);
  Bytes out(header.begin(), header.end());
  const FrameInput* previous = nullptr;
  for (const Frame& f : r.frames) {
    const Bytes record = encode_frame(f, previous);
    out.insert(out.end(), record.begin(), record.end());
    previous = &f.input;
  }
  if (r.end) {
    const Bytes record = encode_end(*r.end);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
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
  const ReadResult read = read_replay(bytes_of(written), kVersion);
  ASSERT_TRUE(read.replay) << read.error;
  const Header& h = read.replay->header;
  EXPECT_EQ(h.game_version, kVersion);
  EXPECT_EQ(h.mode, OutputMode::Og);
  EXPECT_TRUE(h.music);
  EXPECT_EQ(h.track_seconds, written.header.track_seconds);
  EXPECT_EQ(h.start_clock.seconds, 1765000000);
  EXPECT_EQ(h.start_clock.nanoseconds, 999999999u);
  EXPECT_EQ(h.start_hash, written.header.start_hash);
  ASSERT_EQ(read.replay->frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("frame " + std::to_string(i + 1));
    expect_same(read.replay->frames[i], written.frames[i]);
  }
  ASSERT_TRUE(read.replay->end);
  EXPECT_EQ(read.replay->end->frame_count, 3u);
  EXPECT_EQ(read.replay->end->end_hash, written.end->end_hash);
}

TEST(ReplayFile, EveryOutputModeAndMusicOffReadBack) {
  for (OutputMode mode :
       {OutputMode::Og, OutputMode::Hd720, OutputMode::Hd1080, OutputMode::Hd4k}) {
    ReplayFile r = sample();
    r.header.mode = mode;
    r.header.music = false;
    r.header.track_seconds.clear();
    const ReadResult read = read_replay(bytes_of(r), kVersion);
    ASSERT_TRUE(read.replay) << read.error;
    EXPECT_EQ(read.replay->header.mode, mode);
    EXPECT_FALSE(read.replay->header.music);
  }
}

// A game killed while writing leaves a record cut anywhere: the whole frames before it replay,
// and the missing end record says the recording stopped early.
TEST(ReplayFile, AFileCutAnywhereKeepsItsWholeFrames) {
  const Bytes full = bytes_of(sample());
  const std::vector<std::size_t> starts = record_starts(full);  // three frames, then the end
  ASSERT_EQ(starts.size(), 4u);
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut));
    const ReadResult read = read_replay(std::span(full).first(cut), kVersion);
    if (cut < header_size(full)) {
      EXPECT_FALSE(read.replay);
      EXPECT_FALSE(read.error.empty());
      continue;
    }
    ASSERT_TRUE(read.replay) << read.error;
    std::size_t whole = 0;
    while (whole < 3 && starts[whole + 1] <= cut) ++whole;
    EXPECT_EQ(read.replay->frames.size(), whole);
    EXPECT_FALSE(read.replay->end);
  }
}

// Any single byte turned into any of a few values reads as a replay or as one line of error.
TEST(ReplayFile, NoChangedByteCrashesTheReader) {
  const Bytes full = bytes_of(sample());
  for (std::size_t i = 0; i < full.size(); ++i) {
    for (std::uint8_t value : {0x00, 0x0a, 0x20, 0x46, 0x7f, 0x80, 0xff}) {
      Bytes changed = full;
      changed[i] = value;
      const ReadResult read = read_replay(changed, kVersion);
      EXPECT_TRUE(read.replay ||
                  (!read.error.empty() && read.error.find('\n') == std::string::npos))
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
  const Bytes good = bytes_of(sample());
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
       [&] { return Bytes(good.begin(), good.begin() + static_cast<long>(header_size(good)) - 1); },
       "damaged header: line 7"},
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
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[1].dt = std::nanf(""); })); },
       "frame time nan s"},
      {"negative frame time",
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[1].dt = -0.01f; })); },
       "frame time -0.01 s"},
      {"frame time of minutes",
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[1].dt = 120.0f; })); },
       "frame time 120 s"},
      {"Escape in a frame",
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[1].input.press(Key::Escape); })); },
       "Escape pressed in a recorded frame"},
      {"mouse not a number",
       [] {
         return bytes_of(with([](ReplayFile& r) {
           r.frames[2].input.mouse.x = std::numeric_limits<float>::infinity();
         }));
       },
       "mouse position not a number"},
      {"no screen size",
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[0].input.screen_width = 0; })); },
       "screen size out of range"},
      {"clock going backwards",
       [] { return bytes_of(with([](ReplayFile& r) { r.frames[2].input.time = 0.1; })); },
       "clock going backwards"},
      {"a name that is not text",
       [] {
         return bytes_of(
             with([](ReplayFile& r) { r.frames[1].input.pressed_names[1] = "\x1b[2J"; }));
       },
       "a key name that is not printable text"},
      {"an empty name",
       [] {
         return bytes_of(with([](ReplayFile& r) { r.frames[1].input.pressed_names[1] = ""; }));
       },
       "a key name that is not printable text"},
      {"clock reading of 10^9 ns",
       [] {
         return bytes_of(
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
      {"end record counting other frames",
       [] { return bytes_of(with([](ReplayFile& r) { r.end->frame_count = 5; })); },
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
    EXPECT_FALSE(read.replay);
    EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
    EXPECT_EQ(read.error.find('\n'), std::string::npos) << read.error;
  }
}

TEST(ReplayFile, AMissingFileIsOneLine) {
  const ReadResult read = read_replay_file("/nonexistent/ventora.vrep", kVersion);
  EXPECT_FALSE(read.replay);
  EXPECT_EQ(read.error, "cannot read it: No such file or directory");
}

}  // namespace
}  // namespace ventora::replay
