#include "random/siphash.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ventora {
namespace {

// The 64-bit SipHash-2-4 vectors of the algorithm's paper and reference code: key 00 01 .. 0f,
// message 00 01 .. (n-1) for n = 0 .. 15.
TEST(SipHash, TwoFourMatchesThePublishedVectors) {
  const std::uint64_t expected[16] = {
      0x726fdb47dd0e0e31, 0x74f839c593dc67fd, 0x0d6c8009d9a94f5a, 0x85676696d7fb7e2d,
      0xcf2794e0277187b7, 0x18765564cd99a68d, 0xcbc9466e58fee3ce, 0xab0200f58b01d137,
      0x93f5f5799a932462, 0x9e0082df0ba9e4b0, 0x7a5dbbc594ddb9f3, 0xf4b32f46226bada7,
      0x751e8fbc860ee5fb, 0x14ea5627c0843d90, 0xf723ca908e7af2ee, 0xa129ca6149be45e5,
  };
  const SipKey key{0x0706050403020100ULL, 0x0f0e0d0c0b0a0908ULL};
  std::vector<std::uint8_t> message;
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(siphash(message, key, 2, 4), expected[n]) << "length " << n;
    message.push_back(static_cast<std::uint8_t>(n));
  }
}

// The 1-3 form with a zero key over a name and one 0xFF byte, as the reseed hashes key names.
// Reference values from an independent SipHash-1-3 implementation.
TEST(SipHash, OneThreeOfKeyNames) {
  const std::vector<std::pair<std::string, std::uint64_t>> table = {
      {"", 0x30406ea523c53def},      {"A", 0xb7573437c81be6a3},
      {"Kp0", 0xb6497fb74bdaa351},   {"Key1", 0xcd196af495906d61},
      {"Space", 0x68aae99ab6b778ae}, {"Escape", 0xff4998739165755c},
      {"Unknown", 0x39ce0a0e34a02d4f}, {"KpMultiply", 0xdb93e08b902e2849},
      {"RightControl", 0x7266634c97ce8776},
  };
  for (const auto& [name, hash] : table) {
    std::vector<std::uint8_t> bytes(name.begin(), name.end());
    bytes.push_back(0xFF);
    EXPECT_EQ(siphash(bytes, SipKey{0, 0}, 1, 3), hash) << name;
  }
}

}  // namespace
}  // namespace ventora
