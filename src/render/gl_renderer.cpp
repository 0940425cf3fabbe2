// GlRenderer index:
//   [SECTION] Shader and GL helpers
//   [SECTION] Impl: textures, targets, the batch
//   [SECTION] Shapes and text into the batch
//   [SECTION] Running the passes
#include "render/gl_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <numbers>

#include "draw/font.h"
#include "gl/program.h"
#include "gl/render_target.h"
#include "gl/stream_buffer.h"
#include "planet/gl/planet_painter.h"
#include "render/color_bytes.h"
#include "render/pass_plan.h"

namespace ventora {

//-----------------------------------------------------------------------------
// [SECTION] Shader and GL helpers
//-----------------------------------------------------------------------------

namespace {

// Texture coordinates are in texels and divided by the texture's size in the shader, so a glyph
// atlas may grow taller between two glyphs of one batch without invalidating the first.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texel;
layout(location = 2) in vec4 colour;
uniform mat4 projection;
out vec2 v_texel;
out vec4 v_colour;
void main() {
  gl_Position = projection * vec4(position, 0.0, 1.0);
  v_texel = texel;
  v_colour = colour;
}
)";

constexpr const char* kTexturedFragmentShader = R"(#version 330 core
uniform sampler2D tex;
in vec2 v_texel;
in vec4 v_colour;
out vec4 frag;
void main() {
  frag = v_colour * texture(tex, v_texel / vec2(textureSize(tex, 0)));
}
)";

// Glyph atlases hold coverage alone (one red channel): white, with the coverage as alpha.
constexpr const char* kCoverageFragmentShader = R"(#version 330 core
uniform sampler2D tex;
in vec2 v_texel;
in vec4 v_colour;
out vec4 frag;
void main() {
  frag = v_colour * vec4(1.0, 1.0, 1.0, texture(tex, v_texel / vec2(textureSize(tex, 0))).r);
}
)";

// Flat shapes skip the texture fetch, the dearest part of a software rasterizer's fragment.
constexpr const char* kFlatFragmentShader = R"(#version 330 core
in vec4 v_colour;
out vec4 frag;
void main() {
  frag = v_colour;
}
)";

// The texture of flat shapes' commands: they are drawn by the flat program, without one.
constexpr GLuint kFlat = 0;

// The warm-up's corner of the screen, and the target id its backdrop takes for the while.
constexpr int kWarmUpSide = 128;
constexpr TargetId kWarmUpTarget = 0xFFFFFFFFu;

// The frames the game draws the planet in, small: over a backdrop target blitted to the whole
// screen (the HD modes: backdrop and planet composed in one pass), and over plain shapes (og).
std::vector<DrawList> warm_up_lists(const planet::Planet& planet) {
  constexpr auto side = static_cast<float>(kWarmUpSide);
  const auto command = [](DrawOp op) {
    DrawCommand c;
    c.op = op;
    c.color = {1, 1, 1, 1};
    c.target = kWarmUpTarget;
    return c;
  };
  DrawCommand begin = command(DrawOp::BeginTarget);
  begin.target_width = begin.target_height = kWarmUpSide / 4;
  DrawCommand clear = command(DrawOp::Clear);
  clear.color = {0.1f, 0.1f, 0.2f, 1};
  DrawCommand blit = command(DrawOp::BlitTarget);
  blit.rect = {0, 0, side, side};
  DrawCommand globe = command(DrawOp::Planet);
  globe.planet = &planet;
  globe.rect = {side / 4, side / 4, side / 2, side / 2};
  DrawCommand dot = command(DrawOp::Circle);
  dot.a = {side / 2, side / 8};
  dot.radius = side / 16;
  return {DrawList{{begin, clear, command(DrawOp::EndTarget), blit, globe, dot}},
          DrawList{{clear, dot, globe}}};
}

struct Vertex {
  float x, y;
  float u, v;
  std::uint8_t r, g, b, a;
};

