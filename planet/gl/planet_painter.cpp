#include "planet/gl/planet_painter.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "gl/program.h"
#include "gl/render_target.h"
#include "gl/stream_buffer.h"
#include "planet/gl/body_bands.h"
#include "planet/gl/shader_sources.h"

namespace planet {
namespace {

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// Maps the unit square onto a whole art target, uv.y = 0 on texture row 0.
constexpr float kUnitToTarget[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};
// Art targets kept at once (a black hole uses two sizes every frame).
constexpr std::size_t kMaxArtTargets = 4;
// Rows of art texels per band of the planet's square in the screen pass.
constexpr int kSquareBandRows = 8;

// (x0, y0, x1, y1)
using Rectangle = std::array<float, 4>;

// One program of a material.
struct Material {
  int octaves = 0;  // the noise's octave count built into the program; 0: a uniform
  gl::Program program;
  GLint projection = -1;
  // Resolved once when the program is built; -1 for the uniforms it does not declare.
  std::array<GLint, kUniformCount> locations;
};

// A material's programs built so far: one per octave count it was drawn with where its source
// lets the count be built in (a loop of fixed length unrolls, which makes the shader a quarter to
// a third cheaper), else one.
struct MaterialPrograms {
  bool fixes_octaves = false;  // read from the source when the first program is built
  std::vector<Material> programs;
};

// The layer's octave count, or 0 when it has none.
int octave_count(const LayerDraw& draw) {
  const UniformValue* octaves = draw.find(Uniform::Octaves);
  return octaves != nullptr && octaves->i > 0 ? octaves->i : 0;
}

// The source with OCTAVES defined just after its #version line.
std::string with_octaves(std::string_view source, int octaves) {
  const std::size_t body = source.find('\n') + 1;
  return std::string(source.substr(0, body)) + "#define OCTAVES " + std::to_string(octaves) +
         "\n" + std::string(source.substr(body));
}

struct ArtTarget {
  gl::RenderTarget surface;  // size × size
  std::uint64_t last_used = 0;
};

// What the layers of one art target say about its texels together.
struct ArtCoverage {
  bool within_body = false;  // every layer keeps within the round body
  // Some layer fills it: alphas of 0 and 1 blend to 1 wherever one layer of the target has 1.
  bool fills_body = false;
};

ArtCoverage art_coverage(std::span<const LayerDraw> layers) {
  const auto says = [](bool MaterialInfo::*claim) {
    return [claim](const LayerDraw& d) { return material_info(d.material).*claim; };
  };
  return {std::all_of(layers.begin(), layers.end(), says(&MaterialInfo::within_body)),
          std::any_of(layers.begin(), layers.end(), says(&MaterialInfo::fills_body))};
}

// The caller's state that the painter changes and puts back.
struct SavedState {
  GLint framebuffer = 0;
  GLint read_framebuffer = 0;
  GLint viewport[4] = {0, 0, 0, 0};
  GLboolean scissor = GL_FALSE;
  GLfloat clear_color[4] = {0, 0, 0, 0};
  GLint active_texture = GL_TEXTURE0;
  GLint texture = 0;
};

// Leaves texture unit 0 active.
SavedState save_state() {
  SavedState saved;
  glGetIntegerv(GL_VIEWPORT, saved.viewport);
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &saved.framebuffer);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &saved.read_framebuffer);
  saved.scissor = glIsEnabled(GL_SCISSOR_TEST);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, saved.clear_color);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &saved.active_texture);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
  return saved;
}

// Back to drawing where the caller drew.
void return_to(const SavedState& saved) {
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(saved.framebuffer));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(saved.read_framebuffer));
  glViewport(saved.viewport[0], saved.viewport[1], saved.viewport[2], saved.viewport[3]);
  if (saved.scissor) glEnable(GL_SCISSOR_TEST);
}

