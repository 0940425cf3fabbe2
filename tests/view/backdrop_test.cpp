#include "view/backdrop.h"

#include <gtest/gtest.h>

namespace ventora {
namespace {

// The sizes themselves are the mode table's (render_settings_test); here: the target is bound
// at the size its mode names, and not at all without one.
TEST(BackdropTarget, BindsTheModesTargetOrNothing) {
  DrawList list;
  Canvas canvas(list, 1920, 1080);
  RenderSettings s;
  for (const OutputModeInfo& info : kOutputModes) {
    SCOPED_TRACE(info.word);
    list.clear();
    s.mode = info.mode;
    const std::optional<WindowSize> wanted = backdrop_target_size_for(info.mode);
    EXPECT_EQ(begin_backdrop_target(s, canvas), wanted);
    if (!wanted) {
      EXPECT_TRUE(list.commands.empty());
      continue;
    }
    ASSERT_EQ(list.commands.size(), 1u);
    EXPECT_EQ(list.commands[0].op, DrawOp::BeginTarget);
    EXPECT_EQ(list.commands[0].target, kBackdropTargetId);
    EXPECT_EQ(list.commands[0].target_width, wanted->width);
    EXPECT_EQ(list.commands[0].target_height, wanted->height);
  }
}

}  // namespace
}  // namespace ventora
