#include "platform/window_fit.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

// A window opens at its mode's size where that fits with its frame, else at the largest size of
// the same shape that does, centred on the display's usable area.
TEST(WindowFit, FitsTheUsableAreaWithItsFrame) {
  const FrameBorders title_bar{24, 1, 4, 1};
  const struct {
    const char* what;
    int wanted_w, wanted_h;
    PixelRect usable;
    FrameBorders borders;
    PixelRect expected;
  } cases[] = {
      {"fits as it is", 1280, 720, {0, 0, 1920, 1080}, title_bar, {320, 190, 1280, 720}},
      {"1080p on a laptop", 1920, 1080, {0, 0, 1366, 768}, title_bar, {25, 24, 1315, 740}},
      {"720p under a panel", 1280, 720, {0, 0, 1366, 740}, title_bar, {50, 24, 1265, 712}},
      {"4K on 1080p, no frame", 3840, 2160, {0, 0, 1920, 1080}, {}, {0, 0, 1920, 1080}},
      {"area off the origin", 960, 720, {100, 50, 800, 600}, {}, {100, 50, 800, 600}},
      {"exactly the room", 1280, 720, {0, 0, 1282, 748}, title_bar, {1, 24, 1280, 720}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PixelRect got = fit_window(c.wanted_w, c.wanted_h, c.usable, c.borders);
    EXPECT_EQ(got, c.expected) << got.x << "," << got.y << " " << got.width << "x" << got.height;
    // The frame stays inside the usable area.
    EXPECT_GE(got.x - c.borders.left, c.usable.x);
    EXPECT_GE(got.y - c.borders.top, c.usable.y);
    EXPECT_LE(got.x + got.width + c.borders.right, c.usable.x + c.usable.width);
    EXPECT_LE(got.y + got.height + c.borders.bottom, c.usable.y + c.usable.height);
  }
}

TEST(WindowFit, NothingUsableStillGivesAPixel) {
  const PixelRect got = fit_window(1280, 720, {0, 0, 0, 0}, {30, 2, 2, 2});
  EXPECT_GE(got.width, 1);
  EXPECT_GE(got.height, 1);
}

}  // namespace
}  // namespace ventora
