// Shader programs: two GLSL sources compiled and linked, or the stage that failed with the
// compiler's or the linker's log.
#pragma once

#include <epoxy/gl.h>

#include <initializer_list>
#include <string_view>
#include <utility>

#include "base/result.h"
#include "gl/handles.h"

namespace gl {

// An attribute's location, for sources without layout qualifiers (GLSL before 3.30).
struct AttributeLocation {
  GLuint location;
  const char* name;
};

class Program {
 public:
  Program() = default;
  explicit Program(ProgramName name) : name_(std::move(name)) {}
  GLuint id() const { return name_.get(); }
  // -1 when the program has no active uniform of that name.
  GLint uniform(const char* name) const { return glGetUniformLocation(name_.get(), name); }
  void use() const { glUseProgram(name_.get()); }

 private:
  ProgramName name_;
};

// The program of the two sources. Its error names the stage ("vertex shader: ", "fragment
// shader: " or "link: ") followed by the log.
ventora::Result<Program> build_program(std::string_view vertex, std::string_view fragment,
                                       std::initializer_list<AttributeLocation> attributes = {});

}  // namespace gl
