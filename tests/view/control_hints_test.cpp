#include "view/control_hints.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/draw_queries.h"
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

}  // namespace
}  // namespace ventora
