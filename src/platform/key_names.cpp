#include "platform/key_names.h"

#include <SDL_keycode.h>

namespace ventora {

const std::array<std::string_view, kKeyCodeNameCount> kKeyCodeNames = {
    "Space", "Apostrophe", "Comma", "Minus", "Period", "Slash", "Key0", "Key1", "Key2", "Key3",
    "Key4", "Key5", "Key6", "Key7", "Key8", "Key9", "Semicolon", "Equal", "A", "B", "C", "D", "E",
    "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X",
    "Y", "Z", "LeftBracket", "Backslash", "RightBracket", "GraveAccent", "World1", "World2",
    "Escape", "Enter", "Tab", "Backspace", "Insert", "Delete", "Right", "Left", "Down", "Up",
    "PageUp", "PageDown", "Home", "End", "CapsLock", "ScrollLock", "NumLock", "PrintScreen",
    "Pause", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13",
    "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24", "F25", "Kp0",
    "Kp1", "Kp2", "Kp3", "Kp4", "Kp5", "Kp6", "Kp7", "Kp8", "Kp9", "KpDecimal", "KpDivide",
    "KpMultiply", "KpSubtract", "KpAdd", "KpEnter", "KpEqual", "LeftShift", "LeftControl",
    "LeftAlt", "LeftSuper", "RightShift", "RightControl", "RightAlt", "RightSuper", "Menu", "Back",
    "Unknown",
};

namespace {

std::string_view by_keycode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return kKeyCodeNames[18 + (key - SDLK_a)];
  if (key >= SDLK_0 && key <= SDLK_9) return kKeyCodeNames[6 + (key - SDLK_0)];
  if (key >= SDLK_F1 && key <= SDLK_F12) return kKeyCodeNames[69 + (key - SDLK_F1)];
  if (key >= SDLK_F13 && key <= SDLK_F24) return kKeyCodeNames[81 + (key - SDLK_F13)];
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kKeyCodeNames[95 + (key - SDLK_KP_1)];
  switch (key) {
    case SDLK_SPACE: return "Space";
    case SDLK_QUOTE: return "Apostrophe";
    case SDLK_COMMA: return "Comma";
    case SDLK_MINUS: return "Minus";
    case SDLK_PERIOD: return "Period";
    case SDLK_SLASH: return "Slash";
    case SDLK_SEMICOLON: return "Semicolon";
    case SDLK_EQUALS: return "Equal";
    case SDLK_LEFTBRACKET: return "LeftBracket";
    case SDLK_BACKSLASH: return "Backslash";
    case SDLK_RIGHTBRACKET: return "RightBracket";
    case SDLK_BACKQUOTE: return "GraveAccent";
    case SDLK_ESCAPE: return "Escape";
    case SDLK_RETURN: return "Enter";
    case SDLK_TAB: return "Tab";
    case SDLK_BACKSPACE: return "Backspace";
    case SDLK_INSERT: return "Insert";
    case SDLK_DELETE: return "Delete";
    case SDLK_RIGHT: return "Right";
    case SDLK_LEFT: return "Left";
    case SDLK_DOWN: return "Down";
    case SDLK_UP: return "Up";
    case SDLK_PAGEUP: return "PageUp";
    case SDLK_PAGEDOWN: return "PageDown";
    case SDLK_HOME: return "Home";
    case SDLK_END: return "End";
    case SDLK_CAPSLOCK: return "CapsLock";
    case SDLK_SCROLLLOCK: return "ScrollLock";
    case SDLK_NUMLOCKCLEAR: return "NumLock";
    case SDLK_PRINTSCREEN: return "PrintScreen";
    case SDLK_PAUSE: return "Pause";
    case SDLK_KP_0: return "Kp0";
    case SDLK_KP_PERIOD:
    case SDLK_KP_DECIMAL: return "KpDecimal";
    case SDLK_KP_DIVIDE: return "KpDivide";
    case SDLK_KP_MULTIPLY: return "KpMultiply";
    case SDLK_KP_MINUS: return "KpSubtract";
    case SDLK_KP_PLUS: return "KpAdd";
    case SDLK_KP_ENTER: return "KpEnter";
    case SDLK_KP_EQUALS: return "KpEqual";
    case SDLK_LSHIFT: return "LeftShift";
    case SDLK_LCTRL: return "LeftControl";
    case SDLK_LALT: return "LeftAlt";
    case SDLK_LGUI: return "LeftSuper";
    case SDLK_RSHIFT: return "RightShift";
    case SDLK_RCTRL: return "RightControl";
    case SDLK_RALT: return "RightAlt";
    case SDLK_RGUI: return "RightSuper";
    case SDLK_MENU:
    case SDLK_APPLICATION: return "Menu";
    case SDLK_AC_BACK: return "Back";
    default: return {};
  }
}

}  // namespace

std::string_view key_code_name(SDL_Keycode key, SDL_Scancode scancode) {
  if (std::string_view name = by_keycode(key); !name.empty()) return name;
  // The two keys of non-US layouts type layout-specific symbols; name them by position.
  if (scancode == SDL_SCANCODE_NONUSBACKSLASH) return "World1";
  if (scancode == SDL_SCANCODE_NONUSHASH) return "World2";
  return "Unknown";
}

std::optional<Key> game_key(SDL_Keycode key) {
  switch (key) {
    case SDLK_a: return Key::A;
    case SDLK_d: return Key::D;
    case SDLK_w: return Key::W;
    case SDLK_j: return Key::J;
    case SDLK_c: return Key::C;
    case SDLK_r: return Key::R;
    case SDLK_LEFT: return Key::Left;
    case SDLK_RIGHT: return Key::Right;
    case SDLK_UP: return Key::Up;
    case SDLK_SPACE: return Key::Space;
    case SDLK_RETURN: return Key::Enter;
    case SDLK_ESCAPE: return Key::Escape;
    case SDLK_1: return Key::Num1;
    case SDLK_2: return Key::Num2;
    case SDLK_3: return Key::Num3;
    default: return std::nullopt;
  }
}

}  // namespace ventora
