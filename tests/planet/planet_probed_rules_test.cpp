// Layer shader rules checked pixel by pixel: a probe of the same shader reports the values it
// decided on (a noise value, the dither test), and the expected alpha or colour of each pixel is
// worked out here from those values, the pixel's position and the rule. Pixels within a
// quantisation step of a threshold are left out: the rule is about the others.
#include <algorithm>
#include <cmath>
#include <set>

#include "shader_probe.h"

namespace planet::test {
namespace {

using ProbedRulesTest = GlTest;

LayerDraw layer(const Planet& planet, std::size_t index, float spin = 0) {
  return layer_draws(planet, spin).at(index);
}

Image draw_one(PlanetPainter& painter, const LayerDraw& draw, int size) {
  const float side = static_cast<float>(size);
  return render_layers(painter, {draw}, size, size, 0, 0, side, side);
}

bool near(float value, float threshold, float margin) { return std::fabs(value - threshold) <= margin; }

constexpr float kStep = 1.0f / 255.0f;  // one level of a probed value

TEST_F(ProbedRulesTest, RingIsTransparentWhereItsValueIsBelow028) {
  constexpr int size = 128;
  const LayerDraw ring = layer(make_planet(PlanetKind::RingedGiant, size), 1);
  PlanetPainter painter;
  const Image picture = draw_one(painter, ring, size);
  const Image probe = probe_layer(ring, "vec3(ring, 0.0, 0.0)", size);
  int opaque = 0, faint = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float value = channel(probe, x, y, 0);
      if (near(value, 0.28f, kStep)) continue;
      const bool above = value > 0.28f;
      ASSERT_EQ(picture.at(x, y).a, above ? 255 : 0) << x << "," << y << " ring " << value;
      opaque += above ? 1 : 0;
      faint += !above && value > 0.02f ? 1 : 0;  // some ring, but too little: transparent
    }
  }
  EXPECT_GT(opaque, 30);
  EXPECT_GT(faint, 30);
}

TEST_F(ProbedRulesTest, StarBrightensBy13WhereItDoesNotDither) {
  constexpr int size = 64;  // the star layer pixelates to half of 64: each art pixel is 2 × 2
  const Planet star = make_planet(PlanetKind::Star, 64);
  const LayerDraw on = layer(star, 1);
  ASSERT_EQ(on.art_pixels, 32.0f);
  LayerDraw off = on;
  off.find(Uniform::ShouldDither)->i = 0;
  PlanetPainter painter;
  const Image picture[2] = {draw_one(painter, on, size), draw_one(painter, off, size)};
  // The value after the factor, over 1.3.
  const Image probe[2] = {probe_layer(on, "vec3(n / 1.3, 0.0, 0.0)", size),
                          probe_layer(off, "vec3(n / 1.3, 0.0, 0.0)", size)};
  int dither_pixels = 0, boosted = 0, checked = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (!picture[0].drawn(x, y)) continue;
      // The star dithers on the raw x: uv.x + the art row's y is (x + 0.5 + 2 * (y / 2)) / 64,
      // exact in binary, and the test holds in the first half of each 4 / 64 period.
      const bool dith = (x + 2 * (y / 2)) % 4 < 2;
      const float with_factor = channel(probe[1], x, y, 0);  // dithering off: always × 1.3
      const float seen = channel(probe[0], x, y, 0);
      if (dith) {
        ASSERT_EQ(seen, with_factor) << x << "," << y;
        ++dither_pixels;
      } else {
        ASSERT_NEAR(seen * 1.3f, with_factor, 1.5f * kStep) << x << "," << y;
        boosted += with_factor > 0.1f ? 1 : 0;
      }
      // The colour: entry floor(n × 3) of the value after the factor (n_colors 4).
      for (int k = 0; k < 2; ++k) {
        const float bands = channel(probe[k], x, y, 0) * 1.3f * 3.0f;
        if (near(bands, std::round(bands), 0.02f)) continue;
        const int index = std::min(static_cast<int>(std::floor(bands)), 3);
        ASSERT_EQ(picture[k].at(x, y), to_pixel(star.colors[static_cast<std::size_t>(index)]))
            << (k == 0 ? "dithering" : "not dithering") << " at " << x << "," << y;
        ++checked;
      }
    }
  }
  EXPECT_GT(dither_pixels, 500);
  EXPECT_GT(boosted, 500);
  EXPECT_GT(checked, 3000);
}

