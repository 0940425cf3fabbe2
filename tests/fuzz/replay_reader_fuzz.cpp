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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ReadResult read = read_replay({data, size}, kVersion);
  if (!read) {
    const std::string& error = read.error().message;
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const std::vector<std::uint8_t> written = encode_replay(read.value());
  const ReadResult again = read_replay(written, kVersion);
  if (!again || encode_replay(again.value()) != written) std::abort();
  return 0;
}
