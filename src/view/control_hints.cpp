#include "view/control_hints.h"

namespace ventora {

namespace {

// What each maker prints on a button; by place on the pad, so South is B on a Nintendo pad.
struct ButtonNames {
  PadButton button;
  std::string_view xbox, playstation, nintendo;
};

constexpr ButtonNames kButtonNames[] = {
    {PadButton::South, "A", "Cross", "B"},
    {PadButton::East, "B", "Circle", "A"},
    {PadButton::West, "X", "Square", "Y"},
    {PadButton::North, "Y", "Triangle", "X"},
    {PadButton::Start, "Start", "Options", "+"},
    {PadButton::Back, "Back", "Share", "-"},
    {PadButton::LeftShoulder, "LB", "L1", "L"},
    {PadButton::RightShoulder, "RB", "R1", "R"},
    {PadButton::DpadUp, "D-pad", "D-pad", "D-pad"},
    {PadButton::DpadDown, "D-pad", "D-pad", "D-pad"},
    {PadButton::DpadLeft, "D-pad", "D-pad", "D-pad"},
    {PadButton::DpadRight, "D-pad", "D-pad", "D-pad"},
};

}  // namespace

std::string_view pad_button_name(PadLayout layout, PadButton button) {
  for (const ButtonNames& names : kButtonNames) {
    if (names.button != button) continue;
    switch (layout) {
      case PadLayout::Xbox: return names.xbox;
      case PadLayout::PlayStation: return names.playstation;
      case PadLayout::Nintendo: return names.nintendo;
    }
  }
  return "Stick";  // the stick's four directions
}

namespace {

std::string name(PadLayout layout, PadButton button) {
  return std::string(pad_button_name(layout, button));
}

}  // namespace

std::string controls_hint(std::optional<PadLayout> pad) {
  if (!pad) return "A/D run   Space jumps   J/Enter fires";
  return "Stick runs   " + name(*pad, PadButton::South) + " jumps   " +
         name(*pad, PadButton::West) + " fires";
}

std::string_view launch_pad_label(bool right_pad, std::optional<PadLayout> pad) {
  // With a controller the stick's direction picks the pad.
  if (pad) return right_pad ? "\u2192" : "\u2190";
  return right_pad ? "D" : "A";
}

std::string continue_prompt(std::optional<PadLayout> pad) {
  if (!pad) return "Press C to continue.";
  return "Press " + name(*pad, PadButton::Start) + " to continue.";
}

std::string card_prompt(std::optional<PadLayout> pad) {
  if (!pad) return "Press 1, 2, or 3  \u2022  Click to select";
  return "Press " + name(*pad, PadButton::West) + ", " + name(*pad, PadButton::North) + ", or " +
         name(*pad, PadButton::East) + "  \u2022  Stick and " + name(*pad, PadButton::South) +
         " to select";
}

std::string retry_prompt(std::optional<PadLayout> pad) {
  if (!pad) return "Press R to retry";
  return "Press " + name(*pad, PadButton::Back) + " to retry";
}

std::string play_again_prompt(std::optional<PadLayout> pad) {
  if (!pad) return "Press R to play again";
  return "Press " + name(*pad, PadButton::Back) + " to play again";
}

std::vector<std::string> pause_lines(std::optional<PadLayout> pad) {
  if (!pad) {
    return {controls_hint(pad), std::string(kAimHint), "M mutes   -/+ volume   F11 fullscreen",
            "P or a click resumes   Esc quits"};
  }
  return {controls_hint(pad), std::string(kAimHint),
          name(*pad, PadButton::Start) + " resumes   " + name(*pad, PadButton::Back) + " quits"};
}

}  // namespace ventora
