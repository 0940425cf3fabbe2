#include "planet/gl/gl_program.h"

#include <vector>

namespace planet {
namespace {

std::string shader_log(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  glGetShaderInfoLog(shader, static_cast<GLsizei>(text.size()), nullptr, text.data());
  return text.data();
}

std::string program_log(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  glGetProgramInfoLog(program, static_cast<GLsizei>(text.size()), nullptr, text.data());
  return text.data();
}

GLuint compile(GLenum stage, std::string_view source, std::string& log) {
  GLuint shader = glCreateShader(stage);
  const GLchar* text = source.data();
  const auto length = static_cast<GLint>(source.size());
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    log = (stage == GL_VERTEX_SHADER ? "vertex shader: " : "fragment shader: ") + shader_log(shader);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

GLuint build_program(std::string_view vertex, std::string_view fragment, std::string& log) {
  GLuint vs = compile(GL_VERTEX_SHADER, vertex, log);
  if (vs == 0) return 0;
  GLuint fs = compile(GL_FRAGMENT_SHADER, fragment, log);
  if (fs == 0) {
    glDeleteShader(vs);
    return 0;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glBindAttribLocation(program, kPositionAttribute, "position");
  glBindAttribLocation(program, kTexcoordAttribute, "texcoord");
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    log = "link: " + program_log(program);
    glDeleteProgram(program);
    return 0;
  }
  return program;
}

}  // namespace planet
