#include "view/control_hints.h"

namespace ventora {

std::string_view pad_button_name(PadLayout layout, PadButton button) {
  switch (button) {
    case PadButton::South:
      return layout == PadLayout::PlayStation ? "Cross" : layout == PadLayout::Nintendo ? "B" : "A";
    case PadButton::East:
      return layout == PadLayout::PlayStation ? "Circle" : layout == PadLayout::Nintendo ? "A" : "B";
    case PadButton::West:
      return layout == PadLayout::PlayStation ? "Square" : layout == PadLayout::Nintendo ? "Y" : "X";
    case PadButton::North:
      return layout == PadLayout::PlayStation ? "Triangle" : layout == PadLayout::Nintendo ? "X" : "Y";
    case PadButton::Start:
      return layout == PadLayout::PlayStation ? "Options" : layout == PadLayout::Nintendo ? "+" : "Start";
    case PadButton::Back:
      return layout == PadLayout::PlayStation ? "Share" : layout == PadLayout::Nintendo ? "-" : "Back";
    case PadButton::LeftShoulder: return layout == PadLayout::PlayStation ? "L1" : "LB";
    case PadButton::RightShoulder: return layout == PadLayout::PlayStation ? "R1" : "RB";
    case PadButton::DpadUp:
    case PadButton::DpadDown:
    case PadButton::DpadLeft:
    case PadButton::DpadRight: return "D-pad";
    case PadButton::StickUp:
    case PadButton::StickDown:
    case PadButton::StickLeft:
    case PadButton::StickRight:
    case PadButton::Count: break;
  }
  return "Stick";
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
    return {controls_hint(pad), "M mutes   -/+ volume   F11 fullscreen",
            "P or a click resumes   Esc quits"};
  }
  return {controls_hint(pad),
          name(*pad, PadButton::Start) + " resumes   " + name(*pad, PadButton::Back) + " quits"};
}

}  // namespace ventora
