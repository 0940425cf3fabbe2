#include "random/siphash.h"

#include <bit>

namespace ventora {

namespace {

struct SipState {
  std::uint64_t v0, v1, v2, v3;

  void round() {
    v0 += v1;
    v1 = std::rotl(v1, 13);
    v1 ^= v0;
    v0 = std::rotl(v0, 32);
    v2 += v3;
    v3 = std::rotl(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = std::rotl(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = std::rotl(v1, 17);
    v1 ^= v2;
    v2 = std::rotl(v2, 32);
  }

  void absorb(std::uint64_t m, int rounds) {
    v3 ^= m;
    for (int i = 0; i < rounds; ++i) round();
    v0 ^= m;
  }
};

std::uint64_t load_le(const std::uint8_t* bytes, size_t count) {
  std::uint64_t word = 0;
  for (size_t i = 0; i < count; ++i) word |= std::uint64_t{bytes[i]} << (8 * i);
  return word;
}

}  // namespace

std::uint64_t siphash(std::span<const std::uint8_t> message, SipKey key, int c_rounds, int d_rounds) {
  SipState s{key.k0 ^ 0x736f6d6570736575ULL, key.k1 ^ 0x646f72616e646f6dULL,
             key.k0 ^ 0x6c7967656e657261ULL, key.k1 ^ 0x7465646279746573ULL};
  const size_t whole = message.size() / 8 * 8;
  for (size_t i = 0; i < whole; i += 8) s.absorb(load_le(message.data() + i, 8), c_rounds);
  // The last block carries the leftover bytes and the length's low byte on top.
  const std::uint64_t last =
      load_le(message.data() + whole, message.size() - whole) | (std::uint64_t{message.size()} << 56);
  s.absorb(last, c_rounds);
  s.v2 ^= 0xff;
  for (int i = 0; i < d_rounds; ++i) s.round();
  return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

}  // namespace ventora
