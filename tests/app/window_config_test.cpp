#include "app/window_config.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace ventora {
namespace {

// Each mode's window: only the plain 960 × 720 mode asks for high DPI.
TEST(WindowConfig, SizeAndHighDpiPerMode) {
  struct Case {
    std::vector<std::string_view> args;
    int width, height;
    bool high_dpi;
  };
  const Case cases[] = {
      {{"ventora"}, 1280, 720, false},
      {{"ventora", "--mode", "og"}, 960, 720, true},
      {{"ventora", "--mode", "hd720"}, 1280, 720, false},
      {{"ventora", "--mode", "hd1080"}, 1920, 1080, false},
      {{"ventora", "--mode", "hd4k"}, 3840, 2160, false},
      {{"ventora", "--mode", "HD4K"}, 1280, 720, false},
      {{"ventora", "--mode", "og", "--mode", "hd4k"}, 960, 720, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const WindowConfig config = window_config_for(render_settings_from_args(c.args));
    EXPECT_EQ(config.title, "Ventora");
    EXPECT_EQ(config.width, c.width);
    EXPECT_EQ(config.height, c.height);
    EXPECT_EQ(config.high_dpi, c.high_dpi);
  }
}

}  // namespace
}  // namespace ventora
