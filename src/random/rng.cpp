#include "random/rng.h"

namespace ventora::rng {
namespace {
Pcg32 g_generator;
}

std::uint32_t next() { return g_generator.next(); }
void seed(std::uint64_t seed) { g_generator.seed(seed); }
double uniform() { return next() / 4294967296.0; }
void reset() { g_generator.state = 0; }
std::uint64_t state() { return g_generator.state; }

}  // namespace ventora::rng
