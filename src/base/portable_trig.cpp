// Only additions, subtractions, multiplications and divisions, which IEEE-754 rounds the same on
// every machine, plus exact integer work. The project builds with -ffp-contract=off, so no
// multiply-add fuses into one rounding on one platform and not on another.
#include "base/portable_trig.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ventora {

namespace {

// The bits of 2/π after the binary point, most significant first. Reducing the largest double
// reads up to bit 1163.
constexpr std::array<std::uint32_t, 40> kTwoOverPi{
    0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0, 0xdb629599, 0x3c439041, 0xfe5163ab, 0xdebbc561,
    0xb7246e3a, 0x424dd2e0, 0x06492eea, 0x09d1921c, 0xfe1deb1c, 0xb129a73e, 0xe88235f5, 0x2ebb4484,
    0xe99c7026, 0xb45f7e41, 0x3991d639, 0x835339f4, 0x9c845f8b, 0xbdf9283b, 0x1ff897ff, 0xde05980f,
    0xef2f118b, 0x5a0a6d1f, 0x6d367ecf, 0x27cb09b7, 0x4f463f66, 0x9e5fea2d, 0x7527bac7, 0xebe5f17b,
    0x3d0739f7, 0x8a5292ea, 0x6bfb5fb1, 0x1f8d5d08, 0x56033046, 0xfc7b6bab, 0xf0cfbc20, 0x9af4361d};

// π/2 as the sum of two doubles.
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kHalfPiTail = 6.123233995736766e-17;
// At most π/4: no reduction needed.
constexpr double kQuarterPi = 0.7853981633974483;

// sin r = r + r³·S(r²), cos r = 1 − r²/2 + r⁴·C(r²): Taylor series, cut where the next term is
// below a thousandth of a unit in the last place for |r| ≤ π/4.
constexpr std::array<double, 8> kSinSeries{
    -1.0 / 6,        1.0 / 120,          -1.0 / 5040,          1.0 / 362880,
    -1.0 / 39916800, 1.0 / 6227020800, -1.0 / 1307674368000, 1.0 / 355687428096000};
constexpr std::array<double, 8> kCosSeries{
    1.0 / 24,        -1.0 / 720,          1.0 / 40320,          -1.0 / 3628800,
    1.0 / 479001600, -1.0 / 87178291200, 1.0 / 20922789888000, -1.0 / 6402373705728000};

template <std::size_t N>
double series(const std::array<double, N>& terms, double z) {
  double sum = terms[N - 1];
  for (std::size_t i = N - 1; i-- > 0;) sum = sum * z + terms[i];
  return sum;
}

// Thirty-two bits of 2/π from bit `first` on (bit 0 is the first after the binary point; the bits
// before it are 0).
std::uint32_t two_over_pi_bits(int first) {
  const auto word = [](int i) -> std::uint64_t {
    return i >= 0 && i < static_cast<int>(kTwoOverPi.size()) ? kTwoOverPi[i] : 0;
  };
  const int index = first >= 0 ? first / 32 : -((31 - first) / 32);  // rounded down
  const int shift = first - 32 * index;
  return static_cast<std::uint32_t>(((word(index) << 32) | word(index + 1)) >> (32 - shift));
}

// x = r + k·π/2 with |r| ≤ π/4 (about): r as hi + lo, and k mod 4.
struct Reduced {
  double hi = 0, lo = 0;
  unsigned quadrant = 0;
};

// hi + lo = a·b exactly (Dekker's product).
struct Exact {
  double hi, lo;
};
Exact split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double hi = c - (c - a);
  return {hi, a - hi};
}
Exact exact_product(double a, double b) {
  const double p = a * b;
  const Exact as = split(a), bs = split(b);
  return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

// x·2/π in exact integer arithmetic (Payne and Hanek's way), for finite x > π/4: x = m·2^e with a
// 53-bit integer m, times a 224-bit window of 2/π's bits chosen so that the product's bits 192 and
// 193 are k mod 4 and the 192 below the fraction, off by less than 2^-139.
Reduced reduce(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const std::uint64_t m = (bits & 0xfffffffffffffULL) | (1ULL << 52);
  const int e = static_cast<int>(bits >> 52) - 1075;

  constexpr std::size_t kWindow = 7;  // limbs of 32 bits, least significant first
  std::array<std::uint32_t, kWindow> window{};
  for (std::size_t i = 0; i < kWindow; ++i)
    window[i] = two_over_pi_bits(e - 32 + 32 * static_cast<int>(kWindow - 1 - i));
  const std::array<std::uint32_t, 2> factor{static_cast<std::uint32_t>(m),
                                            static_cast<std::uint32_t>(m >> 32)};
  std::array<std::uint32_t, kWindow + 2> product{};
  for (std::size_t i = 0; i < factor.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < kWindow; ++j) {
      const std::uint64_t t = std::uint64_t{factor[i]} * window[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    product[i + kWindow] = static_cast<std::uint32_t>(carry);
  }

  Reduced r;
  r.quadrant = product[6] & 3;
  std::uint64_t hi = (std::uint64_t{product[5]} << 32) | product[4];
  std::uint64_t lo = (std::uint64_t{product[3]} << 32) | product[2];
  // A fraction of a half or more belongs to the next quadrant: r goes negative.
  const bool negative = hi >> 63;
  if (negative) {
    ++r.quadrant;
    hi = ~hi;
    lo = ~lo + 1;
    if (lo == 0) ++hi;
  }
  int scale = 0;  // the fraction is (hi·2^64 + lo)·2^(-128 - scale)
  if (hi == 0) {
    hi = lo;
    lo = 0;
    scale = 64;
  }
  if (const int lead = std::countl_zero(hi); lead > 0 && lead < 64) {
    hi = (hi << lead) | (lo >> (64 - lead));
    lo <<= lead;
    scale += lead;
  }
  // Its top 106 bits as two doubles of 53 bits each.
  const double f_hi = std::ldexp(static_cast<double>(hi >> 11), -53 - scale);
  const double f_lo =
      std::ldexp(static_cast<double>(((hi & 0x7ff) << 42) | (lo >> 22)), -106 - scale);
  // Times π/2, carried in two doubles.
  const Exact p = exact_product(f_hi, kHalfPi);
  const double tail = p.lo + (f_hi * kHalfPiTail + f_lo * kHalfPi);
  r.hi = p.hi + tail;
  r.lo = tail - (r.hi - p.hi);
  if (negative) {
    r.hi = -r.hi;
    r.lo = -r.lo;
  }
  return r;
}

Reduced reduce_magnitude(double a) { return a <= kQuarterPi ? Reduced{a, 0, 0} : reduce(a); }

// sin(hi + lo) for |hi| ≤ π/4 and lo below half a unit of hi.
double sin_near_zero(double hi, double lo) {
  const double z = hi * hi;
  return hi + (hi * z * series(kSinSeries, z) + lo * (1 - 0.5 * z));
}

// cos(hi + lo), the same way; 1 − r²/2 keeps the error of its own rounding.
double cos_near_zero(double hi, double lo) {
  const double z = hi * hi;
  const double half_z = 0.5 * z;
  const double w = 1 - half_z;
  return w + (((1 - w) - half_z) + (z * z * series(kCosSeries, z) - hi * lo));
}

// sin(r + quadrant·π/2).
double sin_in_quadrant(const Reduced& r, unsigned quadrant) {
  switch (quadrant & 3) {
    case 0: return sin_near_zero(r.hi, r.lo);
    case 1: return cos_near_zero(r.hi, r.lo);
    case 2: return -sin_near_zero(r.hi, r.lo);
    default: return -cos_near_zero(r.hi, r.lo);
  }
}

}  // namespace

double portable_sin(double x) {
  if (!std::isfinite(x)) return x - x;  // NaN
  const double a = std::fabs(x);
  if (a < 0x1p-27) return x;  // x³/6 is below half a unit of x
  const Reduced r = reduce_magnitude(a);
  const double s = sin_in_quadrant(r, r.quadrant);
  return x < 0 ? -s : s;
}

double portable_cos(double x) {
  if (!std::isfinite(x)) return x - x;
  const Reduced r = reduce_magnitude(std::fabs(x));
  return sin_in_quadrant(r, r.quadrant + 1);
}

float portable_sin(float x) { return static_cast<float>(portable_sin(static_cast<double>(x))); }

float portable_cos(float x) { return static_cast<float>(portable_cos(static_cast<double>(x))); }

}  // namespace ventora