// The caller's state as it was, with no program, vertex array or buffer bound.
void restore(const SavedState& saved) {
  return_to(saved);
  glClearColor(saved.clear_color[0], saved.clear_color[1], saved.clear_color[2], saved.clear_color[3]);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
  glActiveTexture(static_cast<GLenum>(saved.active_texture));
  glUseProgram(0);
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

ventora::Error material_failed(std::string_view name, const std::string& log) {
  return {"failed to load planet layer material: " + std::string(name) + "\n" + log};
}

// A program of the planet vertex shader and `fragment`, in use, its model matrix the identity.
ventora::Result<gl::Program> planet_program(std::string_view name, std::string_view fragment) {
  ventora::Result<gl::Program> built = gl::build_program(
      vertex_source(), fragment,
      {{kPositionAttribute, "position"}, {kTexcoordAttribute, "texcoord"}});
  if (!built) return material_failed(name, built.error().message);
  const gl::Program& program = built.value();
  program.use();
  glUniformMatrix4fv(program.uniform("Model"), 1, GL_FALSE, kIdentity);
  return built;
}

ventora::Status done_or_error(const ventora::Result<bool>& drawn) {
  if (!drawn) return drawn.error();
  return ventora::Done{};
}

// Opaque colours keep every layer's alpha 0 or 1, which the shared art target relies on.
bool opaque_colors(const LayerDraw& draw) {
  for (const UniformValue& value : draw.values) {
    for (const Color4& c : value.colors) {
      if (c[3] != 1.0f) return false;
    }
  }
  return true;
}

// Worth drawing at art resolution: the shader sees only art pixels, and there are fewer of them
// than screen pixels.
bool art_path_fits(const LayerDraw& draw, float side_px) {
  return !material_info(draw.material).reads_raw_uv && draw.art_pixels < side_px &&
         std::floor(draw.art_pixels) == draw.art_pixels && opaque_colors(draw);
}

}  // namespace

struct PlanetPainter::Impl {
  FragmentSourceFn fragment_source = planet::fragment_source;
  std::array<MaterialPrograms, kLayerMaterialCount> materials;
  int built = 0;
  bool gl_ready = false;
  gl::VertexArray vertex_array;
  gl::StreamBuffer vertex_buffer;
  gl::Program blit_program;
  GLint blit_projection = -1;
  gl::Program compose_program;
  GLint compose_projection = -1;
  GLint compose_mapping = -1;
  std::vector<ArtTarget> targets;
  std::uint64_t uses = 0;

  ventora::Status ensure_gl();
  ventora::Status build_material(const LayerDraw& draw);
  const Material* find_material(const LayerDraw& draw) const;
  ventora::Result<const gl::RenderTarget*> target(int size);
  void quad(const Square& sq);
  void rectangles(std::span<const Rectangle> rects, float frame_x, float frame_y, float frame_w,
                  float frame_h);
  void draw_underlay_and_art(const Underlay& underlay, const Square& sq, GLuint art, int art_size,
                             const ArtCoverage& coverage, const float projection[16]);
  ventora::Status draw_underlay_alone(const Underlay& underlay, const float projection[16]);
  void draw_layer(const LayerDraw& draw, const Square& sq, const float projection[16]);
  ventora::Result<bool> draw(std::span<const LayerDraw> draws, float x, float y, float w, float h,
                             const float projection[16], bool allow_art_path, const Underlay* underlay);
  ventora::Status draw_stack(std::span<const LayerDraw> draws, const Square& sq, float side_px,
                             const float projection[16], bool allow_art_path, const Underlay* underlay,
                             const SavedState& saved);
};

// The quad's buffers and the blit programs, made on the first draw (a context is current then).
ventora::Status PlanetPainter::Impl::ensure_gl() {
  if (gl_ready) return ventora::Done{};
  vertex_array = gl::VertexArray::make();
  vertex_buffer = gl::StreamBuffer::make(GL_ARRAY_BUFFER);
  glBindVertexArray(vertex_array.get());
  vertex_buffer.bind();
  glEnableVertexAttribArray(kPositionAttribute);
  glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
  glEnableVertexAttribArray(kTexcoordAttribute);
  glVertexAttribPointer(kTexcoordAttribute, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                        reinterpret_cast<const void*>(3 * sizeof(float)));

  ventora::Result<gl::Program> blit = planet_program("art_blit", art_blit_source());
  if (!blit) return blit.error();
  blit_program = std::move(blit.value());
  glUniform1i(blit_program.uniform("art"), 0);
  blit_projection = blit_program.uniform("Projection");
  ventora::Result<gl::Program> compose = planet_program("art_compose", art_compose_source());
  if (!compose) return compose.error();
  compose_program = std::move(compose.value());
  glUniform1i(compose_program.uniform("art"), 0);
  glUniform1i(compose_program.uniform("under"), 1);
  compose_projection = compose_program.uniform("Projection");
  compose_mapping = compose_program.uniform("under_from_square");
  gl_ready = true;
  return ventora::Done{};
}

// The layer's program among those built so far.
const Material* PlanetPainter::Impl::find_material(const LayerDraw& draw) const {
  const MaterialPrograms& slot = materials[static_cast<int>(draw.material)];
  const int octaves = slot.fixes_octaves ? octave_count(draw) : 0;
  for (const Material& m : slot.programs) {
    if (m.octaves == octaves) return &m;
  }
  return nullptr;
}