TEST_F(ProbedRulesTest, AccretionDiskAlphaAndItsUnbentBand) {
  constexpr int size = 300;  // the disk pixelates to 300 whatever the planet's count
  // Time 0 stops the wobble and a spin of -0.766 cancels the disk's own turn: q is p squeezed.
  const Planet hole = make_planet(PlanetKind::BlackHole, 100, 1234567890123466796ull, 0.0f);
  const LayerDraw disk = layer(hole, 1, -0.766f);
  ASSERT_EQ(disk.art_pixels, 300.0f);
  PlanetPainter painter;
  const Image picture = draw_one(painter, disk, size);
  const Image probe = probe_layer(disk, "vec3(disk / 1.2, (q.y - 0.5) * 4.0 + 0.5, 0.0)", size);
  int drawn = 0, band = 0, bent_up = 0, bent_down = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float value = channel(probe, x, y, 0) * 1.2f;
      if (!near(value, 0.15f, 1.2f * kStep)) {
        ASSERT_EQ(picture.at(x, y).a, value > 0.15f ? 255 : 0) << x << "," << y << " disk " << value;
        drawn += value > 0.15f ? 1 : 0;
      }
      const float qx = (art_coordinate(x, size, 300) - 0.5f) * 1.3f + 0.5f;
      const float qy = art_coordinate(y, size, 300);
      const float e = std::hypot(qx - 0.5f, qy - 0.5f);
      const float seen_qy = (channel(probe, x, y, 1) - 0.5f) / 4.0f + 0.5f;
      if (qy > 0.501f && qy < 0.529f) {
        ASSERT_NEAR(seen_qy, qy, 0.6f * kStep / 4.0f) << x << "," << y << ": the band is bent";
        ++band;
      } else if (qy > 0.4f && qy < 0.49f && e < 0.15f) {
        ASSERT_GT(seen_qy, qy + 0.005f) << x << "," << y << ": the far side is not bent up";
        ++bent_up;
      } else if (qy > 0.54f && qy < 0.6f && e < 0.12f) {
        ASSERT_LT(seen_qy, qy - 0.003f) << x << "," << y << ": the near side is not bent down";
        ++bent_down;
      }
    }
  }
  EXPECT_GT(drawn, 200);
  EXPECT_GT(band, 1000);
  EXPECT_GT(bent_up, 100);
  EXPECT_GT(bent_down, 100);
}

