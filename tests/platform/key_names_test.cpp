// Key-code names and game keys from SDL's key symbols.
#include <gtest/gtest.h>

#include <set>

#include "platform/key_names.h"

namespace ventora {
namespace {

TEST(KeyNames, TheListHoldsTheNamesOnceEachEndingWithUnknown) {
  std::set<std::string_view> seen;
  for (std::string_view name : kKeyCodeNames) {
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(seen.insert(name).second) << name;
  }
  EXPECT_EQ(kKeyCodeNames.front(), "Space");
  EXPECT_EQ(kKeyCodeNames.back(), "Unknown");
}

TEST(KeyNames, SdlKeysMapToTheirNames) {
  struct Case {
    SDL_Keycode key;
    SDL_Scancode scancode;
    std::string_view name;
  };
  const Case cases[] = {
      {SDLK_a, SDL_SCANCODE_A, "A"},
      {SDLK_z, SDL_SCANCODE_Z, "Z"},
      // Letters follow the layout: the key in the Q position of an AZERTY board types 'a'.
      {SDLK_a, SDL_SCANCODE_Q, "A"},
      {SDLK_0, SDL_SCANCODE_0, "Key0"},
      {SDLK_9, SDL_SCANCODE_9, "Key9"},
      {SDLK_KP_0, SDL_SCANCODE_KP_0, "Kp0"},
      {SDLK_KP_1, SDL_SCANCODE_KP_1, "Kp1"},
      {SDLK_KP_9, SDL_SCANCODE_KP_9, "Kp9"},
      {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, "KpDecimal"},
      {SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, "KpSubtract"},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, "KpEnter"},
      {SDLK_F1, SDL_SCANCODE_F1, "F1"},
      {SDLK_F12, SDL_SCANCODE_F12, "F12"},
      {SDLK_F13, SDL_SCANCODE_F13, "F13"},
      {SDLK_F24, SDL_SCANCODE_F24, "F24"},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, "Enter"},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, "Escape"},
      {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, "Apostrophe"},
      {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, "GraveAccent"},
      {SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR, "NumLock"},
      {SDLK_LGUI, SDL_SCANCODE_LGUI, "LeftSuper"},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, "RightControl"},
      {SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, "Menu"},
      {SDLK_AC_BACK, SDL_SCANCODE_AC_BACK, "Back"},
      {SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, "World1"},
      {'#', SDL_SCANCODE_NONUSHASH, "World2"},
      {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, "Unknown"},
      {0x00E9, SDL_SCANCODE_2, "Unknown"},  // 'é' on a French board: no name of ours
  };
  for (const Case& c : cases) EXPECT_EQ(key_code_name(c.key, c.scancode), c.name) << c.name;
}

// Every key the game reads, from the main keyboard only: the keypad's twins and the other arrows
// are no game keys.
TEST(KeyNames, GameKeysAreTheMainKeyboardsOnly) {
  struct Case {
    SDL_Keycode key;
    std::optional<Key> game;
  };
  const Case cases[] = {
      {SDLK_a, Key::A},          {SDLK_d, Key::D},          {SDLK_w, Key::W},
      {SDLK_j, Key::J},          {SDLK_c, Key::C},          {SDLK_r, Key::R},
      {SDLK_LEFT, Key::Left},    {SDLK_RIGHT, Key::Right},  {SDLK_UP, Key::Up},
      {SDLK_SPACE, Key::Space},  {SDLK_RETURN, Key::Enter}, {SDLK_ESCAPE, Key::Escape},
      {SDLK_1, Key::Num1},       {SDLK_2, Key::Num2},       {SDLK_3, Key::Num3},
      {SDLK_KP_1, std::nullopt}, {SDLK_KP_2, std::nullopt}, {SDLK_KP_3, std::nullopt},
      {SDLK_KP_ENTER, std::nullopt}, {SDLK_DOWN, std::nullopt}, {SDLK_4, std::nullopt},
      {SDLK_s, std::nullopt},    {SDLK_TAB, std::nullopt},  {SDLK_UNKNOWN, std::nullopt},
  };
  std::set<Key> covered;
  for (const Case& c : cases) {
    EXPECT_EQ(game_key(c.key), c.game) << SDL_GetKeyName(c.key);
    if (c.game) covered.insert(*c.game);
  }
  // A new game key needs its row here.
  EXPECT_EQ(covered.size(), static_cast<size_t>(Key::Count));
}

}  // namespace
}  // namespace ventora