// Builds the layer's program the first time it is needed.
ventora::Status PlanetPainter::Impl::build_material(const LayerDraw& draw) {
  if (find_material(draw) != nullptr) return ventora::Done{};
  const MaterialInfo& info = material_info(draw.material);
  const std::string_view source = fragment_source(draw.material);
  if (source.empty()) return material_failed(info.name, "no shader source is built in for it");
  MaterialPrograms& slot = materials[static_cast<int>(draw.material)];
  std::vector<Material>& programs = slot.programs;
  if (programs.empty()) slot.fixes_octaves = source.find("#ifndef OCTAVES") != std::string_view::npos;
  const int octaves = slot.fixes_octaves ? octave_count(draw) : 0;
  ventora::Result<gl::Program> program =
      planet_program(info.name, octaves > 0 ? with_octaves(source, octaves) : source);
  if (!program) return program.error();
  Material m;
  m.octaves = octaves;
  m.program = std::move(program.value());
  m.projection = m.program.uniform("Projection");
  m.locations.fill(-1);
  for (const UniformDecl& decl : info.uniforms) {
    const std::string name(uniform_name(decl.uniform));
    m.locations[static_cast<int>(decl.uniform)] = m.program.uniform(name.c_str());
  }
  if (programs.empty()) ++built;
  programs.push_back(std::move(m));
  return ventora::Done{};
}

// A size × size colour target, re-using the least recently used one when all are taken.
ventora::Result<const gl::RenderTarget*> PlanetPainter::Impl::target(int size) {
  ++uses;
  for (ArtTarget& t : targets) {
    if (t.surface.width() == size) {
      t.last_used = uses;
      return &t.surface;
    }
  }
  ArtTarget* t = nullptr;
  if (targets.size() < kMaxArtTargets) {
    t = &targets.emplace_back();
  } else {
    t = &targets.front();
    for (ArtTarget& other : targets) {
      if (other.last_used < t->last_used) t = &other;
    }
  }
  t->last_used = uses;
  if (ventora::Status made = t->surface.resize(size, size); !made) return made.error();
  return &t->surface;
}

// Two triangles over the square, uv (0, 0) at its top-left corner and (1, 1) at its bottom-right.
void PlanetPainter::Impl::quad(const Square& sq) {
  const float x0 = sq.x, y0 = sq.y, x1 = sq.x + sq.side, y1 = sq.y + sq.side;
  const float vertices[6][5] = {{x0, y0, 0, 0, 0}, {x1, y0, 0, 1, 0}, {x1, y1, 0, 1, 1},
                                {x0, y0, 0, 0, 0}, {x1, y1, 0, 1, 1}, {x0, y1, 0, 0, 1}};
  vertex_buffer.upload(std::span<const float>(&vertices[0][0], 6 * 5));
  glDrawArrays(GL_TRIANGLES, 0, 6);
}

// Rectangles with uv running from 0 to 1 over the frame (x, y, w, h).
void PlanetPainter::Impl::rectangles(std::span<const Rectangle> rects, float frame_x,
                                     float frame_y, float frame_w, float frame_h) {
  std::vector<float> vertices;
  for (const auto& [x0, y0, x1, y1] : rects) {
    const float s0 = (x0 - frame_x) / frame_w, t0 = (y0 - frame_y) / frame_h;
    const float s1 = (x1 - frame_x) / frame_w, t1 = (y1 - frame_y) / frame_h;
    vertices.insert(vertices.end(), {x0, y0, 0, s0, t0, x1, y0, 0, s1, t0, x1, y1, 0, s1, t1,
                                     x0, y0, 0, s0, t0, x1, y1, 0, s1, t1, x0, y1, 0, s0, t1});
  }
  vertex_buffer.upload(std::span<const float>(vertices));
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 5));
}

// The underlay through the plain blit shader, without blending: the software rasterizer runs
// that on its fast copying path.
ventora::Status PlanetPainter::Impl::draw_underlay_alone(const Underlay& u, const float projection[16]) {
  if (ventora::Status ready = ensure_gl(); !ready) return ready;
  const Rectangle whole[] = {{u.x, u.y, u.x + u.w, u.y + u.h}};
  glDisable(GL_BLEND);
  blit_program.use();
  glUniformMatrix4fv(blit_projection, 1, GL_FALSE, projection);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, u.texture);
  glBindVertexArray(vertex_array.get());
  rectangles(whole, u.x, u.y, u.w, u.h);
  glEnable(GL_BLEND);
  glUseProgram(0);
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return ventora::Done{};
}