// One of the two batch programs, with its projection's location.
struct BatchProgram {
  gl::Program program;
  GLint projection = -1;
};

Result<BatchProgram> batch_program(const char* what, const char* fragment_shader) {
  Result<gl::Program> built = gl::build_program(kVertexShader, fragment_shader);
  if (!built) {
    return Error{std::string("ventora: the 2-D ") + what + " shader does not build: " +
                     built.error().message};
  }
  BatchProgram batch{std::move(built.value())};
  batch.projection = batch.program.uniform("projection");
  return batch;
}

// Column-major orthographic matrix from units (origin top-left, y down) to clip space. Targets
// keep row 0 at the bottom of GL's texture, which is the top once blitted and read back.
void ortho(float width, float height, bool flip_y, float m[16]) {
  std::fill(m, m + 16, 0.0f);
  m[0] = 2.0f / width;
  m[5] = flip_y ? -2.0f / height : 2.0f / height;
  m[10] = -1.0f;
  m[12] = -1.0f;
  m[13] = flip_y ? 1.0f : -1.0f;
  m[15] = 1.0f;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Impl: textures, targets, the batch
//-----------------------------------------------------------------------------

struct GlRenderer::Impl {
  struct AtlasSlot {
    explicit AtlasSlot(int px) : cpu(px) {}
    GlyphAtlas cpu;
    gl::Texture texture;
    std::uint32_t uploaded_version = 0;
    int uploaded_height = 0;
  };
  struct Target {
    gl::RenderTarget surface;
    bool opaque = false;  // last cleared to an opaque colour, and no planet drawn in it since
  };
  struct BatchCommand {
    GLuint texture = 0;
    bool coverage = false;  // a glyph atlas, drawn by the coverage program
    std::size_t first_index = 0;
    std::size_t index_count = 0;
  };

  BatchProgram textured, coverage, flat;
  gl::VertexArray vertex_array;
  gl::StreamBuffer vertex_buffer, index_buffer;
  int max_target_size = 0;
  std::map<int, std::unique_ptr<AtlasSlot>> atlases;
  std::map<TargetId, Target> targets;
  planet::PlanetPainter painter;
  bool planet_direct_path = false;
  bool plain_passes = false;

  std::vector<Vertex> vertices;
  std::vector<std::uint16_t> indices;
  std::vector<BatchCommand> commands;
  GLuint texture = kFlat;  // texture of the command being filled
  bool texture_coverage = false;
  std::vector<PlacedGlyph> glyphs;

  // The screen of this frame: its units and the drawable's pixels, on the framebuffer bound when
  // render() began.
  GLuint output_framebuffer = 0;
  float screen_width = 1, screen_height = 1;
  int drawable_width = 1, drawable_height = 1;
  // Where drawing goes now.
  GLuint framebuffer = 0;
  int viewport_width = 1, viewport_height = 1;
  float projection[16] = {};
  float units_to_pixels = 1;  // drawable pixels per unit, for circle smoothness
  RenderStats* stats = nullptr;

  void bind_state();
  void set_texture(GLuint t, bool coverage = false);
  void reserve(std::size_t vertex_count, std::size_t index_count);
  void flush();
  void upload_atlases();
  AtlasSlot& atlas(int pixel_size);
  std::map<TargetId, TargetState> target_states() const;
  Target* target(TargetId id, int width, int height);
  const Target* find_target(TargetId id) const;

  void begin_frame(float units_wide, float units_high, int pixels_wide, int pixels_high);
  void into_screen();
  bool into_target(const Pass& pass);
  Status draw(const Pass& pass, const DrawList& list);
  void shape(const DrawCommand& cmd);
  void blit(const DrawCommand& cmd);
  Status planet(const DrawCommand& cmd, bool direct);
  Status backdrop(TargetId id);
  Status backdrop_and_planet(TargetId id, const DrawCommand& cmd);

  void quad(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, Vec2 t0, Vec2 t2, RgbaBytes c);
  void rectangle(Rect r, RgbaBytes c);
  void circle(Vec2 centre, float radius, RgbaBytes c);
  void ring(Vec2 centre, float inner, float outer, RgbaBytes c);
  void triangle(Vec2 a, Vec2 b, Vec2 c, RgbaBytes colour);
  void line(Vec2 a, Vec2 b, float thickness, RgbaBytes c);
  void rectangle_lines(Rect r, float thickness, RgbaBytes c);
  void rectangle_pro(Rect r, Vec2 origin, float degrees, RgbaBytes c);
  void text(const std::string& text, Vec2 baseline, float font_size, RgbaBytes c);
  int circle_segments(float radius) const;
  void use_flat() { set_texture(kFlat); }
};

// Our program, buffers and blending; called at the start and after the planet painter ran.
void GlRenderer::Impl::bind_state() {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glViewport(0, 0, viewport_width, viewport_height);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_BLEND);
  glBlendEquation(GL_FUNC_ADD);
  // Alpha accumulates like coverage, so a target keeps an alpha that blits correctly.
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  for (const BatchProgram* batch : {&flat, &textured, &coverage}) {
    batch->program.use();
    glUniformMatrix4fv(batch->projection, 1, GL_FALSE, projection);
  }
  glBindVertexArray(vertex_array.get());
  vertex_buffer.bind();
  glActiveTexture(GL_TEXTURE0);
}

