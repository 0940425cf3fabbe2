// Prints the bit patterns of the simulation's sines and cosines (base/portable_trig.h), so that
// the desktop build and the browser build can be compared line by line:
//   trig-bits sweep   the star field's arguments, then random ones over the ranges the game uses
//   trig-bits table   fixed arguments as C++ rows, the table tests/base/portable_trig_test.cpp
//                     checks (print it from the browser build: scripts/trig-cross-check)
// It needs nothing but the standard library and src/base, so em++ builds it alone.
#include <cfloat>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "base/copy_bits.h"
#include "base/portable_trig.h"

namespace {

using ventora::copy_bits;
using ventora::portable_cos;
using ventora::portable_sin;

std::uint32_t bits(float f) { return copy_bits<std::uint32_t>(f); }
std::uint64_t bits(double d) { return copy_bits<std::uint64_t>(d); }

// A fixed PCG32 stream, so that both builds draw the same arguments.
class Draws {
 public:
  double uniform() {
    const std::uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const auto x = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rot = static_cast<std::uint32_t>(old >> 59);
    return ((x >> rot) | (x << ((32 - rot) & 31))) / 4294967296.0;
  }

 private:
  std::uint64_t state_ = 0x853c49e6748fea9bULL;
};

void print_float(const char* label, float x) {
  std::printf("%s %08" PRIx32 " %08" PRIx32 " %08" PRIx32 "\n", label, bits(x),
              bits(portable_sin(x)), bits(portable_cos(x)));
}

void print_double(const char* label, double x) {
  std::printf("%s %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", label, bits(x),
              bits(portable_sin(x)), bits(portable_cos(x)));
}

void sweep() {
  // The backdrop's star field, exactly as the game computes its arguments.
  for (int i = 0; i < 90; ++i) {
    const float fi = static_cast<float>(i);
    print_float("star", 53.17f * fi);
    print_float("star", 19.41f * fi);
    print_float("star", 7.13f * fi);
  }
  Draws draws;
  for (int i = 0; i < 200000; ++i)
    print_float("float", static_cast<float>(draws.uniform() * 10000.0 - 5000.0));
  // The confetti's sway: a clock reading in a session of up to two hours times a rate in [-5, 5).
  for (int i = 0; i < 200000; ++i) {
    const double time = draws.uniform() * 7200.0;
    print_double("sway", time * static_cast<float>(draws.uniform() * 10.0 - 5.0));
  }
  // A day's worth of seconds at the fastest sway, and far beyond.
  for (int i = 0; i < 100000; ++i) print_double("wide", draws.uniform() * 1e6 - 5e5);
  for (int i = 0; i < 10000; ++i) print_double("huge", (draws.uniform() - 0.5) * 1e300);
}

void table() {
  // Among them the three star-field arguments and two others the C libraries round differently.
  const float floats[] = {0.0f,        -0.0f,      1e-20f,     0.5f,       0.78539816f,
                          1.5707964f,  3.1415927f, 100.0f,     -2.5f,      53.17f * 26,
                          7.13f * 56,  7.13f * 74, -0x1.bbc2a2p+5f, 0x1.bd9bdcp+11f, 1e10f,
                          FLT_MAX};
  for (float x : floats)
    std::printf("    {%a, 0x%08" PRIx32 ", 0x%08" PRIx32 "},\n", static_cast<double>(x),
                bits(portable_sin(x)), bits(portable_cos(x)));
  std::printf("\n");
  const double doubles[] = {0.0,
                            -0.0,
                            1e-300,
                            1e-9,
                            0.5,
                            0.7853981633974483,
                            1.5707963267948966,
                            3.141592653589793,
                            -10.0,
                            355.0,
                            0x1.0c9d0e3873bc5p+14,  // sway arguments the two C libraries
                            -0x1.8bf904865de28p+13,  // round differently
                            -0x1.ac920003d5902p+12,
                            0x1.4e2513f82ff22p+13,
                            1e6 + 0.25,
                            1e22,
                            0x1.6ac5b262ca1ffp+849,  // the double closest to a multiple of π/2
                            1e300,
                            DBL_MAX};
  for (double x : doubles)
    std::printf("    {%a, 0x%016" PRIx64 ", 0x%016" PRIx64 "},\n", x, bits(portable_sin(x)),
                bits(portable_cos(x)));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 2 ? argv[1] : "";
  if (mode == "sweep") {
    sweep();
  } else if (mode == "table") {
    table();
  } else {
    std::fprintf(stderr, "usage: trig-bits sweep|table\n");
    return 2;
  }
  return 0;
}
