#include "view/backdrop.h"

#include <gtest/gtest.h>

#include <utility>

namespace ventora {
namespace {

TEST(BackdropTarget, SizesByPresetAndReuse) {
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  RenderSettings s;
  s.preset = 0;
  s.hd_on = false;
  EXPECT_FALSE(begin_backdrop_target(s, canvas));
  EXPECT_TRUE(list.commands.empty());

  const std::pair<std::uint8_t, WindowSize> cases[] = {
      {1, {640, 360}}, {2, {480, 270}}, {3, {480, 270}}};
  for (auto [preset, size] : cases) {
    list.clear();
    s.hd_on = true;
    s.preset = preset;
    ASSERT_TRUE(begin_backdrop_target(s, canvas));
    EXPECT_EQ(s.backdrop_target_size, size);
    ASSERT_EQ(list.commands.size(), 1u);
    EXPECT_EQ(list.commands[0].op, DrawOp::BeginTarget);
    EXPECT_EQ(list.commands[0].target_width, size.width);
    EXPECT_EQ(list.commands[0].target_height, size.height);
  }
}

}  // namespace
}  // namespace ventora