// Opens a new command only when the texture changes (an empty open command is re-used).
// `coverage`: `t` is a glyph atlas.
void GlRenderer::Impl::set_texture(GLuint t, bool coverage) {
  if (t == texture && !commands.empty()) return;
  texture = t;
  texture_coverage = coverage;
  if (!commands.empty() && commands.back().index_count == 0) {
    commands.back().texture = t;
    commands.back().coverage = coverage;
  } else {
    commands.push_back({t, coverage, indices.size(), 0});
  }
}

// Flushes first when the next shape would overflow the batch; the texture carries over.
void GlRenderer::Impl::reserve(std::size_t vertex_count, std::size_t index_count) {
  if (vertices.size() + vertex_count > static_cast<std::size_t>(kMaxBatchVertices) ||
      indices.size() + index_count > static_cast<std::size_t>(kMaxBatchIndices)) {
    flush();
  }
}

void GlRenderer::Impl::upload_atlases() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (auto& [px, slot] : atlases) {
    if (slot->uploaded_version == slot->cpu.version()) continue;
    glBindTexture(GL_TEXTURE_2D, slot->texture.get());
    const void* data = slot->cpu.pixels().data();
    if (slot->uploaded_height != slot->cpu.height()) {
      glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, slot->cpu.width(), slot->cpu.height(), 0, GL_RED,
                   GL_UNSIGNED_BYTE, data);
      slot->uploaded_height = slot->cpu.height();
    } else {
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, slot->cpu.width(), slot->cpu.height(), GL_RED,
                      GL_UNSIGNED_BYTE, data);
    }
    slot->uploaded_version = slot->cpu.version();
    if (stats != nullptr) ++stats->glyph_atlas_uploads;
  }
}

// Uploads the batch once and draws it with one call per texture run, flat runs by the flat
// program.
void GlRenderer::Impl::flush() {
  if (!indices.empty()) {
    upload_atlases();
    vertex_buffer.upload(std::span<const Vertex>(vertices));
    index_buffer.upload(std::span<const std::uint16_t>(indices));
    for (const BatchCommand& cmd : commands) {
      if (cmd.index_count == 0) continue;
      if (cmd.texture == kFlat) {
        flat.program.use();
      } else {
        (cmd.coverage ? coverage : textured).program.use();
        glBindTexture(GL_TEXTURE_2D, cmd.texture);
      }
      glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(cmd.index_count), GL_UNSIGNED_SHORT,
                     reinterpret_cast<const void*>(cmd.first_index * sizeof(std::uint16_t)));
      ++stats->draw_calls;
    }
    ++stats->batches_flushed;
    stats->vertices += static_cast<int>(vertices.size());
  }
  vertices.clear();
  indices.clear();
  commands.clear();
  commands.push_back({texture, texture_coverage, 0, 0});
}

