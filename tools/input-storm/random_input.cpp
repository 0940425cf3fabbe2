#include "random_input.h"

#include <cmath>
#include <string>

#include "tests/support/bot.h"

namespace ventora::storm {

namespace {

// Key-code names the game has no meaning for; they still count towards the reseed.
constexpr const char* kOtherKeys[] = {"Q", "Z", "F5", "Tab", "Backspace", "Left Shift", "7",
                                      "Unknown"};

std::string key_name(Key key) {
  switch (key) {
    case Key::A: return "A";
    case Key::D: return "D";
    case Key::W: return "W";
    case Key::J: return "J";
    case Key::C: return "C";
    case Key::R: return "R";
    case Key::Left: return "Left";
    case Key::Right: return "Right";
    case Key::Up: return "Up";
    case Key::Space: return "Space";
    case Key::Enter: return "Return";
    case Key::Escape: return "Escape";
    case Key::Num1: return "1";
    case Key::Num2: return "2";
    case Key::Num3: return "3";
    case Key::Count: break;
  }
  return "Unknown";
}

// Chance per frame that a key changes between up and down. Restart is rare while a run goes on,
// or none would get past its first fight; Escape is left out, as it ends the program instead of
// playing.
double toggle_chance(Key key, const GameState& state) {
  const bool run_over = state.screen == Screen::Victory || state.screen == Screen::Defeat;
  switch (key) {
    case Key::R: return run_over ? 0.01 : 0.0002;
    case Key::Escape: return 0;
    case Key::A:
    case Key::D:
    case Key::Left:
    case Key::Right: return 0.05;
    default: return 0.02;
  }
}

}  // namespace

RandomPlayer::RandomPlayer(std::uint64_t seed, float screen_width, float screen_height)
    : engine_(seed), width_(screen_width), height_(screen_height) {}

double RandomPlayer::uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

double RandomPlayer::frame_seconds() {
  const double pick = uniform();
  if (pick < 0.02) return 0;                 // two frames in the same instant
  if (pick < 0.40) return 1.0 / 60;          // a steady display
  if (pick < 0.75) return uniform() * 0.05;  // fast or uneven frames, under the cap
  return uniform() * 0.3;                    // stalls the cap must absorb
}

void RandomPlayer::play_keys(FrameInput& input, const GameState& state) {
  for (size_t k = 0; k < static_cast<size_t>(Key::Count); ++k) {
    const Key key = static_cast<Key>(k);
    if (!chance(toggle_chance(key, state))) continue;
    held_.flip(k);
    if (held_[k]) {
      input.press(key);
      input.pressed_names.push_back(key_name(key));
    }
  }
  input.held |= held_;
  if (chance(0.01)) {
    input.pressed_names.push_back(kOtherKeys[engine_() % std::size(kOtherKeys)]);
  }
}

void RandomPlayer::maybe_resize_by_hand() {
  if (!chance(0.002)) return;
  // Log-uniform from 1 to 10000 on each side, so tiny and huge windows both come up.
  width_ = std::floor(std::pow(10000.0f, static_cast<float>(uniform())));
  height_ = std::floor(std::pow(10000.0f, static_cast<float>(uniform())));
}

void RandomPlayer::maybe_switch_stretch() {
  if (--stretch_left_ > 0) return;
  guided_ = chance(0.7);
  stretch_left_ = 600 + static_cast<int>(uniform() * 6000);
}

void RandomPlayer::resize(float width, float height) {
  width_ = width;
  height_ = height;
}

FrameInput RandomPlayer::next_frame(const GameState& state, double seconds, float dt) {
  clock_ += seconds;
  maybe_resize_by_hand();
  maybe_switch_stretch();
  FrameInput input;
  if (guided_ && state.screen == Screen::Fight) input = bot::fight_input(state, dt);
  input.screen_width = width_;
  input.screen_height = height_;
  input.time = clock_;
  play_keys(input, state);
  // The pointer roams a little past the window's edges; clicks land anywhere.
  input.mouse = {static_cast<float>((uniform() * 1.2 - 0.1) * width_),
                 static_cast<float>((uniform() * 1.2 - 0.1) * height_)};
  input.left_click = chance(0.03);
  return input;
}

}  // namespace ventora::storm