// The underlay over the whole viewport with the art target in the planet's square, every pixel
// written once and none blended: the underlay alone around the square through the plain blit
// shader, then the square through the compose shader. Two kinds of art texels need only one of
// the two textures and take the plain blit too: those beyond the round body's reach when every
// layer of the art keeps within it (the underlay alone), and those inside the body when a layer
// fills it (the art alone). All pieces share their edges, so the rasterizer covers each pixel
// exactly once.
void PlanetPainter::Impl::draw_underlay_and_art(const Underlay& u, const Square& sq, GLuint art,
                                                int art_size, const ArtCoverage& coverage,
                                                const float projection[16]) {
  const float x0 = u.x, y0 = u.y, x1 = u.x + u.w, y1 = u.y + u.h;
  const float sx0 = std::clamp(sq.x, x0, x1), sx1 = std::clamp(sq.x + sq.side, x0, x1);
  const float sy0 = std::clamp(sq.y, y0, y1), sy1 = std::clamp(sq.y + sq.side, y0, y1);
  std::vector<Rectangle> underlay = {
      {x0, y0, x1, sy0}, {x0, sy1, x1, y1}, {x0, sy0, sx0, sy1}, {sx1, sy0, x1, sy1}};

  // The square's pieces in art texels, converted to units as the art target maps onto it.
  const int n = art_size;
  const float texel = sq.side / static_cast<float>(n);
  std::vector<Rectangle> composed, body;
  for (const BodyBand& band : body_bands(n, kSquareBandRows)) {
    const auto piece = [&](std::vector<Rectangle>& to, int col0, int col1) {
      if (col1 <= col0) return;
      to.push_back({sq.x + col0 * texel, sq.y + band.row0 * texel, sq.x + col1 * texel,
                    sq.y + band.row1 * texel});
    };
    const TexelSpan reach = coverage.within_body ? band.reach : TexelSpan{0, n};
    TexelSpan inside = coverage.fills_body ? band.inside : TexelSpan{};
    inside = {std::max(inside.begin, reach.begin), std::min(inside.end, reach.end)};
    if (reach.empty()) {
      piece(underlay, 0, n);
      continue;
    }
    piece(underlay, 0, reach.begin);
    piece(underlay, reach.end, n);
    if (inside.empty()) {
      piece(composed, reach.begin, reach.end);
      continue;
    }
    piece(composed, reach.begin, inside.begin);
    piece(body, inside.begin, inside.end);
    piece(composed, inside.end, reach.end);
  }

  glDisable(GL_BLEND);
  blit_program.use();
  glUniformMatrix4fv(blit_projection, 1, GL_FALSE, projection);
  glBindTexture(GL_TEXTURE_2D, u.texture);
  rectangles(underlay, u.x, u.y, u.w, u.h);
  if (!body.empty()) {
    glBindTexture(GL_TEXTURE_2D, art);
    rectangles(body, sq.x, sq.y, sq.side, sq.side);
  }
  if (!composed.empty()) {
    compose_program.use();
    glUniformMatrix4fv(compose_projection, 1, GL_FALSE, projection);
    glUniform4f(compose_mapping, sq.side / u.w, sq.side / u.h, (sq.x - u.x) / u.w,
                (sq.y - u.y) / u.h);
    glBindTexture(GL_TEXTURE_2D, art);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, u.texture);
    rectangles(composed, sq.x, sq.y, sq.side, sq.side);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
  }
  glEnable(GL_BLEND);
}

void PlanetPainter::Impl::draw_layer(const LayerDraw& draw, const Square& sq,
                                     const float projection[16]) {
  const Material& m = *find_material(draw);  // built before anything is drawn
  m.program.use();
  glUniformMatrix4fv(m.projection, 1, GL_FALSE, projection);
  for (const UniformValue& value : draw.values) {
    const GLint loc = m.locations[static_cast<int>(value.uniform)];
    switch (value.type) {
      case UniformType::Float: glUniform1f(loc, value.v[0]); break;
      case UniformType::Int: glUniform1i(loc, value.i); break;
      case UniformType::Vec2: glUniform2f(loc, value.v[0], value.v[1]); break;
      case UniformType::Vec4Array:
        glUniform4fv(loc, static_cast<GLsizei>(value.colors.size()), value.colors.data());
        break;
    }
  }
  quad(sq);
}

