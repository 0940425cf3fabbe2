// planet-bench: draws each stage planet at the 1080p square (660 × 660, 110 art pixels) through
// the art-pixel fast path and through the direct path, and prints the times and their ratio.
//   planet-bench [--frames N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "headless_gl.h"
#include "planet/core/planet.h"
#include "planet/gl/planet_painter.h"

namespace {

constexpr int kSide = 660;
constexpr std::uint32_t kPixels = 110;
constexpr planet::PlanetKind kStageKinds[] = {
    planet::PlanetKind::RiverPlanet, planet::PlanetKind::IslandPlanet, planet::PlanetKind::GasGiant,
    planet::PlanetKind::IcePlanet, planet::PlanetKind::LavaPlanet};

// Mean milliseconds per planet draw over `frames` draws (after one warm-up draw that builds
// materials); the target is cleared once, so only the planet is timed.
ventora::Result<double> time_draws(planet::PlanetPainter& painter, const gl::RenderTarget& target,
                                   planet::Planet planet, int frames, bool fast) {
  const auto projection = planet::pixel_projection(kSide, kSide);
  const auto draw = [&](int frame) {
    planet.time = static_cast<float>(frame) / 60.0f;
    return fast ? painter.draw_planet(planet, 0, 0, kSide, kSide, 0, projection.data())
                : painter.draw_planet_direct(planet, 0, 0, kSide, kSide, 0, projection.data());
  };
  planet::clear_target(target, 0, 0, 0, 1);
  if (const ventora::Status drawn = draw(0); !drawn) return drawn.error();
  planet::gl_finish();
  const auto start = std::chrono::steady_clock::now();
  for (int f = 1; f <= frames; ++f) {
    if (const ventora::Status drawn = draw(f); !drawn) return drawn.error();
  }
  planet::gl_finish();
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / frames;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 10;
  if (argc == 3 && std::strcmp(argv[1], "--frames") == 0) frames = std::max(1, std::atoi(argv[2]));
  const auto gl = planet::HeadlessGl::create();
  if (!gl) {
    std::fprintf(stderr, "planet-bench: no GL context: %s\n", gl.error().message.c_str());
    return 1;
  }
  gl::RenderTarget target;
  if (const ventora::Status made = target.resize(kSide, kSide); !made) {
    std::fprintf(stderr, "planet-bench: %s\n", made.error().message.c_str());
    return 1;
  }
  planet::PlanetPainter painter;
  std::printf("%-14s %12s %12s %8s\n", "kind", "fast ms", "direct ms", "ratio");
  double fast_total = 0, direct_total = 0;
  for (planet::PlanetKind kind : kStageKinds) {
    planet::PlanetParams params;
    params.seed = 1234567890123466796ull;
    params.pixels = kPixels;
    const planet::Planet planet = planet::create_planet(kind, params);
    const ventora::Result<double> fast_ms = time_draws(painter, target, planet, frames, true);
    const ventora::Result<double> direct_ms = time_draws(painter, target, planet, frames, false);
    for (const ventora::Result<double>* timed : {&fast_ms, &direct_ms}) {
      if (!*timed) {
        std::fprintf(stderr, "planet-bench: %s\n", timed->error().message.c_str());
        return 1;
      }
    }
    const double fast = fast_ms.value(), direct = direct_ms.value();
    fast_total += fast;
    direct_total += direct;
    std::printf("%-14s %12.2f %12.2f %7.1fx\n", std::string(planet::kind_name(kind)).c_str(), fast,
                direct, direct / fast);
  }
  std::printf("%-14s %12.2f %12.2f %7.1fx\n", "all five", fast_total, direct_total,
              direct_total / fast_total);
  return 0;
}
