// SipHash with the number of compression and finalisation rounds as parameters; the reseed
// hashes key names with the 1-3 form.
#pragma once

#include <cstdint>
#include <span>

namespace ventora {

struct SipKey {
  std::uint64_t k0 = 0;
  std::uint64_t k1 = 0;
};

// The 64-bit SipHash-c-d of `message`: c rounds per 8-byte block, d rounds to finish.
std::uint64_t siphash(std::span<const std::uint8_t> message, SipKey key, int c_rounds, int d_rounds);

}  // namespace ventora
