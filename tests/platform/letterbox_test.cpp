#include "platform/letterbox.h"

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
    EXPECT_EQ(letterbox(c.game_w, c.game_h, c.out_w, c.out_h), c.expected);
  }
}

TEST(Letterbox, EmptySizesGiveAUsableBox) {
  const Letterbox box = letterbox(0, 0, 0, 0);
  EXPECT_GT(box.scale, 0);
}

// A point on the output lands on the game unit drawn under it, borders included.
TEST(Letterbox, OutputPointsMapBackToGameUnits) {
  const Letterbox box = letterbox(960, 720, 3840, 2160);  // scale 3, x 480
  EXPECT_EQ(to_game_units(box, {480, 0}), (Vec2{0, 0}));
  EXPECT_EQ(to_game_units(box, {480 + 3 * 480, 3 * 360}), (Vec2{480, 360}));
  EXPECT_EQ(to_game_units(box, {3360, 2160}), (Vec2{960, 720}));
  EXPECT_LT(to_game_units(box, {100, 10}).x, 0);  // on the left border: outside the game
}

}  // namespace
}  // namespace ventora