GlRenderer::Impl::AtlasSlot& GlRenderer::Impl::atlas(int pixel_size) {
  auto& slot = atlases[pixel_size];
  if (!slot) {
    slot = std::make_unique<AtlasSlot>(pixel_size);
    slot->texture = gl::Texture::make();
    glBindTexture(GL_TEXTURE_2D, slot->texture.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  return *slot;
}

// The target of `id` at this size, re-created when the size changed; null when GL refuses it.
std::map<TargetId, TargetState> GlRenderer::Impl::target_states() const {
  std::map<TargetId, TargetState> states;
  for (const auto& [id, t] : targets) states[id] = {t.surface.width(), t.surface.height(), t.opaque};
  return states;
}

// The target of `id` at this size (re-made when the size changed), or null when the driver
// refuses it.
GlRenderer::Impl::Target* GlRenderer::Impl::target(TargetId id, int width, int height) {
  Target& t = targets[id];
  if (t.surface.resize(width, height)) return &t;
  targets.erase(id);
  return nullptr;
}

const GlRenderer::Impl::Target* GlRenderer::Impl::find_target(TargetId id) const {
  const auto it = targets.find(id);
  return it == targets.end() ? nullptr : &it->second;
}

//-----------------------------------------------------------------------------
// [SECTION] Shapes and text into the batch
//-----------------------------------------------------------------------------

// Corners in order round the quad; t0 and t2 are the texels of p0 and p2.
void GlRenderer::Impl::quad(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, Vec2 t0, Vec2 t2, RgbaBytes c) {
  reserve(4, 6);
  const auto base = static_cast<std::uint16_t>(vertices.size());
  vertices.push_back({p0.x, p0.y, t0.x, t0.y, c.r, c.g, c.b, c.a});
  vertices.push_back({p1.x, p1.y, t2.x, t0.y, c.r, c.g, c.b, c.a});
  vertices.push_back({p2.x, p2.y, t2.x, t2.y, c.r, c.g, c.b, c.a});
  vertices.push_back({p3.x, p3.y, t0.x, t2.y, c.r, c.g, c.b, c.a});
  for (int i : {0, 1, 2, 0, 2, 3}) indices.push_back(static_cast<std::uint16_t>(base + i));
  commands.back().index_count += 6;
}

void GlRenderer::Impl::rectangle(Rect r, RgbaBytes c) {
  use_flat();
  quad({r.x, r.y}, {r.x + r.w, r.y}, {r.x + r.w, r.y + r.h}, {r.x, r.y + r.h}, {}, {}, c);
}

// Enough segments that the polygon strays at most a quarter pixel from the true circle.
int GlRenderer::Impl::circle_segments(float radius) const {
  const float r = radius * units_to_pixels;
  if (!(r > 0.25f)) return 12;
  const double step = 2 * std::acos(1.0 - 0.25 / r);
  return std::clamp(static_cast<int>(std::ceil(2 * std::numbers::pi / step)), 12, 512);
}

void GlRenderer::Impl::circle(Vec2 centre, float radius, RgbaBytes c) {
  if (!(radius > 0)) return;
  use_flat();
  const int n = circle_segments(radius);
  reserve(static_cast<std::size_t>(n) + 1, static_cast<std::size_t>(n) * 3);
  const auto base = static_cast<std::uint16_t>(vertices.size());
  vertices.push_back({centre.x, centre.y, 0, 0, c.r, c.g, c.b, c.a});
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * i / n;
    vertices.push_back({centre.x + radius * static_cast<float>(std::cos(a)),
                        centre.y + radius * static_cast<float>(std::sin(a)), 0, 0, c.r, c.g, c.b,
                        c.a});
    indices.push_back(base);
    indices.push_back(static_cast<std::uint16_t>(base + 1 + i));
    indices.push_back(static_cast<std::uint16_t>(base + 1 + (i + 1) % n));
  }
  commands.back().index_count += static_cast<std::size_t>(n) * 3;
}

void GlRenderer::Impl::ring(Vec2 centre, float inner, float outer, RgbaBytes c) {
  if (!(outer > 0) || !(outer > inner)) return;
  if (inner <= 0) return circle(centre, outer, c);
  use_flat();
  const int n = circle_segments(outer);
  reserve(static_cast<std::size_t>(n) * 2, static_cast<std::size_t>(n) * 6);
  const auto base = static_cast<std::uint16_t>(vertices.size());
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * i / n;
    const float cs = static_cast<float>(std::cos(a)), sn = static_cast<float>(std::sin(a));
    vertices.push_back({centre.x + inner * cs, centre.y + inner * sn, 0, 0, c.r, c.g, c.b, c.a});
    vertices.push_back({centre.x + outer * cs, centre.y + outer * sn, 0, 0, c.r, c.g, c.b, c.a});
    const int j = (i + 1) % n;
    for (int k : {2 * i, 2 * i + 1, 2 * j + 1, 2 * i, 2 * j + 1, 2 * j}) {
      indices.push_back(static_cast<std::uint16_t>(base + k));
    }
  }
  commands.back().index_count += static_cast<std::size_t>(n) * 6;
}

