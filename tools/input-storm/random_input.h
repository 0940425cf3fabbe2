// The storm's player: random keys (pressed and held), clicks, frame times and window resizes,
// all from one seeded generator of its own, so a seed always plays the same storm. Pure chance
// rarely wins a fight, so in some stretches the fight bot's keys play along under the noise and
// the storm reaches the draft, later stages, clones and the end screens too.
#pragma once

#include <cstdint>
#include <random>

#include "base/frame_input.h"
#include "game/game_state.h"

namespace ventora::storm {

class RandomPlayer {
 public:
  RandomPlayer(std::uint64_t seed, float screen_width, float screen_height);

  // The next frame's input for `state`; `seconds` is how long the frame took on the wall clock
  // and `dt` the step the game will take for it.
  FrameInput next_frame(const GameState& state, double seconds, float dt);
  // How long the frame being played took: anything from 0 to 0.3 s.
  double frame_seconds();
  // The window system granted a size the game asked for.
  void resize(float width, float height);

 private:
  double uniform();  // [0, 1)
  bool chance(double p) { return uniform() < p; }
  void play_keys(FrameInput& input, const GameState& state);
  void maybe_resize_by_hand();
  void maybe_switch_stretch();

  std::mt19937_64 engine_;
  std::bitset<static_cast<size_t>(Key::Count)> held_;
  float width_, height_;
  double clock_ = 0;
  bool guided_ = false;  // the fight bot plays along in this stretch
  int stretch_left_ = 0;
};

}  // namespace ventora::storm
