// The passes of one frame, planned from its draw list before any GL runs: which commands draw
// into which target, where the screen is cleared, which blit of an opaque target becomes the
// backdrop copied unblended over the whole screen (no clear under it), which planet shares one
// opaque pass with that backdrop, and which commands go out together in batches. The renderer
// runs the passes in order; the plan is plain data, so it is tested without a context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "draw/draw_list.h"

namespace ventora {

enum class PassKind : std::uint8_t {
  IntoTarget,         // what follows draws into `target`, made or re-made at width × height
  IntoScreen,         // what follows draws onto the screen again
  Clear,              // what is drawn into, to `color`
  Shapes,             // commands [first, end): shapes, text and blits of targets, in batches
  Planet,             // the planet of command `first`, its art-pixel layers at art resolution
  PlanetDirect,       // the same with every layer's shader run at every pixel
  Backdrop,           // `target`, opaque, over the whole screen and unblended
  BackdropAndPlanet,  // the backdrop and then the planet of command `first`, in one opaque pass
                      // where the planet's first layers allow it
};

struct Pass {
  PassKind kind = PassKind::Shapes;
  std::size_t first = 0, end = 0;  // commands: Shapes' range, the planet passes' command
  TargetId target = 0;             // IntoTarget and the backdrop passes
  int width = 0, height = 0;       // IntoTarget
  // IntoTarget: the target is opaque once the passes into it have run (last cleared to an
  // opaque colour, no planet drawn since), so a later frame can take it as a backdrop.
  bool opaque = false;
  Color color;  // Clear
  friend bool operator==(const Pass&, const Pass&) = default;
};

// A target an earlier frame left.
struct TargetState {
  int width = 0, height = 0;
  bool opaque = false;
};

struct PassSettings {
  float screen_width = 1, screen_height = 1;  // the units the list is drawn in
  // A target's largest side: a target beyond it is not made and what is drawn into it is dropped.
  int max_target_size = 0;
  // Every command as recorded: a black clear first under a list that does not begin with one,
  // blits of targets blended like any other, planets in passes of their own.
  bool plain = false;
  bool planet_direct = false;  // planets as PlanetDirect
};

// The passes that draw `list`: black under a screen that nothing else clears or covers, never
// what an old frame left there.
std::vector<Pass> plan_passes(const DrawList& list, const PassSettings& settings,
                              const std::map<TargetId, TargetState>& targets);

}  // namespace ventora