void GlRenderer::Impl::triangle(Vec2 a, Vec2 b, Vec2 c, RgbaBytes colour) {
  use_flat();
  reserve(3, 3);
  const auto base = static_cast<std::uint16_t>(vertices.size());
  for (Vec2 p : {a, b, c}) {
    vertices.push_back({p.x, p.y, 0, 0, colour.r, colour.g, colour.b, colour.a});
  }
  for (int i = 0; i < 3; ++i) indices.push_back(static_cast<std::uint16_t>(base + i));
  commands.back().index_count += 3;
}

// A quad `thickness` wide centred on the segment, with square ends flush with its points.
void GlRenderer::Impl::line(Vec2 a, Vec2 b, float thickness, RgbaBytes c) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length = std::hypot(dx, dy);
  if (!(length > 0) || !(thickness > 0)) return;
  const float nx = -dy / length * thickness * 0.5f, ny = dx / length * thickness * 0.5f;
  use_flat();
  quad({a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny},
       {}, {}, c);
}

// The outline lies inside the rectangle, so its outer edge is the rectangle's edge.
void GlRenderer::Impl::rectangle_lines(Rect r, float thickness, RgbaBytes c) {
  if (!(thickness > 0)) return;
  if (2 * thickness >= r.w || 2 * thickness >= r.h) return rectangle(r, c);
  const float t = thickness;
  rectangle({r.x, r.y, r.w, t}, c);
  rectangle({r.x, r.y + r.h - t, r.w, t}, c);
  rectangle({r.x, r.y + t, t, r.h - 2 * t}, c);
  rectangle({r.x + r.w - t, r.y + t, t, r.h - 2 * t}, c);
}

void GlRenderer::Impl::rectangle_pro(Rect r, Vec2 origin, float degrees, RgbaBytes c) {
  const double a = degrees * std::numbers::pi / 180.0;
  const float cs = static_cast<float>(std::cos(a)), sn = static_cast<float>(std::sin(a));
  auto corner = [&](float lx, float ly) {
    const float x = lx - origin.x, y = ly - origin.y;
    return Vec2{r.x + x * cs - y * sn, r.y + x * sn + y * cs};
  };
  use_flat();
  quad(corner(0, 0), corner(r.w, 0), corner(r.w, r.h), corner(0, r.h), {}, {}, c);
}

