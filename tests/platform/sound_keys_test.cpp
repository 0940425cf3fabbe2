// The sound keys through the real window (SDL's offscreen driver): M, + and - on either keyboard
// go to the shell, in order, and never into the game's input or the names its reseed hashes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"
#include "tests/support/require_gl.h"

namespace ventora {
namespace {

void push_key(Uint32 type, SDL_Keycode sym, SDL_Scancode code, Uint16 mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = code;
  e.key.keysym.mod = mod;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  SDL_PushEvent(&e);
}

TEST(SoundKeys, GoToTheShellInOrderAndNeverReachTheGame) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  Result<std::unique_ptr<Window>> opened = Window::open({"Ventora sound keys", 64, 48, false});
  VENTORA_REQUIRE_GL(opened.ok(), "offscreen driver: " + opened.error().message);
  const std::unique_ptr<Window> window = std::move(opened.value());
  FrameInput input;
  ASSERT_TRUE(window->poll(input));  // what the driver queued at start

  push_key(SDL_KEYDOWN, SDLK_m, SDL_SCANCODE_M);
  push_key(SDL_KEYDOWN, SDLK_EQUALS, SDL_SCANCODE_EQUALS, KMOD_LSHIFT);  // + on a US keyboard
  push_key(SDL_KEYDOWN, SDLK_d, SDL_SCANCODE_D);
  push_key(SDL_KEYDOWN, SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS);
  push_key(SDL_KEYDOWN, SDLK_PLUS, SDL_SCANCODE_KP_PLUS);
  push_key(SDL_KEYDOWN, SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS);
  push_key(SDL_KEYDOWN, SDLK_MINUS, SDL_SCANCODE_MINUS);
  push_key(SDL_KEYUP, SDLK_m, SDL_SCANCODE_M);
  ASSERT_TRUE(window->poll(input));
  const std::vector<SoundKey> expected{SoundKey::Mute,   SoundKey::Louder, SoundKey::Quieter,
                                       SoundKey::Louder, SoundKey::Louder, SoundKey::Quieter};
  EXPECT_EQ(std::vector<SoundKey>(window->sound_keys().begin(), window->sound_keys().end()), expected);
  EXPECT_EQ(input.pressed_names, std::vector<std::string>{"D"});
  EXPECT_EQ(input.pressed.count(), 1u);  // D alone
  EXPECT_TRUE(input.is_pressed(Key::D));

  ASSERT_TRUE(window->poll(input));
  EXPECT_TRUE(window->sound_keys().empty());
}

}  // namespace
}  // namespace ventora
