// Canvas: the immediate-mode drawing calls the game uses. It records into a DrawList; nothing
// here touches SDL or GL, so scene, HUD and overlays run unchanged in unit tests.
#pragma once

#include <string_view>

#include "draw/draw_list.h"

namespace ventora {

struct TextMetrics {
  float width = 0;
  float height = 0;    // ascent + descent at this size
  float offset_y = 0;  // ascent: distance from the top of the text to its baseline
};

// Width and height of a text in the embedded font at a pixel size (whole sizes, as drawn).
TextMetrics measure_text(std::string_view text, float font_size);

class Canvas {
 public:
  Canvas(DrawList& list, float screen_width, float screen_height)
      : list_(list), screen_width_(screen_width), screen_height_(screen_height) {}

  float screen_width() const { return screen_width_; }
  float screen_height() const { return screen_height_; }
  // The clock since start, in seconds, for blinking and swaying.
  double time() const { return time_; }
  void set_time(double t) { time_ = t; }
  // The cursor in window coordinates, for hover highlights.
  Vec2 mouse() const { return mouse_; }
  void set_mouse(Vec2 position) { mouse_ = position; }

  void clear(Color color);
  void circle(Vec2 centre, float radius, Color color);
  void circle_lines(Vec2 centre, float radius, float thickness, Color color);
  void triangle(Vec2 a, Vec2 b, Vec2 c, Color color);
  void line(Vec2 from, Vec2 to, float thickness, Color color);
  void rectangle(Rect rect, Color color);
  void rectangle_lines(Rect rect, float thickness, Color color);
  // A rectangle of rect.w × rect.h turned by `rotation_degrees` about the pivot (rect.x, rect.y);
  // `origin` is the pivot's offset inside the rectangle.
  void rectangle_pro(Rect rect, Vec2 origin, float rotation_degrees, Color color);
  // Text with its baseline at `baseline.y`, starting at `baseline.x`.
  void text(std::string_view text, Vec2 baseline, float font_size, Color color);
  TextMetrics measure_text(std::string_view text, float font_size) const {
    return ventora::measure_text(text, font_size);
  }
  void planet(const planet::Planet& planet, Rect square, float spin);
  // Everything drawn until end_target goes into the target, one unit per texel, y down.
  void begin_target(TargetId target, std::uint32_t width, std::uint32_t height);
  void end_target();
  // Draws a target's texture stretched over `dest` with nearest filtering.
  void blit_target(TargetId target, Rect dest, Color tint);

  const DrawList& list() const { return list_; }

 private:
  DrawCommand& push(DrawOp op, Color color);

  DrawList& list_;
  float screen_width_;
  float screen_height_;
  double time_ = 0;
  Vec2 mouse_{-1, -1};
};

}  // namespace ventora