// Glyph quads sit on whole units so the atlas's texels land on whole pixels.
void GlRenderer::Impl::text(const std::string& str, Vec2 baseline, float font_size, RgbaBytes c) {
  const int px = text_pixel_size(font_size);
  if (px == 0 || str.empty()) return;
  AtlasSlot& slot = atlas(px);
  set_texture(slot.texture.get(), true);
  Font::embedded().layout(str, px, &glyphs);
  const float y = std::round(baseline.y);
  for (const PlacedGlyph& g : glyphs) {
    const GlyphAtlas::Entry& e = slot.cpu.glyph(g.glyph);
    if (e.x1 == e.x0 || e.y1 == e.y0) continue;
    const float x = std::round(baseline.x + g.x);
    const Vec2 p0{x + e.x0, y + e.y0}, p2{x + e.x1, y + e.y1};
    const Vec2 t0{static_cast<float>(e.u), static_cast<float>(e.v)};
    const Vec2 t2{static_cast<float>(e.u + e.x1 - e.x0), static_cast<float>(e.v + e.y1 - e.y0)};
    quad(p0, {p2.x, p0.y}, p2, {p0.x, p2.y}, t0, t2, c);
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Running the passes
//-----------------------------------------------------------------------------

// The screen is the framebuffer bound now.
void GlRenderer::Impl::begin_frame(float units_wide, float units_high, int pixels_wide,
                                   int pixels_high) {
  GLint bound = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
  output_framebuffer = static_cast<GLuint>(bound);
  screen_width = std::max(units_wide, 1.0f);
  screen_height = std::max(units_high, 1.0f);
  drawable_width = std::max(pixels_wide, 1);
  drawable_height = std::max(pixels_high, 1);
  into_screen();
}

void GlRenderer::Impl::into_screen() {
  framebuffer = output_framebuffer;
  viewport_width = drawable_width;
  viewport_height = drawable_height;
  units_to_pixels = std::max(viewport_width / screen_width, viewport_height / screen_height);
  ortho(screen_width, screen_height, true, projection);
  bind_state();
}

// False when the driver refuses the target: what is drawn into it is then dropped.
bool GlRenderer::Impl::into_target(const Pass& pass) {
  Target* t = target(pass.target, pass.width, pass.height);
  if (!t) return false;
  t->opaque = pass.opaque;
  framebuffer = t->surface.framebuffer();
  viewport_width = pass.width;
  viewport_height = pass.height;
  units_to_pixels = 1;
  ortho(static_cast<float>(pass.width), static_cast<float>(pass.height), false, projection);
  bind_state();
  return true;
}

Status GlRenderer::Impl::draw(const Pass& pass, const DrawList& list) {
  switch (pass.kind) {
    case PassKind::IntoTarget:
    case PassKind::IntoScreen: break;  // render() moves between surfaces
    case PassKind::Clear: gl::clear(pass.color.r, pass.color.g, pass.color.b, pass.color.a); break;
    case PassKind::Shapes:
      for (std::size_t i = pass.first; i < pass.end; ++i) shape(list.commands[i]);
      flush();
      break;
    case PassKind::Planet:
    case PassKind::PlanetDirect:
      return planet(list.commands[pass.first], pass.kind == PassKind::PlanetDirect);
    case PassKind::Backdrop: return backdrop(pass.target);
    case PassKind::BackdropAndPlanet: return backdrop_and_planet(pass.target, list.commands[pass.first]);
  }
  return Done{};
}

void GlRenderer::Impl::shape(const DrawCommand& cmd) {
  const RgbaBytes c = to_bytes(cmd.color);
  switch (cmd.op) {
    case DrawOp::Circle: circle(cmd.a, cmd.radius, c); break;
    case DrawOp::CircleLines:
      ring(cmd.a, cmd.radius - cmd.thickness / 2, cmd.radius + cmd.thickness / 2, c);
      break;
    case DrawOp::Triangle: triangle(cmd.a, cmd.b, cmd.c, c); break;
    case DrawOp::Line: line(cmd.a, cmd.b, cmd.thickness, c); break;
    case DrawOp::Rectangle: rectangle(cmd.rect, c); break;
    case DrawOp::RectangleLines: rectangle_lines(cmd.rect, cmd.thickness, c); break;
    case DrawOp::RectanglePro: rectangle_pro(cmd.rect, cmd.b, cmd.rotation, c); break;
    case DrawOp::Text: text(cmd.text, cmd.a, cmd.font_size, c); break;
    case DrawOp::BlitTarget: blit(cmd); break;
    case DrawOp::Clear:
    case DrawOp::Planet:
    case DrawOp::BeginTarget:
    case DrawOp::EndTarget: break;  // passes of their own
  }
}

// A target that was never made, or the one being drawn into, shows nothing.
void GlRenderer::Impl::blit(const DrawCommand& cmd) {
  const Target* t = find_target(cmd.target);
  if (!t || t->surface.framebuffer() == framebuffer) return;
  const gl::RenderTarget& from = t->surface;
  set_texture(from.texture());
  const Rect d = cmd.rect;
  quad({d.x, d.y}, {d.x + d.w, d.y}, {d.x + d.w, d.y + d.h}, {d.x, d.y + d.h}, {0, 0},
       {static_cast<float>(from.width()), static_cast<float>(from.height())}, to_bytes(cmd.color));
}

Status GlRenderer::Impl::planet(const DrawCommand& cmd, bool direct) {
  const Rect d = cmd.rect;
  const Status drawn =
      direct ? painter.draw_planet_direct(*cmd.planet, d.x, d.y, d.w, d.h, cmd.rotation, projection)
             : painter.draw_planet(*cmd.planet, d.x, d.y, d.w, d.h, cmd.rotation, projection);
  bind_state();
  return drawn;
}

// A backdrop whose target the driver refused leaves the screen black, as under any frame.
Status GlRenderer::Impl::backdrop(TargetId id) {
  const Target* t = find_target(id);
  if (!t) {
    gl::clear(0, 0, 0, 1);
    return Done{};
  }
  const Status drawn =
      painter.draw_underlay({t->surface.texture(), 0, 0, screen_width, screen_height}, projection);
  bind_state();
  return drawn;
}

Status GlRenderer::Impl::backdrop_and_planet(TargetId id, const DrawCommand& cmd) {
  if (const Target* t = find_target(id)) {
    const Rect d = cmd.rect;
    const Result<bool> shared =
        painter.draw_planet_over({t->surface.texture(), 0, 0, screen_width, screen_height},
                                 *cmd.planet, d.x, d.y, d.w, d.h, cmd.rotation, projection);
    bind_state();
    if (!shared) return shared.error();
    if (shared.value()) return Done{};
  }
  if (Status drawn = backdrop(id); !drawn) return drawn;
  return planet(cmd, false);
}

GlRenderer::GlRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
  impl_->stats = &stats_;
}

GlRenderer::~GlRenderer() = default;

Result<std::unique_ptr<GlRenderer>> GlRenderer::create() {
  auto impl = std::make_unique<Impl>();
  Result<BatchProgram> textured = batch_program("textured", kTexturedFragmentShader);
  if (!textured) return textured.error();
  Result<BatchProgram> coverage = batch_program("glyph", kCoverageFragmentShader);
  if (!coverage) return coverage.error();
  Result<BatchProgram> flat = batch_program("flat", kFlatFragmentShader);
  if (!flat) return flat.error();
  impl->textured = std::move(textured.value());
  impl->coverage = std::move(coverage.value());
  impl->flat = std::move(flat.value());
  for (const BatchProgram* sampling : {&impl->textured, &impl->coverage}) {
    sampling->program.use();
    glUniform1i(sampling->program.uniform("tex"), 0);
  }
  impl->max_target_size = gl::max_texture_size();

  impl->vertex_array = gl::VertexArray::make();
  glBindVertexArray(impl->vertex_array.get());
  impl->vertex_buffer = gl::StreamBuffer::make(GL_ARRAY_BUFFER);
  impl->index_buffer = gl::StreamBuffer::make(GL_ELEMENT_ARRAY_BUFFER);
  impl->vertex_buffer.bind();
  impl->index_buffer.bind();
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, x)));
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, u)));
  glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, r)));
  glBindVertexArray(0);
  return std::unique_ptr<GlRenderer>(new GlRenderer(std::move(impl)));
}

