// FrameInput: one frame's snapshot of keyboard, mouse, screen and clock. Built by the platform
// layer from SDL events; the game reads only this, so tests build it by hand.
#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include "base/pad_input.h"
#include "base/values.h"

namespace ventora {

// The keys the game asks about by meaning. Every other key still reaches `pressed_names`.
enum class Key : unsigned char {
  A, D, W, J, C, R, Left, Right, Up, Space, Enter, Escape, Num1, Num2, Num3,
  Count
};

struct FrameInput {
  std::bitset<static_cast<size_t>(Key::Count)> pressed;  // went down this frame (no key repeat)
  std::bitset<static_cast<size_t>(Key::Count)> held;     // down now
  // Key-code names of every key that went down this frame, in event order ("Unknown" for keys
  // without a name). Used to gather entropy.
  std::vector<std::string> pressed_names;
  Vec2 mouse;                    // window coordinates
  bool left_click = false;       // left button went down this frame
  float screen_width = 960;
  float screen_height = 720;
  double time = 0;               // seconds since start
  // The controller the player last used, while it was used more lately than keyboard and mouse:
  // the hints name its buttons. Only the drawing reads it.
  std::optional<PadLayout> pad_in_use;

  bool is_pressed(Key k) const { return pressed[static_cast<size_t>(k)]; }
  bool is_held(Key k) const { return held[static_cast<size_t>(k)]; }
  void press(Key k) {
    pressed.set(static_cast<size_t>(k));
    held.set(static_cast<size_t>(k));
  }
  void hold(Key k) { held.set(static_cast<size_t>(k)); }
};

}  // namespace ventora
