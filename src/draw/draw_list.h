// DrawList: the flat record of one frame's drawing. The game fills it through a Canvas and the
// GlRenderer executes it; tests read it to check geometry without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/values.h"

namespace planet {
struct Planet;
}

namespace ventora {

enum class DrawOp : std::uint8_t {
  Clear,           // color
  Circle,          // a = centre, radius, color
  CircleLines,     // a = centre, radius, thickness, color
  Triangle,        // a, b, c, color
  Line,            // a -> b, thickness, color
  Rectangle,       // rect, color
  RectangleLines,  // rect, thickness, color
  RectanglePro,    // rect (x, y = position of the pivot), b = pivot offset, rotation (degrees), color
  Text,            // text, a = (x, baseline y), font_size, color
  Planet,          // planet, rect = destination square, rotation = spin (radians)
  BeginTarget,     // target, target_width/height: draw into an offscreen target, 1 unit = 1 texel, y down
  EndTarget,       // back to the screen and its default camera
  BlitTarget,      // target, rect = destination on screen, color = tint; nearest filtering
};

struct DrawCommand {
  DrawOp op = DrawOp::Clear;
  Color color;
  Vec2 a, b, c;
  Rect rect;
  float radius = 0;
  float thickness = 0;
  float rotation = 0;
  float font_size = 0;
  std::string text;
  const planet::Planet* planet = nullptr;  // valid until the list is executed
  TargetId target = 0;
  std::uint32_t target_width = 0, target_height = 0;
};

struct DrawList {
  std::vector<DrawCommand> commands;
  void clear() { commands.clear(); }
};

}  // namespace ventora
