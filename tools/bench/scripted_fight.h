// The benchmark's scripted fight: the player runs right, then left, firing every 45 frames, at 60
// frames a second; a run that leaves the fight starts again, so that every frame is a fight frame.
// The desktop's benchmark and the browser's play the same frames.
#pragma once

#include "draw/draw_list.h"
#include "game/game_state.h"
#include "layout/output_mode.h"
#include "random/rng.h"

namespace ventora {

class ScriptedFight {
 public:
  // The first frames of a run build the renderer's programs and targets: timings leave them out.
  static constexpr int kWarmUpFrames = 10;

  explicit ScriptedFight(OutputMode mode);

  // Steps the fight one frame and returns what that frame draws.
  DrawList next();
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  OutputMode mode_;
  Pcg32 rng_;
  GameState state_;
  int width_ = 0, height_ = 0;
  int frame_ = 0;
};

}  // namespace ventora