TEST_F(ProbedRulesTest, StarFlaresStormEdgeRimAndColours) {
  constexpr int size = 64;
  const Planet star = make_planet(PlanetKind::Star, size);
  for (int should_dither : {0, 1}) {
    SCOPED_TRACE(should_dither ? "dithering" : "not dithering");
    LayerDraw flares = layer(star, 2);
    flares.find(Uniform::ShouldDither)->i = should_dither;
    // At the table's circle_amount of 0.5 the spots sit at -1 (the clamp's lower bound exceeds
    // its upper) and almost never grow a storm: bigger spots show the rule on many pixels.
    set_value(flares, Uniform::CircleAmount, 2.0f);
    set_value(flares, Uniform::CircleScale, 2.0f);
    PlanetPainter painter;
    const Image picture = draw_one(painter, flares, size);
    const Image probe = probe_layer(flares, "vec3((nc + 0.1) / 1.6, nb, 0.0)", size);
    int drawn = 0, past_rim = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        // Turning keeps the distance to the centre.
        const float d = std::hypot(art_coordinate(x, size, size) - 0.5f, art_coordinate(y, size, size) - 0.5f);
        const float nc = channel(probe, x, y, 0) * 1.6f - 0.1f;
        const float nb = channel(probe, x, y, 1);
        const float margin = 1.6f * kStep;
        // storm_width 0.2, storm_dither_width 0.1.
        if (near(nc, 1.0f - d, margin) || near(nc, 0.1f + d, margin) || near(nc, 0.2f + d, margin) ||
            near(d, 0.25f * nb, kStep)) {
          continue;
        }
        const bool inside_rim = nc < 1.0f - d;
        const bool storm = nc > 0.2f + d;
        const bool storm_edge = nc > 0.1f + d;
        bool expected = inside_rim && (storm || (storm_edge && should_dither == 0)) && d >= 0.25f * nb;
        if (should_dither == 1 && inside_rim && storm_edge && !storm && d >= 0.25f * nb) {
          continue;  // on the dithered edge: decided by the dither pattern
        }
        ASSERT_EQ(picture.at(x, y).a, expected ? 255 : 0) << x << "," << y << " nc " << nc << " d " << d;
        past_rim += !inside_rim && storm ? 1 : 0;
        if (!expected) continue;
        ++drawn;
        const float index = nb + nc;
        if (near(index, std::round(index), margin)) continue;
        ASSERT_LT(index, 2.0f);
        ASSERT_EQ(picture.at(x, y), to_pixel(star.colors[static_cast<std::size_t>(std::floor(index))]))
            << x << "," << y;
      }
    }
    EXPECT_GT(drawn, 50);
    EXPECT_GT(past_rim, 50);  // storms that reach past 1 - d are cut
  }
}

// The outline: where the noise exceeds the distance from the centre by 0.2. With two octaves the
// noise stays below 0.5 + 0.25, so the lump stays within 0.55 of the centre.
TEST_F(ProbedRulesTest, AsteroidOutlineAndRadius) {
  constexpr int size = 100;
  const LayerDraw rock = layer(make_planet(PlanetKind::Asteroid, size), 0);
  PlanetPainter painter;
  const Image picture = draw_one(painter, rock, size);
  const Image probe = probe_layer(rock, "vec3(n, 0.0, 0.0)", size);
  int drawn = 0;
  float farthest = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float d = std::hypot(art_coordinate(x, size, size) - 0.5f, art_coordinate(y, size, size) - 0.5f);
      if (picture.drawn(x, y)) {
        ++drawn;
        farthest = std::max(farthest, d);
      }
      const float n = channel(probe, x, y, 0);
      if (near(n - d, 0.2f, kStep)) continue;
      ASSERT_EQ(picture.drawn(x, y), n - d >= 0.2f) << x << "," << y << " n " << n << " d " << d;
    }
  }
  EXPECT_GT(drawn, 500);
  EXPECT_LE(farthest, 0.55f);
}

// The galaxy's body is quantised into n_layers layers: every drawn pixel's layer value is a
// multiple of 1 / n_layers, and there are at most n_layers of them.
TEST_F(ProbedRulesTest, GalaxyLayersFollowTheLayerCount) {
  constexpr int size = 100;
  const Planet galaxy = make_planet(PlanetKind::Galaxy, size);
  std::size_t distinct[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    const float n_layers = k == 0 ? 4.0f : 8.0f;
    SCOPED_TRACE(n_layers);
    LayerDraw body = layer(galaxy, 0);
    set_value(body, Uniform::NLayers, n_layers);
    PlanetPainter painter;
    const Image picture = draw_one(painter, body, size);
    const Image probe = probe_layer(body, "vec3(f1, 0.0, 0.0)", size);
    std::set<long> levels;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (!picture.drawn(x, y)) continue;
        const float level = channel(probe, x, y, 0) * n_layers;
        ASSERT_NEAR(level, std::round(level), 0.6f * kStep * n_layers) << x << "," << y;
        levels.insert(std::lround(level));
      }
    }
    EXPECT_LE(levels.size(), static_cast<std::size_t>(n_layers));
    EXPECT_GE(levels.size(), 2u);
    distinct[k] = levels.size();
  }
  EXPECT_GT(distinct[1], distinct[0]) << "finer layers with a higher count";
}

