// Any bytes as an MP3 file: decode_mp3 must come back with a whole WAV file or an error text,
// whatever the file claims about itself.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "music/mp3_decode.h"
#include "music/wav.h"

namespace {

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ventora::Result<std::vector<std::uint8_t>> result = ventora::decode_mp3({data, size});
  if (result) {
    const std::vector<std::uint8_t>* wav = &result.value();
    // The header's lengths must describe the bytes that follow it.
    const bool whole = wav->size() > ventora::kWavHeaderBytes &&
                       u32_at(*wav, 40) == wav->size() - ventora::kWavHeaderBytes &&
                       u32_at(*wav, 4) == wav->size() - 8;
    if (!whole) std::abort();
  }
  return 0;
}