// False, and nothing drawn, when the underlay cannot share the planet's pass. Every program the
// layers need is built before anything is drawn, so a material that does not build draws nothing.
ventora::Result<bool> PlanetPainter::Impl::draw(std::span<const LayerDraw> draws, float x, float y,
                                                float w, float h, const float projection[16],
                                                bool allow_art_path, const Underlay* underlay) {
  if (ventora::Status ready = ensure_gl(); !ready) return ready.error();
  const Square sq = fit_square(x, y, w, h);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  // The square's side in framebuffer pixels decides whether art resolution is any cheaper.
  const float side_px = sq.side * std::fabs(projection[0]) * static_cast<float>(viewport[2]) / 2.0f;
  if (underlay && !(allow_art_path && !draws.empty() && art_path_fits(draws[0], side_px))) return false;
  for (const LayerDraw& draw : draws) {
    if (ventora::Status built = build_material(draw); !built) return built.error();
  }

  const SavedState saved = save_state();
  glEnable(GL_BLEND);
  glBlendEquation(GL_FUNC_ADD);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBindVertexArray(vertex_array.get());
  const ventora::Status drawn = draw_stack(draws, sq, side_px, projection, allow_art_path, underlay, saved);
  restore(saved);
  if (!drawn) return drawn.error();
  return true;
}

ventora::Status PlanetPainter::Impl::draw_stack(std::span<const LayerDraw> draws, const Square& sq,
                                                float side_px, const float projection[16],
                                                bool allow_art_path, const Underlay* underlay,
                                                const SavedState& saved) {
  for (std::size_t i = 0; i < draws.size();) {
    if (!allow_art_path || !art_path_fits(draws[i], side_px)) {
      draw_layer(draws[i], sq, projection);
      ++i;
      continue;
    }
    // Consecutive layers of the same art resolution share one target. Their alpha is 0 or 1,
    // so blending them there and the target over the screen gives the direct picture.
    std::size_t end = i + 1;
    while (end < draws.size() && art_path_fits(draws[end], side_px) &&
           draws[end].art_pixels == draws[i].art_pixels) {
      ++end;
    }
    const int size = static_cast<int>(draws[i].art_pixels);
    const ventora::Result<const gl::RenderTarget*> made = target(size);
    if (!made) return made.error();
    const gl::RenderTarget& t = *made.value();
    t.bind();
    glDisable(GL_SCISSOR_TEST);
    gl::clear(0, 0, 0, 0);
    for (std::size_t k = i; k < end; ++k) draw_layer(draws[k], Square{0, 0, 1}, kUnitToTarget);

    return_to(saved);
    if (underlay && i == 0) {
      draw_underlay_and_art(*underlay, sq, t.texture(), size, art_coverage(draws.subspan(i, end - i)),
                            projection);
    } else {
      blit_program.use();
      glUniformMatrix4fv(blit_projection, 1, GL_FALSE, projection);
      glBindTexture(GL_TEXTURE_2D, t.texture());
      quad(sq);
    }
    i = end;
  }
  return ventora::Done{};
}

PlanetPainter::PlanetPainter(FragmentSourceFn fragment_source) : impl_(std::make_unique<Impl>()) {
  if (fragment_source != nullptr) impl_->fragment_source = fragment_source;
}

PlanetPainter::~PlanetPainter() = default;

ventora::Status PlanetPainter::draw_planet(const Planet& planet, float x, float y, float w, float h,
                                           float spin, const float projection[16]) {
  return done_or_error(impl_->draw(layer_draws(planet, spin), x, y, w, h, projection, true, nullptr));
}

ventora::Status PlanetPainter::draw_underlay(const Underlay& underlay, const float projection[16]) {
  return impl_->draw_underlay_alone(underlay, projection);
}

ventora::Result<bool> PlanetPainter::draw_planet_over(const Underlay& underlay, const Planet& planet,
                                                      float x, float y, float w, float h, float spin,
                                                      const float projection[16]) {
  return impl_->draw(layer_draws(planet, spin), x, y, w, h, projection, true, &underlay);
}

ventora::Status PlanetPainter::draw_planet_direct(const Planet& planet, float x, float y, float w,
                                                  float h, float spin, const float projection[16]) {
  return done_or_error(impl_->draw(layer_draws(planet, spin), x, y, w, h, projection, false, nullptr));
}

ventora::Status PlanetPainter::draw_layers(std::span<const LayerDraw> draws, float x, float y, float w,
                                           float h, const float projection[16], bool art_path) {
  return done_or_error(impl_->draw(draws, x, y, w, h, projection, art_path, nullptr));
}

int PlanetPainter::materials_built() const { return impl_->built; }

int PlanetPainter::programs_built() const {
  int programs = 0;
  for (const MaterialPrograms& slot : impl_->materials) programs += static_cast<int>(slot.programs.size());
  return programs;
}

bool PlanetPainter::has_material(LayerMaterial material) const {
  return !impl_->materials[static_cast<int>(material)].programs.empty();
}

}  // namespace planet