Status GlRenderer::render(const DrawList& list, float screen_width, float screen_height,
                          int drawable_width, int drawable_height) {
  Impl& r = *impl_;
  stats_ = {};
  r.begin_frame(screen_width, screen_height, drawable_width, drawable_height);
  const PassSettings settings{r.screen_width, r.screen_height, r.max_target_size, r.plain_passes,
                              r.planet_direct_path};
  bool surface_made = true;  // false inside a target the driver refused
  Status drawn = Done{};
  for (const Pass& pass : plan_passes(list, settings, r.target_states())) {
    if (pass.kind == PassKind::IntoTarget) {
      surface_made = r.into_target(pass);
    } else if (pass.kind == PassKind::IntoScreen) {
      r.into_screen();
      surface_made = true;
    } else if (surface_made) {
      drawn = r.draw(pass, list);
      if (!drawn) break;
    }
  }
  glBindVertexArray(0);
  glUseProgram(0);
  return drawn;
}

void GlRenderer::set_planet_direct_path(bool direct) { impl_->planet_direct_path = direct; }

void GlRenderer::set_plain_passes(bool plain) { impl_->plain_passes = plain; }

void GlRenderer::finish() { glFinish(); }

Result<bool> GlRenderer::warm_up_next(std::uint32_t planet_pixels, bool dither) {
  if (warmed_kinds_ == planet::kPlanetKindCount) return true;
  planet::PlanetParams params;
  params.pixels = planet_pixels;
  params.should_dither = dither;
  const planet::Planet planet = planet::create_planet(static_cast<planet::PlanetKind>(warmed_kinds_), params);
  Status drawn = Done{};
  for (const DrawList& list : warm_up_lists(planet)) {
    drawn = render(list, kWarmUpSide, kWarmUpSide, kWarmUpSide, kWarmUpSide);
    if (!drawn) break;
  }
  impl_->targets.erase(kWarmUpTarget);
  glFinish();
  if (!drawn) return drawn.error();
  ++warmed_kinds_;
  return warmed_kinds_ == planet::kPlanetKindCount;
}

std::vector<int> GlRenderer::text_pixel_sizes() const {
  std::vector<int> sizes;
  for (const auto& [px, slot] : impl_->atlases) sizes.push_back(px);
  return sizes;
}

void GlRenderer::warm_up_glyphs(int pixel_size, std::string_view characters) {
  Impl::AtlasSlot& slot = impl_->atlas(pixel_size);
  Font::embedded().layout(characters, pixel_size, &impl_->glyphs);
  for (const PlacedGlyph& g : impl_->glyphs) slot.cpu.glyph(g.glyph);
  impl_->upload_atlases();
  glFinish();
}

int GlRenderer::planet_programs_built() const { return impl_->painter.programs_built(); }

std::vector<std::uint8_t> GlRenderer::read_target(TargetId target, int& width,
                                                  int& height) const {
  width = height = 0;
  auto it = impl_->targets.find(target);
  if (it == impl_->targets.end()) return {};
  const gl::RenderTarget& t = it->second.surface;
  width = t.width();
  height = t.height();
  return t.read_pixels();
}

}  // namespace ventora
