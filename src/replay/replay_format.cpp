#include "replay/replay_format.h"

#include <cstdio>

#include "replay/bytes.h"

namespace ventora::replay {

namespace {

static_assert(static_cast<std::size_t>(Key::Count) <= 16, "key bits travel as 16 bits");

std::string hex(std::uint64_t value, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
  return text;
}

// Frame flags.
constexpr std::uint8_t kLeftClick = 1;
constexpr std::uint8_t kMouseFollows = 2;
constexpr std::uint8_t kScreenFollows = 4;

// A record: its tag, its payload's length, the payload.
std::vector<std::uint8_t> record(std::uint8_t tag, const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> out;
  ByteWriter w(out);
  w.u8(tag);
  w.u16(static_cast<std::uint16_t>(payload.size()));
  w.bytes(payload);
  return out;
}

}  // namespace

std::string encode_header_opening(std::string_view game_version) {
  return std::string(kMagic) + " " + std::to_string(kFormatVersion) + "\n" + "game " +
         std::string(game_version) + "\n";
}

std::string encode_header(const Header& header) {
  std::string text = encode_header_opening(header.game_version);
  text += "mode " + std::string(mode_word(header.mode)) + "\n";
  if (header.music) {
    text += "music on " + std::to_string(header.track_seconds.size());
    for (float seconds : header.track_seconds)
      text += " " + hex(copy_bits<std::uint32_t>(seconds), 8);
    text += "\n";
  } else {
    text += "music off\n";
  }
  text += "clock " + std::to_string(header.start_clock.seconds) + " " +
          std::to_string(header.start_clock.nanoseconds) + "\n";
  text += "start " + hex(header.start_hash, 16) + "\n";
  text += "\n";
  return text;
}

Status check_frame_fits(const Frame& frame) {
  constexpr std::size_t kMaxCount = 0xFF;
  const std::vector<std::string>& names = frame.input.pressed_names;
  if (names.size() > kMaxCount) return Error{std::to_string(names.size()) + " key names in one frame"};
  if (frame.clock_readings.size() > kMaxCount) {
    return Error{std::to_string(frame.clock_readings.size()) + " clock readings in one frame"};
  }
  // The largest payload without the names (mouse and screen size both written), then the names.
  std::size_t payload = 4 + 1 + 2 + 2 + 8 + 8 + 8 + 1 + 1 + 12 * frame.clock_readings.size() + 8;
  for (const std::string& name : names) {
    if (name.size() > kMaxCount) return Error{"a key name of " + std::to_string(name.size()) + " bytes"};
    payload += 1 + name.size();
  }
  if (payload > 0xFFFF) return Error{"a frame record of " + std::to_string(payload) + " bytes"};
  return Done{};
}

std::vector<std::uint8_t> encode_frame(const Frame& frame, const FrameInput* previous) {
  const FrameInput& in = frame.input;
  const bool mouse_changed = !previous || !(previous->mouse == in.mouse);
  const bool screen_changed = !previous || previous->screen_width != in.screen_width ||
                              previous->screen_height != in.screen_height;
  std::vector<std::uint8_t> payload;
  ByteWriter w(payload);
  w.f32(frame.dt);
  w.u8(static_cast<std::uint8_t>((in.left_click ? kLeftClick : 0) |
                                 (mouse_changed ? kMouseFollows : 0) |
                                 (screen_changed ? kScreenFollows : 0)));
  w.u16(static_cast<std::uint16_t>(in.pressed.to_ulong()));
  w.u16(static_cast<std::uint16_t>(in.held.to_ulong()));
  if (mouse_changed) {
    w.f32(in.mouse.x);
    w.f32(in.mouse.y);
  }
  if (screen_changed) {
    w.f32(in.screen_width);
    w.f32(in.screen_height);
  }
  w.f64(in.time);
  w.u8(static_cast<std::uint8_t>(in.pressed_names.size()));
  for (const std::string& name : in.pressed_names) {
    w.u8(static_cast<std::uint8_t>(name.size()));
    w.bytes({reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
  }
  w.u8(static_cast<std::uint8_t>(frame.clock_readings.size()));
  for (const ClockReading& reading : frame.clock_readings) {
    w.i64(reading.seconds);
    w.u32(reading.nanoseconds);
  }
  w.u64(frame.state_hash);
  return record(kFrameTag, payload);
}

std::vector<std::uint8_t> encode_end(const End& end) {
  std::vector<std::uint8_t> payload;
  ByteWriter w(payload);
  w.u64(end.frame_count);
  w.u64(end.end_hash);
  return record(kEndTag, payload);
}

std::vector<std::uint8_t> encode_replay(const ReplayFile& replay) {
  const std::string header = encode_header(replay.header);
  std::vector<std::uint8_t> out(header.begin(), header.end());
  const FrameInput* previous = nullptr;
  for (const Frame& frame : replay.frames) {
    const std::vector<std::uint8_t> record = encode_frame(frame, previous);
    out.insert(out.end(), record.begin(), record.end());
    previous = &frame.input;
  }
  if (replay.end) {
    const std::vector<std::uint8_t> record = encode_end(*replay.end);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
}

}  // namespace ventora::replay
