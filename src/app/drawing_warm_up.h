// The start-up's warm-up of the drawing, a step a frame: every planet kind's programs built and
// drawn with (GlRenderer::warm_up_next), then one frame of every screen the run meets, on every
// stage's planet, drawn and not shown, so that the targets and the first use of each program at
// the screen's size are done before the run's first frame; last, every text size those screens
// drew gets the glyphs a run's changing texts can need (stats, stage numbers, countdown digits).
#pragma once

#include <cstddef>
#include <vector>

#include "base/result.h"
#include "layout/output_mode.h"
#include "platform/window.h"

namespace ventora {

class DrawingWarmUp {
 public:
  explicit DrawingWarmUp(OutputMode mode) : mode_(mode) {}

  // The next step, drawn into `window`'s back buffer between two shown frames (the next one draws
  // over it); true once every step is done. An error when the window cannot draw.
  Result<bool> step(Window& window);

 private:
  OutputMode mode_;
  bool kinds_done_ = false;
  std::size_t scenes_done_ = 0;
  std::vector<int> text_sizes_;  // taken once the scenes are drawn
  std::size_t text_sizes_done_ = 0;
};

}  // namespace ventora
