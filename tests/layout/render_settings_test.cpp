#include "layout/render_settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace ventora {
namespace {

// Everything a mode decides, in one table: its word, the settings a run starts with, the window,
// the art pixel and the backdrop target.
TEST(OutputMode, ModeTable) {
  struct Case {
    const char* word;
    OutputMode mode;
    bool hd_on;
    float planet_pixels;
    WindowSize window;
    int pixel_size;
    std::optional<WindowSize> backdrop;
  };
  const Case cases[] = {
      {"og", OutputMode::Og, false, 180, {960, 720}, 1, std::nullopt},
      {"hd720", OutputMode::Hd720, true, 110, {1280, 720}, 2, WindowSize{640, 360}},
      {"hd1080", OutputMode::Hd1080, true, 110, {1920, 1080}, 4, WindowSize{480, 270}},
      {"hd4k", OutputMode::Hd4k, true, 110, {3840, 2160}, 8, WindowSize{480, 270}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(mode_from_word(c.word), c.mode);
    EXPECT_EQ(mode_word(c.mode), c.word);
    const RenderSettings s = render_settings_for(c.mode);
    EXPECT_EQ(s.mode, c.mode);
    EXPECT_EQ(hd_on(s), c.hd_on);
    EXPECT_EQ(s.planet_pixels, c.planet_pixels);
    EXPECT_TRUE(s.planet_dither);
    EXPECT_EQ(target_window_size(s), c.window);
    EXPECT_EQ(pixel_size_for(c.mode), c.pixel_size);
    EXPECT_EQ(backdrop_target_size_for(c.mode), c.backdrop);
    if (c.backdrop) {
      // One backdrop target pixel is one art pixel.
      EXPECT_EQ(c.backdrop->width * c.pixel_size, c.window.width);
      EXPECT_EQ(c.backdrop->height * c.pixel_size, c.window.height);
    }
  }
  EXPECT_EQ(mode_words("|"), "og|hd720|hd1080|hd4k");
}

TEST(OutputMode, OnlyTheExactWordsNameAMode) {
  for (const char* word : {"", "HD4K", "hd4", "hd4k ", " og", "4k", "--mode", "--mode=hd4k"}) {
    EXPECT_EQ(mode_from_word(word), std::nullopt) << "'" << word << "'";
  }
}

TEST(RenderSettings, ResizeToleranceIsOnePixel) {
  RenderSettings s;  // 720p
  EXPECT_FALSE(window_size_request(s, 1280, 720));
  EXPECT_FALSE(window_size_request(s, 1281, 720));
  EXPECT_FALSE(window_size_request(s, 1280, 719));
  EXPECT_EQ(window_size_request(s, 1282, 720), (WindowSize{1280, 720}));
  EXPECT_EQ(window_size_request(s, 1280, 700), (WindowSize{1280, 720}));
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
