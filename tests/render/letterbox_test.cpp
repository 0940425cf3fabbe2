#include "render/letterbox.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

struct BoxCase {
  int game_w, game_h, out_w, out_h;
  Letterbox expected;
};

// Every mode on common screens: the largest whole scale, centred on whole pixels; shrunk to fit
// only when even 1× is too big.
TEST(Letterbox, LargestWholeScaleCentred) {
  const BoxCase cases[] = {
      {960, 720, 3840, 2160, {480, 0, 3, true}},     // OG on 4K: height decides
      {1280, 720, 3840, 2160, {0, 0, 3, true}},      // 720p fills 4K exactly
      {1920, 1080, 3840, 2160, {0, 0, 2, true}},
      {1280, 720, 1920, 1080, {320, 180, 1, true}},  // 1.5 fits: only 1 is whole
      {960, 720, 1366, 768, {203, 24, 1, true}},     // odd border: the corner stays on a pixel
      {1280, 720, 2560, 1600, {0, 80, 2, true}},     // 16:10: bars above and below
      {3840, 2160, 1920, 1080, {0, 0, 0.5f, false}},  // 4K mode on a 1080p screen: shrunk
      {1280, 720, 1280, 720, {0, 0, 1, true}},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.game_w << "x" << c.game_h << " on " << c.out_w << "x"
                                    << c.out_h);
    EXPECT_EQ(letterbox(c.game_w, c.game_h, c.out_w, c.out_h, Scaling::Whole), c.expected);
  }
}

// Filling: the largest size of the picture's shape, centred; a whole scale where that is whole.
// The picture is first blown up by the whole part of its scale, sharp, then smoothed for the rest.
TEST(Letterbox, FillTakesTheLargestSizeOfTheSameShape) {
  struct FillCase {
    int game_w, game_h, out_w, out_h;
    Letterbox expected;
    int prescale;
  };
  const FillCase cases[] = {
      {1280, 720, 1920, 1080, {0, 0, 1.5f, false}, 1},     // 720p fills a 1080p screen
      {1280, 720, 3840, 2160, {0, 0, 3, true}, 3},         // whole where the fit is whole
      {960, 720, 1920, 1080, {240, 0, 1.5f, false}, 1},    // OG: bars left and right
      {1280, 720, 2560, 1600, {0, 80, 2, true}, 2},
      {1280, 720, 3440, 1440, {440, 0, 2, true}, 2},       // ultra-wide: height decides
      {960, 720, 2560, 1440, {320, 0, 2, true}, 2},
      {1280, 720, 2880, 1620, {0, 0, 2.25f, false}, 2},    // 2× sharp, then smoothed
      {1920, 1080, 1366, 706, {55, 0, 706.0f / 1080, false}, 1},  // shrunk into a small window
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.game_w << "x" << c.game_h << " on " << c.out_w << "x"
                                    << c.out_h);
    const Letterbox box = letterbox(c.game_w, c.game_h, c.out_w, c.out_h, Scaling::Fill);
    EXPECT_EQ(box, c.expected);
    EXPECT_EQ(nearest_prescale(box), c.prescale);
  }
}

TEST(Letterbox, EmptySizesGiveAUsableBox) {
  for (const Scaling scaling : {Scaling::Fill, Scaling::Whole}) {
    const Letterbox box = letterbox(0, 0, 0, 0, scaling);
    EXPECT_GT(box.scale, 0);
  }
}

// A point on the output lands on the game unit drawn under it, borders included.
TEST(Letterbox, OutputPointsMapBackToGameUnits) {
  const Letterbox box = letterbox(960, 720, 3840, 2160, Scaling::Whole);  // scale 3, x 480
  EXPECT_EQ(to_game_units(box, {480, 0}), (Vec2{0, 0}));
  EXPECT_EQ(to_game_units(box, {480 + 3 * 480, 3 * 360}), (Vec2{480, 360}));
  EXPECT_EQ(to_game_units(box, {3360, 2160}), (Vec2{960, 720}));
  EXPECT_LT(to_game_units(box, {100, 10}).x, 0);  // on the left border: outside the game
  // A maximised window on a laptop screen: 1280 × 720 shown at 1366 / 1280 with bars above and below.
  const Letterbox laptop = letterbox(1280, 720, 1366, 705, Scaling::Fill);
  const Vec2 middle = to_game_units(laptop, {683, 352.5f});
  EXPECT_NEAR(middle.x, 640, 0.5f);
  EXPECT_NEAR(middle.y, 360, 0.5f);
}

}  // namespace
}  // namespace ventora
