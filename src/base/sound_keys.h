// The keys that set the sound: the window keeps them for the shell, so they never reach the game's
// input (nor the key presses its generator is reseeded from).
#pragma once

#include <cstdint>

namespace ventora {

enum class SoundKey : std::uint8_t {
  Mute,     // M: everything silent, or back again
  Louder,   // + (or =, or the keypad's +)
  Quieter,  // - (or the keypad's -)
};

}  // namespace ventora
