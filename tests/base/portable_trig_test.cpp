#include "base/portable_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/copy_bits.h"

namespace ventora {
namespace {

std::uint32_t bits(float f) { return copy_bits<std::uint32_t>(f); }
std::uint64_t bits(double d) { return copy_bits<std::uint64_t>(d); }

template <class Bits>
struct Row {
  double x;
  Bits sin, cos;
};

// Printed by the browser build (`scripts/trig-cross-check table`: tools/trig-bits built with em++,
// run under node), so the desktop build passing this is the two agreeing bit for bit. Among the
// arguments: the three star-field ones and four sway ones whose sines the desktop's C library and
// the browser's round differently, and the double closest to a multiple of π/2.
constexpr Row<std::uint32_t> kFloatRows[] = {
    {0x0p+0, 0x00000000, 0x3f800000},
    {-0x0p+0, 0x80000000, 0x3f800000},
    {0x1.79ca1p-67, 0x1e3ce508, 0x3f800000},
    {0x1p-1, 0x3ef57744, 0x3f60a940},
    {0x1.921fb6p-1, 0x3f3504f3, 0x3f3504f3},
    {0x1.921fb6p+0, 0x3f800000, 0xb33bbd2e},
    {0x1.921fb6p+1, 0xb3bbbd2e, 0xbf800000},
    {0x1.9p+6, 0xbf01a12e, 0x3f5cc0ee},
    {-0x1.4p+1, 0xbf193578, 0xbf4d17bf},
    {0x1.599aep+10, 0x3df37372, 0x3f7e2f52},
    {0x1.8f47aep+8, 0xbe96324d, 0xbf74bcb3},
    {0x1.07cf5cp+9, 0xbe2aca5b, 0x3f7c6a07},
    {-0x1.bbc2a2p+5, 0x3f619daf, 0x3ef1f003},
    {0x1.bd9bdcp+11, 0x3f3e1ff5, 0xbf2b6e4e},
    {0x1.2a05f2p+33, 0xbef99a64, 0x3f5f84c5},
    {0x1.fffffep+127, 0xbf0599b3, 0x3f5a5f96},
};
constexpr Row<std::uint64_t> kDoubleRows[] = {
    {0x0p+0, 0x0000000000000000, 0x3ff0000000000000},
    {-0x0p+0, 0x8000000000000000, 0x3ff0000000000000},
    {0x1.56e1fc2f8f359p-997, 0x01a56e1fc2f8f359, 0x3ff0000000000000},
    {0x1.12e0be826d695p-30, 0x3e112e0be826d695, 0x3ff0000000000000},
    {0x1p-1, 0x3fdeaee8744b05f0, 0x3fec1528065b7d50},
    {0x1.921fb54442d18p-1, 0x3fe6a09e667f3bcc, 0x3fe6a09e667f3bcd},
    {0x1.921fb54442d18p+0, 0x3ff0000000000000, 0x3c91a62633145c07},
    {0x1.921fb54442d18p+1, 0x3ca1a62633145c07, 0xbff0000000000000},
    {-0x1.4p+3, 0x3fe1689ef5f34f52, 0xbfead9ac890c6b1f},
    {0x1.63p+8, 0xbeff9bd0307d1de3, 0xbfefffffffc18e4c},
    {0x1.0c9d0e3873bc5p+14, 0x3fdcebd2af160ad0, 0x3fec8bda5d7851bb},
    {-0x1.8bf904865de28p+13, 0x3fec48875471033f, 0xbfddefd6ec21a695},
    {-0x1.ac920003d5902p+12, 0xbfea6d99871d94fd, 0xbfe20b0a1269cfd3},
    {0x1.4e2513f82ff22p+13, 0xbfef330e67c4536b, 0x3fcc73bb26231572},
    {0x1.e84808p+19, 0xbfbb7bbd56f648b8, 0x3fefd0a79db83ee8},
    {0x1.0f0cf064dd592p+73, 0xbfeb453ab76bf397, 0x3fe0be2cef01c8f4},
    {0x1.6ac5b262ca1ffp+849, 0x3ff0000000000000, 0xbc214ae72e6ba22f},
    {0x1.7e43c8800759cp+996, 0xbfea2c16b010e385, 0xbfe2699022adc4c1},
    {0x1.fffffffffffffp+1023, 0x3f7452fc98b34e97, 0xbfefffe62ecfab75},
};

TEST(PortableTrig, GivesTheBrowserBuildsBits) {
  for (const auto& row : kFloatRows) {
    const auto x = static_cast<float>(row.x);
    EXPECT_EQ(bits(portable_sin(x)), row.sin) << "sin " << row.x;
    EXPECT_EQ(bits(portable_cos(x)), row.cos) << "cos " << row.x;
  }
  for (const auto& row : kDoubleRows) {
    EXPECT_EQ(bits(portable_sin(row.x)), row.sin) << "sin " << row.x;
    EXPECT_EQ(bits(portable_cos(row.x)), row.cos) << "cos " << row.x;
  }
}

// How many representable values apart two results are (as many as can be for opposite signs).
template <class T>
std::uint64_t steps_apart(T a, T b) {
  if (std::signbit(a) != std::signbit(b)) return std::numeric_limits<std::uint64_t>::max();
  const std::uint64_t x = bits(a), y = bits(b);
  return x > y ? x - y : y - x;
}

// The C library here is within about half a unit; agreeing with it to one step over the ranges the
// game uses (and far beyond) shows the series and the argument reduction are right.
TEST(PortableTrig, StaysWithinOneStepOfTheCLibrary) {
  const auto check = [](auto x) {
    const auto s = portable_sin(x), c = portable_cos(x);
    const auto ls = std::sin(x), lc = std::cos(x);
    EXPECT_LE(steps_apart(s, ls), 1u) << "sin " << x;
    EXPECT_LE(steps_apart(c, lc), 1u) << "cos " << x;
  };
  for (int i = -50000; i <= 50000; ++i) check(static_cast<float>(i) * 0.1003f);  // the star field
  for (int i = -50000; i <= 50000; ++i) check(i * 0.7321);    // sway: up to ~10 h at rate 1
  for (int i = 0; i <= 20000; ++i) check(i * 12345.678901);    // up to 2.5e8
  for (int e = -30; e <= 1023; ++e) check(std::ldexp(1.2345678901234567, e));
  for (int e = -30; e <= 127; ++e) check(std::ldexp(1.2345678f, e));
}

TEST(PortableTrig, KeepsSymmetryAndSpecialValues) {
  for (double x : {0.0, 1e-9, 0.3, 2.0, 17.5, 1e5, 1e22, 1e300}) {
    EXPECT_EQ(bits(portable_sin(-x)), bits(-portable_sin(x))) << x;
    EXPECT_EQ(bits(portable_cos(-x)), bits(portable_cos(x))) << x;
  }
  EXPECT_TRUE(std::signbit(portable_sin(-0.0)));
  EXPECT_TRUE(std::signbit(portable_sin(-0.0f)));
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (double x : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(portable_sin(x))) << x;
    EXPECT_TRUE(std::isnan(portable_cos(x))) << x;
    EXPECT_TRUE(std::isnan(portable_sin(static_cast<float>(x)))) << x;
    EXPECT_TRUE(std::isnan(portable_cos(static_cast<float>(x)))) << x;
  }
}

}  // namespace
}  // namespace ventora
