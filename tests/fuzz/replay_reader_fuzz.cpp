// Any bytes as a replay file: read_replay must come back with a replay or one line of error,
// whatever counts and values the file claims. A replay it accepts must write back to bytes that
// read as the same replay.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "replay/replay_format.h"
#include "replay/replay_reader.h"

namespace {

using namespace ventora::replay;

// The version the seed corpus was recorded with; other versions stop at the header.
constexpr const char* kVersion = "1.0.0";

std::vector<std::uint8_t> bytes_of(const ReplayFile& replay) {
  const std::string header = encode_header(replay.header);
  std::vector<std::uint8_t> out(header.begin(), header.end());
  const ventora::FrameInput* previous = nullptr;
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ReadResult read = read_replay({data, size}, kVersion);
  if (!read.replay) {
    if (read.error.empty() || read.error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const std::vector<std::uint8_t> written = bytes_of(*read.replay);
  const ReadResult again = read_replay(written, kVersion);
  if (!again.replay || bytes_of(*again.replay) != written) std::abort();
  return 0;
}
