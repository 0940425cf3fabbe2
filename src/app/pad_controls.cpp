#include "app/pad_controls.h"

#include <algorithm>
#include <iterator>

#include "layout/overlay_geometry.h"

namespace ventora {

namespace {

bool left_held(const PadInput& pad) {
  return pad.is_held(PadButton::DpadLeft) || pad.is_held(PadButton::StickLeft);
}
bool right_held(const PadInput& pad) {
  return pad.is_held(PadButton::DpadRight) || pad.is_held(PadButton::StickRight);
}

// -1, +1, or 0: a step to the left or right box this frame.
int box_step(const PadInput& pad) {
  const bool left = pad.is_pressed(PadButton::DpadLeft) || pad.is_pressed(PadButton::StickLeft);
  const bool right = pad.is_pressed(PadButton::DpadRight) || pad.is_pressed(PadButton::StickRight);
  return static_cast<int>(right) - static_cast<int>(left);
}

Vec2 box_centre(const HudScale& hud, int box) {
  const Rect r = card_box(hud, box);
  return {r.x + r.w / 2, r.y + r.h / 2};
}

constexpr Key kBoxKeys[] = {Key::Num1, Key::Num2, Key::Num3};

// South takes the box the pointer is on by its digit, unless a digit of this frame took one
// already (a digit beats a click); with the pointer left to the mouse, it clicks where that is.
void south(const PadPointer& pointer, FrameInput& input) {
  if (!pointer.box) {
    input.left_click = true;
    return;
  }
  const bool digit = std::any_of(std::begin(kBoxKeys), std::end(kBoxKeys),
                                 [&input](Key key) { return input.is_pressed(key); });
  if (!digit) input.press(kBoxKeys[*pointer.box]);
}

void card_choice(const PadInput& pad, const HudScale& hud, PadPointer& pointer,
                 FrameInput& input) {
  if (pointer.box && input.mouse != pointer.mouse_then) pointer.box.reset();
  if (const int step = box_step(pad); step != 0) {
    // The first move points at the middle box, the next ones walk from there.
    pointer.box = pointer.box ? std::clamp(*pointer.box + step, 0, 2) : 1;
    pointer.mouse_then = input.mouse;
  }
  // The pointed box shows under the pointer, as the mouse's would.
  if (pointer.box) input.mouse = box_centre(hud, *pointer.box);
  if (pad.is_pressed(PadButton::West)) input.press(Key::Num1);
  if (pad.is_pressed(PadButton::North)) input.press(Key::Num2);
  if (pad.is_pressed(PadButton::East)) input.press(Key::Num3);
  if (pad.is_pressed(PadButton::South)) south(pointer, input);
}

void play(const PadInput& pad, FrameInput& input) {
  if (left_held(pad)) input.hold(Key::Left);
  if (right_held(pad)) input.hold(Key::Right);
  if (pad.is_pressed(PadButton::South)) input.press(Key::Space);
  if (pad.is_pressed(PadButton::West) || pad.is_pressed(PadButton::East) ||
      pad.is_pressed(PadButton::RightShoulder)) {
    input.press(Key::J);
  }
  if (pad.is_pressed(PadButton::Start)) input.press(Key::C);
}

}  // namespace

void apply_pad(const PadInput& pad, Screen screen, const HudScale& hud, PadPointer& pointer,
               FrameInput& input) {
  if (screen == Screen::CardChoice) {
    card_choice(pad, hud, pointer, input);
  } else {
    pointer.box.reset();
    play(pad, input);
  }
  if (pad.is_pressed(PadButton::Back)) input.press(Key::R);
}

}  // namespace ventora
