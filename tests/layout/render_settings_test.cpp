#include "layout/render_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

namespace ventora {
namespace {

struct ArgsCase {
  std::vector<std::string_view> args;
  bool hd_on;
  std::uint8_t preset;
  float planet_pixels;
};

TEST(RenderSettingsFromArgs, ModeTable) {
  const std::vector<ArgsCase> cases = {
      {{"ventora"}, true, 1, 110},
      {{"ventora", "--mode", "og"}, false, 0, 180},
      {{"ventora", "--mode", "hd720"}, true, 1, 110},
      {{"ventora", "--mode", "hd1080"}, true, 2, 110},
      {{"ventora", "--mode", "hd4k"}, true, 3, 110},
      {{"ventora", "--mode", "HD4K"}, true, 1, 110},
      {{"ventora", "--mode", "hd4"}, true, 1, 110},
      {{"ventora", "--mode=hd4k"}, true, 1, 110},
      {{"ventora", "--mode"}, true, 1, 110},
      {{"ventora", "--mode", "og", "--mode", "hd4k"}, false, 0, 180},
      {{"ventora", "--mode", "--mode", "og"}, true, 1, 110},  // "--mode" is the first pair's value
      {{"--mode", "hd1080"}, true, 2, 110},                   // the program name is an argument too
  };
  for (const ArgsCase& c : cases) {
    const RenderSettings s = render_settings_from_args(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(s.hd_on, c.hd_on);
    EXPECT_EQ(s.preset, c.preset);
    EXPECT_EQ(s.planet_pixels, c.planet_pixels);
    EXPECT_TRUE(s.planet_dither);
  }
}

// Every size a preset decides, in one table: the window, the art pixel and the backdrop target.
TEST(RenderSettings, PresetTable) {
  struct Case {
    std::uint8_t preset;
    WindowSize window;
    int pixel_size;
    std::optional<WindowSize> backdrop;
  };
  const Case cases[] = {
      {0, {960, 720}, 1, std::nullopt},
      {1, {1280, 720}, 2, WindowSize{640, 360}},
      {2, {1920, 1080}, 4, WindowSize{480, 270}},
      {3, {3840, 2160}, 8, WindowSize{480, 270}},
      {4, {960, 720}, 1, std::nullopt},  // out of range: the plain window, no target
  };
  RenderSettings s;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.preset));
    s.preset = c.preset;
    s.hd_on = true;
    EXPECT_EQ(target_window_size(s), c.window);
    EXPECT_EQ(pixel_size_for(c.preset), c.pixel_size);
    EXPECT_EQ(backdrop_target_size_for(c.preset), c.backdrop);
  }
  s.hd_on = false;
  s.preset = 3;
  EXPECT_EQ(target_window_size(s), (WindowSize{960, 720}));
  EXPECT_FALSE(hd_mode(s));
}

TEST(RenderSettings, ResizeToleranceIsOnePixel) {
  RenderSettings s;  // 720p
  EXPECT_FALSE(update_render_settings(s, 1280, 720));
  EXPECT_FALSE(update_render_settings(s, 1281, 720));
  EXPECT_FALSE(update_render_settings(s, 1280, 719));
  EXPECT_EQ(update_render_settings(s, 1282, 720), (WindowSize{1280, 720}));
  EXPECT_EQ(update_render_settings(s, 1280, 700), (WindowSize{1280, 720}));
}

TEST(RenderSettings, PlanetPixelCountRoundsAndClamps) {
  const std::pair<float, std::uint32_t> cases[] = {
      {110.5f, 111}, {110.49f, 110}, {180, 180}, {11.4f, 12}, {-3, 12}, {5000.4f, 5000}, {9999, 5000},
  };
  RenderSettings s;
  for (auto [pixels, expected] : cases) {
    s.planet_pixels = pixels;
    EXPECT_EQ(planet_pixel_count(s), expected) << pixels;
  }
}

}  // namespace
}  // namespace ventora
