// A replay: everything the simulation consumed during one session, so it can be run again bit
// for bit. A text header (format, game version, output mode, music, the first clock reading and
// the start state's hash), then one binary record per frame and an end record. The layout is
// documented in docs/replay-format.md; this file writes it, replay_reader.h reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/frame_input.h"
#include "base/result.h"
#include "game/run_seed.h"
#include "layout/output_mode.h"

namespace ventora::replay {

inline constexpr std::string_view kMagic = "ventora-replay";
inline constexpr int kFormatVersion = 1;

// Record tags of the binary part.
inline constexpr std::uint8_t kFrameTag = 'F';
inline constexpr std::uint8_t kEndTag = 'E';

struct Header {
  std::string game_version;  // "1.0.0"
  OutputMode mode = kDefaultOutputMode;
  bool music = false;                // the playlist ran (it draws from the shared generator)
  std::vector<float> track_seconds;  // the playlist's track lengths, when music was on
  ClockReading start_clock;          // the reading the first run was seeded from
  std::uint64_t start_hash = 0;      // state_hash right after the first start_run
};

struct Frame {
  float dt = 0;                              // as given to the update (after the cap)
  FrameInput input;                          // as given to the update
  std::vector<ClockReading> clock_readings;  // every reading the frame took (a restart takes one)
  std::uint64_t state_hash = 0;              // after the frame
};

struct End {
  std::uint64_t frame_count = 0;
  std::uint64_t end_hash = 0;
};

// A whole replay in memory, for tools and tests; the game reads one as it plays it
// (replay_reader.h).
struct ReplayFile {
  Header header;
  std::vector<Frame> frames;
  std::optional<End> end;  // missing when the recording stopped early (a crash, a kill)
};

// The text header, up to and including the blank line that ends it.
std::string encode_header(const Header& header);
// Its first lines, the format and the game version: all of it that is known before the first
// run starts.
std::string encode_header_opening(std::string_view game_version);
// Done when `frame` can be written as one record; otherwise why not (more key names or clock
// readings than a count byte holds, a name longer than its length byte, a payload past the
// record's 16-bit length).
Status check_frame_fits(const Frame& frame);
// One frame record, for a frame that fits. `previous` is the frame before (nothing for the
// first): mouse and screen size are written only when they change.
std::vector<std::uint8_t> encode_frame(const Frame& frame, const FrameInput* previous);
std::vector<std::uint8_t> encode_end(const End& end);
// A whole replay, as a recording of it writes it.
std::vector<std::uint8_t> encode_replay(const ReplayFile& replay);

// Limits the reader holds values to; anything beyond is damage, not a recording.
inline constexpr std::size_t kMaxTracks = 64;
inline constexpr float kMaxFrameStep = 1.0f;  // the game caps its step far below this
inline constexpr float kMaxScreenSide = 65536.0f;

}  // namespace ventora::replay
