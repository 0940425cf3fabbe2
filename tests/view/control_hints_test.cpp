#include "view/control_hints.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/draw_queries.h"
#include "layout/frame_layout.h"
#include "layout/hud_scale.h"
#include "layout/output_mode.h"
#include "view/pause_overlay.h"
#include "view/screens.h"

namespace ventora {
namespace {

using draw_queries::drawn_text;
using draw_queries::find_text;

// Every screen's prompt names the keyboard's keys as it always did, or the buttons of the pad in
// use, by the names its maker prints.
TEST(ControlHints, EveryPromptNamesTheDeviceInUse) {
  const auto state_on = [](Screen screen, bool bonus) {
    GameState state;
    state.screen = screen;
    state.bonus_topping = bonus;
    return state;
  };
  const struct {
    GameState state;
    std::optional<PadLayout> pad;
    std::string prompt;
  } cases[] = {
      {state_on(Screen::StageClear, false), std::nullopt, "Press C to continue."},
      {state_on(Screen::StageClear, false), PadLayout::Xbox, "Press Start to continue."},
      {state_on(Screen::StageClear, false), PadLayout::Nintendo, "Press + to continue."},
      {state_on(Screen::CardChoice, false), std::nullopt, "Press 1, 2, or 3  \u2022  Click to select"},
      {state_on(Screen::CardChoice, false), PadLayout::PlayStation,
       "Press Square, Triangle, or Circle  \u2022  Stick and Cross to select"},
      {state_on(Screen::Defeat, false), std::nullopt, "Press R to retry"},
      {state_on(Screen::Defeat, false), PadLayout::PlayStation, "Press Share to retry"},
      {state_on(Screen::Victory, false), std::nullopt, "Press R to play again"},
      {state_on(Screen::Victory, false), PadLayout::Xbox, "Press Back to play again"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prompt);
    DrawList list;
    Canvas canvas(list, 960, 720);
    draw_overlay(c.state, canvas, frame_geometry(OutputMode::Og, 960, 720), c.pad);
    drawn_text(list, c.prompt);
  }
}

// The long victory line after the bonus stage ends with the same prompt.
TEST(ControlHints, TheBonusVictoryLineEndsWithThePrompt) {
  for (const std::optional<PadLayout> pad : {std::optional<PadLayout>{}, std::optional(PadLayout::Xbox)}) {
    GameState state;
    state.screen = Screen::Victory;
    state.bonus_topping = true;
    DrawList list;
    Canvas canvas(list, 960, 720);
    draw_overlay(state, canvas, frame_geometry(OutputMode::Og, 960, 720), pad);
    std::string all;
    for (const std::string& text : draw_queries::texts(list)) all += text + " ";
    EXPECT_NE(all.find(pad ? "Press Back to play" : "Press R to play"), std::string::npos) << all;
    EXPECT_EQ(all.find(pad ? "Press R" : "Press Back"), std::string::npos) << all;
  }
}

// The pause overlay says where a launch pad's strike lands, with the keyboard's keys or a pad's
// buttons, and in every mode each of its lines fits inside its panel, and the panel on the screen.
TEST(ControlHints, ThePauseOverlaySaysWhereAStrikeLandsAndFitsEveryMode) {
  for (const OutputModeInfo& mode : kOutputModes) {
    for (const std::optional<PadLayout> pad :
         {std::optional<PadLayout>{}, std::optional(PadLayout::Xbox),
          std::optional(PadLayout::PlayStation), std::optional(PadLayout::Nintendo)}) {
      SCOPED_TRACE(std::string(mode.word) + (pad ? " with a pad" : " with the keyboard"));
      const auto width = static_cast<float>(mode.window.width);
      const auto height = static_cast<float>(mode.window.height);
      DrawList list;
      Canvas canvas(list, width, height);
      const HudScale scale = hud_scale(make_frame_layout(mode.mode, width, height), width, height);
      draw_pause_overlay(canvas, scale, pad);
      drawn_text(list, "A launch pad's strike hits the far side of the planet.");
      const std::vector<DrawCommand> rects = draw_queries::of_op(list, DrawOp::Rectangle);
      ASSERT_EQ(rects.size(), 2u);  // the veil, then the panel
      const Rect panel = rects[1].rect;
      EXPECT_GE(panel.x, 0);
      EXPECT_LE(panel.x + panel.w, width);
      for (const DrawCommand& text : draw_queries::of_op(list, DrawOp::Text)) {
        const float text_width = canvas.measure_text(text.text, text.font_size).width;
        EXPECT_GT(text.a.x, panel.x) << text.text;
        EXPECT_LT(text.a.x + text_width, panel.x + panel.w) << text.text;
        EXPECT_GT(text.a.y, panel.y) << text.text;
        EXPECT_LT(text.a.y, panel.y + panel.h) << text.text;
      }
    }
  }
}

}  // namespace
}  // namespace ventora
