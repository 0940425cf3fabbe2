// PadInput: one frame's snapshot of the game controllers, every connected one merged (any pad
// counts). Built by the platform layer; the app turns it into the keys and clicks the game reads.
#pragma once

#include <bitset>
#include <cstddef>

namespace ventora {

// Buttons by position (South is A on most pads). The left stick also counts as four buttons,
// pushed past half-way.
enum class PadButton : unsigned char {
  South, East, West, North, Back, Start, LeftShoulder, RightShoulder,
  DpadUp, DpadDown, DpadLeft, DpadRight,
  StickUp, StickDown, StickLeft, StickRight,
  Count
};

// Whose buttons the pad has, as SDL reports its type: the names the hints give them.
enum class PadLayout : unsigned char { Xbox, PlayStation, Nintendo };

struct PadInput {
  std::bitset<static_cast<std::size_t>(PadButton::Count)> pressed;  // went down this frame
  std::bitset<static_cast<std::size_t>(PadButton::Count)> held;     // down now
  PadLayout layout = PadLayout::Xbox;  // of the pad whose button went down last

  bool is_pressed(PadButton b) const { return pressed[static_cast<std::size_t>(b)]; }
  bool is_held(PadButton b) const { return held[static_cast<std::size_t>(b)]; }
  void press(PadButton b) {
    pressed.set(static_cast<std::size_t>(b));
    held.set(static_cast<std::size_t>(b));
  }
  void hold(PadButton b) { held.set(static_cast<std::size_t>(b)); }
};

}  // namespace ventora
