#include "draw/canvas.h"

namespace ventora {

DrawCommand& Canvas::push(DrawOp op, Color color) {
  DrawCommand& cmd = list_.commands.emplace_back();
  cmd.op = op;
  cmd.color = color;
  return cmd;
}

void Canvas::clear(Color color) { push(DrawOp::Clear, color); }

void Canvas::circle(Vec2 centre, float radius, Color color) {
  DrawCommand& cmd = push(DrawOp::Circle, color);
  cmd.a = centre;
  cmd.radius = radius;
}

void Canvas::circle_lines(Vec2 centre, float radius, float thickness, Color color) {
  DrawCommand& cmd = push(DrawOp::CircleLines, color);
  cmd.a = centre;
  cmd.radius = radius;
  cmd.thickness = thickness;
}

void Canvas::triangle(Vec2 a, Vec2 b, Vec2 c, Color color) {
  DrawCommand& cmd = push(DrawOp::Triangle, color);
  cmd.a = a;
  cmd.b = b;
  cmd.c = c;
}

void Canvas::line(Vec2 from, Vec2 to, float thickness, Color color) {
  DrawCommand& cmd = push(DrawOp::Line, color);
  cmd.a = from;
  cmd.b = to;
  cmd.thickness = thickness;
}

void Canvas::rectangle(Rect rect, Color color) { push(DrawOp::Rectangle, color).rect = rect; }

void Canvas::rectangle_lines(Rect rect, float thickness, Color color) {
  DrawCommand& cmd = push(DrawOp::RectangleLines, color);
  cmd.rect = rect;
  cmd.thickness = thickness;
}

void Canvas::rectangle_pro(Rect rect, Vec2 origin, float rotation_degrees, Color color) {
  DrawCommand& cmd = push(DrawOp::RectanglePro, color);
  cmd.rect = rect;
  cmd.b = origin;
  cmd.rotation = rotation_degrees;
}

void Canvas::text(std::string_view text, Vec2 baseline, float font_size, Color color) {
  DrawCommand& cmd = push(DrawOp::Text, color);
  cmd.text = text;
  cmd.a = baseline;
  cmd.font_size = font_size;
}

void Canvas::planet(const planet::Planet& planet, Rect square, float spin) {
  DrawCommand& cmd = push(DrawOp::Planet, kWhite);
  cmd.planet = &planet;
  cmd.rect = square;
  cmd.rotation = spin;
}

void Canvas::begin_target(TargetId target, std::uint32_t width, std::uint32_t height) {
  DrawCommand& cmd = push(DrawOp::BeginTarget, kWhite);
  cmd.target = target;
  cmd.target_width = width;
  cmd.target_height = height;
}

void Canvas::end_target() { push(DrawOp::EndTarget, kWhite); }

void Canvas::blit_target(TargetId target, Rect dest, Color tint) {
  DrawCommand& cmd = push(DrawOp::BlitTarget, tint);
  cmd.target = target;
  cmd.rect = dest;
}

}  // namespace ventora
