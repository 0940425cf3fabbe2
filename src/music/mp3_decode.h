// Decoding a whole MP3 file held in memory into a WAV file.
#pragma once

#include <cstdint>
#include <span>
#include <stop_token>
#include <string>
#include <variant>
#include <vector>

namespace ventora {

// The decoded WAV file, or the reason there is none.
using DecodeResult = std::variant<std::vector<std::uint8_t>, std::string>;

// Decodes every frame (corrupt stretches are skipped). Errors: "no MP3 frames decoded",
// "variable sample rate/channel count is unsupported", "MP3 had no default audio track", "out of
// memory decoding MP3", or libmpg123's text. Lengths the file claims never size an allocation.
// A stop requested through `stop` ends decoding within a frame with "decoding stopped".
DecodeResult decode_mp3(std::span<const std::uint8_t> bytes, std::stop_token stop = {});

}  // namespace ventora
