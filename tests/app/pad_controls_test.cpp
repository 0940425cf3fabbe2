// Controller buttons become the keys and clicks the game already reads, per screen.
#include "app/pad_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/run.h"
#include "layout/frame_geometry.h"
#include "layout/overlay_geometry.h"
#include "tests/support/play_frame.h"

namespace ventora {
namespace {

FrameInput hd1080_input(Vec2 mouse = {5, 5}) {
  FrameInput input;
  input.screen_width = 1920;
  input.screen_height = 1080;
  input.mouse = mouse;
  return input;
}

GameState card_choice_state() {
  GameState state;
  state.render_settings.mode = OutputMode::Hd1080;
  state.stage = 1;
  state.screen = Screen::CardChoice;
  state.offer = {OfferedCard{Rarity::Common, Card::Speedster},
                 OfferedCard{Rarity::Epic, Card::BounceHouse},
                 OfferedCard{Rarity::Rare, Card::Buff}};
  return state;
}

HudScale hud_of(const GameState& state, const FrameInput& input) {
  return frame_geometry(state.render_settings.mode, input).hud;
}

Rect box_rect(const GameState& state, const FrameInput& input, int box) {
  return card_box(hud_of(state, input), box);
}

struct ButtonCase {
  const char* label;
  std::vector<PadButton> pressed;
  std::vector<PadButton> held;
  std::vector<Key> keys_pressed;
  std::vector<Key> keys_held;
};

// Outside the card choice: run, jump, fire, continue and restart, and never a key name.
TEST(PadControls, ButtonsBecomeTheGameKeys) {
  const std::vector<ButtonCase> cases = {
      {"South jumps", {PadButton::South}, {}, {Key::Space}, {}},
      {"West fires", {PadButton::West}, {}, {Key::J}, {}},
      {"East fires", {PadButton::East}, {}, {Key::J}, {}},
      {"the right shoulder fires", {PadButton::RightShoulder}, {}, {Key::J}, {}},
      {"Start continues", {PadButton::Start}, {}, {Key::C}, {}},
      {"Back restarts", {PadButton::Back}, {}, {Key::R}, {}},
      {"d-pad left runs left", {}, {PadButton::DpadLeft}, {}, {Key::Left}},
      {"stick right runs right", {}, {PadButton::StickRight}, {}, {Key::Right}},
      {"both ways at once, as with two keys", {}, {PadButton::StickLeft, PadButton::DpadRight}, {},
       {Key::Left, Key::Right}},
      {"North and the left shoulder do nothing", {PadButton::North, PadButton::LeftShoulder}, {}, {}, {}},
      {"stick up does not jump", {}, {PadButton::StickUp}, {}, {}},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.label);
    GameState state;
    PadInput pad;
    for (PadButton b : c.pressed) pad.press(b);
    for (PadButton b : c.held) pad.hold(b);
    FrameInput input = hd1080_input();
    PadPointer pointer;
    apply_pad(pad, state.screen, hud_of(state, input), pointer, input);
    FrameInput expected = hd1080_input();
    for (Key k : c.keys_pressed) expected.press(k);
    for (Key k : c.keys_held) expected.hold(k);
    EXPECT_EQ(input.pressed, expected.pressed);
    EXPECT_EQ(input.held, expected.held);
    EXPECT_FALSE(input.left_click);
    EXPECT_TRUE(input.pressed_names.empty());  // the reseed hashes keyboard keys only
  }
}

// The stick or d-pad walks the pointer over the boxes (the first move lands on the middle one),
// and South takes the box it points at by its digit.
TEST(PadControls, PointerWalksTheCardBoxesAndSouthPicks) {
  GameState state = card_choice_state();
  PadPointer pointer;
  auto frame = [&](PadButton button) {
    PadInput pad;
    pad.press(button);
    FrameInput input = hd1080_input();
    apply_pad(pad, state.screen, hud_of(state, input), pointer, input);
    return input;
  };
  struct Step {
    PadButton button;
    int box;
  };
  const Step steps[] = {{PadButton::DpadLeft, 1}, {PadButton::StickLeft, 0}, {PadButton::DpadLeft, 0},
                        {PadButton::DpadRight, 1}, {PadButton::StickRight, 2}, {PadButton::DpadRight, 2},
                        {PadButton::DpadLeft, 1}};
  for (const Step& s : steps) {
    const FrameInput input = frame(s.button);
    ASSERT_TRUE(pointer.box);
    EXPECT_EQ(*pointer.box, s.box);
    EXPECT_TRUE(rect_contains(box_rect(state, input, s.box), input.mouse)) << "box " << s.box;
    EXPECT_FALSE(input.left_click);
  }
  const FrameInput pick = frame(PadButton::South);
  EXPECT_TRUE(pick.is_pressed(Key::Num2));
  EXPECT_FALSE(pick.left_click);
  Pcg32 rng;
  play_frame(state, rng, pick, 1.0f / 60);
  EXPECT_EQ(state.screen, Screen::Countdown);
  EXPECT_EQ(state.modifier_stack.picks, std::vector<Card>{Card::BounceHouse});
  // Leaving the card choice forgets the pointer.
  FrameInput later = hd1080_input();
  apply_pad(PadInput{}, state.screen, hud_of(state, later), pointer, later);
  EXPECT_FALSE(pointer.box);
}

// A face button pressed with South takes its own card, as a digit key beats a click.
TEST(PadControls, AFaceButtonBeatsSouthInTheSameFrame) {
  GameState state = card_choice_state();
  PadPointer pointer;
  PadInput right;
  right.press(PadButton::DpadRight);
  FrameInput first = hd1080_input();
  apply_pad(right, state.screen, hud_of(state, first), pointer, first);
  ASSERT_EQ(pointer.box, 1);
  PadInput both;
  both.press(PadButton::South);
  both.press(PadButton::East);
  FrameInput input = hd1080_input();
  apply_pad(both, state.screen, hud_of(state, input), pointer, input);
  Pcg32 rng;
  play_frame(state, rng, input, 1.0f / 60);
  EXPECT_EQ(state.modifier_stack.picks, std::vector<Card>{Card::Buff});
}

// A mouse that moves takes the pointer back; South then clicks where the mouse is.
TEST(PadControls, MovingTheMouseTakesThePointerBack) {
  GameState state = card_choice_state();
  PadPointer pointer;
  PadInput right;
  right.press(PadButton::DpadRight);
  FrameInput first = hd1080_input({5, 5});
  apply_pad(right, state.screen, hud_of(state, first), pointer, first);
  ASSERT_TRUE(pointer.box);
  FrameInput still = hd1080_input({5, 5});
  apply_pad(PadInput{}, state.screen, hud_of(state, still), pointer, still);
  EXPECT_TRUE(pointer.box) << "a mouse that stays put leaves the pointer on the box";

  const Rect third = box_rect(state, still, 2);
  const Vec2 on_third{third.x + 10, third.y + 10};
  PadInput south;
  south.press(PadButton::South);
  FrameInput moved = hd1080_input(on_third);
  apply_pad(south, state.screen, hud_of(state, moved), pointer, moved);
  EXPECT_FALSE(pointer.box);
  EXPECT_EQ(moved.mouse, on_third);
  Pcg32 rng;
  play_frame(state, rng, moved, 1.0f / 60);
  EXPECT_EQ(state.modifier_stack.picks, std::vector<Card>{Card::Buff});
}

// West, North and East take cards 1, 2 and 3 directly; on the card choice they do not fire.
TEST(PadControls, FaceButtonsPickCardsDirectly) {
  const std::pair<PadButton, Card> cases[] = {{PadButton::West, Card::Speedster},
                                              {PadButton::North, Card::BounceHouse},
                                              {PadButton::East, Card::Buff}};
  for (const auto& [button, card] : cases) {
    GameState state = card_choice_state();
    PadPointer pointer;
    PadInput pad;
    pad.press(button);
    FrameInput input = hd1080_input();
    apply_pad(pad, state.screen, hud_of(state, input), pointer, input);
    EXPECT_FALSE(input.is_pressed(Key::J));
    Pcg32 rng;
    play_frame(state, rng, input, 1.0f / 60);
    EXPECT_EQ(state.modifier_stack.picks, std::vector<Card>{card});
  }
}

}  // namespace
}  // namespace ventora
