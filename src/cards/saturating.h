// Card numbers stay inside 32 bits: sums and float results that would leave the range stop at
// its nearest end instead of wrapping.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ventora {

// A float turned into a 32-bit count: out-of-range values saturate, not-a-number is 0.
inline std::int32_t saturate_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// A sum formed in 64 bits, held to the 32-bit range.
inline std::int32_t saturating_sum(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace ventora
