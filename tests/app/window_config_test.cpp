#include "app/window_config.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

// Each mode's window: only the plain 960 × 720 mode asks for high DPI.
TEST(WindowConfig, SizeAndHighDpiPerMode) {
  struct Case {
    OutputMode mode;
    int width, height;
    bool high_dpi;
  };
  const Case cases[] = {
      {OutputMode::Og, 960, 720, true},
      {OutputMode::Hd720, 1280, 720, false},
      {OutputMode::Hd1080, 1920, 1080, false},
      {OutputMode::Hd4k, 3840, 2160, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(mode_word(c.mode));
    const WindowConfig config = window_config_for(c.mode);
    EXPECT_EQ(config.title, "Ventora");
    EXPECT_EQ(config.width, c.width);
    EXPECT_EQ(config.height, c.height);
    EXPECT_EQ(config.high_dpi, c.high_dpi);
  }
}

}  // namespace
}  // namespace ventora