// Inside the craters (c1 ≥ 0.5) only, whatever the light; the shadow colour on the rim away from
// the light (c2 < c1 − (0.5 − d_light) × 2) and beyond the light border.
TEST_F(ProbedRulesTest, CratersMaskRimAndLightBorder) {
  constexpr int size = 100;
  for (PlanetKind kind : {PlanetKind::CraterPlanet, PlanetKind::LavaPlanet}) {
    SCOPED_TRACE(std::string(kind_name(kind)));
    const Planet planet = make_planet(kind, size);
    const LayerDraw craters = layer(planet, 1);
    ASSERT_EQ(craters.material, LayerMaterial::Craters);
    const auto light = craters.find(Uniform::LightOrigin)->v;
    const float border = craters.find(Uniform::LightBorder)->v[0];
    PlanetPainter painter;
    const Image picture = draw_one(painter, craters, size);
    const Image probe = probe_layer(craters, "vec3(c1, c2, 0.0)", size);
    int lit = 0, rim = 0, far_side = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const float px = art_coordinate(x, size, size), py = art_coordinate(y, size, size);
        const float dc = std::hypot(px - 0.5f, py - 0.5f);
        const float d_light = std::hypot(px - light[0], py - light[1]);
        const float c1 = channel(probe, x, y, 0), c2 = channel(probe, x, y, 1);
        if (near(c1, 0.5f, kStep) || near(dc, 0.49999f, 1e-4f)) continue;
        const bool drawn = c1 >= 0.5f && dc <= 0.49999f;
        ASSERT_EQ(picture.drawn(x, y), drawn) << x << "," << y << " c1 " << c1;
        if (!drawn) continue;
        const float shadow_margin = c2 - (c1 - (0.5f - d_light) * 2.0f);
        if (std::fabs(shadow_margin) <= 2 * kStep || near(d_light, border, 1e-4f)) continue;
        const bool shadow = shadow_margin < 0, beyond = d_light > border;
        ASSERT_EQ(picture.at(x, y), to_pixel(planet.colors[shadow || beyond ? 4 : 3])) << x << "," << y;
        lit += !shadow && !beyond ? 1 : 0;
        rim += shadow && !beyond ? 1 : 0;
        far_side += beyond ? 1 : 0;
      }
    }
    EXPECT_GT(lit, 20);
    EXPECT_GT(rim, 3);
    EXPECT_GT(far_side, 20);
  }
}

// The ground's three light bands with dithered edges: past a border, the band of width
// dither_size / pixels keeps the lighter colour on dither pixels, or everywhere with dithering off.
TEST_F(ProbedRulesTest, GroundBandsAndTheirDitheredEdges) {
  constexpr int size = 100;
  const Planet crater = make_planet(PlanetKind::CraterPlanet, size);
  for (int should_dither : {1, 0}) {
    SCOPED_TRACE(should_dither ? "dithering" : "not dithering");
    LayerDraw ground = layer(crater, 0);
    ground.find(Uniform::ShouldDither)->i = should_dither;
    const float border_1 = ground.find(Uniform::LightBorder1)->v[0];
    const float border_2 = ground.find(Uniform::LightBorder2)->v[0];
    const float band = ground.find(Uniform::DitherSize)->v[0] / static_cast<float>(size);
    PlanetPainter painter;
    const Image picture = draw_one(painter, ground, size);
    const Image probe = probe_layer(ground, "vec3(float(dith), d_light / 1.5, 0.0)", size);
    int kept_lighter = 0, per_band[3] = {0, 0, 0};
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (!picture.drawn(x, y)) continue;
        const bool dith = channel(probe, x, y, 0) > 0.5f;
        const float d = channel(probe, x, y, 1) * 1.5f;
        const float margin = 0.6f * 1.5f * kStep;
        if (near(d, border_1, margin) || near(d, border_1 + band, margin) || near(d, border_2, margin) ||
            near(d, border_2 + band, margin)) {
          continue;
        }
        const bool broken = dith || should_dither == 0;
        int index = 0;
        if (d > border_1) index = d < border_1 + band && broken ? 0 : 1;
        if (d > border_2) index = d < border_2 + band && broken ? 1 : 2;
        ASSERT_EQ(picture.at(x, y), to_pixel(crater.colors[static_cast<std::size_t>(index)]))
            << x << "," << y << " d_light " << d << (dith ? " dither" : "");
        ++per_band[index];
        const bool in_edge = (d > border_1 && d < border_1 + band) || (d > border_2 && d < border_2 + band);
        kept_lighter += in_edge && broken ? 1 : 0;
      }
    }
    EXPECT_GT(per_band[0], 50);
    EXPECT_GT(per_band[1], 50);
    EXPECT_GT(per_band[2], 50);
    EXPECT_GT(kept_lighter, 20);
  }
}

