// Key-code names: the 122 names the game hashes for entropy, and the mapping of SDL's keys onto
// them and onto the keys the game asks about by meaning.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <SDL_keyboard.h>

#include "base/frame_input.h"

namespace ventora {

constexpr int kKeyCodeNameCount = 122;
// Every key-code name, in the input layer's order; the last is "Unknown".
extern const std::array<std::string_view, kKeyCodeNameCount> kKeyCodeNames;

// The name of a key: by the symbol it types where it types one of ours (so letters follow the
// keyboard layout), else by its position; "Unknown" for keys without a name.
std::string_view key_code_name(SDL_Keycode key, SDL_Scancode scancode);
// The game key a key stands for, if any.
std::optional<Key> game_key(SDL_Keycode key);

}  // namespace ventora
