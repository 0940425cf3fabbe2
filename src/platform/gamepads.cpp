#include "platform/gamepads.h"

#include <SDL.h>

#include <optional>

namespace ventora {

namespace {

// The stick counts as pushed past this, and as let go again below the lower mark, so a stick
// resting near the line does not flicker.
constexpr int kStickOn = 16000;
constexpr int kStickOff = 10000;

std::optional<PadButton> pad_button(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::South;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::East;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::West;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::North;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::DpadRight;
    default: return std::nullopt;
  }
}

// Whose button names the pad carries, by the type SDL knows it as; Xbox names for the rest, as
// SDL's own mapping uses them.
PadLayout pad_layout(SDL_GameController* controller) {
  switch (SDL_GameControllerGetType(controller)) {
    case SDL_CONTROLLER_TYPE_PS3:
    case SDL_CONTROLLER_TYPE_PS4:
    case SDL_CONTROLLER_TYPE_PS5: return PadLayout::PlayStation;
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR: return PadLayout::Nintendo;
    default: return PadLayout::Xbox;
  }
}

}  // namespace

struct Gamepads::Pad {
  SDL_GameController* controller = nullptr;
  PadLayout layout = PadLayout::Xbox;
  decltype(PadInput::held) held;
  ~Pad() {
    if (controller) SDL_GameControllerClose(controller);
  }
};

Gamepads::Gamepads() = default;
Gamepads::~Gamepads() = default;

void Gamepads::begin_frame() { pressed_ = {}; }

void Gamepads::set(Pad& pad, PadButton button, bool down) {
  const auto bit = static_cast<std::size_t>(button);
  if (down && !pad.held[bit]) {
    pressed_.pressed.set(bit);
    layout_ = pad.layout;
  }
  pad.held.set(bit, down);
}

bool Gamepads::handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (!controller) return true;  // not a pad SDL can map: the keyboard still plays
      const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      auto pad = std::make_unique<Pad>();
      pad->controller = controller;
      pad->layout = pad_layout(controller);
      pads_[id] = std::move(pad);  // reported twice: SDL counts the opens, the old entry closes one
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
      pads_.erase(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      auto it = pads_.find(event.cbutton.which);
      const auto button = pad_button(event.cbutton.button);
      if (it != pads_.end() && button) {
        set(*it->second, *button, event.type == SDL_CONTROLLERBUTTONDOWN);
      }
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      auto it = pads_.find(event.caxis.which);
      if (it == pads_.end()) return true;
      const int v = event.caxis.value;
      auto stick = [&](PadButton minus, PadButton plus) {
        Pad& pad = *it->second;
        const bool minus_on = pad.held[static_cast<std::size_t>(minus)];
        const bool plus_on = pad.held[static_cast<std::size_t>(plus)];
        set(pad, minus, minus_on ? v < -kStickOff : v < -kStickOn);
        set(pad, plus, plus_on ? v > kStickOff : v > kStickOn);
      };
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) stick(PadButton::StickLeft, PadButton::StickRight);
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) stick(PadButton::StickUp, PadButton::StickDown);
      return true;
    }
    default: return false;
  }
}

PadInput Gamepads::input() const {
  PadInput merged = pressed_;
  merged.layout = layout_;
  for (const auto& [id, pad] : pads_) merged.held |= pad->held;
  return merged;
}

}  // namespace ventora
