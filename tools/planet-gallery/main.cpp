// planet-gallery: renders planet kinds to PNG without a screen, plus a contact sheet of all twelve.
//   planet-gallery [--out DIR] [--kind NAME] [--size N] [--pixels P] [--time T] [--seed S]
//                  [--no-dither] [--sheet FILE]
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "headless_gl.h"
#include "planet/core/planet.h"
#include "planet/gl/planet_painter.h"

namespace {

struct Options {
  std::string out = ".";
  std::optional<planet::PlanetKind> kind;
  int size = 256;
  std::uint32_t pixels = 100;
  float time = 0;
  std::uint64_t seed = 1234567890123466796ull;
  bool dither = true;
  std::string sheet;  // empty: <out>/planets.png
};

constexpr int kSheetColumns = 4;
constexpr float kSpace[4] = {0.04f, 0.05f, 0.09f, 1.0f};

[[noreturn]] void usage(const char* problem) {
  std::fprintf(stderr,
               "%s\nusage: planet-gallery [--out DIR] [--kind NAME] [--size N] [--pixels P] "
               "[--time T] [--seed S] [--no-dither] [--sheet FILE]\n",
               problem);
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--no-dither") {
      o.dither = false;
      continue;
    }
    if (i + 1 >= argc) usage("missing value");
    const char* value = argv[++i];
    if (arg == "--out") {
      o.out = value;
    } else if (arg == "--kind") {
      o.kind = planet::kind_from_name(value);
      if (!o.kind) usage("unknown kind (RiverPlanet, DryPlanet, ... Star)");
    } else if (arg == "--size") {
      o.size = std::atoi(value);
    } else if (arg == "--pixels") {
      o.pixels = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    } else if (arg == "--time") {
      o.time = std::strtof(value, nullptr);
    } else if (arg == "--seed") {
      o.seed = std::strtoull(value, nullptr, 10);
    } else if (arg == "--sheet") {
      o.sheet = value;
    } else {
      usage("unknown option");
    }
  }
  if (o.size < 16 || o.size > 4096) usage("--size must be 16..4096");
  if (o.sheet.empty()) o.sheet = o.out + "/planets.png";
  return o;
}

planet::Planet make(planet::PlanetKind kind, const Options& o) {
  planet::PlanetParams params;
  params.seed = o.seed;
  params.pixels = o.pixels;
  params.time = o.time;
  params.should_dither = o.dither;
  return planet::create_planet(kind, params);
}

bool write_png(const std::string& path, const gl::RenderTarget& target) {
  const auto pixels = planet::read_top_down(target);
  const bool ok = stbi_write_png(path.c_str(), target.width(), target.height(), 4, pixels.data(),
                                 target.width() * 4) != 0;
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

// False after saying why the call failed.
bool succeeded(const ventora::Status& status) {
  if (!status) std::fprintf(stderr, "planet-gallery: %s\n", status.error().message.c_str());
  return static_cast<bool>(status);
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse(argc, argv);
  const auto gl = planet::HeadlessGl::create();
  if (!gl) {
    std::fprintf(stderr, "planet-gallery: no GL context: %s\n", gl.error().message.c_str());
    return 1;
  }
  planet::PlanetPainter painter;
  bool ok = true;

  // One transparent PNG per kind.
  gl::RenderTarget single;
  if (!succeeded(single.resize(o.size, o.size))) return 1;
  const auto single_projection = planet::pixel_projection(static_cast<float>(o.size), static_cast<float>(o.size));
  for (int k = 0; k < planet::kPlanetKindCount; ++k) {
    const auto kind = static_cast<planet::PlanetKind>(k);
    if (o.kind && *o.kind != kind) continue;
    planet::clear_target(single, 0, 0, 0, 0);
    const float side = static_cast<float>(o.size);
    if (!succeeded(painter.draw_planet(make(kind, o), 0, 0, side, side, 0, single_projection.data()))) {
      return 1;
    }
    const std::string path = o.out + "/" + std::string(planet::kind_name(kind)) + ".png";
    ok = write_png(path, single) && ok;
    std::printf("%s\n", path.c_str());
  }

  // The contact sheet: all twelve on the night sky, four to a row.
  if (!o.kind) {
    const int rows = (planet::kPlanetKindCount + kSheetColumns - 1) / kSheetColumns;
    gl::RenderTarget sheet;
    if (!succeeded(sheet.resize(o.size * kSheetColumns, o.size * rows))) return 1;
    planet::clear_target(sheet, kSpace[0], kSpace[1], kSpace[2], kSpace[3]);
    const auto projection = planet::pixel_projection(static_cast<float>(sheet.width()),
                                                     static_cast<float>(sheet.height()));
    for (int k = 0; k < planet::kPlanetKindCount; ++k) {
      const float side = static_cast<float>(o.size);
      const float x = static_cast<float>(k % kSheetColumns) * side;
      const float y = static_cast<float>(k / kSheetColumns) * side;
      if (!succeeded(painter.draw_planet(make(static_cast<planet::PlanetKind>(k), o), x, y, side, side,
                                     0, projection.data()))) {
        return 1;
      }
    }
    ok = write_png(o.sheet, sheet) && ok;
    std::printf("%s\n", o.sheet.c_str());
  }
  return ok ? 0 : 1;
}
