// GlRenderer: the only code that talks to OpenGL for the game. It executes a DrawList with a
// batched renderer (one upload per batch and one draw call per run of flat shapes or of one
// texture), owns the offscreen targets by id and the planet painter for the window's life.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "draw/draw_list.h"

namespace ventora {

struct RenderStats {
  int draw_calls = 0;  // glDrawElements calls of the last list
  int batches_flushed = 0;
  int vertices = 0;
  int glyph_atlas_uploads = 0;  // glyph atlases (re-)uploaded because a glyph was new
};

class GlRenderer {
 public:
  // Needs a current OpenGL 3.3 core context. An error when the renderer's own shaders do not
  // build.
  static Result<std::unique_ptr<GlRenderer>> create();
  ~GlRenderer();
  GlRenderer(const GlRenderer&) = delete;
  GlRenderer& operator=(const GlRenderer&) = delete;

  // Executes `list` onto the framebuffer bound for drawing (the window's, or a caller's offscreen
  // one, which stays bound afterwards): `screen_width` × `screen_height` are the
  // logical units the list is drawn in, the drawable may be larger (high DPI). A list that does
  // not begin with a clear is drawn over black. An error, the frame left unfinished, when a planet
  // cannot be drawn (one of its shaders does not build).
  Status render(const DrawList& list, float screen_width, float screen_height,
                int drawable_width, int drawable_height);
  // Reads a target's pixels as RGBA8, top row first; empty when the target does not exist.
  std::vector<std::uint8_t> read_target(TargetId target, int& width, int& height) const;
  const RenderStats& stats() const { return stats_; }
  // Draws planets with every layer's shader at every screen pixel instead of at art resolution:
  // the reference picture, kept for the benchmark.
  void set_planet_direct_path(bool direct);
  // Draws every command as recorded: a black clear under a list that does not clear, the backdrop
  // blit blended through the batch shader, the planet scaled up in a pass of its own. Without it
  // a blit of an opaque target over the whole screen replaces that clear and goes to the screen
  // unblended, together with the planet's art-resolution layers where one follows; the pixels are
  // the same. The reference for tests and the benchmark.
  void set_plain_passes(bool plain);
  // Waits until the GPU has finished everything submitted; for timing.
  void finish();

  // Start-up, one call a frame until it gives true: builds the programs a planet kind needs (its
  // layers' at their octave counts, and the painter's own) and draws with each once, waiting for the
  // driver, so that no frame of the game builds or first uses a program. Draws a small frame into
  // the corner of the framebuffer bound for drawing (the screen's, between two frames: the next
  // one draws over it), so that what reaches the screen is drawn into the screen's own format.
  // Planets of `planet_pixels` art pixels and the dither switch `dither`, as the game draws them.
  // An error when a program does not build.
  Result<bool> warm_up_next(std::uint32_t planet_pixels, bool dither);
  // Whole pixel sizes text has been drawn at so far, smallest first.
  std::vector<int> text_pixel_sizes() const;
  // Start-up: rasterises `characters` (UTF-8) at `pixel_size` into that size's glyph atlas and
  // uploads it, so that a text first met later (a stat, a countdown digit) costs no rasterising
  // and no re-upload of the atlas mid-run.
  void warm_up_glyphs(int pixel_size, std::string_view characters);
  // The planet layer programs built so far (see PlanetPainter::programs_built).
  int planet_programs_built() const;

  // Largest batch before a flush (the renderer never draws more at once).
  static constexpr int kMaxBatchVertices = 10000;
  static constexpr int kMaxBatchIndices = 5000;

 private:
  struct Impl;
  explicit GlRenderer(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
  RenderStats stats_;
  int warmed_kinds_ = 0;  // planet kinds warmed up so far, in the enumeration's order
};

}  // namespace ventora
