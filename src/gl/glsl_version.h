// Every shader source has one text for both builds; only its first line, the GLSL version, depends
// on the context the build draws with. The desktop's OpenGL 3.3 core context takes each source as
// written; the browser's WebGL2 (OpenGL ES 3.0) wants `#version 300 es` and a default float
// precision in its place.
#pragma once

#include <string>
#include <string_view>

namespace gl {

enum class GlslDialect { Desktop, Es300 };

// The dialect of this build's context.
#ifdef __EMSCRIPTEN__
inline constexpr GlslDialect kBuildDialect = GlslDialect::Es300;
#else
inline constexpr GlslDialect kBuildDialect = GlslDialect::Desktop;
#endif

// `source` for a context of `dialect`: unchanged for the desktop; for ES 3.0 its `#version` line
// (when it starts with one) replaced by `#version 300 es` and `precision highp float;`.
std::string for_dialect(std::string_view source, GlslDialect dialect);

}  // namespace gl
