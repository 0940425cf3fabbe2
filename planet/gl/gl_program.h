// Compiling and linking the small GLSL programs of the planet painter.
#pragma once

#include <epoxy/gl.h>

#include <string>
#include <string_view>

namespace planet {

// Attribute locations bound before linking (GLSL 1.30 has no layout qualifiers).
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kTexcoordAttribute = 1;

// A linked program from the two sources, or 0 with the compiler's or linker's log in `log`.
GLuint build_program(std::string_view vertex, std::string_view fragment, std::string& log);

}  // namespace planet
