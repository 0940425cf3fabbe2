#include "gl/glsl_version.h"

namespace gl {

std::string for_dialect(std::string_view source, GlslDialect dialect) {
  constexpr std::string_view kVersion = "#version";
  if (dialect == GlslDialect::Desktop || !source.starts_with(kVersion)) return std::string(source);
  const std::size_t line_end = source.find('\n');
  const std::string_view rest = line_end == std::string_view::npos ? "" : source.substr(line_end + 1);
  return "#version 300 es\nprecision highp float;\n" + std::string(rest);
}

}  // namespace gl