// land_rivers thins its darkest band just outside light_border_2 (f4 × 0.5 over a band of
// dither_size / pixels): on dither pixels with dithering on, on every pixel with it off, and
// nowhere else.
TEST_F(ProbedRulesTest, RiverLandThinsTheBandPastTheOuterBorder) {
  constexpr int size = 100;
  const Planet river = make_planet(PlanetKind::RiverPlanet, size);
  LayerDraw on = layer(river, 0);
  // A band of 0.1 (from 0.476): wide enough to see the rule on many pixels, narrow enough to
  // leave pixels beyond it (d_light reaches about 0.65).
  set_value(on, Uniform::DitherSize, 10.0f);
  LayerDraw off = on;
  off.find(Uniform::ShouldDither)->i = 0;
  LayerDraw none = on;
  set_value(none, Uniform::DitherSize, 0.0f);
  const float border_2 = on.find(Uniform::LightBorder2)->v[0];
  const auto light = on.find(Uniform::LightOrigin)->v;
  PlanetPainter painter;
  const Image with = draw_one(painter, on, size), without = draw_one(painter, off, size);
  const Image plain = draw_one(painter, none, size);
  const Image probe = probe_layer(on, "vec3(float(dith), 0.0, 0.0)", size);
  int thinned_on_dither = 0, thinned_off = 0, not_dither = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (!plain.drawn(x, y)) continue;
      // d_light is taken on the sphere-mapped coordinate.
      const float qx = 2 * art_coordinate(x, size, size) - 1, qy = 2 * art_coordinate(y, size, size) - 1;
      const float z = std::sqrt(1 - (qx * qx + qy * qy));
      const float d_light = std::hypot(0.5f * qx / (z + 1) + 0.5f - light[0], 0.5f * qy / (z + 1) + 0.5f - light[1]);
      if (near(d_light, border_2, 1e-4f) || near(d_light, border_2 + 0.1f, 1e-4f)) continue;
      const bool in_band = d_light > border_2 && d_light < border_2 + 0.1f;
      const bool dith = channel(probe, x, y, 0) > 0.5f;
      not_dither += dith ? 0 : 1;
      if (!in_band) {
        ASSERT_EQ(with.at(x, y), plain.at(x, y)) << x << "," << y;
        ASSERT_EQ(without.at(x, y), plain.at(x, y)) << x << "," << y;
        continue;
      }
      if (dith) {
        ASSERT_EQ(with.at(x, y), without.at(x, y)) << x << "," << y;
        thinned_on_dither += with.at(x, y) == plain.at(x, y) ? 0 : 1;
      } else {
        ASSERT_EQ(with.at(x, y), plain.at(x, y)) << x << "," << y;
        thinned_off += without.at(x, y) == plain.at(x, y) ? 0 : 1;
      }
    }
  }
  EXPECT_GT(not_dither, 500) << "the dither pattern leaves pixels out";
  EXPECT_GT(thinned_on_dither, 20);
  EXPECT_GT(thinned_off, 20);
}

}  // namespace
}  // namespace planet::test
